// Copy, save and separate windows installed on a bare Shell: the clipboard
// after each copy, the save panel and its verse range, saving to files, and
// the separate display windows.
#include "db/recordset.h"
#include "export/export_ui.h"
#include "export/frm_display.h"
#include "export/write_panel.h"
#include "reading/navigation.h"
#include "reading/reading_view.h"
#include "reading/rich_text_pane.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/web_pane.h"
#include "shell/install.h"
#include "support/fake_shell.h"
#include "support/program_folder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;
using testing_support::FakeShell;
using Kind = ScriptedPrompter::Kind;

namespace {

constexpr const char* kRtfMime = "text/rtf";

struct ExportOnAShell : ::testing::Test {
    ExportOnAShell()
    {
        navigation = &installSubsystem<Navigation>(shell);
        ui = &installSubsystem<ExportUi>(shell);
        shell.setSuraIndex(2);
    }
    ReadingView& r() { return shell.reading(); }
    WritePanel& panel() { return *ui->panel(); }
    QListWidget* list() { return r().verseList(); }
    QStringList entries()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    void typeRange(const QString& startSura, const QString& startVerse, const QString& endSura,
                   const QString& endVerse)
    {
        panel().txtStartSura()->setText(startSura);
        panel().txtStartVerse()->setText(startVerse);
        panel().txtEndSura()->setText(endSura);
        panel().txtEndVerse()->setText(endVerse);
    }
    QString file(const std::string& name) { return QString::fromStdString((dir / name).string()); }
    const QMimeData* clipboard() { return QGuiApplication::clipboard()->mimeData(); }
    std::string clipboardRtf() { return clipboard()->data(QString::fromLatin1(kRtfMime)).toStdString(); }

    FakeShell shell;
    testing_support::TempDir dir;
    Navigation* navigation = nullptr;
    ExportUi* ui = nullptr;
};

// pandoc on the PATH, or empty.
fs::path pandoc()
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string d; std::getline(dirs, d, ':');) {
        std::error_code ec;
        if (!d.empty() && fs::is_regular_file(fs::path(d) / "pandoc", ec))
            return fs::path(d) / "pandoc";
    }
    return {};
}

// Runs of blanks and line breaks as one blank: pandoc wraps its lines.
std::string flattened(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n' || c == '\r' || c == '\t')
            c = ' ';
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out.push_back(c);
    }
    return out;
}

}  // namespace

TEST_F(ExportOnAShell, FormattedCopiesPutRichTextAndPlainTextWithDashesOnTheClipboard)
{
    auto& msg = r().text();
    msg.setRtf("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Times New Roman;}}\\f0\\b Heading\\b0\\par "
               "God\\'afthe One\\'af alone\\par }");
    msg.select(9, 15);  // "God¯the One¯ al" (the line break is CR LF)
    ui->mnuCST_Click();
    EXPECT_EQ(clipboardRtf(), msg.selRtf());
    EXPECT_NE(clipboardRtf().find("\\'af"), std::string::npos);
    EXPECT_EQ(clipboard()->text(), QStringLiteral("God--the One-- al"));

    ui->mnuCET_Click();
    EXPECT_EQ(clipboardRtf(), msg.rtf());
    EXPECT_EQ(clipboard()->text(), QStringLiteral("Heading\nGod--the One-- alone\n"));
    // The display itself keeps its marks.
    EXPECT_NE(msg.text().find("\xc2\xaf"), std::string::npos);

    // With nothing selected the selection copy is empty; the whole-text copy is not.
    msg.setSelStart(3);
    ui->mnuCST_Click();
    EXPECT_TRUE(clipboard()->hasFormat(QString::fromLatin1(kRtfMime)));
    EXPECT_EQ(clipboard()->text(), QString());
    EXPECT_EQ(richtext::rtfToPlainText(clipboardRtf()), "");
    ui->mnuCET_Click();
    EXPECT_EQ(clipboard()->text(), QStringLiteral("Heading\nGod--the One-- alone\n"));
}

