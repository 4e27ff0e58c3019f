// The number panels installed on a bare Shell, without the main window:
// the menu commands show their panels and the division runs.
#include "numbers/number_analysis.h"
#include "reading/rich_text_pane.h"
#include "shell/commands.h"
#include "shell/install.h"
#include "support/fake_shell.h"

#include <QApplication>

#include <gtest/gtest.h>

using testing_support::FakeShell;

TEST(NumbersOnAShell, PanelsShowAndTheDivisionRunsThroughTheShell)
{
    FakeShell shell;
    installSubsystem<NumberAnalysis>(shell);

    ASSERT_TRUE(shell.runCommand(cmd::mnuDiv_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameNumDiv"));
    auto* number = shell.window().findChild<RichTextPane*>(QStringLiteral("rtfNum"));
    ASSERT_NE(number, nullptr);
    number->model().setText("38");
    ASSERT_TRUE(shell.press(QStringLiteral("cmdDivide19")));
    auto* result = shell.window().findChild<RichTextPane*>(QStringLiteral("rtfRes2"));
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->model().text(), "The no. of digits is 2 - NOT a multiple of 19.");

    ASSERT_TRUE(shell.runCommand(cmd::mnuGV_Click));
    EXPECT_EQ(shell.shownPanel(), QStringLiteral("frameGV"));
}
