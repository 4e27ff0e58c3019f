// The reader's own data in the window, installed on a bare Shell: topics,
// the notes editor, collections from the backup panel, and bookmarks, as a
// reader drives them with the buttons and keys.
#include "db/verse_ref.h"
#include "reading/go_to_verse_panel.h"
#include "reading/navigation.h"
#include "reading/reading_view.h"
#include "search/search_ui.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "support/fake_shell.h"
#include "topics/backup_panel.h"
#include "topics/collection.h"
#include "topics/notes.h"
#include "reading/notes_panel.h"
#include "topics/topic_store.h"
#include "topics/topics_panel.h"
#include "topics/topics_ui.h"
#include "topics_fixture.h"
#include "ui/panel_support.h"
#include "ui/wrap_check_box.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

using testing_support::FakeShell;
using Kind = ScriptedPrompter::Kind;

namespace {

class TopicsShell : public ::testing::Test {
protected:
    void SetUp() override
    {
        nav = &installSubsystem<Navigation>(shell);
        search = &installSubsystem<SearchUi>(shell, *nav);
        tui = &installSubsystem<TopicsUi>(shell, *nav, search);
    }

    db::Database& db() { return shell.state().connection; }
    QListWidget* verses() { return shell.reading().verseList(); }
    QListWidget* topicNames() { return tui->topicsPanel().lstTopics(); }
    ScriptedPrompter& boxes() { return shell.scripted(); }
    QStringList items()
    {
        QStringList out;
        for (int i = 0; i < verses()->count(); ++i)
            out << verses()->item(i)->text();
        return out;
    }
    QStringList names()
    {
        QStringList out;
        for (int i = 0; i < topicNames()->count(); ++i)
            out << topicNames()->item(i)->text();
        return out;
    }
    int checkedCount()
    {
        int n = 0;
        for (int i = 0; i < verses()->count(); ++i)
            n += verses()->item(i)->isSelected() ? 1 : 0;
        return n;
    }
    // Only the items at these indexes checked; the first one current.
    void checkOnly(std::initializer_list<int> rows)
    {
        verses()->clearSelection();
        for (int r : rows)
            verses()->item(r)->setSelected(true);
        verses()->setCurrentRow(*rows.begin(), QItemSelectionModel::NoUpdate);
    }
    void openSura(int sura) { shell.setSuraIndex(sura); }
    void create(std::optional<QString> answer)
    {
        boxes().inputs.push_back(std::move(answer));
        ASSERT_TRUE(shell.press(QStringLiteral("cmdNewTopic")));
    }
    void chooseTopic(int row)
    {
        topicNames()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        ASSERT_TRUE(shell.press(QStringLiteral("cmdOpenTopic")));
    }
    long long count(const std::string& sql) { return topics_test::number(db(), sql); }

    FakeShell shell;
    Navigation* nav = nullptr;
    SearchUi* search = nullptr;
    TopicsUi* tui = nullptr;
};

const QString kName = QStringLiteral("God's \"word\" \\ بسم");

}  // namespace