TEST_F(ExportOnAShell, PlainCopiesPutOnlyTheTextAndSelectAllSelectsEverything)
{
    auto& msg = r().text();
    msg.setRtf("{\\rtf1\\ansi\\ansicpg1252 first\\'af line\\par second\\par }");
    msg.select(0, 5);
    ui->mnuCsnf_Click();
    EXPECT_EQ(clipboard()->text(), QStringLiteral("first"));
    EXPECT_FALSE(clipboard()->hasFormat(QString::fromLatin1(kRtfMime)));
    ui->mnuCC_Click();
    EXPECT_EQ(clipboard()->text(), QStringLiteral("first\u00af line\nsecond\n"));
    msg.setSelStart(2);
    ui->mnuCsnf_Click();
    EXPECT_EQ(clipboard()->text(), QString());

    ui->mnuSAT_Click();
    EXPECT_EQ(msg.selStart(), 0);
    EXPECT_EQ(msg.selLength(), msg.length());
    EXPECT_TRUE(shell.runCommand(QStringLiteral("mnuCST_Click")));
    EXPECT_EQ(clipboardRtf(), msg.selRtf());
}

TEST_F(ExportOnAShell, SavePanelOpensOnTheRangeAndCountsTheVersesOfTheSurasTyped)
{
    ASSERT_TRUE(shell.runCommand(QStringLiteral("mnuWFP_Click")));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameWrite"));
    EXPECT_TRUE(shell.columnOpen());
    EXPECT_EQ(panel().defaultButton(), panel().Command18());
    EXPECT_TRUE(panel().txtStartSura()->hasFocus() || !QApplication::focusWidget());

    panel().txtStartSura()->setText(QStringLiteral("2"));
    EXPECT_EQ(panel().lbl2()->text(), QStringLiteral("Verses %1").arg(testing_support::verseCount(2)));
    panel().txtEndSura()->setText(QStringLiteral("114"));
    EXPECT_EQ(panel().lbl4()->text(), QStringLiteral("Verses %1").arg(testing_support::verseCount(114)));
    for (const char* typed : {"", "115", "2x", "0"}) {
        panel().txtStartSura()->setText(QString::fromLatin1(typed));
        EXPECT_EQ(panel().lbl2()->text(), QString()) << typed;
    }
    EXPECT_EQ(panel().lbl4()->text(), QStringLiteral("Verses %1").arg(testing_support::verseCount(114)));
}

TEST_F(ExportOnAShell, ViewVersesListsTheRangeCheckedAndShowsIt)
{
    typeRange("2", "284", "3", "2");
    ASSERT_TRUE(shell.press(QStringLiteral("Command18")));
    const QStringList expected = {"2:284", "2:285", "2:286", "3:0", "3:1", "3:2"};
    EXPECT_EQ(entries(), expected);
    EXPECT_EQ(list()->selectedItems().size(), expected.size());
    EXPECT_EQ(r().mode(), ListMode::Result);
    EXPECT_EQ(list()->currentRow(), 0);
    const QString shown = shell.msgText();
    for (const char* ref : {"[2:284]", "[2:286]", "[3:1]", "[3:2]"})
        EXPECT_TRUE(shown.contains(QLatin1String(ref))) << ref;
    EXPECT_FALSE(shown.contains(QStringLiteral("[2:283]")));
    EXPECT_FALSE(shown.contains(QStringLiteral("[3:3]")));
    EXPECT_TRUE(shown.indexOf(QStringLiteral("[2:286]")) < shown.indexOf(QStringLiteral("[3:1]")));
    EXPECT_TRUE(shell.scripted().boxes().empty());
}

TEST_F(ExportOnAShell, ARangeWhoseStartLiesAfterItsEndChangesNothing)
{
    const QStringList before = entries();
    const QString shown = shell.msgText();
    typeRange("2", "10", "2", "5");
    EXPECT_FALSE(ui->Command18_Click());
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(r().mode(), ListMode::Verses);
    EXPECT_EQ(shell.msgText(), shown);
    ASSERT_EQ(shell.scripted().boxes().size(), 1u);
    EXPECT_EQ(shell.scripted().boxes()[0].kind, Kind::Information);

    // "SAVE VERSES" on it saves nothing either.
    shell.scripted().clear();
    shell.scripted().fileNames.push_back(file("never.rtf"));
    ui->Command19_Click();
    EXPECT_FALSE(fs::exists(dir / "never.rtf"));
    for (const auto& box : shell.scripted().boxes())
        EXPECT_NE(box.kind, Kind::SaveFile);
}

