#pragma once

#include "reading/companion_texts.h"

#include <QObject>
#include <QString>

#include <filesystem>

class ListPanel;
class Navigation;
class NotesPanel;
class Shell;

// The translation's companion texts in the main window: the contents page
// and the appendices (size-tested) and the tutorial in the web pane; the
// front matter, glossary and index in the reading pane; the introduction
// gathered into one page; the lists of subtitles and footnotes; and the
// footnotes in the side pane (F9), which they share with the notes.
class CompanionTexts : public QObject {
    Q_OBJECT
public:
    CompanionTexts(Shell& main, Navigation& navigation);

    // Registers the commands and installs the list panel and the side pane.
    void install();

    // The language whose documents are shown: the settings' choice.
    static std::string language(Shell& main);

    // Switches the reading pane out for the web pane (and its blank page).
    void showWB();
    void cmdContents_Click();
    void comboApp_Click();
    void chkShowApp_Click();
    void cmdProc_Click();   // "Front Matter"
    void Command4_Click();  // "Introduction"
    void Command1_Click();  // "Glossary"
    void Command6_Click();  // "Index"
    void mnutut_Click();    // "Tutorial"

    void mnuListSubtitles_Click();
    void mnuListFootnotes_Click();
    void showList(reading::ListKind kind, int sura);
    void Command23_Click();  // "Go"
    void lstList_Click();
    void Command14_Click();  // "Go to the above Verse"

    void Command11_Click();  // "Footnotes (F9)"

    ListPanel* listPanel() const { return list_; }
    NotesPanel* sidePane() const { return notes_; }
    // Where the introduction is written before it is shown.
    static std::filesystem::path introductionFile();

private:
    // Size-tests the document; tells the reader when it fails.
    bool passes(const reading::DocumentCheck& check);
    void openInWebPane(const std::filesystem::path& file);
    void openList(reading::ListKind kind);
    // Widens the reading pane (960) or gives the width back (0).
    void setWideReading(int width);
    std::filesystem::path programFolder() const;

    Shell& main_;
    Navigation& navigation_;
    ListPanel* list_ = nullptr;
    NotesPanel* notes_ = nullptr;
    reading::ListKind listKind_ = reading::ListKind::Subtitles;
};