TEST_F(TopicsShell, CreateShowInsertAndRemoveVerses)
{
    ASSERT_TRUE(shell.runCommand(cmd::Command7_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameTopics"));
    EXPECT_EQ(tui->topicsPanel().defaultButton(), tui->topicsPanel().cmdOpenTopic());
    openSura(2);
    const QStringList suraItems = items();

    // Cancel and a blank name make no topic and leave the verse list alone.
    create(std::nullopt);
    create(QStringLiteral("   "));
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(items(), suraItems);
    EXPECT_EQ(shell.reading().mode(), ListMode::Verses);

    // A new name shows its empty topic; the same name again is the same topic.
    create(kName);
    create(kName);
    EXPECT_EQ(names(), QStringList{kName});
    EXPECT_EQ(topicNames()->selectedItems().size(), 1);
    EXPECT_EQ(shell.reading().mode(), ListMode::Result);
    EXPECT_EQ(shell.reading().lblPage()->text(), QStringLiteral("RESULT"));
    EXPECT_EQ(verses()->count(), 0);

    // From a sura's list: the checked verses of the open sura, exactly named.
    openSura(2);
    checkOnly({3, 5});
    ASSERT_TRUE(shell.runCommand(cmd::cmdInsertVerse_Click));
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES WHERE ARTICLES='God''s \"word\" \\ بسم'"), 2);
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='God''s \"word\" \\ بسم'"), 2);
    EXPECT_FALSE(tui->topicsPanel().lblReport()->text().isEmpty());
    // The same verse again is filed twice.
    checkOnly({5});
    ASSERT_TRUE(shell.runCommand(cmd::cmdInsertVerse_Click));

    // From a reference list: a search result's checked rows.
    shell.runCommand(cmd::cmdSearchShow_Click);
    shell.window().findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("forgive"));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdSearch")));
    ASSERT_GT(verses()->count(), 2);
    const QString firstHit = items().front();
    checkOnly({0});
    ASSERT_TRUE(shell.runCommand(cmd::cmdInsertVerse_Click));

    // Showing the topic: every verse listed in order, checked, and shown.
    chooseTopic(0);
    const auto hit = db::VerseRef::parse(firstHit.mid(firstHit.indexOf(QLatin1Char('.')) + 1).toStdString());
    ASSERT_TRUE(hit);
    QStringList expected = {QStringLiteral("2:3"), QStringLiteral("2:5"), QStringLiteral("2:5")};
    expected << ui::qs(hit->display());
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        return db::VerseRef::parse(a.toStdString())->key() < db::VerseRef::parse(b.toStdString())->key();
    });
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(checkedCount(), 4);
    EXPECT_TRUE(shell.reading().cmbList()->isHidden());
    // The display read its verses together; nothing of that stays open.
    EXPECT_NE(sqlite3_get_autocommit(db().handle()), 0);
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("[2:3]")));
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("[2:5]")));

    // F10 on the topic: unchecked verses stay, a checked doubled verse goes whole.
    checkOnly({static_cast<int>(expected.indexOf(QStringLiteral("2:5")))});
    ASSERT_TRUE(shell.runCommand(cmd::cmdDeleteVerse_click));
    expected.removeAll(QStringLiteral("2:5"));
    EXPECT_EQ(items(), expected);
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES1 WHERE SURA=2 AND VERSE=5"), 0);

    // F10 on a sura's list refuses.
    openSura(3);
    boxes().clear();
    ASSERT_TRUE(shell.runCommand(cmd::cmdDeleteVerse_click));
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kTopicVersesNotShown)});
}

TEST_F(TopicsShell, DeletingATopicAsksAndKeepsItsTwinRows)
{
    ASSERT_TRUE(topics::insertVerses(db(), "Mercy", {{2, 3}, {2, 4}}).ok);
    ASSERT_TRUE(topics::insertVerses(db(), "Patience", {{3, 1}}).ok);
    shell.runCommand(cmd::Command7_Click);
    EXPECT_EQ(names(), (QStringList{QStringLiteral("Mercy"), QStringLiteral("Patience")}));
    chooseTopic(0);

    boxes().yesNo = {false};
    ASSERT_TRUE(shell.press(QStringLiteral("cmdDeleteTopic")));
    EXPECT_EQ(names().size(), 2);
    EXPECT_EQ(verses()->count(), 2);

    boxes().clear();
    boxes().yesNo = {true};
    ASSERT_TRUE(shell.press(QStringLiteral("cmdDeleteTopic")));
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kConfirmDeleteTopic)});
    EXPECT_EQ(names(), QStringList{QStringLiteral("Patience")});
    EXPECT_EQ(verses()->count(), 0);
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES WHERE ARTICLES='Mercy'"), 0);
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES1 WHERE ARTICLES='Mercy'"), 2);

    // Nothing selected: nothing asked, nothing deleted.
    topicNames()->clearSelection();
    boxes().clear();
    ASSERT_TRUE(shell.press(QStringLiteral("cmdDeleteTopic")));
    EXPECT_TRUE(boxes().texts().isEmpty());
    EXPECT_EQ(names().size(), 1);
}

