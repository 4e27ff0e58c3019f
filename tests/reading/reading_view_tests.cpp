// The reading view's widgets: panes that follow their models, the verse
// list, the web pane, and what a reader sees after a verse display.
#include "shell/main_state.h"
#include "reading/reading_view.h"
#include "reading/rich_text_pane.h"
#include "reading/web_pane.h"

#include "support/test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

QString viewText(const RichTextPane& pane) { return pane.view()->document()->toRawText(); }

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

}  // namespace

TEST(RichTextPaneView, OffsetsMapBetweenModelAndView)
{
    RichTextPane pane;
    pane.model().setRtf("{\\rtf1 ab\\line cd\\par\\par ef}");
    pane.flush();
    ASSERT_EQ(pane.model().text(), "ab\r\ncd\r\n\r\nef");
    EXPECT_EQ(viewText(pane), QString::fromUtf16(u"ab\u2028cd\u2029\u2029ef"));
    EXPECT_EQ(pane.view()->document()->blockCount(), 3);
    // Every model offset outside a break maps to the view and back.
    const int expectedView[] = {0, 1, 2, 2, 3, 4, 5, 5, 6, 6, 7, 8, 9};
    for (int m = 0; m <= pane.model().length(); ++m) {
        EXPECT_EQ(pane.viewPosition(m), expectedView[m]) << m;
        if (m == 0 || pane.model().text16()[static_cast<size_t>(m - 1)] != u'\r') {
            EXPECT_EQ(pane.modelOffset(pane.viewPosition(m)), m) << m;
        }
    }
    // A selection made by a command shows in the view …
    pane.model().select(4, 6);  // "cd\r\n\r\n"
    pane.flush();
    QTextCursor c = pane.view()->textCursor();
    EXPECT_EQ(c.selectionStart(), 3);
    EXPECT_EQ(c.selectionEnd(), 7);
    EXPECT_EQ(c.selectedText(), QString::fromUtf16(u"cd\u2029\u2029"));
    // … and one the reader makes reaches the model.
    c.setPosition(8);
    c.setPosition(9, QTextCursor::KeepAnchor);
    pane.view()->setTextCursor(c);
    EXPECT_EQ(pane.model().selStart(), 11);
    EXPECT_EQ(pane.model().selText(), "f");
}

