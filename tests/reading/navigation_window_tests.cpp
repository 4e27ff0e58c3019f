// Reading through the text in the main window: the "Go to Verse" panel and
// the other jumps, the keys and the mouse in the verse list, result pages,
// the layout of the frames and auto-scroll.
#include "app/main_layout.h"
#include "reading/auto_scroll.h"
#include "reading/navigation.h"
#include "ui/panel_frame.h"
#include "reading/reading_view.h"
#include "support/main_window_fixture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QFontMetrics>
#include <QAbstractScrollArea>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using testing_support::MainWindowFixture;
using BoxKind = ScriptedPrompter::Kind;

namespace {

Navigation& navigation(frmMain& m) { return *m.findChild<Navigation*>(); }

QList<int> checkedRows(QListWidget* list)
{
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows << i;
    return rows;
}

QList<int> span(int first, int last)
{
    QList<int> rows;
    for (int i = first; i <= last; ++i)
        rows << i;
    return rows;
}

// A result list as a search leaves it: n verse references, the first 51
// checked and shown.
void fillResultList(frmMain& m, int n)
{
    ReadingView& r = m.reading();
    QListWidget* list = m.verseList();
    m.state().loadingList = true;
    list->clear();
    r.setMode(ListMode::Result);
    for (int k = 1; k <= n; ++k)
        list->addItem(QStringLiteral("2:%1").arg(k));
    for (int k = 0; k < std::min(n, 51); ++k)
        list->item(k)->setSelected(true);
    m.state().resultPicked = std::min(n, 51);
    m.state().loadingList = false;
    for (QPushButton* b : {r.command2(), r.command3(), r.command8(), r.command9()})
        b->show();
    r.OpenVerse();
}

void clickEntry(QListWidget* list, int row, Qt::MouseButton button = Qt::LeftButton, int x = -1)
{
    list->scrollToItem(list->item(row));
    QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), button, {}, x < 0 ? rect.center() : QPoint(rect.left() + x, rect.center().y()));
    MainWindowFixture::settle();
}

void typeInto(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    box->del();
    QTest::keyClicks(box, text);
}

}  // namespace

TEST(GoToVerse, JumpToVersePanel)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    auto* sura = m.control<QLineEdit>(QStringLiteral("txtSuraNumber"));
    auto* verse = m.control<QLineEdit>(QStringLiteral("txtVerseNumber"));
    auto* count = m.control<QLabel>(QStringLiteral("lblVerseCn"));
    ASSERT_TRUE(sura && verse && count);

    f.key(Qt::Key_F6, m.verseList());
    EXPECT_TRUE(m.leftExpanded());
    EXPECT_TRUE(m.sidePanel(QStringLiteral("frameGoToVerse"))->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), sura);

    // An empty verse is the sura's first: the opening of sura 2 …
    typeInto(sura, QStringLiteral("2"));
    EXPECT_EQ(count->text(), QStringLiteral("Verses 286"));
    ASSERT_TRUE(f.press(QStringLiteral("Command15")));
    EXPECT_EQ(verse->text(), QStringLiteral("0"));
    EXPECT_EQ(m.sqCh()->currentIndex(), 2);
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    EXPECT_EQ(checkedRows(m.verseList()), QList<int>{0});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Sura 2:"))) << f.msgText().toStdString();
    EXPECT_FALSE(m.leftExpanded());

    // … and verse 1 of sura 1, which has no opening.
    ASSERT_TRUE(f.press(QStringLiteral("Command5")));
    typeInto(sura, QStringLiteral("1"));
    verse->clear();
    ASSERT_TRUE(f.press(QStringLiteral("Command15")));
    EXPECT_EQ(verse->text(), QStringLiteral("1"));
    EXPECT_EQ(m.sqCh()->currentIndex(), 1);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("the test opening line")));
    EXPECT_TRUE(f.prompter().boxes().empty());

    // Nothing that is not a verse of the sura is jumped to.
    const QString before = f.msgText();
    ASSERT_TRUE(f.press(QStringLiteral("Command5")));
    for (auto [s, v] : {std::pair{"2", "287"}, std::pair{"2", "abc"}, std::pair{"x", "1"}, std::pair{"1", "0"},
                        std::pair{"115", ""}, std::pair{"2", "-1"}}) {
        f.prompter().clear();
        typeInto(sura, QString::fromLatin1(s));
        verse->setText(QString::fromLatin1(v));
        ASSERT_TRUE(f.press(QStringLiteral("Command15")));
        ASSERT_EQ(f.prompter().boxes().size(), 1u) << s << ":" << v;
        EXPECT_EQ(f.prompter().boxes()[0].kind, BoxKind::Information);
        EXPECT_EQ(f.prompter().boxes()[0].text, QStringLiteral("Sura and/or Verse Numbers not entered correctly"));
        EXPECT_EQ(m.sqCh()->currentIndex(), 1);
        EXPECT_EQ(f.msgText(), before);
        EXPECT_TRUE(m.leftExpanded());
    }
    typeInto(sura, QStringLiteral("x"));
    EXPECT_EQ(count->text(), QString());

    // Enter in the panel presses "JUMP TO VERSE".
    f.prompter().clear();
    typeInto(sura, QStringLiteral("10"));
    typeInto(verse, QStringLiteral("1"));
    f.key(Qt::Key_Return, verse);
    EXPECT_EQ(m.sqCh()->currentIndex(), 10);
    EXPECT_EQ(m.verseList()->currentRow(), 1);
    EXPECT_TRUE(f.prompter().boxes().empty());
}

