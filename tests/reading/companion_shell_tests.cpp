// The companion texts installed on a bare Shell: the size test of the
// contents page and the appendices, the documents in the web pane, the
// front matter, the introduction, the index, and the lists of subtitles
// and footnotes.
#include "core/program_folder.h"
#include "db/recordset.h"
#include "reading/companion_texts.h"
#include "reading/companions.h"
#include "reading/list_panel.h"
#include "reading/navigation.h"
#include "reading/notes_panel.h"
#include "reading/rich_text_pane.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "support/fake_shell.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include "ui/wrap_check_box.h"
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using testing_support::FakeShell;

namespace {

void writeBytes(const fs::path& file, size_t bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::string page = "<html><body>" + std::string(bytes > 26 ? bytes - 26 : 0, 'x') + "</body></html>";
    out << page.substr(0, bytes);
}

struct CompanionsOnAShell : ::testing::Test {
    CompanionsOnAShell()
    {
        Navigation& nav = installSubsystem<Navigation>(shell);
        companions = &installSubsystem<CompanionTexts>(shell, nav);
    }
    MainState& s() { return shell.state(); }
    void sql(const std::string& statement) { ASSERT_TRUE(s().connection.execute(statement)) << statement; }
    fs::path folder() { return s().programFolder; }
    // Gives appendix n a file of `bytes` bytes and a size record of `id`.
    void appendix(int n, size_t bytes, long long id)
    {
        writeBytes(reading::appendixPath(folder(), "English", n), bytes);
        sql("DELETE FROM SuraTable WHERE Appendix=" + std::to_string(n));
        sql("INSERT INTO SuraTable (ChOrder, RvOrder, Words, Appendix, ID) VALUES (0, 0, 'Appendix title " +
            std::to_string(n) + "', " + std::to_string(n) + ", " + std::to_string(id) + ")");
    }
    void fillAppendixList()
    {
        shell.comboApp()->clear();
        for (const std::string& entry : reading::appendixEntries(s().connection))
            shell.comboApp()->addItem(QString::fromStdString(entry));
        shell.comboApp()->setCurrentIndex(-1);
    }
    WebPane* wb() { return shell.reading().wb(); }

    FakeShell shell;
    CompanionTexts* companions = nullptr;
};

}  // namespace

TEST(CompanionLogic, TheSizeRecordCountsWholeUnitsOf200Bytes)
{
    EXPECT_TRUE(reading::sizeMatchesRecord(12345, 61));
    EXPECT_FALSE(reading::sizeMatchesRecord(12345, 62));
    EXPECT_TRUE(reading::sizeMatchesRecord(199, 0));
    EXPECT_TRUE(reading::sizeMatchesRecord(200, 1));
    EXPECT_FALSE(reading::sizeMatchesRecord(-1, 0));

    EXPECT_EQ(reading::appendixNumberOf("07 : Suras in figures"), 7);
    EXPECT_EQ(reading::appendixNumberOf("38 : Last"), 38);
    EXPECT_FALSE(reading::appendixNumberOf("Select to open Appendix from the list"));
    EXPECT_FALSE(reading::appendixNumberOf("99 : no such appendix"));
    EXPECT_EQ(reading::appendixEntry(7, "Title"), "07 : Title");
    EXPECT_EQ(reading::appendixPath("/p", "English", 7), fs::path("/p/Files/English/Appendices/Appendix 07.htm"));

    // "Go to the above Verse" hands on the reference with its bracket.
    EXPECT_EQ(reading::listEntryReference("[2:255]\tThe Throne"), "2:255]");
    EXPECT_EQ(reading::listEntryReference("[114:6]\tx ] y"), "114:6]");
    EXPECT_EQ(reading::listEntryReference("["), "");
}