TEST_F(TopicsShell, AFailedTopicWriteIsToldAndChangesNothing)
{
    ASSERT_TRUE(db().execute("CREATE TRIGGER refuse BEFORE INSERT ON ARTICLES1 BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    shell.runCommand(cmd::Command7_Click);
    create(QStringLiteral("Mercy"));
    openSura(2);
    checkOnly({1});
    boxes().clear();
    ASSERT_TRUE(shell.runCommand(cmd::cmdInsertVerse_Click));
    ASSERT_EQ(boxes().boxes().size(), 1u);
    EXPECT_EQ(boxes().boxes()[0].kind, Kind::Information);
    EXPECT_TRUE(boxes().texts()[0].contains(QStringLiteral("disk full"))) << boxes().texts()[0].toStdString();
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES"), 0);
}

// ---------------------------------------------------------------- notes

namespace {

class NotesShell : public TopicsShell {
protected:
    NotesPanel& panel() { return tui->notesPanel(); }
    QString editor()
    {
        return QString::fromStdString(panel().rtfFootnote()->model().text());
    }
    void type(const QString& text) { panel().rtfFootnote()->model().setText(text.toStdString()); }
    std::string stored(int sura, int verse) { return topics::readNote(db(), {sura, verse}).value; }
    // Opens the sura with only the verse checked and shown.
    void showVerse(int sura, int verse)
    {
        openSura(sura);
        checkOnly({verse});
        shell.reading().OpenVerse();
    }
};

}  // namespace

TEST_F(NotesShell, MyNotesOpensTheEditorAndClosesOnTheSecondPress)
{
    panel().dispFN()->setChecked(true);
    ASSERT_TRUE(topics::writeNote(db(), {2, 3}, "kept note").ok);
    openSura(2);
    checkOnly({3});
    ASSERT_TRUE(shell.runCommand(cmd::cmdYourNote_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameFootnotes"));
    EXPECT_EQ(panel().mode(), NotesPanel::Mode::Notes);
    EXPECT_EQ(panel().lblNotes()->text(), QStringLiteral("My Note(s):"));
    EXPECT_FALSE(panel().rtfFootnote()->isReadOnly());
    EXPECT_FALSE(panel().cmdYN()->isHidden());
    EXPECT_FALSE(panel().dispFN()->isChecked());
    EXPECT_EQ(panel().defaultButton(), panel().cmdYN());
    EXPECT_EQ(editor(), QStringLiteral("kept note"));

    ASSERT_TRUE(shell.runCommand(cmd::cmdYourNote_Click));
    EXPECT_FALSE(shell.columnOpen());
    ASSERT_TRUE(shell.runCommand(cmd::cmdYourNote_Click));
    EXPECT_TRUE(shell.columnOpen());

    // Shown as footnotes, the panel switches to notes at the next press.
    panel().setMode(NotesPanel::Mode::Footnotes);
    EXPECT_TRUE(panel().cmdYN()->isHidden());
    EXPECT_TRUE(panel().rtfFootnote()->isReadOnly());
    ASSERT_TRUE(shell.runCommand(cmd::cmdYourNote_Click));
    EXPECT_TRUE(shell.columnOpen());
    EXPECT_EQ(panel().mode(), NotesPanel::Mode::Notes);
}

TEST_F(NotesShell, ANoteIsSavedAndShownExactlyAndFoundByTheSearch)
{
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    const QString note = QStringLiteral("God's \"word\" \\ path\r\nبسم الله\r\n\r\nmercy at the end ''");
    type(note);
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_TRUE(boxes().texts().isEmpty()) << boxes().texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(stored(2, 3), note.toStdString());

    // Another verse, then back: the editor holds each verse's own note.
    showVerse(2, 4);
    EXPECT_EQ(editor(), QString());
    showVerse(2, 3);
    EXPECT_EQ(editor(), note);

    // The stock sqlite3 tool reads the note the panel wrote, and a note it
    // writes (bare line feeds) shows in the panel and, saved untouched, stays.
    const auto file = shell.state().programFolder / "English.ttb";
    EXPECT_EQ(topics_test::sqliteTool(file, "SELECT hex(YourNotes) FROM ZOVR WHERE Sura=2 AND Verse=3;\n"),
              QString::fromLatin1(note.toUtf8().toHex().toUpper()).toStdString() + "\n");
    topics_test::sqliteTool(file, "UPDATE ZOVR SET YourNotes='one'||char(10)||'line'||char(10)||'feeds' "
                                  "WHERE Sura=2 AND Verse=4;\n");
    showVerse(2, 4);
    EXPECT_EQ(editor(), QStringLiteral("one\r\nline\r\nfeeds"));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_EQ(stored(2, 4), "one\nline\nfeeds");

    // A long note, every character kept.
    std::string longNote;
    while (longNote.size() < 100000)
        longNote += "a line of a long note, with an apostrophe ' and \"quotes\"\r\n";
    longNote.resize(100000);
    showVerse(2, 6);
    type(QString::fromStdString(longNote));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_EQ(stored(2, 6).size(), 100000u);
    EXPECT_EQ(stored(2, 6), longNote);
    showVerse(2, 5);
    showVerse(2, 6);
    EXPECT_EQ(editor().toStdString(), longNote);

    // The "My Notes" search area finds the note at once.
    shell.runCommand(cmd::cmdSearchShow_Click);
    for (int i = 0; i < 9; ++i)
        shell.window().findChild<QCheckBox*>(QStringLiteral("Areas_%1").arg(i))->setChecked(i == 7);
    shell.window().findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("mercy"));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdSearch")));
    EXPECT_TRUE(items().contains(QStringLiteral("2:3"))) << items().join(QLatin1Char(',')).toStdString();
}

// Enter in the editor is a line break, never "UPDATE MY NOTES".
TEST_F(NotesShell, EnterInTheEditorBreaksTheLine)
{
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    QTextEdit* view = panel().rtfFootnote()->view();
    panel().rtfFootnote()->flush();
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("first"));
    QTest::keyClick(view, Qt::Key_Return);
    QTest::keyClicks(view, QStringLiteral("second"));
    panel().rtfFootnote()->flush();
    EXPECT_EQ(editor(), QStringLiteral("first\r\nsecond"));
    EXPECT_EQ(stored(2, 3), "");
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_EQ(stored(2, 3), "first\r\nsecond");
}

TEST_F(NotesShell, TheNoteGoesToExactlyOneCheckedVerse)
{
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    type(QStringLiteral("not saved"));
    for (auto rows : {std::vector<int>{3, 5}, std::vector<int>{5, 3}}) {
        verses()->clearSelection();
        verses()->item(rows[1])->setSelected(true);
        verses()->item(rows[0])->setSelected(true);
        boxes().clear();
        ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
        EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kOnlyOneVerse)});
    }
    verses()->clearSelection();
    boxes().clear();
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kAtLeastOneVerse)});
    EXPECT_EQ(stored(2, 3), "");
    EXPECT_EQ(stored(2, 5), "");

    // In a reference list the item names its own verse, whatever sura is open.
    ASSERT_TRUE(topics::insertVerses(db(), "Mercy", {{3, 2}}).ok);
    shell.runCommand(cmd::Command7_Click);
    chooseTopic(0);
    shell.runCommand(cmd::cmdYourNote_Click);
    type(QStringLiteral("on 3:2"));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    EXPECT_EQ(stored(3, 2), "on 3:2");
    EXPECT_EQ(stored(2, 2), "");
}

