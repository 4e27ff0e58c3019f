#pragma once

#include "numbers/saved_numbers.h"

#include "ui/panel_frame.h"
#include <QString>

#include <string>

class Shell;
class QListWidget;
class QPushButton;
class RichTextPane;

// frameNumDiv, "Long Number Division": tests a number of any length for
// divisibility by 19 or by a divisor the reader enters, and keeps numbers
// under a name in the Numbers folder of the program folder.
class FrameNumDiv : public PanelFrame {
    Q_OBJECT

public:
    explicit FrameNumDiv(Shell& main, QWidget* parent = nullptr);

    // Registers the panel's commands with the main window.
    void install();

    void mnuDiv_Click();
    void cmdDivide19_Click();
    void cmdDivCust_Click();
    void cmdClear_Click();
    void cmdAdd_Click();
    void cmdDel_Click();
    void File1_Click();
    void cmdNav_Click();
    // A key typed in rtfNum, after the box has handled it.
    void rtfNum_KeyPress(int key, Qt::KeyboardModifiers modifiers);

    RichTextPane* rtfNum() const { return rtfNum_; }
    RichTextPane* rtfRes1() const { return rtfRes1_; }
    RichTextPane* rtfRes2() const { return rtfRes2_; }
    QListWidget* File1() const { return file1_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    // Reads the Numbers folder again; selects `select` if it is there
    // (without loading it), else nothing.
    void refreshFile1(const QString& select = {});
    void showResult(const std::string& res1, const std::string& res2);

    Shell& main_;
    numbers::SavedNumbers saved_;
    RichTextPane* rtfNum_ = nullptr;
    RichTextPane* rtfRes1_ = nullptr;
    RichTextPane* rtfRes2_ = nullptr;
    QListWidget* file1_ = nullptr;
    QPushButton* cmdDivide19_ = nullptr;
    // The list's current entry changed during the mouse press now in progress.
    bool changedByPress_ = false;
};
