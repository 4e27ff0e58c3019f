#pragma once

#include "numbers/arabic_entry.h"

#include "ui/panel_frame.h"

#include <functional>
#include <map>
#include <string>

class Shell;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// frameGV, the gematrical-value calculator: an Arabic expression typed on
// the on-screen keyboard, written in Latin letters or typed directly, and
// its word-wise and letter-wise values, which go to the number-division
// panel, and its counts.
class FrameGV : public PanelFrame {
    Q_OBJECT

public:
    // `handOver` receives the digits of a calculation for the division panel.
    FrameGV(Shell& main, std::function<void(const std::string&)> handOver, QWidget* parent = nullptr);

    // Registers the panel's commands with the main window.
    void install();

    void mnuGV_Click();
    void showGV();
    void getChars();
    void Command25_Click();  // "Calculate Word-wise Gematrical Value"
    void Command26_Click();  // "Calculate Letter-wise Gematrical Value"
    void Command27_Click();  // "Get Details"
    void Char_Click(int index);
    void Command21_Click();  // "Get Arabic"
    void Command22_Click();  // "Clear Text"
    // The five option boxes as they stand.
    numbers::GvOptions options() const;
    const numbers::GvExpression& expression() const { return expr_; }

protected:

private:
    void build();
    QWidget* buildKeyboard(QWidget* parent);
    // Text1 and the hidden working copy show the expression as it now is.
    void showExpression();

    Shell& main_;
    std::function<void(const std::string&)> handOver_;
    numbers::GvExpression expr_;
    QLineEdit* text1_ = nullptr;
    QLineEdit* rtf_ = nullptr;
    QLineEdit* text4_ = nullptr;
    QCheckBox* chkWord1_ = nullptr;
    QCheckBox* chkWord2_ = nullptr;
    QCheckBox* chkLetter1_ = nullptr;
    QCheckBox* chkLetter2_ = nullptr;
    QCheckBox* chkReset_ = nullptr;
    QCheckBox* chkType_ = nullptr;
    QPushButton* command27_ = nullptr;
    std::map<int, QToolButton*> keys_;
};