TEST_F(NotesShell, AFailedSaveIsToldAndKeepsTheText)
{
    ASSERT_TRUE(topics::writeNote(db(), {2, 3}, "before").ok);
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    ASSERT_TRUE(db().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF YourNotes ON ZOVR BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    type(QStringLiteral("my careful words"));
    boxes().clear();
    ASSERT_TRUE(shell.press(QStringLiteral("cmdYN")));
    ASSERT_EQ(boxes().boxes().size(), 1u);
    EXPECT_TRUE(boxes().texts()[0].contains(QStringLiteral("disk full"))) << boxes().texts()[0].toStdString();
    EXPECT_EQ(editor(), QStringLiteral("my careful words"));
    EXPECT_EQ(stored(2, 3), "before");

    // Moving on with the words unsaved asks; when that save fails too, the
    // words are put on the clipboard and the reader is told.
    boxes().clear();
    boxes().yesNo = {true};
    showVerse(2, 4);
    ASSERT_EQ(boxes().boxes().size(), 2u);
    EXPECT_EQ(boxes().texts()[0], QStringLiteral("Save the changes to your note on 2:3?"));
    EXPECT_TRUE(boxes().texts()[1].contains(QStringLiteral("clipboard")));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("my careful words"));
}

TEST_F(NotesShell, AnUnsavedNoteIsOfferedBeforeTheDisplayMovesOn)
{
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    type(QStringLiteral("kept"));
    boxes().yesNo = {true};
    showVerse(2, 4);
    EXPECT_EQ(boxes().texts(), QStringList{QStringLiteral("Save the changes to your note on 2:3?")});
    EXPECT_EQ(stored(2, 3), "kept");
    EXPECT_EQ(stored(2, 4), "");

    type(QStringLiteral("dropped"));
    boxes().clear();
    boxes().yesNo = {false};
    showVerse(2, 5);
    EXPECT_EQ(boxes().texts().size(), 1);
    EXPECT_EQ(stored(2, 4), "");

    // An untouched note asks nothing, nor does closing and opening again.
    boxes().clear();
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    shell.runCommand(cmd::cmdYourNote_Click);
    EXPECT_TRUE(boxes().texts().isEmpty()) << boxes().texts().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(editor(), QStringLiteral("kept"));
}

