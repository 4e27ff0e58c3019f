#pragma once

#include "ui/panel_frame.h"
#include <QString>

#include <filesystem>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// frameSettings: the display-settings panel of the left column. It holds
// the controls that the settings store keeps (fonts, sizes, spacing,
// footnote and subtitle options, highlight colour) and the language box
// that names the text database. "DONE" checks the language and tells the
// main window what to do next.
class FrameSettings : public PanelFrame {
    Q_OBJECT

public:
    FrameSettings(std::filesystem::path programFolder, Prompter& prompter, QWidget* parent = nullptr);
    // A language is there when its text database is in the program folder
    // or in the reader's own folder.
    void setReaderFolder(std::filesystem::path folder) { readerFolder_ = std::move(folder); }

    enum class DoneResult {
        Rejected,   // no text database of that name: "English" is back
        Reload,     // another language's database exists: reopen and reload
        Redisplay,  // "English": close the panel and show the verse again
    };
    // "DONE".
    DoneResult Command17_Click();
    // The "Highlight Color:" tick shows the colour list; unticked, the
    // colour is yellow.
    void opHM_Click();

    // Puts the focus where the panel starts (the language box).
    void focusFirst();
    // Ctrl+Plus, Ctrl+Minus and Ctrl+0: the verse size one step up or down
    // its list, or back to its first-start value. False when it is already
    // there.
    bool stepVerseSize(int steps);
    bool resetVerseSize();

    QComboBox* cmbLang() const { return cmbLang_; }

signals:
    // "DONE" with another language whose database exists.
    void reloadRequested(const QString& language);
    // "DONE" with "English".
    void redisplayRequested();

private:
    void build();

    std::filesystem::path programFolder_;
    std::filesystem::path readerFolder_;
    Prompter& prompter_;
    QComboBox* cmbLang_ = nullptr;
    QComboBox* cboWord_ = nullptr;
    QCheckBox* opHM_ = nullptr;
};
