#pragma once

#include <QObject>
#include <QString>

class ExportUi;
class QAbstractButton;
class QLineEdit;
class Shell;
class frmDisplay;

// The look-ups out of the text in the main window: a word selected in the
// reading pane in the dictionary (its web page, or the offline dictionary
// when the page cannot be loaded or the reader prefers it), shown in a
// separate window; and the three concordances in the web pane.
class LookupUi : public QObject {
    Q_OBJECT
public:
    LookupUi(Shell& main, ExportUi& exportUi);

    // Registers the commands and takes over the dictionary choices of the
    // settings panel (the site and "offline").
    void install();

    // Returns the window it opened, or nullptr when the selection was refused.
    frmDisplay* mnuDict_Click();
    void mnuConcordVerses_Click();
    void mnuConcordST_Click();
    void mnuConcordFN_Click();
    void OpenConcord(const QString& name);

    // The reader's choices, kept in the settings store.
    QString dictionarySite() const;
    bool offlineDictionary() const;
    void setDictionarySite(const QString& site);
    void setOfflineDictionary(bool on);

private:
    Shell& main_;
    ExportUi& export_;
};