TEST(RichTextPaneView, FormattingReachesTheView)
{
    RichTextPane pane;
    pane.model().setRtf("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;"
                        "\\red255\\green255\\blue0;}\\pard\\qc\\li1440 \\f1\\fs30\\b\\i\\ul\\cf1 big"
                        "\\plain\\highlight2 lit\\par\\pard\\qr right}");
    pane.flush();
    QTextDocument* doc = pane.view()->document();
    QTextBlock first = doc->firstBlock();
    EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_NEAR(first.blockFormat().leftMargin(), pane.logicalDpiX(), 1.0);
    EXPECT_EQ(first.next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    QTextCursor c(doc);
    c.setPosition(1);
    QTextCharFormat big = c.charFormat();
    EXPECT_EQ(big.fontFamilies().toStringList().value(0), "Courier New");
    EXPECT_DOUBLE_EQ(big.fontPointSize(), 15.0);
    EXPECT_EQ(big.fontWeight(), QFont::Bold);
    EXPECT_TRUE(big.fontItalic());
    EXPECT_TRUE(big.fontUnderline());
    EXPECT_EQ(big.foreground().color(), QColor(255, 0, 0));
    c.setPosition(4);
    QTextCharFormat lit = c.charFormat();
    EXPECT_EQ(lit.background().color(), QColor(255, 255, 0));
    EXPECT_EQ(lit.foreground().style(), Qt::NoBrush);
}

TEST(RichTextPaneView, TextStaysReadableOnADarkPalette)
{
    QWidget window;
    auto* pane = new RichTextPane(&window);
    window.show();
    const std::string rtf = "{\\rtf1{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue0;"
                            "\\red0\\green0\\blue255;}\\cf1 black \\cf0\\highlight2 lit\\highlight3 blue"
                            "\\highlight0  plain\\par}";
    pane->model().setRtf(rtf);
    pane->flush();
    auto formatAt = [&](int position) {
        QTextCursor c(pane->view()->document());
        c.setPosition(position);
        return c.charFormat();
    };
    // On the light palette black text stays black and yellow needs nothing;
    // dark text on blue shows white.
    EXPECT_EQ(formatAt(2).foreground().color(), QColor(Qt::black));
    EXPECT_EQ(formatAt(8).foreground().style(), Qt::NoBrush);
    EXPECT_EQ(formatAt(12).foreground().color(), QColor(Qt::white));

    QPalette dark = pane->palette();
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    pane->view()->setPalette(dark);
    pane->setPalette(dark);
    settle();
    pane->flush();
    // Black text on a dark page shows light; light text on yellow shows
    // dark; light text on blue needs nothing.
    EXPECT_GT(formatAt(2).foreground().color().lightness(), 200);
    EXPECT_EQ(formatAt(8).foreground().color(), QColor(Qt::black));
    EXPECT_EQ(formatAt(12).foreground().style(), Qt::NoBrush);
    EXPECT_EQ(formatAt(18).foreground().style(), Qt::NoBrush);
    // The document keeps its own colours, also after the reader types.
    richtext::RichTextDocument expected;
    expected.setRtf(rtf);
    EXPECT_EQ(pane->model().rtf(), expected.rtf());
    QTextCursor c = pane->view()->textCursor();
    c.setPosition(3);
    pane->view()->setTextCursor(c);
    QTest::keyClicks(pane->view(), "k");
    c.setPosition(9);
    pane->view()->setTextCursor(c);
    QTest::keyClicks(pane->view(), "t");
    const auto& doc = pane->model().document();
    const auto colourOf = [&](int at) { return doc.colors()[doc.formatAt(at).color]; };
    EXPECT_FALSE(colourOf(3).automatic);
    EXPECT_EQ(colourOf(3).red + colourOf(3).green + colourOf(3).blue, 0);
    EXPECT_TRUE(doc.formatAt(9).color == 0 || colourOf(9).automatic);
}

TEST(RichTextPaneView, ChangesReachTheViewOnceAtTheEndOfACommand)
{
    QWidget window;
    auto* pane = new RichTextPane(&window);
    window.show();
    settle();
    const int before = pane->viewRebuilds();
    for (int i = 0; i < 100; ++i)
        pane->model().setSelText("line " + std::to_string(i) + "\r\n");
    EXPECT_TRUE(pane->viewPending());
    EXPECT_EQ(pane->viewRebuilds(), before);
    EXPECT_EQ(viewText(*pane), QString());
    settle();
    EXPECT_FALSE(pane->viewPending());
    EXPECT_EQ(pane->viewRebuilds(), before + 1);
    EXPECT_EQ(pane->view()->document()->blockCount(), 101);
    // A hidden pane catches up when it is shown.
    pane->hide();
    pane->model().setText("hidden change");
    settle();
    EXPECT_TRUE(pane->viewPending());
    pane->show();
    EXPECT_EQ(viewText(*pane), "hidden change");
}

TEST(RichTextPaneView, RebuildsLeaveNoDocumentsBehind)
{
    // A long reading session rebuilds the view thousands of times; each
    // rebuild must free the document it replaces.
    QWidget window;
    auto* pane = new RichTextPane(&window);
    window.show();
    for (int i = 0; i < 50; ++i) {
        pane->model().setText("verse " + std::to_string(i));
        pane->flush();
    }
    EXPECT_GE(pane->viewRebuilds(), 50);
    EXPECT_LE(pane->findChildren<QTextDocument*>().size(), 2);
    EXPECT_EQ(viewText(*pane), "verse 49");
}

TEST(RichTextPaneView, ReaderEditsReachTheModel)
{
    QWidget window;
    auto* pane = new RichTextPane(&window);
    window.show();
    pane->model().setRtf("{\\rtf1 \\b ab\\b0\\par cd}");
    pane->flush();
    QSignalSpy edited(pane, &RichTextPane::edited);
    QTextCursor c = pane->view()->textCursor();
    c.setPosition(2);
    pane->view()->setTextCursor(c);
    QTest::keyClicks(pane->view(), "XY");
    EXPECT_EQ(pane->model().text(), "abXY\r\ncd");
    EXPECT_TRUE(pane->model().document().formatAt(2).bold);  // typed in the bold word
    QTest::keyClick(pane->view(), Qt::Key_Return);
    EXPECT_EQ(pane->model().text(), "abXY\r\n\r\ncd");
    QTest::keyClick(pane->view(), Qt::Key_Backspace);
    QTest::keyClick(pane->view(), Qt::Key_Delete);
    EXPECT_EQ(pane->model().text(), "abXYcd");
    EXPECT_EQ(pane->model().selStart(), 4);
    EXPECT_GE(edited.count(), 4);
    EXPECT_EQ(pane->model().document().checkInvariants(), "");
    // Pasting plain text only, when asked.
    pane->setPlainPaste(true);
    auto* mime = new QMimeData;
    mime->setHtml("<b>bold</b> words");
    mime->setText("bold words");
    QApplication::clipboard()->setMimeData(mime);
    c = pane->view()->textCursor();
    c.movePosition(QTextCursor::End);
    pane->view()->setTextCursor(c);
    pane->view()->paste();
    EXPECT_EQ(pane->model().text(), "abXYcdbold words");
    EXPECT_FALSE(pane->model().document().formatAt(7).bold);
}

TEST(RichTextPaneView, ReadOnlyKeysAndThePopupMenu)
{
    QWidget window;
    auto* pane = new RichTextPane(&window);
    window.show();
    pane->setReadOnly(true);
    pane->model().setText("fixed text");
    pane->flush();
    QTest::keyClicks(pane->view(), "typed");
    EXPECT_EQ(pane->model().text(), "fixed text");
    QTest::keyClick(pane->view(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(pane->model().selLength(), 10);
    EXPECT_EQ(pane->view()->textCursor().selectedText(), "fixed text");

    QPoint at;
    int calls = 0;
    pane->setPopupHandler([&](const QPoint& p) {
        at = p;
        ++calls;
    });
    QTest::mousePress(pane->view()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(at, pane->view()->viewport()->mapToGlobal(QPoint(5, 5)));
    EXPECT_EQ(pane->model().selLength(), 10);  // the right button leaves the selection alone
    pane->setPopupHandler({});
    QMenu menu;
    menu.addAction("Select All Text");
    pane->setPopupMenu(&menu);
    QTest::mousePress(pane->view()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(menu.isVisible());
    menu.close();
}

namespace {

// A small program folder whose sura 2 has subtitles and footnotes.
void addStudyVerses(db::Database& db)
{
    const std::string header =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}}\\pard\\f0";
    const char* subtitles[] = {"The Test Book", "", "", "Invented Guidance", ""};
    const char* verses[] = {"Alpha, beta, gamma.",
                            "This is the test book of the example; a guidance for the careful reader.",
                            "Those who read the test lines and keep the example.",
                            "And those who trust the invented text, and the text before it.",
                            "They follow the guidance, and they are the ones who succeed."};
    db.execute("DELETE FROM ZOVR WHERE Sura=2");
    for (int v = 1; v <= 5; ++v) {
        std::string rtf = header;
        if (*subtitles[v - 1])
            rtf += "\\fs21\\b " + std::string(subtitles[v - 1]) + "\\b0\\par ";
        rtf += "\\fs24 [2:" + std::to_string(v) + "] " + verses[v - 1] + "\\par ";
        if (v == 2 || v == 4)
            rtf += "\\fs20 *2:" + std::to_string(v) + " An invented footnote on the guidance of verse " +
                   std::to_string(v) + ".\\par ";
        rtf += "}";
        db.execute("INSERT INTO ZOVR (Sura, Verse, Words, YourNotes, \"count\", \"sum\") VALUES (2, " +
                   std::to_string(v) + ", '" + rtf + "', '', " + std::to_string(v) + ", " + std::to_string(v * 2) +
                   ")");
    }
}

class ReadingViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(dir.path() / "English.ttb", {"text_small"});
        ASSERT_TRUE(state.connection.openFile(dir.path() / "English.ttb"));
        addStudyVerses(state.connection);
        state.revelationOrderText = "Sura Revelation Order = 87";
        window.resize(1100, 640);
        auto* outer = new QVBoxLayout(&window);
        auto* row = new QHBoxLayout;
        outer->addLayout(row, 1);
        auto* bar = new QStatusBar(&window);
        outer->addWidget(bar);
        view.attachStatusBar(bar);
        auto* left = new QVBoxLayout;
        left->addWidget(view.lblPage());
        left->addWidget(view.verseList());
        left->addWidget(view.command2());
        left->addWidget(view.command3());
        row->addLayout(left, 1);
        row->addWidget(view.msg(), 5);
        auto* right = new QVBoxLayout;
        right->addWidget(view.lblNotes());
        right->addWidget(view.rtfFootnote());
        row->addLayout(right, 2);
    }

    void openSura2()
    {
        view.showVerse(2, 0);
        view.verseList()->clear();
        for (int v = 1; v <= 5; ++v)
            view.verseList()->addItem(QString::number(v));
    }

    testing_support::TempDir dir;
    MainState state;
    reading::MemoryDisplaySettings display;
    reading::MemoryHighlightSettings highlight;
    QWidget window;
    ReadingView view{state, display, highlight, &window};
};

}  // namespace

TEST_F(ReadingViewTest, WidgetsCarryTheirNamesAndCaptions)
{
    for (const char* name : {"Msg", "rtfFootnote", "lblNotes", "lblPage", "VerseList", "cmbList", "Command2",
                             "Command3", "Command8", "Command9", "cmdGoBack", "wb", "StatusBar1Panel1"})
        EXPECT_NE(window.findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(view.command8()->text(), "Show Next 50 Verses");
    EXPECT_EQ(view.cmdGoBack()->text(), "Back to the Search List");
    EXPECT_EQ(view.cmbList()->currentText(), "Verses");
    EXPECT_EQ(view.cmbList()->count(), 10);
    EXPECT_EQ(view.lblPage()->text(), "VERSES");
    EXPECT_TRUE(view.msg()->isReadOnly());
    EXPECT_TRUE(view.cmbList()->isHidden());
    EXPECT_FALSE(view.command2()->isHidden());
    EXPECT_TRUE(view.command8()->isHidden());
    EXPECT_TRUE(view.wb()->isHidden());
    EXPECT_FALSE(view.wb()->engineStarted());
}

TEST_F(ReadingViewTest, CheckBoxesShowTheSelection)
{
    openSura2();
    QListWidget* list = view.verseList();
    list->item(1)->setSelected(true);
    EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
    EXPECT_TRUE(list->item(3)->isSelected());
    EXPECT_EQ(list->item(3)->checkState(), Qt::Checked);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(3)).center());
    EXPECT_FALSE(list->item(3)->isSelected());
    EXPECT_EQ(list->item(3)->checkState(), Qt::Unchecked);
}