TEST_F(ExportOnAShell, AnEmptyBoxIsToldOnceAndSavesNothing)
{
    typeRange("2", "1", "2", "");
    shell.scripted().fileNames.push_back(file("never.rtf"));
    ASSERT_TRUE(shell.press(QStringLiteral("Command19")));
    ASSERT_EQ(shell.scripted().boxes().size(), 1u);
    EXPECT_EQ(shell.scripted().boxes()[0].text, QStringLiteral("Sura and/or Verse Numbers not entered correctly"));
    EXPECT_FALSE(fs::exists(dir / "never.rtf"));
    EXPECT_EQ(r().mode(), ListMode::Verses);

    // "VIEW VERSES" tells the same and shows the current entry again.
    shell.scripted().clear();
    list()->setCurrentRow(3, QItemSelectionModel::NoUpdate);
    ASSERT_TRUE(shell.press(QStringLiteral("Command18")));
    ASSERT_EQ(shell.scripted().boxes().size(), 1u);
    EXPECT_TRUE(list()->item(3)->isSelected());
    EXPECT_EQ(shell.state().curVerseIdx, 3);
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("[2:%1]").arg(list()->item(3)->text())));
}

TEST_F(ExportOnAShell, SaveVersesWritesTheRangeInTheFormatChosen)
{
    typeRange("2", "1", "2", "3");
    shell.scripted().fileNames.push_back(file("range"));
    shell.scripted().chosenFilters.push_back(QStringLiteral("Web page (*.html)"));
    ASSERT_TRUE(shell.press(QStringLiteral("Command19")));
    ASSERT_EQ(shell.scripted().boxes().size(), 1u);
    // A result list may also be saved as a table.
    EXPECT_EQ(shell.scripted().boxes()[0].text,
              QStringLiteral("Rich text (*.rtf);;Web page (*.html);;CSV (*.csv)"));
    const std::string html = testing_support::readFile(dir / "range.html");
    EXPECT_NE(html.find("<!DOCTYPE html>"), std::string::npos);
    EXPECT_NE(html.find("[2:3]"), std::string::npos);

    shell.scripted().clear();
    shell.scripted().fileNames.push_back(file("range.csv"));
    EXPECT_FALSE(ui->Command13_Click().isEmpty());
    const std::string csv = testing_support::readFile(dir / "range.csv");
    EXPECT_EQ(csv.rfind("sura,verse,text\r\n2,1,", 0), 0u) << csv;
    EXPECT_NE(csv.find("2,3,"), std::string::npos);
    EXPECT_NE(csv.find(testing_support::testVerseText(2, 3)), std::string::npos) << csv;

    shell.scripted().fileNames.push_back(file("display.rtf"));
    EXPECT_FALSE(ui->Command13_Click().isEmpty());
    richtext::RichTextDocument back;
    ASSERT_TRUE(back.loadFile(dir / "display.rtf"));
    EXPECT_EQ(back.text(), r().text().text());
}

TEST_F(ExportOnAShell, SaveToFileOutsideAResultListOffersNoTableAndTellsAFailure)
{
    shell.scripted().fileNames.push_back(file("no-such-folder/display.rtf"));
    EXPECT_TRUE(ui->Command13_Click().isEmpty());
    ASSERT_EQ(shell.scripted().boxes().size(), 2u);
    EXPECT_EQ(shell.scripted().boxes()[0].text, QStringLiteral("Rich text (*.rtf);;Web page (*.html)"));
    EXPECT_EQ(shell.scripted().boxes()[1].kind, Kind::Information);
    EXPECT_TRUE(shell.scripted().boxes()[1].text.contains(QStringLiteral("could not be saved")));
    EXPECT_TRUE(shell.scripted().boxes()[1].text.contains(QStringLiteral("No such file or directory")));

    // Cancelled: nothing asked after the dialog.
    shell.scripted().clear();
    EXPECT_TRUE(ui->Command13_Click().isEmpty());
    EXPECT_EQ(shell.scripted().boxes().size(), 1u);

    // A name whose added extension names a file already there is replaced only after Yes.
    testing_support::writeFile(dir / "kept.rtf", "earlier");
    shell.scripted().clear();
    shell.scripted().fileNames.push_back(file("kept"));
    shell.scripted().yesNo.push_back(false);
    EXPECT_TRUE(ui->Command13_Click().isEmpty());
    EXPECT_EQ(testing_support::readFile(dir / "kept.rtf"), "earlier");
}