// ---------------------------------------------------------------- collections

namespace {

class BackupShell : public NotesShell {
protected:
    BackupPanel& panel() { return tui->backupPanel(); }
    void run(BackupPanel::Choice choice, const std::filesystem::path& file)
    {
        panel().choose(choice);
        panel().txtFile()->setText(QString::fromStdString(file.string()));
        boxes().clear();
        ASSERT_TRUE(shell.press(QStringLiteral("Command29")));
    }
    QString report() { return panel().lblReport()->text(); }
    testing_support::TempDir dir;
};

}  // namespace

TEST_F(BackupShell, ChoicesChangeThePanelAndBrowseFillsTheFile)
{
    ASSERT_TRUE(shell.runCommand(cmd::mnuNotesTopics_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameBackup"));
    EXPECT_EQ(panel().defaultButton(), panel().Command29());
    struct Want {
        BackupPanel::Choice choice;
        const char* option;
        const char* frame;
        const char* button;
    };
    for (const Want& w : {Want{BackupPanel::Choice::Add, "Add to My Collection", "Add Notes to Zerafin from:", "Add"},
                          Want{BackupPanel::Choice::Backup, "Backup/Export", "Save Your Notes to:", "Backup"},
                          Want{BackupPanel::Choice::Restore, "Restore/Import", "Restore Your Notes from:", "Restore"}}) {
        panel().choose(w.choice);
        EXPECT_EQ(panel().option(w.choice)->text(), QString::fromLatin1(w.option));
        EXPECT_FALSE(panel().frm1()->isHidden());
        EXPECT_EQ(panel().frm1()->title(), QString::fromLatin1(w.frame));
        EXPECT_EQ(panel().cmd1()->text(), QString::fromLatin1(w.button));
    }
    panel().choose(BackupPanel::Choice::Erase);
    EXPECT_EQ(panel().option(BackupPanel::Choice::Erase)->text(), QStringLiteral("Erase My Collection"));
    EXPECT_TRUE(panel().frm1()->isHidden());

    // Backup asks where to save, the others which file to open.
    panel().choose(BackupPanel::Choice::Backup);
    boxes().fileNames = {QStringLiteral("/tmp/new backup.mdb")};
    ASSERT_TRUE(shell.press(QStringLiteral("cmd1")));
    EXPECT_EQ(boxes().boxes().back().kind, Kind::SaveFile);
    EXPECT_EQ(panel().txtFile()->text(), QStringLiteral("/tmp/new backup.mdb"));
    panel().choose(BackupPanel::Choice::Restore);
    boxes().fileNames = {QStringLiteral("/tmp/old.mdb")};
    ASSERT_TRUE(shell.press(QStringLiteral("cmd1")));
    EXPECT_EQ(boxes().boxes().back().kind, Kind::OpenFile);
    EXPECT_EQ(panel().txtFile()->text(), QStringLiteral("/tmp/old.mdb"));
    // Cancelled, the box keeps its path.
    ASSERT_TRUE(shell.press(QStringLiteral("cmd1")));
    EXPECT_EQ(panel().txtFile()->text(), QStringLiteral("/tmp/old.mdb"));
}

TEST_F(BackupShell, PathsThatAreNotThereAreRefused)
{
    shell.runCommand(cmd::mnuNotesTopics_Click);
    run(BackupPanel::Choice::Backup, {});
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kEnterFileName)});
    for (auto choice : {BackupPanel::Choice::Add, BackupPanel::Choice::Restore}) {
        for (const std::filesystem::path& file : {std::filesystem::path{}, dir.path() / "missing.mdb"}) {
            run(choice, file);
            EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kFileMissing)});
        }
    }
    // A file that is not a collection is said so, and nothing is asked.
    testing_support::writeFile(dir.path() / "notes.txt", "just text");
    ASSERT_TRUE(topics::writeNote(db(), {2, 3}, "mine").ok);
    run(BackupPanel::Choice::Restore, dir.path() / "notes.txt");
    ASSERT_EQ(boxes().boxes().size(), 1u);
    EXPECT_EQ(boxes().boxes()[0].kind, Kind::Information);
    EXPECT_EQ(report(), boxes().texts()[0]);
    EXPECT_EQ(stored(2, 3), "mine");
    EXPECT_TRUE(report().contains(QStringLiteral("notes.txt")));
}