TEST_F(ReadingViewTest, OpenVerseThroughTheWidgets)
{
    openSura2();
    QStringList spoken;
    view.setReadAloud([&](const QString& t) { spoken << t; });
    state.readAllVerses = true;
    view.verseList()->item(1)->setSelected(true);
    display.footnotesApart = true;
    view.OpenVerse();
    view.flushViews();
    EXPECT_EQ(view.msg()->model().text(),
              "[2:2] This is the test book of the example; a guidance for the careful reader.\r\n\r\n");
    EXPECT_EQ(view.rtfFootnote()->model().text(), "");  // this fixture keeps its footnotes in the verse row
    EXPECT_EQ(view.statusText(1), "Cumulative frequency of the word GOD = 2");
    EXPECT_EQ(view.statusText(3), "Sura Revelation Order = 87");
    ASSERT_EQ(spoken.size(), 1);
    EXPECT_TRUE(spoken[0].startsWith("[2:2]"));

    view.PageMode();
    EXPECT_EQ(view.lblPage()->text(), "PAGES");
    EXPECT_TRUE(view.command2()->isHidden());
    view.VerseMode();
    EXPECT_EQ(view.lblPage()->text(), "VERSES");
    EXPECT_FALSE(view.command3()->isHidden());

    // The web view up, then the reading pane back, empty.
    view.msg()->hide();
    view.wb()->show();
    view.showMSG();
    EXPECT_FALSE(view.msg()->isHidden());
    EXPECT_TRUE(view.wb()->isHidden());
    EXPECT_EQ(view.msg()->model().text(), "");
}