TEST(GoToVerse, JumpToVerseAndReferencesThatAreNotThere)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    Navigation& nav = navigation(m);
    ASSERT_TRUE(nav.JumpToVerse(QStringLiteral("9:1")));
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    ASSERT_TRUE(nav.JumpToVerse(QStringLiteral("10:1")));
    EXPECT_EQ(m.verseList()->currentRow(), 1);
    EXPECT_EQ(checkedRows(m.verseList()), QList<int>{1});
    EXPECT_EQ(m.state().curVerseIdx, 1);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 10:1.")));

    const QString shown = f.msgText();
    for (const char* bad : {"2:abc", "x:1", "200:1", "0:1", "2:300", "1:0", "9:0", ""}) {
        EXPECT_FALSE(nav.JumpToVerse(QString::fromLatin1(bad))) << bad;
        EXPECT_EQ(m.sqCh()->currentIndex(), 10) << bad;
        EXPECT_EQ(f.msgText(), shown) << bad;
    }
}

TEST(GoToVerse, CaretInAReferenceOfTheReadingPane)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    auto& pane = m.reading().msg()->model();
    pane.setText("See [2:255] and [2:300] here");
    pane.setSelStart(8);  // inside "255"
    ASSERT_TRUE(f.press(QStringLiteral("mnuJumpCursor")));
    EXPECT_EQ(m.sqCh()->currentIndex(), 2);
    EXPECT_EQ(m.verseList()->currentRow(), 255);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:255")));
    EXPECT_TRUE(f.prompter().boxes().empty());

    // Plain words, and a reference to a verse that is not there.
    for (int caret : {2, 20}) {
        f.prompter().clear();
        pane.setText("See [2:255] and [2:300] here");
        pane.setSelStart(caret);
        ASSERT_TRUE(f.press(QStringLiteral("mnuJumpCursor")));
        ASSERT_EQ(f.prompter().boxes().size(), 1u);
        EXPECT_EQ(f.prompter().boxes()[0].kind, BoxKind::Plain);
        EXPECT_EQ(f.prompter().boxes()[0].text, QStringLiteral("Location invalid"));
        EXPECT_EQ(m.verseList()->currentRow(), 255);
    }
}

