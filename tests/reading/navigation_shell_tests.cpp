// Navigation installed on a bare Shell, without the main window: the sura
// box fills the verse list and shows the verses, Go to Verse jumps, and the
// keys the window hands on from the verse list move through it.
#include "reading/navigation.h"
#include "reading/reading_view.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "support/fake_shell.h"

#include <QComboBox>
#include <QLabel>
#include <QItemSelectionModel>
#include <QListWidget>

#include <gtest/gtest.h>

using testing_support::FakeShell;

namespace {

struct NavigationOnAShell : ::testing::Test {
    NavigationOnAShell() : nav(&installSubsystem<Navigation>(shell)) {}
    QListWidget* list() { return shell.reading().verseList(); }

    FakeShell shell;
    Navigation* nav = nullptr;
};

}  // namespace

TEST_F(NavigationOnAShell, RegistersItsCommandsAndChoosingASuraShowsIt)
{
    for (const QLatin1String name : {cmd::sqCh_Click, cmd::Command5_Click, cmd::cmdRandom_Click, cmd::Command8_Click})
        EXPECT_TRUE(shell.commandNames().contains(name)) << name.data();

    shell.setSuraIndex(2);
    // The unnumbered opening and verses 1 to 286.
    EXPECT_EQ(list()->count(), 287);
    EXPECT_EQ(shell.state().revelationOrderText.rfind("Sura Revelation Order = ", 0), 0u);
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("Sura 2:"))) << shell.msgText().toStdString();
}

TEST_F(NavigationOnAShell, GoToVerseOpensTheSuraWithTheVerseCurrent)
{
    ASSERT_TRUE(shell.runCommand(cmd::Command5_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameGoToVerse"));
    EXPECT_TRUE(nav->JumpToVerse(QStringLiteral("3:7")));
    EXPECT_EQ(shell.sqCh()->currentIndex(), 3);
    ASSERT_GE(list()->currentRow(), 0);
    EXPECT_EQ(list()->currentItem()->text(), QStringLiteral("7"));
    // A verse that is not in the text changes nothing.
    EXPECT_FALSE(nav->JumpToVerse(QStringLiteral("3:999")));
    EXPECT_EQ(shell.sqCh()->currentIndex(), 3);
}

TEST_F(NavigationOnAShell, KeysReleasedInTheVerseListReachItThroughTheShell)
{
    shell.setSuraIndex(2);
    // The list moves on the key press; the release shows the verse.
    list()->setCurrentRow(1, QItemSelectionModel::NoUpdate);
    shell.releaseKeyInVerseList(Qt::Key_Down);
    EXPECT_TRUE(list()->item(1)->isSelected());
    EXPECT_EQ(shell.state().curVerseIdx, 1);
    EXPECT_TRUE(shell.msgText().contains(QStringLiteral("Test line 2:1."))) << shell.msgText().toStdString();
    // Other keys go on to the window's own keys.
    shell.releaseKeyInVerseList(Qt::Key_F3);
    EXPECT_EQ(shell.keysUp(), std::vector<int>{Qt::Key_F3});
}
