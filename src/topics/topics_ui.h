#pragma once

#include "db/verse_ref.h"
#include "topics/bookmarks.h"
#include "topics/outcome.h"
#include "topics/topic_store.h"
#include "topics/verse_items.h"

#include <QObject>

#include <optional>
#include <string>
#include <vector>

class BackupPanel;
class Navigation;
class NotesPanel;
class SearchUi;
class Shell;
class TopicsPanel;

// The reader's own data in the main window: "Manage Topics" and the topic
// commands, the notes editor in the side pane, the backup panel, and the
// bookmarks of the "Go to Verse" panel. Every write goes through the topics
// library; a write that does not happen is always told.
class TopicsUi : public QObject {
    Q_OBJECT
public:
    // Jumps to bookmarks through navigation; a topic shown clears the
    // search's hidden result rows when the search is there.
    TopicsUi(Shell& main, Navigation& navigation, SearchUi* search = nullptr);

    void install();

    TopicsPanel& topicsPanel() const { return *topics_; }
    NotesPanel& notesPanel() const { return *notes_; }
    BackupPanel& backupPanel() const { return *backup_; }
    const topics::Bookmarks& bookmarks() const { return bookmarks_; }

    // ---- topics ----------------------------------------------------------------
    void Command7_Click();  // "Manage Topics (F7)"
    void showTopics();
    void cmdOpenTopic_Click();
    void lstTopics_Click() { cmdOpenTopic_Click(); }
    void cmdNewTopic_Click();
    void cmdDeleteTopic_Click();
    void cmdInsertVerse_Click();
    void cmdDeleteVerse_click();

    // ---- notes -------------------------------------------------------------------
    void cmdYourNote_Click();  // "My Notes (F11)"
    void cmdYN_Click();        // "UPDATE MY NOTES"

    // ---- collections -------------------------------------------------------------
    void mnuNotesTopics_Click();
    void cmd1_Click();        // "Browse"
    void Command29_Click();   // "Run Process"

    // ---- bookmarks ---------------------------------------------------------------
    void cmdAddFav_Click();
    void versefav_DblClick();

protected:
    // Enter on a bookmark goes there, as a double-click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<topics::ListItem> listItems() const;
    int openSura() const;
    // The selected topic's name, if one is selected.
    std::optional<std::string> selectedTopic() const;
    // Shows the names of the topic list, selecting the item given.
    void fillTopicList(int select);
    // Tells a failed write, or returns true.
    bool told(const topics::Outcome& outcome);
    // After the display: in notes mode the editor holds the stored note of
    // the one verse shown, exactly.
    void loadNote();
    // Before the display moves on: a note changed and not saved is offered
    // for saving, never dropped without a word.
    void keepUnsavedNote();
    // The shared rows of the open sura hold the notes as they were read;
    // after a write they are read again.
    void rereadVerseRows();
    // After a collection operation: what the reader sees follows the data.
    void refreshAfterCollection();
    topics::Outcome runCollection();

    Shell& main_;
    Navigation& navigation_;
    SearchUi* search_;
    TopicsPanel* topics_ = nullptr;
    NotesPanel* notes_ = nullptr;
    // The topic list's current row when a key went down.
    int rowBeforeKey_ = -1;
    BackupPanel* backup_ = nullptr;
    topics::TopicList topicList_;
    topics::Bookmarks bookmarks_;
    // The note as stored and as the editor shows it: saving an untouched
    // note writes it back exactly, whatever line breaks it was stored with.
    std::optional<db::VerseRef> noteVerse_;
    std::string noteStored_;
    std::string noteShown_;
};