TEST(GoToVerse, RevelationOrderAndResultEntries)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    ASSERT_TRUE(f.press(QStringLiteral("mnuChroOrder")));
    EXPECT_TRUE(m.sidePanel(QStringLiteral("frameRev"))->isVisible());
    EXPECT_FALSE(m.sidePanel(QStringLiteral("frameGoToVerse"))->isVisible());
    clickEntry(m.sqRv(), 0);  // the first sura revealed: 96
    EXPECT_EQ(m.sqCh()->currentIndex(), 96);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Sura 96:"))) << f.msgText().toStdString();

    // "Go to Verse" on a result entry opens it in its sura and offers the way back.
    fillResultList(m, 3);
    m.verseList()->item(0)->setText(QStringLiteral("2:255"));
    clickEntry(m.verseList(), 0, Qt::RightButton);
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    EXPECT_EQ(checkedRows(m.verseList()), (QList<int>{0, 1, 2}));
    if (QMenu* menu = m.popupMenu(QStringLiteral("mnuPopup1"))) {
        EXPECT_TRUE(menu->isVisible());
        menu->hide();
    }
    ASSERT_TRUE(f.press(QStringLiteral("mnuGoToVerse")));
    EXPECT_EQ(m.reading().lblPage()->text(), QStringLiteral("VERSES"));
    EXPECT_EQ(m.sqCh()->currentIndex(), 2);
    EXPECT_EQ(m.verseList()->currentRow(), 255);
    EXPECT_FALSE(m.reading().cmdGoBack()->isHidden());
}

TEST(VerseList, ChoosingASuraShowsItsFirstVerse)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    m.setSuraIndex(2);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Sura 2:")));
    EXPECT_EQ(m.verseList()->count(), 287);
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    EXPECT_TRUE(checkedRows(m.verseList()).isEmpty());
    f.key(Qt::Key_Down, m.verseList());
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:1.")));
    EXPECT_EQ(checkedRows(m.verseList()), QList<int>{1});
}

TEST(VerseList, KeysRunOnIntoTheNextAndPreviousSura)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    QListWidget* list = m.verseList();
    ASSERT_TRUE(navigation(m).JumpToVerse(QStringLiteral("114:6")));
    f.key(Qt::Key_Down, list);
    EXPECT_EQ(m.sqCh()->currentIndex(), 1);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(checkedRows(list), QList<int>{0});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("the test opening line")));

    f.key(Qt::Key_Up, list);
    EXPECT_EQ(m.sqCh()->currentIndex(), 114);
    EXPECT_EQ(list->currentRow(), 6);
    EXPECT_EQ(checkedRows(list), QList<int>{6});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 114:6")));
    EXPECT_FALSE(f.msgText().contains(QStringLiteral("Test line 114:5")));

    // Within a sura each key shows the verse it moves to, alone.
    f.key(Qt::Key_Home, list);
    EXPECT_EQ(checkedRows(list), QList<int>{0});
    f.key(Qt::Key_Down, list);
    f.key(Qt::Key_Down, list);
    EXPECT_EQ(checkedRows(list), QList<int>{2});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 114:2.")));
    f.key(Qt::Key_Right, list);
    EXPECT_EQ(checkedRows(list), QList<int>{3});
    f.key(Qt::Key_Left, list);
    EXPECT_EQ(checkedRows(list), QList<int>{2});

    // Holding a key: each repeat shows the next verse.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, {}, QString(), true);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Down, {}, QString(), true);
    for (int i = 0; i < 2; ++i) {
        QApplication::sendEvent(list, &press);
        QApplication::sendEvent(list, &repeat);
    }
    EXPECT_EQ(checkedRows(list), QList<int>{4});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 114:4.")));
}

TEST(VerseList, ClickingAVerseShowsItAlone)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    QListWidget* list = m.verseList();
    m.setSuraIndex(2);
    clickEntry(list, 3);
    EXPECT_EQ(checkedRows(list), QList<int>{3});
    clickEntry(list, 5);
    EXPECT_EQ(checkedRows(list), QList<int>{5});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:5 ")));
    EXPECT_FALSE(f.msgText().contains(QStringLiteral("Test line 2:3")));

    // A verse checked by hand (the space bar) stays, and is shown with the next one clicked.
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_TRUE(checkedRows(list).isEmpty());
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(checkedRows(list), QList<int>{5});
    clickEntry(list, 8);
    EXPECT_EQ(checkedRows(list), (QList<int>{5, 8}));
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:5 ")));
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:8.")));

    // A click on the check box itself checks like a click on the entry, and
    // the box shows what is checked.
    clickEntry(list, 10, Qt::LeftButton, 4);
    for (int i : {5, 8, 10, 11})
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, list->item(i)->isSelected()) << i;
}