TEST_F(CompanionsOnAShell, TheContentsPageOpensOnlyWithTheRightSizeRecord)
{
    fillAppendixList();
    appendix(1, 700, 3);
    fillAppendixList();
    const fs::path contents = reading::contentsPath(folder(), "English");
    writeBytes(contents, 12345);
    ASSERT_EQ(fs::file_size(contents), 12345u);

    sql("UPDATE SuraTable SET ID=62 WHERE Words='Contents'");
    shell.scripted().clear();
    ASSERT_TRUE(shell.runCommand(cmd::cmdContents_Click));
    // The list was still at its prompt: appendix 1 is chosen (and shown) first.
    EXPECT_EQ(shell.comboApp()->currentIndex(), 0);
    EXPECT_EQ(shell.scripted().texts(), QStringList{QString::fromLatin1(reading::kModifiedOrCorrupted)});
    EXPECT_TRUE(wb()->address().endsWith(QStringLiteral("Appendix 01.htm"))) << wb()->address().toStdString();

    sql("UPDATE SuraTable SET ID=61 WHERE Words='Contents'");
    shell.scripted().clear();
    ASSERT_TRUE(shell.runCommand(cmd::cmdContents_Click));
    EXPECT_TRUE(shell.scripted().texts().isEmpty()) << shell.scripted().texts().join(u'|').toStdString();
    EXPECT_FALSE(wb()->isHidden());
    EXPECT_TRUE(shell.reading().msg()->isHidden());
    EXPECT_EQ(fs::path(wb()->address().toStdString()), contents);

    // A missing file fails the test too, and the view stays as it was.
    fs::remove(contents);
    shell.scripted().clear();
    ASSERT_TRUE(shell.runCommand(cmd::cmdContents_Click));
    EXPECT_EQ(shell.scripted().texts(), QStringList{QString::fromLatin1(reading::kModifiedOrCorrupted)});
    EXPECT_EQ(fs::path(wb()->address().toStdString()), contents);
}

TEST_F(CompanionsOnAShell, AnAppendixIsTestedAgainstItsOwnRecordBeforeItIsShown)
{
    for (int n = 1; n <= 8; ++n)
        appendix(n, 450, 2);
    appendix(7, 1234, 6);
    fillAppendixList();
    QComboBox* app = shell.comboApp();
    const int seventh = app->findText(QStringLiteral("07 :"), Qt::MatchStartsWith);
    ASSERT_EQ(seventh, 6);
    app->setCurrentIndex(seventh);
    shell.scripted().clear();
    ASSERT_TRUE(shell.runCommand(cmd::comboApp_Click));
    EXPECT_TRUE(shell.scripted().texts().isEmpty());
    EXPECT_EQ(fs::path(wb()->address().toStdString()), reading::appendixPath(folder(), "English", 7));
    EXPECT_EQ(shell.reading().mode(), ListMode::None);
    EXPECT_TRUE(shell.reading().verseList()->isHidden());

    // Appendix 8's record is wrong: refused, the seventh stays.
    sql("UPDATE SuraTable SET ID=3 WHERE Appendix=8");
    app->setCurrentIndex(7);
    ASSERT_TRUE(shell.runCommand(cmd::comboApp_Click));
    EXPECT_EQ(shell.scripted().texts(), QStringList{QString::fromLatin1(reading::kModifiedOrCorrupted)});
    EXPECT_EQ(fs::path(wb()->address().toStdString()), reading::appendixPath(folder(), "English", 7));
}

TEST_F(CompanionsOnAShell, TheAppendixButtonSwapsTheSuraBoxForTheAppendixListAndBack)
{
    auto* button = new QPushButton(QStringLiteral("Appendices"), &shell.window());
    button->setObjectName(QStringLiteral("chkShowApp"));
    shell.setSuraIndex(3);
    ASSERT_TRUE(shell.runCommand(cmd::chkShowApp_Click));
    EXPECT_EQ(button->text(), QStringLiteral("Sura List"));
    EXPECT_FALSE(shell.comboApp()->isHidden());
    EXPECT_TRUE(shell.sqCh()->isHidden());
    EXPECT_FALSE(wb()->isHidden());
    EXPECT_TRUE(shell.msgText().isEmpty());

    ASSERT_TRUE(shell.runCommand(cmd::chkShowApp_Click));
    EXPECT_EQ(button->text(), QStringLiteral("Appendices"));
    EXPECT_TRUE(shell.comboApp()->isHidden());
    EXPECT_FALSE(shell.sqCh()->isHidden());
    EXPECT_TRUE(wb()->isHidden());
    EXPECT_EQ(shell.reading().mode(), ListMode::Verses);
    EXPECT_TRUE(shell.msgText().startsWith(QStringLiteral("Sura 3:"))) << shell.msgText().toStdString();
}

