// Copy, save and separate windows in the main window: the reading pane's
// pop-up menu, F5 and the save panel at the sizes a reader uses, the range
// boxes kept with the settings, and "Display Separately" from the menu bar.
#include "export/export_ui.h"
#include "export/frm_display.h"
#include "reading/reading_view.h"
#include "reading/rich_text_pane.h"
#include "support/main_window_fixture.h"
#include "ui/wrap_button.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <filesystem>

using testing_support::MainWindowFixture;

namespace {

void expectPanelInside(frmMain& window, QWidget* panel, const std::string& where)
{
    ASSERT_TRUE(panel->isVisible()) << where;
    const QRect column = panel->parentWidget()->rect();
    EXPECT_TRUE(column.contains(panel->geometry())) << where;
    for (auto* w : window.centralWidget()->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->objectName().isEmpty() || !w->parentWidget())
            continue;
        // Parts of a panel's scrolling page may lie beyond its viewport.
        if (qobject_cast<QScrollArea*>(w->parentWidget()->parentWidget()))
            continue;
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString() << " at " << where;
        if (auto* b = qobject_cast<WrapButton*>(w)) {
            EXPECT_TRUE(b->captionFits()) << b->objectName().toStdString() << " caption at " << where;
        }
    }
    // The panel's own controls can be scrolled to and are as wide as they need.
    for (const char* name : {"txtStartSura", "txtEndVerse", "Command13", "Command18", "Command19"}) {
        auto* w = panel->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_TRUE(w->isVisibleTo(panel)) << name << " at " << where;
        EXPECT_GE(w->width(), std::min(w->sizeHint().width(), w->maximumWidth())) << name << " at " << where;
        EXPECT_LE(w->mapTo(panel, QPoint(w->width(), 0)).x(), panel->width()) << name << " at " << where;
    }
}

}  // namespace

TEST(ExportWindow, ThePopUpMenuOfTheReadingPaneHasEveryEntryInOrder)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    QMenu* menu = m.popupMenu(QStringLiteral("mnuRC"));
    ASSERT_NE(menu, nullptr);
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{"Select All Text", "-", "Copy Selected Text", "Copy Entire Text ",
                                     "Copy Selected (no formatting)", "Copy All (without formating)", "-",
                                     "Jump to Verse Selected by Cursor", "-", "Search Selected Word/Phrase",
                                     "Get Dictionary Meaning from Merriam-Webster"}));
    for (const char* name : {"mnuSAT", "mnuCST", "mnuCET", "mnuCsnf", "mnuCC", "mnuJumpCursor", "mnuSearchSelected"})
        EXPECT_TRUE(menu->findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;

    // "Select All Text" then "Copy Entire Text " from the menu.
    menu->findChild<QAction*>(QStringLiteral("mnuSAT"))->trigger();
    auto& msg = m.reading().text();
    EXPECT_EQ(msg.selLength(), msg.length());
    EXPECT_GT(msg.length(), 0);
}

TEST(ExportWindow, F5OpensTheSavePanelWhichFitsTheColumnAtTheSizesAReaderUses)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    QWidget* panel = m.sidePanel(QStringLiteral("frameWrite"));
    ASSERT_NE(panel, nullptr);
    for (const QSize s : {QSize(1400, 900), QSize(800, 600)}) {
        m.SquezeLeftFrame();
        m.resize(s);
        MainWindowFixture::settle();
        f.key(Qt::Key_F5, m.verseList());
        MainWindowFixture::settle();
        EXPECT_TRUE(m.leftExpanded());
        expectPanelInside(m, panel, std::to_string(s.width()) + "x" + std::to_string(s.height()));
    }
    EXPECT_FALSE(m.sidePanel(QStringLiteral("frameSearch"))->isVisible());
    EXPECT_TRUE(m.control<QPushButton>(QStringLiteral("mnuWFP"))->isEnabled());

    // The panel's button views the range typed.
    m.control<QLineEdit>(QStringLiteral("txtStartSura"))->setText(QStringLiteral("2"));
    m.control<QLineEdit>(QStringLiteral("txtStartVerse"))->setText(QStringLiteral("5"));
    m.control<QLineEdit>(QStringLiteral("txtEndSura"))->setText(QStringLiteral("2"));
    m.control<QLineEdit>(QStringLiteral("txtEndVerse"))->setText(QStringLiteral("7"));
    EXPECT_TRUE(m.control<QLabel>(QStringLiteral("lbl2"))->text().startsWith(QStringLiteral("Verses ")));
    ASSERT_TRUE(f.press(QStringLiteral("Command18")));
    EXPECT_EQ(m.verseList()->count(), 3);
    EXPECT_EQ(m.reading().lblPage()->text(), QStringLiteral("RESULT"));
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("[2:6]")));
}

TEST(ExportWindow, TheRangeBoxesAreKeptWithTheSettings)
{
    std::filesystem::path stored;
    testing_support::TempDir keep;
    {
        MainWindowFixture f;
        const char* typed[][2] = {{"txtStartSura", "3"}, {"txtStartVerse", "7"}, {"txtEndSura", "4"}, {"txtEndVerse", "2"}};
        for (const auto& [name, value] : typed)
            f.main().control<QLineEdit>(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
        f.main().close();
        for (const auto& [name, value] : typed)
            EXPECT_EQ(f.settings().get(QStringLiteral("zerafin"), QStringLiteral("zerafin"),
                                       QString::fromLatin1(name) + QStringLiteral(".text")),
                      QString::fromLatin1(value));
        stored = keep / "zerafin.ini";
        std::filesystem::copy_file(f.settings().fileFor(QStringLiteral("zerafin")).toStdString(), stored);
    }
    MainWindowFixture g(false);
    const std::filesystem::path target = g.settings().fileFor(QStringLiteral("zerafin")).toStdString();
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(stored, target, std::filesystem::copy_options::overwrite_existing);
    g.main().Form_Load();
    EXPECT_EQ(g.main().control<QLineEdit>(QStringLiteral("txtStartSura"))->text(), QStringLiteral("3"));
    EXPECT_EQ(g.main().control<QLineEdit>(QStringLiteral("txtEndVerse"))->text(), QStringLiteral("2"));
    // The counts beside them are there once the panel opens on the open text.
    ASSERT_TRUE(g.press(QStringLiteral("mnuWFP")));
    EXPECT_TRUE(g.main().control<QLabel>(QStringLiteral("lbl2"))->text().startsWith(QStringLiteral("Verses ")));
    EXPECT_TRUE(g.main().control<QLabel>(QStringLiteral("lbl4"))->text().startsWith(QStringLiteral("Verses ")));
}

TEST(ExportWindow, DisplaySeparatelyFromTheMenuBarOpensAWindowOfItsOwn)
{
    MainWindowFixture f;
    frmMain& m = f.main();
    f.prompter().inputs.push_back(QStringLiteral("My passage"));
    ASSERT_TRUE(f.press(QStringLiteral("mnuDisplaySep")));
    MainWindowFixture::settle();
    auto* ui = m.findChild<ExportUi*>();
    ASSERT_NE(ui, nullptr);
    ASSERT_EQ(ui->displays().size(), 1u);
    frmDisplay* w = ui->displays().front();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("My passage"));
    EXPECT_EQ(QString::fromStdString(w->rtf()->model().text()), f.msgText());
}