TEST(VerseList, WindowKeysReachTheWindowOnceFromTheList)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    int inserted = 0, searched = 0;
    m.setCommand(QStringLiteral("cmdInsertVerse_Click"), [&] { ++inserted; });
    m.setCommand(QStringLiteral("cmdSearchShow_Click"), [&] { ++searched; });
    f.key(Qt::Key_F8, m.verseList());
    f.key(Qt::Key_F2, m.verseList());
    EXPECT_EQ(inserted, 1);
    EXPECT_EQ(searched, 1);

    // F3 from the list: a random passage, never in the last sura.
    for (int i = 0; i < 25; ++i) {
        f.key(Qt::Key_F3, m.verseList());
        EXPECT_GE(m.sqCh()->currentIndex(), 1);
        EXPECT_LE(m.sqCh()->currentIndex(), 113);
        EXPECT_GE(m.verseList()->currentRow(), 0);
    }
}

TEST(VerseList, ResultPagesOf51)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    fillResultList(m, 120);
    QListWidget* list = m.verseList();
    EXPECT_EQ(checkedRows(list), span(0, 50));
    for (auto [first, last] : {std::pair{51, 101}, std::pair{102, 119}, std::pair{0, 50}}) {
        ASSERT_TRUE(f.press(QStringLiteral("Command8")));
        EXPECT_EQ(checkedRows(list), span(first, last));
        EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:%1.").arg(first + 1)));
        EXPECT_FALSE(f.msgText().contains(QStringLiteral("Test line 2:%1.").arg(last + 2)));
    }
    // "Show First 50 Verses" from a page in the middle.
    ASSERT_TRUE(f.press(QStringLiteral("Command8")));
    ASSERT_TRUE(f.press(QStringLiteral("Command9")));
    EXPECT_EQ(checkedRows(list), span(0, 50));
    EXPECT_EQ(m.state().resultPicked, 51);
    EXPECT_TRUE(f.prompter().boxes().empty());
}

TEST(Layout, TheWindowAndItsFrames)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    const double dpi = m.logicalDpiX();
    auto* right = m.control(QStringLiteral("RightFrame"));
    auto* msg = m.control(QStringLiteral("Msg"));

    m.resize(300, 900);
    f.settle();
    EXPECT_EQ(m.width(), layout::twipsToPixels(layout::kMinimumWidth, dpi));
    m.resize(1400, 900);
    f.settle();

    ASSERT_TRUE(f.press(QStringLiteral("Command5")));
    const QRect rightOpen = right->geometry(), msgOpen = msg->geometry();
    ASSERT_TRUE(f.press(QStringLiteral("leftframeclose")));
    EXPECT_FALSE(m.leftExpanded());
    const int moved = layout::twipsToPixels(4695, dpi);
    EXPECT_NEAR(rightOpen.left() - right->geometry().left(), moved, 1);
    EXPECT_NEAR(msg->geometry().width() - msgOpen.width(), moved, 1);

    // The "-" button opens the column again on the panel it had.
    ASSERT_TRUE(f.press(QStringLiteral("leftframeclose")));
    EXPECT_TRUE(m.leftExpanded());
    EXPECT_TRUE(m.sidePanel(QStringLiteral("frameGoToVerse"))->isVisible());
    ASSERT_TRUE(f.press(QStringLiteral("leftframeclose")));

    m.state().wideReading = layout::kWideReading;
    m.Form_Resize();
    EXPECT_EQ(msg->geometry().left(), layout::twipsToPixels(120, dpi));
    // Opening a sura gives the list its place back.
    m.setSuraIndex(3);
    EXPECT_EQ(m.state().wideReading, 0);
    EXPECT_EQ(msg->geometry().left(), layout::twipsToPixels(1080, dpi));
}

