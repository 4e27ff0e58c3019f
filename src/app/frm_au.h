#pragma once

#include <QDialog>

// frmAU: the "About us" box. Not modal, owned by the main window; OK and
// Esc hide it, and it is never unloaded while the program runs.
class frmAU : public QDialog {
    Q_OBJECT

public:
    explicit frmAU(QWidget* parent = nullptr);

    // Form load: fills the labels.
    void Form_Load();
    // "OK".
    void Command1_Click();
};