TEST_F(ExportOnAShell, TwoSeparateWindowsHoldTheirOwnContentAndCaptions)
{
    shell.scripted().inputs.push_back(QStringLiteral("Sura two"));
    ASSERT_TRUE(shell.runCommand(QStringLiteral("mnuDisplaySep_Click")));
    const std::string first = r().text().text();

    typeRange("114", "1", "114", "2");
    ASSERT_TRUE(ui->Command18_Click());
    shell.scripted().inputs.push_back(std::nullopt);  // cancelled: no caption
    frmDisplay* second = ui->mnuDisplaySep_Click();

    const auto windows = ui->displays();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[1], second);
    EXPECT_EQ(shell.scripted().boxes()[0].kind, Kind::Input);
    EXPECT_EQ(shell.scripted().boxes()[0].title, QStringLiteral("Title Name"));
    EXPECT_EQ(shell.scripted().boxes()[0].text, QStringLiteral("Give a Title to this Separate Window (optional)"));
    EXPECT_EQ(windows[0]->windowTitle(), QStringLiteral("Sura two"));
    EXPECT_EQ(windows[1]->windowTitle(), QString());
    EXPECT_EQ(windows[0]->rtf()->model().text(), first);
    EXPECT_EQ(windows[1]->rtf()->model().text(), r().text().text());
    EXPECT_NE(first, r().text().text());
    for (frmDisplay* w : windows) {
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->rtf()->isVisible());
        EXPECT_FALSE(w->wb()->isVisible());
        EXPECT_NE(w->findChild<QAction*>(QStringLiteral("mnuSaveToFile")), nullptr);
    }

    // They never follow the main display.
    shell.setSuraIndex(1);
    EXPECT_EQ(windows[0]->rtf()->model().text(), first);

    // Esc and "Close Window" hide a window; it stays.
    QTest::keyClick(windows[0]->rtf()->view(), Qt::Key_Escape);
    EXPECT_FALSE(windows[0]->isVisible());
    windows[1]->findChild<QAction*>(QStringLiteral("close_win"))->trigger();
    EXPECT_FALSE(windows[1]->isVisible());
    windows[1]->close();
    EXPECT_EQ(ui->displays().size(), 2u);
}

TEST_F(ExportOnAShell, ASeparateWindowSavesItsOwnText)
{
    shell.scripted().inputs.push_back(QStringLiteral("kept"));
    frmDisplay* w = ui->mnuDisplaySep_Click();
    const std::string text = w->rtf()->model().text();
    shell.setSuraIndex(114);
    shell.scripted().fileNames.push_back(file("separate.htm"));
    ASSERT_TRUE(w->mnuSaveToFile_Click());
    const std::string html = testing_support::readFile(dir / "separate.htm");
    EXPECT_NE(html.find("<title>kept</title>"), std::string::npos);
    const std::string firstLine = text.substr(0, text.find("\r\n"));
    ASSERT_FALSE(firstLine.empty());
    EXPECT_NE(html.find(firstLine), std::string::npos) << firstLine;
    EXPECT_EQ(html.find(testing_support::testVerseText(114, 1)), std::string::npos);
    shell.scripted().fileNames.push_back(file("separate.rtf"));
    ASSERT_TRUE(w->mnuSaveToFile_Click());
    richtext::RichTextDocument back;
    ASSERT_TRUE(back.loadFile(dir / "separate.rtf"));
    EXPECT_EQ(back.text(), text);
}