TEST_F(ReadingViewTest, HighlightTextAndColourTableOnAPane)
{
    RichTextPane* pane = view.msg();
    pane->model().setText("one Two three two");
    EXPECT_EQ(view.HighlightText(&window, *pane, "two", 255, true, false), 2);
    EXPECT_EQ(view.ReadColorTable(*pane), (std::vector<uint32_t>{0, 255}));
    EXPECT_EQ(view.HighlightText(&window, *pane, "four", 255, true, false), 0);
    EXPECT_TRUE(window.updatesEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReadingViewTest, ScreenshotOfSura2WithSubtitleFootnotesAndAHighlight)
{
    openSura2();
    for (int i = 0; i < 5; ++i)
        view.verseList()->item(i)->setSelected(true);
    highlight.words[0] = "guidance";
    window.show();
    view.OpenVerse();
    view.flushViews();
    settle();
    const std::string shown = view.msg()->model().text();
    EXPECT_EQ(shown.rfind("The Test Book\r\n[2:1] Alpha", 0), 0u) << shown;
    EXPECT_NE(shown.find("\r\n\r\n*2:2 An invented footnote"), std::string::npos);
    QImage image = window.grab().toImage();
    if (const char* out = std::getenv("ZF_SCREENSHOT_DIR"))
        image.save(QString::fromLocal8Bit(out) + "/reading_view.png");
    // The highlighted words are on screen: yellow pixels inside the pane.
    const QRect pane = view.msg()->geometry();
    int yellow = 0;
    for (int y = pane.top(); y < pane.bottom(); ++y)
        for (int x = pane.left(); x < pane.right(); ++x)
            if (image.pixelColor(x, y) == QColor(255, 255, 0))
                ++yellow;
    EXPECT_GT(yellow, 100);
}

TEST(WebPaneTest, TheEngineStartsOnTheFirstRealNavigation)
{
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "page.htm", "<html><body><p>A local test page</p></body></html>");
    WebPane pane;
    pane.navigate("about:blank");
    EXPECT_FALSE(pane.engineStarted());
    EXPECT_EQ(pane.address(), "about:blank");
    pane.setSilent(true);
    EXPECT_TRUE(pane.silent());
    pane.resize(400, 300);
    pane.show();
    QSignalSpy loaded(&pane, &WebPane::loadFinished);
    pane.navigate(QString::fromStdString((dir / "page.htm").string()));
    EXPECT_TRUE(pane.engineStarted());
    ASSERT_TRUE(loaded.wait(30000));
    EXPECT_TRUE(loaded.first().first().toBool());
    EXPECT_EQ(pane.address(), QString::fromStdString((dir / "page.htm").string()));
    // Saved by the browser itself.
    const auto saved = dir / "saved.mht";
    EXPECT_TRUE(pane.saveAs(QString::fromStdString(saved.string())));
    for (int i = 0; i < 100 && !std::filesystem::exists(saved); ++i)
        QTest::qWait(50);
    EXPECT_TRUE(std::filesystem::exists(saved));
}