TEST_F(BackupShell, BackupMergeRestoreAndEraseReportAndRefresh)
{
    ASSERT_TRUE(topics::writeNote(db(), {2, 3}, "first note").ok);
    ASSERT_TRUE(topics::insertVerses(db(), "Mercy", {{2, 5}}).ok);
    shell.runCommand(cmd::Command7_Click);
    EXPECT_EQ(names(), QStringList{QStringLiteral("Mercy")});
    showVerse(2, 3);
    shell.runCommand(cmd::cmdYourNote_Click);
    shell.runCommand(cmd::mnuNotesTopics_Click);

    const auto file = dir.path() / "backup.mdb";
    run(BackupPanel::Choice::Backup, file);
    EXPECT_TRUE(boxes().texts().isEmpty());
    ASSERT_TRUE(std::filesystem::exists(file));
    EXPECT_FALSE(report().isEmpty());
    const auto size = std::filesystem::file_size(file);

    // A second backup to the same file asks first; No leaves the file.
    ASSERT_TRUE(topics::writeNote(db(), {2, 4}, "second note").ok);
    boxes().yesNo = {false};
    run(BackupPanel::Choice::Backup, file);
    ASSERT_EQ(boxes().boxes().size(), 1u);
    EXPECT_EQ(boxes().boxes()[0].kind, Kind::YesNo);
    EXPECT_EQ(std::filesystem::file_size(file), size);
    ASSERT_TRUE(topics::writeNote(db(), {2, 4}, "").ok);

    // Merging appends the note behind the separator, in the editor at once,
    // and adds no topic verse the reader already has.
    run(BackupPanel::Choice::Add, file);
    const std::string merged = "first note" + std::string(topics::kNoteSeparator) + "first note";
    EXPECT_EQ(stored(2, 3), merged);
    EXPECT_EQ(editor().toStdString(), merged);
    EXPECT_EQ(count("SELECT count(*) FROM ARTICLES"), 1);
    EXPECT_TRUE(report().startsWith(QStringLiteral("Added"))) << report().toStdString();

    // Restoring, after a topic of its own and a new note: notes of the
    // backup come back, others stay, the topics are the backup's.
    ASSERT_TRUE(topics::insertVerses(db(), "Later", {{3, 3}}).ok);
    ASSERT_TRUE(topics::writeNote(db(), {2, 7}, "written since").ok);
    tui->showTopics();
    EXPECT_EQ(names().size(), 2);
    boxes().yesNo = {false};
    run(BackupPanel::Choice::Restore, file);
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kConfirmRestore)});
    EXPECT_EQ(stored(2, 3), merged);
    run(BackupPanel::Choice::Restore, file);
    EXPECT_EQ(stored(2, 3), "first note");
    EXPECT_EQ(editor(), QStringLiteral("first note"));
    EXPECT_EQ(stored(2, 7), "written since");
    EXPECT_EQ(names(), QStringList{QStringLiteral("Mercy")});
    EXPECT_TRUE(report().startsWith(QStringLiteral("Restored"))) << report().toStdString();

    // Erase asks; Yes empties notes and topics, and the list follows.
    boxes().yesNo = {false};
    run(BackupPanel::Choice::Erase, {});
    EXPECT_EQ(boxes().texts(), QStringList{ui::qs(topics::kConfirmErase)});
    EXPECT_EQ(stored(2, 3), "first note");
    run(BackupPanel::Choice::Erase, {});
    EXPECT_EQ(stored(2, 3), "");
    EXPECT_EQ(editor(), QString());
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(report().startsWith(QStringLiteral("Erased"))) << report().toStdString();
}