TEST(AutoScroll, PanelSpeedsAndTheDelay)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    AutoScroll& scroll = *navigation(m).autoScroll();
    auto* speed = scroll.cmbAutoScroll();
    auto* perCharacter = scroll.txtAutoScroll();

    f.key(Qt::Key_F4, m.verseList());
    EXPECT_TRUE(m.sidePanel(QStringLiteral("frameAutoScroll"))->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), speed);
    EXPECT_EQ(speed->currentText(), QStringLiteral("Medium"));
    EXPECT_FALSE(perCharacter->isEnabled());
    for (int i = 0; i < 3; ++i)
        f.key(Qt::Key_Down, speed);
    EXPECT_EQ(speed->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(perCharacter->text(), QStringLiteral("60"));
    EXPECT_TRUE(perCharacter->isEnabled());
    f.key(Qt::Key_Up, speed);
    f.key(Qt::Key_Up, speed);
    EXPECT_EQ(speed->currentText(), QStringLiteral("High"));
    EXPECT_EQ(perCharacter->text(), QStringLiteral("40"));
    EXPECT_FALSE(perCharacter->isEnabled());

    // "Medium" and a 150-character display: 9 seconds. Enter presses "Set On".
    speed->setCurrentIndex(2);
    scroll.cmbAutoScroll_Click();
    m.reading().msg()->model().setText(std::string(150, 'x'));
    f.key(Qt::Key_Return, speed);
    EXPECT_TRUE(scroll.isOn());
    EXPECT_EQ(scroll.interval(), 9000);
    EXPECT_TRUE(scroll.timerScroll()->isActive());
    EXPECT_EQ(scroll.timerScroll()->interval(), 9000);
    EXPECT_FALSE(m.leftExpanded());

    // Longer waits stop at the timer's limit; a speed that is no number never fires.
    speed->setCurrentIndex(0);
    scroll.cmbAutoScroll_Click();
    m.reading().msg()->model().setText(std::string(1000, 'x'));
    ASSERT_TRUE(f.press(QStringLiteral("Command10")));
    EXPECT_EQ(scroll.timerScroll()->interval(), 65535);
    perCharacter->setText(QStringLiteral("fast"));
    ASSERT_TRUE(f.press(QStringLiteral("Command10")));
    EXPECT_TRUE(scroll.isOn());
    EXPECT_FALSE(scroll.timerScroll()->isActive());

    ASSERT_TRUE(f.press(QStringLiteral("Command12")));
    EXPECT_FALSE(scroll.isOn());
    EXPECT_FALSE(scroll.timerScroll()->isActive());

    // The speed and the typed reference are kept with the settings; the
    // boxes come back as their choice left them.
    speed->setCurrentIndex(5);
    scroll.cmbAutoScroll_Click();
    perCharacter->setText(QStringLiteral("75"));
    m.control<QLineEdit>(QStringLiteral("txtSuraNumber"))->setText(QStringLiteral("2"));
    m.SaveSettings();
    speed->setCurrentIndex(1);
    scroll.cmbAutoScroll_Click();
    m.control<QLineEdit>(QStringLiteral("txtSuraNumber"))->clear();
    ASSERT_TRUE(m.Form_Load());
    EXPECT_EQ(speed->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(perCharacter->text(), QStringLiteral("75"));
    EXPECT_TRUE(perCharacter->isEnabled());
    ASSERT_TRUE(f.press(QStringLiteral("Command5")));
    EXPECT_EQ(m.control<QLabel>(QStringLiteral("lblVerseCn"))->text(), QStringLiteral("Verses 286"));
}

TEST(AutoScroll, StepsRunThroughTheSurasAndTheResultList)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    AutoScroll& scroll = *navigation(m).autoScroll();
    ASSERT_TRUE(navigation(m).JumpToVerse(QStringLiteral("2:5")));
    ASSERT_TRUE(f.press(QStringLiteral("Command10")));
    scroll.timerScroll_Timer();
    EXPECT_EQ(checkedRows(m.verseList()), QList<int>{6});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Test line 2:6")));
    // The verse now shown stays for its own length.
    EXPECT_EQ(scroll.interval(), 60 * m.reading().msg()->model().length());

    ASSERT_TRUE(navigation(m).JumpToVerse(QStringLiteral("114:6")));
    scroll.timerScroll_Timer();
    EXPECT_EQ(m.sqCh()->currentIndex(), 1);
    EXPECT_EQ(checkedRows(m.verseList()), QList<int>{0});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("the test opening line")));
    EXPECT_TRUE(scroll.timerScroll()->isActive());

    // In a result list it wraps to the first entry without changing sura.
    fillResultList(m, 4);
    m.verseList()->setCurrentRow(3, QItemSelectionModel::NoUpdate);
    scroll.timerScroll_Timer();
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    EXPECT_EQ(m.sqCh()->currentIndex(), 1);
    EXPECT_EQ(m.reading().lblPage()->text(), QStringLiteral("RESULT"));
}

