// The search installed on a bare Shell, without the main window: Go lists
// the hits in the verse list and shows the first of them.
#include "reading/navigation.h"
#include "reading/reading_view.h"
#include "search/search_ui.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "support/fake_shell.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <gtest/gtest.h>

using testing_support::FakeShell;

TEST(SearchOnAShell, GoListsTheHitsInTheVerseList)
{
    FakeShell shell;
    Navigation& nav = installSubsystem<Navigation>(shell);
    SearchUi* search = &installSubsystem<SearchUi>(shell, nav);

    ASSERT_TRUE(shell.runCommand(cmd::cmdSearchShow_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameSearch"));
    QWidget& w = shell.window();
    for (int i = 0; i < 9; ++i)
        w.findChild<QCheckBox*>(QStringLiteral("Areas_%1").arg(i))->setChecked(i == 1);
    w.findChild<QRadioButton*>(QStringLiteral("Op_2"))->click();
    w.findChild<QLineEdit*>(QStringLiteral("txtSuras"))->setText(QStringLiteral("2,3,23"));
    w.findChild<QLineEdit*>(QStringLiteral("txtSearch"))->setText(QStringLiteral("mercy"));
    ASSERT_TRUE(shell.press(QStringLiteral("cmdSearch")));

    QListWidget* list = shell.reading().verseList();
    // Suras 2, 3 and 23 have 57 + 40 + 23 verses that are multiples of 5.
    ASSERT_EQ(list->count(), 120);
    EXPECT_EQ(search->resultRows().size(), 120u);
    EXPECT_EQ(shell.reading().lblPage()->text(), QStringLiteral("RESULT"));
    EXPECT_TRUE(shell.msgText().startsWith(QStringLiteral("Search Word: mercy\r\nResult Count: 120\r\n")));
    EXPECT_FALSE(shell.columnOpen());
}
