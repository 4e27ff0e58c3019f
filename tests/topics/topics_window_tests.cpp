// The reader's own data in the whole main window: the function keys reach
// the panels, the panels fit the left column at the largest and smallest
// window sizes, and the side pane's two "Do not display footnotes with
// verses" boxes hold one value.
#include "reading/reading_view.h"
#include "support/main_window_fixture.h"
#include "topics/backup_panel.h"
#include "reading/notes_panel.h"
#include "topics/topics_panel.h"
#include "topics/topic_store.h"
#include "topics/topics_ui.h"
#include "ui/wrap_button.h"
#include "ui/wrap_check_box.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>

#include <gtest/gtest.h>

using testing_support::MainWindowFixture;

namespace {

TopicsUi& topicsUi(frmMain& m) { return *m.findChild<TopicsUi*>(); }

void expectInside(QWidget& panel, const std::string& where)
{
    ASSERT_TRUE(panel.isVisible()) << where;
    EXPECT_GT(panel.width(), 150) << where;
    for (auto* w : panel.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->objectName().isEmpty() || !w->parentWidget())
            continue;
        // Parts of a scrolling page may lie beyond its viewport.
        if (qobject_cast<QScrollArea*>(w->parentWidget()->parentWidget()))
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry()))
            << w->objectName().toStdString() << " at " << where;
        if (auto* b = qobject_cast<WrapButton*>(w)) {
            EXPECT_TRUE(b->captionFits()) << b->objectName().toStdString() << " caption at " << where;
        }
    }
}

}  // namespace

TEST(TopicsWindow, TheKeysOpenThePanelsAndTheyFitTheColumn)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    TopicsUi& ui = topicsUi(m);
    struct Size {
        int w, h;
    };
    for (const Size s : {Size{1400, 900}, Size{500, 600}}) {
        m.resize(s.w, s.h);
        const std::string size = std::to_string(s.w) + "x" + std::to_string(s.h);

        f.key(Qt::Key_F7);
        MainWindowFixture::settle();
        expectInside(ui.topicsPanel(), "topics " + size);

        f.key(Qt::Key_F11);
        MainWindowFixture::settle();
        EXPECT_EQ(ui.notesPanel().mode(), NotesPanel::Mode::Notes);
        EXPECT_EQ(ui.notesPanel().lblNotes(), m.reading().lblNotes());
        expectInside(ui.notesPanel(), "notes " + size);
        f.key(Qt::Key_F11);
        MainWindowFixture::settle();
        EXPECT_FALSE(m.leftExpanded());

        ASSERT_TRUE(f.press(QStringLiteral("mnuNotesTopics")));
        MainWindowFixture::settle();
        expectInside(ui.backupPanel(), "backup " + size);
    }
}

TEST(TopicsWindow, TheSidePaneChoiceIsTheDisplaySetting)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    const auto boxes = m.findChildren<QAbstractButton*>(QStringLiteral("dispFN"));
    ASSERT_EQ(boxes.size(), 2);
    WrapCheckBox* inPane = topicsUi(m).notesPanel().dispFN();
    QAbstractButton* inSettings = boxes[0] == inPane ? boxes[1] : boxes[0];
    inSettings->setChecked(true);
    EXPECT_TRUE(inPane->isChecked());
    // My Notes clears it, and the settings follow.
    f.key(Qt::Key_F11);
    EXPECT_FALSE(inSettings->isChecked());
    inPane->setChecked(true);
    EXPECT_TRUE(inSettings->isChecked());
}

TEST(TopicsWindow, TheArrowKeysShowEachTopicAsTheListMoves)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    db::Database& db = m.state().connection;
    ASSERT_TRUE(topics::insertVerses(db, "Alpha", {{2, 3}, {2, 4}}).ok);
    ASSERT_TRUE(topics::insertVerses(db, "Beta", {{3, 7}}).ok);
    f.key(Qt::Key_F7);
    QListWidget* list = topicsUi(m).topicsPanel().lstTopics();
    const int alpha = static_cast<int>(list->row(list->findItems(QStringLiteral("Alpha"), Qt::MatchExactly).value(0)));
    const int beta = static_cast<int>(list->row(list->findItems(QStringLiteral("Beta"), Qt::MatchExactly).value(0)));
    ASSERT_GE(alpha, 0);
    ASSERT_EQ(beta, alpha + 1);
    list->setFocus();
    list->setCurrentRow(alpha);
    f.key(Qt::Key_Down, list);
    EXPECT_EQ(list->currentRow(), beta);
    ASSERT_EQ(m.verseList()->count(), 1);
    EXPECT_TRUE(m.verseList()->item(0)->text().endsWith(QStringLiteral("3:7")));
    f.key(Qt::Key_Up, list);
    ASSERT_EQ(m.verseList()->count(), 2);
    // A key that does not move the list shows nothing new.
    m.verseList()->clear();
    f.key(Qt::Key_Right, list);
    EXPECT_EQ(list->currentRow(), alpha);
    EXPECT_EQ(m.verseList()->count(), 0);
}