// ---------------------------------------------------------------- bookmarks

TEST_F(TopicsShell, BookmarksListTheCurrentVerseAndJumpBack)
{
    GoToVersePanel* go = nav->goToVersePanel();
    ASSERT_NE(go, nullptr);
    openSura(2);
    checkOnly({255});
    ASSERT_TRUE(shell.press(QStringLiteral("cmdAddFav")));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdAddFav")));
    ASSERT_TRUE(topics::insertVerses(db(), "Mercy", {{3, 7}}).ok);
    shell.runCommand(cmd::Command7_Click);
    chooseTopic(0);
    ASSERT_TRUE(shell.press(QStringLiteral("cmdAddFav")));
    ASSERT_EQ(go->versefav()->count(), 3);
    EXPECT_EQ(go->versefav()->item(0)->text(), QStringLiteral("2:255"));
    EXPECT_EQ(go->versefav()->item(1)->text(), QStringLiteral("2:255"));
    EXPECT_EQ(go->versefav()->item(2)->text(), QStringLiteral("3:7"));

    go->versefav()->setCurrentRow(0);
    emit go->versefav()->itemDoubleClicked(go->versefav()->item(0));
    EXPECT_EQ(shell.sqCh()->currentIndex(), 2);
    EXPECT_EQ(shell.reading().mode(), ListMode::Verses);
    ASSERT_NE(verses()->currentItem(), nullptr);
    EXPECT_EQ(verses()->currentItem()->text(), QStringLiteral("255"));
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("[2:255]")));

    // Enter on a bookmark goes there too, not to the typed verse.
    go->txtSuraNumber()->setText(QStringLiteral("5"));
    go->txtVerseNumber()->setText(QStringLiteral("5"));
    go->versefav()->setCurrentRow(2);
    QTest::keyClick(go->versefav(), Qt::Key_Return);
    EXPECT_EQ(shell.sqCh()->currentIndex(), 3);
    EXPECT_EQ(verses()->currentItem()->text(), QStringLiteral("7"));
}