TEST_F(ExportOnAShell, ADocumentInTheWebPaneOpensInTheSeparateWindowsWebPane)
{
    const fs::path page = dir / "page.html";
    testing_support::writeFile(page, "<html><body><p>A companion page</p></body></html>");
    r().showDocument(QString::fromStdString(page.string()));
    shell.scripted().inputs.push_back(QStringLiteral("Document"));
    frmDisplay* w = ui->mnuDisplaySep_Click();
    EXPECT_TRUE(w->wb()->isVisible());
    EXPECT_FALSE(w->rtf()->isVisible());
    EXPECT_TRUE(w->wb()->silent());
    EXPECT_EQ(w->wb()->address(), QString::fromStdString(page.string()));
    // Saved as the page it is.
    shell.scripted().fileNames.push_back(file("copy"));
    ASSERT_TRUE(w->mnuSaveToFile_Click());
    EXPECT_EQ(testing_support::readFile(dir / "copy.html"), testing_support::readFile(page));

    // "SAVE TO FILE" while the document is shown saves the document, not
    // the hidden (empty) reading pane.
    shell.scripted().clear();
    shell.scripted().fileNames.push_back(file("shown.html"));
    EXPECT_FALSE(ui->Command13_Click().isEmpty());
    EXPECT_EQ(shell.scripted().boxes()[0].text, QStringLiteral("Web page (*.html)"));
    EXPECT_EQ(testing_support::readFile(dir / "shown.html"), testing_support::readFile(page));
}

TEST(FrmDisplay, PanesFillTheWindowLessItsFrameAndMenu)
{
    const auto r = frmDisplay::paneRect(9000, 7000);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 8750);
    EXPECT_EQ(r.height, 6400);
    const auto tiny = frmDisplay::paneRect(100, 300);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);

    ScriptedPrompter prompter;
    frmDisplay w(prompter);
    w.showRtf("{\\rtf1 text\\par }");
    w.show();
    for (const QSize size : {QSize(900, 700), QSize(400, 300)}) {
        w.resize(size);
        QApplication::processEvents();
        const QRect inside = w.centralWidget()->rect();
        EXPECT_TRUE(inside.contains(w.rtf()->geometry())) << size.width();
        EXPECT_EQ(w.rtf()->geometry(), w.wb()->geometry());
        EXPECT_EQ(w.rtf()->geometry().topLeft(), QPoint(0, 0));
        // Not more than the rule's margins short of the inside.
        EXPECT_GE(w.rtf()->width(), inside.width() - 20);
        EXPECT_GE(w.rtf()->height(), inside.height() - 45);
    }
    w.showHtml(QStringLiteral("<p>a page</p>"));
    EXPECT_TRUE(w.showsWeb());
    EXPECT_FALSE(w.rtf()->isVisible());
}

// Saved files open in another program: pandoc reads the rich text and the
// web page back, and finds the verse, its subtitle and its footnote.
TEST_F(ExportOnAShell, SavedRichTextAndWebPagesReadBackInAnotherProgram)
{
    const fs::path reader = pandoc();
    if (reader.empty())
        GTEST_SKIP() << "pandoc is not installed (scripts/setup installs it); the saved files were not read back";
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT h.Sura, h.Verse, h.Words, f.Words FROM HEADERS h JOIN FOOTERS f "
                        "ON f.Sura = h.Sura AND f.Verse = h.Verse WHERE h.Verse > 0 ORDER BY h.Sura, h.Verse LIMIT 1",
                        shell.state().connection));
    ASSERT_FALSE(rs.eof());
    const int sura = static_cast<int>(rs.field(0).toInt());
    const int verse = static_cast<int>(rs.field(1).toInt());
    const std::string subtitle = flattened(rs.field(2).toString());
    const std::string footnote = flattened(rs.field(3).toString());
    const std::string verseText = flattened(testing_support::testVerseText(sura, verse));
    const QString s = QString::number(sura), v = QString::number(verse);
    typeRange(s, v, s, v);
    ASSERT_TRUE(ui->Command18_Click());

    for (const char* name : {"verse.rtf", "verse.html"}) {
        shell.scripted().fileNames.push_back(file(name));
        ASSERT_FALSE(ui->Command13_Click().isEmpty()) << name;
        const bool rtf = std::string(name).ends_with(".rtf");
        const auto run = testing_support::runProgram(
            {reader.string(), "-f", rtf ? "rtf" : "html", "-t", "plain", (dir / name).string()});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string read = flattened(run.out);
        EXPECT_NE(read.find(verseText), std::string::npos) << name << ": " << read;
        EXPECT_NE(read.find(subtitle), std::string::npos) << name << ": " << read;
        EXPECT_NE(read.find(footnote), std::string::npos) << name << ": " << read;
        EXPECT_NE(read.find("[" + std::to_string(sura) + ":" + std::to_string(verse) + "]"), std::string::npos);
    }
}