TEST_F(CompanionsOnAShell, TheFrontMatterListsItsPagesAndTheIntroductionIsWrittenForTheReader)
{
    ASSERT_TRUE(shell.runCommand(cmd::cmdProc_Click));
    QListWidget* list = shell.reading().verseList();
    ASSERT_EQ(list->count(), 7);
    EXPECT_EQ(list->item(6)->text(), QStringLiteral("7"));
    EXPECT_EQ(shell.reading().mode(), ListMode::Pages);
    const auto first = reading::frontMatterPage(s().connection, 1);
    ASSERT_TRUE(first);
    EXPECT_FALSE(shell.msgText().isEmpty());
    EXPECT_EQ(s().wideReading, 0);

    ASSERT_TRUE(shell.runCommand(cmd::Command4_Click));
    const fs::path intro = CompanionTexts::introductionFile();
    EXPECT_EQ(intro.parent_path(), temporaryFolder());
    EXPECT_NE(intro.parent_path(), folder() / "Files");
    std::ifstream in(intro, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // Every page from 8 to 15, in order.
    size_t at = 0;
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT Matter FROM FRONTMATTER WHERE Page BETWEEN 8 AND 15 ORDER BY Page", s().connection));
    int pages = 0;
    for (; !rs.eof(); rs.moveNext(), ++pages) {
        const std::string piece = rs.field(0).toString().substr(0, 60);
        const size_t found = written.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "page " << pages + 8;
        at = found;
    }
    EXPECT_EQ(pages, 8);
    EXPECT_EQ(fs::path(wb()->address().toStdString()), intro);
}

TEST_F(CompanionsOnAShell, TheIndexFillsTheWidenedPaneAndAMissingOneIsExplained)
{
    shell.setSuraIndex(2);
    ASSERT_TRUE(shell.runCommand(cmd::Command6_Click));
    EXPECT_EQ(s().wideReading, MainState::kWideReading);
    EXPECT_TRUE(shell.reading().command2()->isHidden());
    EXPECT_EQ(shell.reading().verseList()->count(), 0);
    richtext::RichTextDocument index;
    ASSERT_TRUE(index.loadFile(reading::indexPath(folder(), "English")));
    EXPECT_EQ(shell.reading().text().text(), index.text());

    shell.setSuraIndex(2);
    const QString before = shell.msgText();
    fs::remove(reading::indexPath(folder(), "English"));
    shell.scripted().clear();
    ASSERT_TRUE(shell.runCommand(cmd::Command6_Click));
    ASSERT_EQ(shell.scripted().texts().size(), 1);
    EXPECT_TRUE(shell.scripted().texts().front().startsWith(QStringLiteral("The index is not installed")));
    EXPECT_EQ(shell.msgText(), before);
}

TEST_F(CompanionsOnAShell, TheListsShowEveryEntryAndFilterBySura)
{
    ListPanel* panel = companions->listPanel();
    ASSERT_TRUE(shell.runCommand(cmd::mnuListSubtitles_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameList"));
    EXPECT_EQ(panel->lblList()->text(), QStringLiteral("List of Subtitles:"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM HEADERS", s().connection));
    EXPECT_EQ(panel->lstList()->count(), rs.field(0).toInt());
    ASSERT_GT(panel->lstList()->count(), 10);

    panel->txtList()->setText(QStringLiteral("2"));
    ASSERT_TRUE(shell.press(QStringLiteral("Command23")));
    ASSERT_TRUE(rs.open("SELECT Verse, Words FROM HEADERS WHERE Sura=2 ORDER BY Verse", s().connection));
    ASSERT_EQ(panel->lstList()->count(), rs.recordCount());
    for (int i = 0; !rs.eof(); rs.moveNext(), ++i)
        EXPECT_EQ(panel->lstList()->item(i)->text().toStdString(),
                  "[2:" + rs.field(0).toString() + "]\t" + rs.field(1).toString());

    // Going to the entry's verse.
    panel->lstList()->setCurrentRow(1);
    EXPECT_EQ(panel->lstList()->toolTip(), panel->lstList()->item(1)->text());
    ASSERT_TRUE(shell.press(QStringLiteral("Command14")));
    EXPECT_EQ(shell.sqCh()->currentIndex(), 2);
    const QString verse = panel->lstList()->item(1)->text().section(u':', 1).section(u']', 0, 0);
    ASSERT_TRUE(shell.reading().verseList()->currentItem());
    EXPECT_EQ(shell.reading().verseList()->currentItem()->text(), verse);

    // The footnotes, then a sura that is no number.
    ASSERT_TRUE(shell.runCommand(cmd::mnuListFootnotes_Click));
    EXPECT_EQ(panel->lblList()->text(), QStringLiteral("List of Footnotes:"));
    const int all = panel->lstList()->count();
    panel->txtList()->setText(QStringLiteral("two"));
    shell.scripted().clear();
    ASSERT_TRUE(shell.press(QStringLiteral("Command23")));
    EXPECT_EQ(shell.scripted().texts().size(), 1);
    EXPECT_EQ(panel->lstList()->count(), all);

    // A sura without footnotes leaves nothing to go to.
    ASSERT_TRUE(rs.open("SELECT min(n) FROM (SELECT 1 AS n UNION SELECT 114) WHERE n NOT IN (SELECT Sura FROM FOOTERS)",
                        s().connection));
    ASSERT_FALSE(rs.field(0).isNull()) << "every sura has footnotes";
    panel->txtList()->setText(QString::fromStdString(rs.field(0).toString()));
    ASSERT_TRUE(shell.press(QStringLiteral("Command23")));
    EXPECT_EQ(panel->lstList()->count(), 0);
    shell.scripted().clear();
    ASSERT_TRUE(shell.press(QStringLiteral("Command14")));
    EXPECT_EQ(shell.scripted().texts(), QStringList{QStringLiteral("No Verse to Jump to")});
}

TEST_F(CompanionsOnAShell, FootnotesF9OpensAndClosesTheSidePane)
{
    shell.setSuraIndex(2);
    ASSERT_TRUE(shell.runCommand(cmd::Command11_Click));
    NotesPanel* pane = companions->sidePane();
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameFootnotes"));
    EXPECT_TRUE(shell.columnOpen());
    EXPECT_TRUE(pane->dispFN()->isChecked());
    EXPECT_EQ(pane->lblNotes()->text(), QStringLiteral("Footnote(s):"));
    EXPECT_TRUE(pane->rtfFootnote()->model().readOnly());
    EXPECT_TRUE(pane->cmdYN()->isHidden());

    ASSERT_TRUE(shell.runCommand(cmd::Command11_Click));
    EXPECT_FALSE(shell.columnOpen());
    EXPECT_TRUE(pane->isHidden());
    EXPECT_FALSE(pane->dispFN()->isChecked());

    // From the notes, F9 takes the pane over for the footnotes.
    pane->setMode(NotesPanel::Mode::Notes);
    shell.showSidePanel(pane->objectName());
    ASSERT_TRUE(shell.runCommand(cmd::Command11_Click));
    EXPECT_EQ(pane->mode(), NotesPanel::Mode::Footnotes);
    EXPECT_TRUE(shell.columnOpen());
    EXPECT_TRUE(pane->dispFN()->isChecked());
}

TEST(WebPaneFailure, APageThatCannotBeLoadedSaysSoInsteadOfStayingBlank)
{
    testing_support::TempDir dir;
    WebPane pane;
    pane.resize(400, 300);
    pane.show();
    QSignalSpy failed(&pane, &WebPane::loadFailed);
    const QString missing = QString::fromStdString((dir.path() / "no such page.htm").string());
    pane.navigate(missing);
    ASSERT_TRUE(failed.wait(20000));
    EXPECT_EQ(failed.front().front().toString(), missing);
    EXPECT_EQ(pane.address(), missing);
    EXPECT_TRUE(WebPane::failureHtml(missing, QStringLiteral("x")).contains(QStringLiteral("could not be shown")));
}
