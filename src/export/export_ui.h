#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class Shell;
class WritePanel;
class frmDisplay;

// Taking the display out of the program: the reading pane's pop-up menu
// (select all, the four copies), the save panel with its verse range, and
// the separate display windows.
class ExportUi : public QObject {
    Q_OBJECT
public:
    explicit ExportUi(Shell& main);

    // Registers the commands and installs the save panel.
    void install();

    void mnuSAT_Click();   // "Select All Text"
    void mnuCST_Click();   // "Copy Selected Text"
    void mnuCET_Click();   // "Copy Entire Text "
    void mnuCsnf_Click();  // "Copy Selected (no formatting)"
    void mnuCC_Click();    // "Copy All (without formating)"

    void mnuWFP_Click();  // "Save Display (F5)"
    // "VIEW VERSES": true when the range held verses and they are shown.
    bool Command18_Click();
    void Command19_Click();  // "SAVE VERSES"
    // "SAVE TO FILE": the file written, or empty.
    QString Command13_Click();
    void txtStartSura_Change();
    void txtEndSura_Change();

    // "Display Separately": the new window.
    frmDisplay* mnuDisplaySep_Click();
    // A new separate window, not yet shown, for whoever shows a page of its own.
    frmDisplay* newDisplay();

    WritePanel* panel() const { return panel_; }
    // The separate windows opened so far, oldest first.
    std::vector<frmDisplay*> displays() const;

private:
    void copyFormatted(bool selection);
    void copyPlain(bool selection);
    // Checks the current entry of the verse list and shows it again.
    void showCurrentEntry();

    Shell& main_;
    WritePanel* panel_ = nullptr;
    std::vector<QPointer<frmDisplay>> displays_;
};