TEST(AutoScroll, SetOnInAResultListAsksFirst)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    AutoScroll& scroll = *navigation(m).autoScroll();
    fillResultList(m, 60);
    f.prompter().yesNo = {false};
    ASSERT_TRUE(f.press(QStringLiteral("Command10")));
    ASSERT_EQ(f.prompter().boxes().size(), 1u);
    EXPECT_EQ(f.prompter().boxes()[0].kind, BoxKind::YesNo);
    EXPECT_EQ(f.prompter().boxes()[0].text,
              QStringLiteral("Click yes to start reading the Quran.\r\nElse click No to stay on the Search page."));
    EXPECT_FALSE(scroll.isOn());
    EXPECT_FALSE(scroll.timerScroll()->isActive());
    EXPECT_EQ(m.reading().lblPage()->text(), QStringLiteral("RESULT"));
    EXPECT_EQ(m.verseList()->count(), 60);

    // Yes: the sura is read from its start.
    f.prompter().yesNo = {true};
    const int sura = m.sqCh()->currentIndex();
    ASSERT_TRUE(f.press(QStringLiteral("Command10")));
    EXPECT_TRUE(scroll.isOn());
    EXPECT_TRUE(scroll.timerScroll()->isActive());
    EXPECT_EQ(m.reading().lblPage()->text(), QStringLiteral("VERSES"));
    EXPECT_EQ(m.sqCh()->currentIndex(), sura);
    EXPECT_EQ(m.verseList()->currentRow(), 0);
    EXPECT_FALSE(f.msgText().isEmpty());
}

TEST(VerseList, ALongDisplayOpensAtItsTop)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    m.resize(800, 600);
    // Many verses at a time, with room between them: longer than the pane.
    m.findChild<QLineEdit*>(QStringLiteral("txtNV"))->setText(QStringLiteral("12"));
    m.findChild<QLineEdit*>(QStringLiteral("txtSpaces"))->setText(QStringLiteral("6"));
    auto* list = m.findChild<QListWidget*>(QStringLiteral("VerseList"));
    auto* pane = m.findChild<QWidget*>(QStringLiteral("Msg"))->findChild<QAbstractScrollArea*>();
    ASSERT_NE(pane, nullptr);
    m.setSuraIndex(2);
    for (const QString& highlight : {QString(), QStringLiteral("line")}) {
        m.findChild<QLineEdit*>(QStringLiteral("txtHL_0"))->setText(highlight);
        f.key(Qt::Key_Down, list);
        QScrollBar* bar = pane->verticalScrollBar();
        ASSERT_GT(bar->maximum(), 0) << "the display should be longer than the pane: "
                                     << f.msgText().size() << " characters, pane " << pane->height() << " rows "
                                     << checkedRows(list).size() << " of " << list->count() << " sura "
                                     << m.sqCh()->currentIndex();
        EXPECT_EQ(bar->value(), 0) << "highlight '" << highlight.toStdString() << "'";
        EXPECT_TRUE(f.msgText().startsWith(QStringLiteral("[2:1]")) || f.msgText().contains(QStringLiteral("2:1")));
    }
}

TEST(VerseList, ResultReferencesAreNeverCut)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    auto* list = m.findChild<QListWidget*>(QStringLiteral("VerseList"));
    auto* pane = m.findChild<QWidget*>(QStringLiteral("Msg"));
    for (const QSize size : {QSize(1400, 900), QSize(800, 600)}) {
        m.resize(size);
        MainWindowFixture::settle();
        fillResultList(m, 3);
        list->item(0)->setText(QStringLiteral("V. 114:286"));
        list->item(1)->setText(QStringLiteral("2:105"));
        list->addItem(QStringLiteral("FN. 9:127"));
        MainWindowFixture::settle();
        const QFontMetrics fm(list->font());
        const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
        for (int i = 0; i < list->count(); ++i) {
            const int needed = fm.horizontalAdvance(list->item(i)->text()) + indicator;
            EXPECT_GE(list->viewport()->width(), needed) << list->item(i)->text().toStdString() << " at "
                                                         << size.width() << "x" << size.height();
        }
        // The reading pane moves over and does not overlap the list.
        EXPECT_GE(pane->geometry().left(), list->geometry().right()) << size.width();
        EXPECT_GT(pane->width(), size.width() / 3);
    }
}
