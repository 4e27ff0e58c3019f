// The search as a reader meets it in the main window: the search panel and
// its result list, the block search, word groups and highlighting, on a
// program folder of invented text (every 5th verse mentions mercy, every
// 7th forgive, every 3rd Allah).
#include "app/settings_persistence.h"
#include "db/recordset.h"
#include "reading/reading_view.h"
#include "search/highlight_panel.h"
#include "search/search_panel.h"
#include "search/search_ui.h"
#include "search/word_group_panel.h"
#include "support/main_window_fixture.h"
#include "support/program_folder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <cstdlib>

using testing_support::MainWindowFixture;

namespace {

const QString kDashes(79, u'-');

class SearchWindow : public ::testing::Test {
protected:
    frmMain& m() { return f.main(); }
    SearchUi& ui() { return *m().findChild<SearchUi*>(); }
    SearchPanel& panel() { return ui().panel(); }
    QListWidget* list() { return m().verseList(); }
    QString page() { return m().reading().lblPage()->text(); }

    template <typename W = QWidget>
    W* c(const QString& name)
    {
        auto* w = m().control<W>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    void openPanel() { ASSERT_TRUE(f.press(QStringLiteral("cmdSearchShow"))); }

    // Ticks exactly these areas.
    void areas(std::initializer_list<int> ticked)
    {
        for (int i = 0; i < 9; ++i)
            c<QCheckBox>(QStringLiteral("Areas_%1").arg(i))->setChecked(std::count(ticked.begin(), ticked.end(), i) > 0);
    }

    void go(const QString& text)
    {
        c<QLineEdit>(QStringLiteral("txtSearch"))->setText(text);
        ASSERT_TRUE(f.press(QStringLiteral("cmdSearch")));
    }

    QStringList rows()
    {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }

    int selectedCount() { return static_cast<int>(list()->selectedItems().size()); }

    void chooseCategory(const QString& category)
    {
        auto* box = m().reading().cmbList();
        box->setCurrentText(category);
        ASSERT_EQ(box->currentText(), category);
        emit box->activated(box->currentIndex());
        MainWindowFixture::settle();
    }

    QString hl(int i) { return c<QLineEdit>(QStringLiteral("txtHL_%1").arg(i))->text(); }

    // Every occurrence of the word in the reading pane (any letter case)
    // and whether it is marked with that colour.
    struct Marks {
        int found = 0;
        int marked = 0;
    };
    Marks marks(const QString& word, uint32_t colour = 65535)
    {
        const auto& pane = m().reading().msg()->model();
        const auto& doc = pane.document();
        const std::u16string w = word.toStdU16String();
        Marks out;
        for (int pos = pane.indexOf16(w, 0); pos >= 0; pos = pane.indexOf16(w, pos + 1)) {
            ++out.found;
            bool all = true;
            for (size_t k = 0; k < w.size(); ++k) {
                const auto at = static_cast<uint32_t>(pos) + static_cast<uint32_t>(k);
                const auto run = std::find_if(doc.runs().begin(), doc.runs().end(), [&](const auto& r) { return r.end > at; });
                const uint16_t h = run == doc.runs().end() ? 0 : run->format.highlight;
                all = all && h != 0 && doc.colors()[h].value() == colour;
            }
            out.marked += all ? 1 : 0;
        }
        return out;
    }

    MainWindowFixture f;
};

}  // namespace

TEST_F(SearchWindow, PanelControlsCaptionsAndOptionRules)
{
    openPanel();
    EXPECT_TRUE(m().sidePanel(QStringLiteral("frameSearch"))->isVisible());
    EXPECT_TRUE(c(QStringLiteral("frameSearchAdv"))->isVisible());
    EXPECT_EQ(c<QPushButton>(QStringLiteral("cmdSearchAdv"))->text(), QStringLiteral("Advanced <"));
    EXPECT_EQ(c<QPushButton>(QStringLiteral("cmdSearch"))->text(), QStringLiteral("Go"));
    EXPECT_TRUE(c(QStringLiteral("txtSearch"))->hasFocus());
    const QStringList captions = {"Sura/Appendix Titles", "Verses", "Subtitles", "Footnotes", "Introduction/Appendix",
                                  "Glossary", "Index", "My Notes", "My Topics"};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(c<QCheckBox>(QStringLiteral("Areas_%1").arg(i))->text(), captions[i]);
    EXPECT_EQ(c<QCheckBox>(QStringLiteral("Check1"))->text(), QStringLiteral("Letter-case"));
    EXPECT_EQ(c<QCheckBox>(QStringLiteral("Check5"))->text(), QStringLiteral("Highlight"));
    EXPECT_EQ(c<QLabel>(QStringLiteral("cShowFirstCaption"))->text(),
              QStringLiteral("Display Only the First Verse from every Set of Continuous Verses"));
    EXPECT_EQ(c<QLineEdit>(QStringLiteral("txtVD"))->text(), QStringLiteral("2"));
    EXPECT_TRUE(c<QListWidget>(QStringLiteral("TmpList"))->isHidden());

    // "Advanced" toggles the advanced part and which search runs.
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));
    EXPECT_EQ(c<QPushButton>(QStringLiteral("cmdSearchAdv"))->text(), QStringLiteral("Advanced >"));
    EXPECT_FALSE(c(QStringLiteral("frameSearchAdv"))->isVisible());
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));
    EXPECT_TRUE(c(QStringLiteral("frameSearchAdv"))->isVisible());

    // The scope buttons grey the boxes they do not use and focus the one they do.
    auto* start = c<QLineEdit>(QStringLiteral("txtSuraStart"));
    auto* suras = c<QLineEdit>(QStringLiteral("txtSuras"));
    EXPECT_FALSE(start->isEnabled());
    EXPECT_EQ(start->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
    c<QRadioButton>(QStringLiteral("Op_1"))->click();
    EXPECT_TRUE(start->isEnabled());
    EXPECT_EQ(start->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_TRUE(start->hasFocus());
    c<QRadioButton>(QStringLiteral("Op_2"))->click();
    EXPECT_FALSE(start->isEnabled());
    EXPECT_TRUE(suras->isEnabled());
    EXPECT_TRUE(suras->hasFocus());

    // Either ignore option clears and disables Highlight and the other option.
    auto* whole = c<QCheckBox>(QStringLiteral("Check2"));
    auto* normal = c<QCheckBox>(QStringLiteral("Check3"));
    auto* highlight = c<QCheckBox>(QStringLiteral("Check5"));
    // A first start has Highlight unticked and the sura range empty.
    EXPECT_FALSE(highlight->isChecked());
    EXPECT_EQ(start->text(), QString());
    EXPECT_EQ(c<QLineEdit>(QStringLiteral("txtSuraEnd"))->text(), QString());
    highlight->setChecked(true);
    whole->click();
    EXPECT_FALSE(highlight->isChecked());
    EXPECT_FALSE(highlight->isEnabled());
    EXPECT_FALSE(normal->isEnabled());
    whole->click();
    EXPECT_TRUE(highlight->isEnabled());
    EXPECT_TRUE(normal->isEnabled());

    // The block search turns its own options on and the unused ones off.
    auto* block = c<QCheckBox>(QStringLiteral("Check4"));
    block->click();
    EXPECT_TRUE(c(QStringLiteral("txtVD"))->isEnabled());
    EXPECT_TRUE(c(QStringLiteral("cShowFirst"))->isEnabled());
    EXPECT_FALSE(c(QStringLiteral("Areas_1"))->isEnabled());
    EXPECT_FALSE(c(QStringLiteral("Op_2"))->isEnabled());
    EXPECT_FALSE(whole->isEnabled());
    block->click();
    EXPECT_FALSE(c(QStringLiteral("txtVD"))->isEnabled());
    EXPECT_TRUE(c(QStringLiteral("Areas_1"))->isEnabled());
    EXPECT_TRUE(whole->isEnabled());

    // Both ignore options stored ticked (an older run) are cleared on opening.
    whole->setChecked(true);
    normal->setChecked(true);
    openPanel();
    EXPECT_FALSE(whole->isChecked());
    EXPECT_FALSE(normal->isChecked());
}

TEST_F(SearchWindow, MissingTextOrAreaIsRefusedWhicheverSearchIsChosen)
{
    openPanel();
    const QString shownBefore = f.msgText();
    areas({});
    go(QStringLiteral("mercy"));
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchShow")));
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));  // the simple search
    go(QStringLiteral("mercy"));
    areas({1});
    go(QString());
    EXPECT_EQ(f.prompter().texts(),
              QStringList(3, QStringLiteral("Please enter the search text or select atleast one search option")));
    EXPECT_EQ(page(), QStringLiteral("VERSES"));
    EXPECT_EQ(f.msgText(), shownBefore);
}

TEST_F(SearchWindow, NoHitsShowTheHeaderWithCountZero)
{
    openPanel();
    areas({1, 3});
    go(QStringLiteral("zzzq"));
    EXPECT_EQ(page(), QStringLiteral("RESULT"));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(f.msgText().left(36), QStringLiteral("Search Word: zzzq\r\nResult Count: 0\r\n"));
    EXPECT_FALSE(f.msgText().contains(u'['));
    EXPECT_FALSE(m().leftExpanded());
    EXPECT_TRUE(f.prompter().boxes().empty());
}

TEST_F(SearchWindow, HundredTwentyHitsListAllAndShowTheFirstFiftyOne)
{
    openPanel();
    areas({1});
    c<QRadioButton>(QStringLiteral("Op_2"))->click();
    c<QLineEdit>(QStringLiteral("txtSuras"))->setText(QStringLiteral("2,3,23"));
    go(QStringLiteral("mercy"));
    // Suras 2, 3 and 23 have 57 + 40 + 23 verses that are multiples of 5.
    ASSERT_EQ(list()->count(), 120);
    EXPECT_EQ(c<QListWidget>(QStringLiteral("TmpList"))->count(), 120);
    EXPECT_EQ(list()->item(0)->text(), QStringLiteral("2:5"));  // "V." is not shown under "All"
    EXPECT_EQ(selectedCount(), 51);
    for (int i = 0; i < 120; ++i)
        ASSERT_EQ(list()->item(i)->isSelected(), i < 51) << i;
    EXPECT_EQ(m().state().resultPicked, 51);
    const QString shown = f.msgText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Search Word: mercy\r\nResult Count: 120\r\n")));
    EXPECT_TRUE(shown.contains(QStringLiteral("[2:5] Test line 2:5 with mercy")));
    const QString last = list()->item(50)->text(), next = list()->item(51)->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("[%1] ").arg(last))) << last.toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("[%1] ").arg(next))) << next.toStdString();
    EXPECT_EQ(shown.count(QStringLiteral("Test line")), 51);
    // The header is centred and bold, the verses below it are not.
    const auto& doc = m().reading().msg()->model().document();
    EXPECT_EQ(doc.paras().front().format.align, richtext::Align::Center);
    EXPECT_TRUE(doc.runs().front().format.bold);
    EXPECT_EQ(list()->currentRow(), 0);
    EXPECT_TRUE(m().reading().command8()->isVisibleTo(&m()));
    EXPECT_TRUE(m().reading().command9()->isVisibleTo(&m()));
    EXPECT_FALSE(m().reading().cmdGoBack()->isVisibleTo(&m()));
    EXPECT_TRUE(m().reading().cmbList()->isVisibleTo(&m()));

    // "Show All" shows every row, "Clear" none.
    ASSERT_TRUE(f.press(QStringLiteral("Command2")));
    EXPECT_EQ(selectedCount(), 120);
    EXPECT_EQ(f.msgText().count(QStringLiteral("Test line")), 120);
    ASSERT_TRUE(f.press(QStringLiteral("Command3")));
    EXPECT_EQ(selectedCount(), 0);
    EXPECT_EQ(f.msgText().count(QStringLiteral("Test line")), 0);
    EXPECT_EQ(list()->currentRow(), 0);

    // Clicking a row shows that row.
    list()->item(3)->setSelected(true);
    MainWindowFixture::settle();
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("[%1] ").arg(list()->item(3)->text())));

    // "Back to the Search List" searches again from the panel.
    ASSERT_TRUE(f.press(QStringLiteral("Command3")));
    m().runCommand(QStringLiteral("cmdGoBack_Click"));
    EXPECT_EQ(list()->count(), 120);
    EXPECT_EQ(selectedCount(), 51);
}

TEST_F(SearchWindow, CategoriesFilterTheRowsAndRecount)
{
    openPanel();
    areas({1, 3});
    go(QStringLiteral("mercy"));
    const QStringList all = rows();
    ASSERT_GT(all.size(), 51);
    // The footnote of 1:1 speaks of mercy; it comes after every verse row.
    EXPECT_EQ(all.back(), QStringLiteral("1:1"));
    EXPECT_EQ(c<QListWidget>(QStringLiteral("TmpList"))->item(all.size() - 1)->text(), QStringLiteral("F.1:1"));

    chooseCategory(QStringLiteral("Verses"));
    const QStringList verses = rows();
    EXPECT_EQ(verses.size(), all.size() - 1);
    EXPECT_EQ(verses.filter(QStringLiteral("V.")).size(), 0);
    EXPECT_FALSE(verses.contains(QStringLiteral("1:1")));
    EXPECT_TRUE(f.msgText().startsWith(QStringLiteral("Search Word: mercy\r\nResult Count: %1\r\n").arg(verses.size())));
    EXPECT_EQ(selectedCount(), 51);

    chooseCategory(QStringLiteral("Footnotes"));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1:1")});
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Result Count: 1\r\n")));
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("In the name of Allah")));

    chooseCategory(QStringLiteral("Glossary"));
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("Result Count: 0\r\n")));
}

TEST_F(SearchWindow, MyNotesRowsAppearOnlyUnderAll)
{
    ASSERT_TRUE(m().state().connection.execute("UPDATE ZOVR SET YourNotes='a note on mercy' WHERE Sura=2 AND Verse=3"));
    openPanel();
    areas({1, 7});
    go(QStringLiteral("mercy"));
    const QStringList tmp = [&] {
        QStringList out;
        auto* t = c<QListWidget>(QStringLiteral("TmpList"));
        for (int i = 0; i < t->count(); ++i)
            out << t->item(i)->text();
        return out;
    }();
    EXPECT_EQ(tmp.back(), QStringLiteral("2:3"));
    EXPECT_TRUE(rows().contains(QStringLiteral("2:3")));
    for (const char* category : {"Verses", "Subtitles", "Footnotes", "Topics", "Appendices", "Front Matter", "Index",
                                 "Glossary", "Titles"}) {
        chooseCategory(QString::fromLatin1(category));
        EXPECT_FALSE(rows().contains(QStringLiteral("2:3"))) << category;
    }
    chooseCategory(QStringLiteral("All"));
    EXPECT_TRUE(rows().contains(QStringLiteral("2:3")));
}

TEST_F(SearchWindow, SimpleSearchHidesTheCategoryList)
{
    openPanel();
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));
    go(QStringLiteral("forgive+mercy"));
    EXPECT_EQ(c<QLineEdit>(QStringLiteral("txtSearch"))->text(), QStringLiteral("forgive +mercy"));
    EXPECT_FALSE(m().reading().cmbList()->isVisibleTo(&m()));
    EXPECT_EQ(m().reading().cmbList()->currentText(), QStringLiteral("All"));
    ASSERT_GT(list()->count(), 0);
    for (const QString& row : rows()) {
        const int verse = row.section(u':', 1).toInt();
        EXPECT_EQ(verse % 35, 0) << row.toStdString();
    }
}

TEST_F(SearchWindow, SimpleSearchClearsTheHighlightWords)
{
    c<QLineEdit>(QStringLiteral("txtHL_0"))->setText(QStringLiteral("line"));
    c<QLineEdit>(QStringLiteral("txtHL_12"))->setText(QStringLiteral("test"));
    // F2 opens the panel, from the verse list as from anywhere; Enter in the search box is "Go".
    f.key(Qt::Key_F2, m().verseList());
    ASSERT_TRUE(m().sidePanel(QStringLiteral("frameSearch"))->isVisible());
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));
    auto* box = c<QLineEdit>(QStringLiteral("txtSearch"));
    box->setText(QStringLiteral("mercy"));
    f.key(Qt::Key_Return, box);
    EXPECT_EQ(page(), QStringLiteral("RESULT"));
    // The boxes are filled only from the advanced panel; a simple search empties them.
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(hl(i).isEmpty()) << i;
    EXPECT_EQ(marks(QStringLiteral("line")).marked, 0);
}

TEST_F(SearchWindow, SuraScopeThatIsNotNumbersSearchesNoSuraArea)
{
    ASSERT_TRUE(m().state().connection.execute("UPDATE ZOVR SET YourNotes='a note on mercy' WHERE Sura=2 AND Verse=3"));
    openPanel();
    areas({1, 3, 7});
    c<QRadioButton>(QStringLiteral("Op_2"))->click();
    c<QLineEdit>(QStringLiteral("txtSuras"))->setText(QStringLiteral("2); DELETE FROM Q; --"));
    go(QStringLiteral("mercy"));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("2:3")});
    ASSERT_EQ(f.prompter().boxes().size(), 1u);
    EXPECT_TRUE(f.prompter().texts().front().startsWith(QStringLiteral("The suras to search must be sura numbers")));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM Q", m().state().connection));
    EXPECT_GT(rs.field(0).toInt(), 6000);

    f.prompter().clear();
    c<QRadioButton>(QStringLiteral("Op_1"))->click();
    c<QLineEdit>(QStringLiteral("txtSuraStart"))->setText(QStringLiteral("2"));
    c<QLineEdit>(QStringLiteral("txtSuraEnd"))->setText(QStringLiteral("2"));
    openPanel();
    go(QStringLiteral("mercy"));
    EXPECT_TRUE(f.prompter().boxes().empty());
    EXPECT_EQ(rows().size(), 57 + 1);  // verses 2:5 … 2:285, and the note
}

TEST_F(SearchWindow, SearchSelectedWordOrPhrase)
{
    m().reading().msg()->model().setSelStart(0);
    m().runCommand(QStringLiteral("mnuSearchSelected_Click"));
    EXPECT_EQ(f.prompter().texts(), QStringList{QStringLiteral("Please select a Word/Phrase first")});
    EXPECT_EQ(page(), QStringLiteral("VERSES"));

    // A selected word is searched with the advanced part hidden: no block
    // search even with Check4 ticked.
    c<QCheckBox>(QStringLiteral("Check4"))->setChecked(true);
    auto& pane = m().reading().msg()->model();
    pane.setText("A line with  mercy  in it");
    pane.select(11, 8);
    ASSERT_EQ(pane.selText(), "  mercy ");
    m().runCommand(QStringLiteral("mnuSearchSelected_Click"));
    EXPECT_EQ(c<QLineEdit>(QStringLiteral("txtSearch"))->text(), QStringLiteral("mercy"));
    EXPECT_TRUE(c(QStringLiteral("frameSearchAdv"))->isHidden());
    EXPECT_EQ(f.prompter().boxes().size(), 1u);  // no block-search question
    EXPECT_EQ(page(), QStringLiteral("RESULT"));
    EXPECT_GT(list()->count(), 51);
}

TEST_F(SearchWindow, BlockSearchPrintsMatchingWindowsIntoTheReadingPane)
{
    openPanel();
    c<QCheckBox>(QStringLiteral("Check4"))->click();
    // Answering No changes nothing.
    f.prompter().yesNo = {false};
    const QString before = f.msgText();
    go(QStringLiteral("+mercy +forgive"));
    EXPECT_EQ(f.prompter().texts(),
              QStringList{QStringLiteral("This process may take a long time. Do you wish to continue?")});
    EXPECT_EQ(f.msgText(), before);
    EXPECT_EQ(page(), QStringLiteral("VERSES"));

    go(QStringLiteral("+mercy +forgive"));
    EXPECT_EQ(page(), QStringLiteral("PAGES"));
    EXPECT_EQ(m().state().wideReading, 960);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(c<QLineEdit>(QStringLiteral("txtSearch"))->text(), QStringLiteral("  +mercy +forgive"));
    const QString out = f.msgText();
    const QStringList windows = out.split(kDashes + QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GT(windows.size(), 50);
    for (const QString& w : windows) {
        EXPECT_TRUE(w.startsWith(QStringLiteral("\r\n"))) << w.toStdString();
        EXPECT_TRUE(w.contains(QStringLiteral("mercy"), Qt::CaseInsensitive)) << w.toStdString();
        EXPECT_TRUE(w.contains(QStringLiteral("forgive"), Qt::CaseInsensitive)) << w.toStdString();
        // A window never runs into the next sura.
        QStringList suras;
        for (const QString& line : w.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            if (line.startsWith(u'['))
                suras << line.mid(1, line.indexOf(u':') - 1);
        suras.removeDuplicates();
        EXPECT_LE(suras.size(), 1) << w.toStdString();
    }
    // 2:35 holds both words: the windows starting at 2:34 and at 2:35. The
    // verses are shown as stored, their subtitles and footnotes with them.
    const auto windowAt = [&](const QString& ref) {
        for (const QString& w : windows)
            if (w.startsWith(QStringLiteral("\r\n[%1] ").arg(ref)))
                return w;
        return QString();
    };
    EXPECT_EQ(windowAt(QStringLiteral("2:35")),
              QStringLiteral("\r\n[2:35] Test line 2:35 with mercy and forgive.\r\n[2:36] Test line 2:36, says Allah.\r\n"));
    const QString at34 = windowAt(QStringLiteral("2:34"));
    EXPECT_TRUE(at34.contains(QStringLiteral("\r\n*2:34 ")));
    EXPECT_TRUE(at34.endsWith(QStringLiteral("\r\n[2:35] Test line 2:35 with mercy and forgive.\r\n")));
    // 2:20 and 2:21 hold one word each (2:21 under its subtitle).
    EXPECT_TRUE(windowAt(QStringLiteral("2:20")).endsWith(QStringLiteral("[2:21] Test line 2:21 and forgive, says Allah.\r\n")));
    EXPECT_TRUE(windowAt(QStringLiteral("2:21")).isEmpty());
    // The last verse of sura 2 pairs with nothing from sura 3.
    EXPECT_FALSE(out.contains(QStringLiteral("[2:286]")));

    // Only the first verse of each window.
    c<QCheckBox>(QStringLiteral("cShowFirst"))->setChecked(true);
    openPanel();
    go(QStringLiteral("+mercy +forgive"));
    const QString first = f.msgText();
    EXPECT_EQ(first.count(kDashes), out.count(kDashes));
    EXPECT_TRUE(first.contains(QStringLiteral("\r\n[2:14] Test line 2:14 and forgive.\r\n") + kDashes));
    EXPECT_TRUE(first.contains(QStringLiteral("\r\n[2:35] Test line 2:35 with mercy and forgive.\r\n") + kDashes));
    EXPECT_FALSE(first.contains(QStringLiteral("[2:15]")));

    // Without an operator nothing is searched; letter case holds with Letter-case.
    openPanel();
    go(QStringLiteral("mercy forgive"));
    EXPECT_TRUE(f.msgText().isEmpty());
    c<QCheckBox>(QStringLiteral("Check1"))->setChecked(true);
    c<QCheckBox>(QStringLiteral("cShowFirst"))->setChecked(false);
    openPanel();
    go(QStringLiteral("+Test +MERCY"));
    EXPECT_TRUE(f.msgText().isEmpty());
    openPanel();
    go(QStringLiteral("+Test +mercy"));
    EXPECT_FALSE(f.msgText().isEmpty());
    // The words used are cleared, their codes left as "0".
    EXPECT_TRUE(m().state().searchWords[1].empty());
    EXPECT_EQ(m().state().searchOps[1], "0");

    // A sura chosen afterwards gives the reading pane its usual width.
    m().setSuraIndex(5);
    EXPECT_EQ(m().state().wideReading, 0);
}

TEST_F(SearchWindow, BlockSearchIsOnlyOfferedWithTheAdvancedPartShowing)
{
    openPanel();
    c<QCheckBox>(QStringLiteral("Check4"))->setChecked(true);
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchAdv")));
    go(QStringLiteral("+mercy +forgive"));
    EXPECT_TRUE(f.prompter().boxes().empty());
    EXPECT_EQ(page(), QStringLiteral("RESULT"));
    EXPECT_GT(list()->count(), 0);
}

TEST_F(SearchWindow, WordGroupsArePagedEditedAddedAndDeleted)
{
    ASSERT_TRUE(f.press(QStringLiteral("mnuWG")));
    auto& groups = ui().wordGroupPanel();
    EXPECT_TRUE(m().sidePanel(QStringLiteral("frameAltWords"))->isVisible());
    QScrollBar* bar = c<QScrollBar>(QStringLiteral("ScrGroup"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM SIMWORDS", m().state().connection));
    const int count = static_cast<int>(rs.field(0).toInt());
    ASSERT_GT(count, 3);
    EXPECT_EQ(bar->maximum(), count - 1);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(groups.txtWord(0)->text(), QStringLiteral("forgive"));

    // Moving the bar saves the group left behind.
    groups.txtWord(9)->setText(QStringLiteral("absolve"));
    bar->setValue(1);
    MainWindowFixture::settle();
    EXPECT_EQ(groups.txtWord(0)->text(), QStringLiteral("mercy"));
    ASSERT_TRUE(rs.open("SELECT SIMILAR9 FROM SIMWORDS WHERE WORDPHRASE='forgive'", m().state().connection));
    EXPECT_EQ(rs.field(0).toString(), "absolve");

    // An alternate typed into "Similar Word 3:" is used by the next "@" search.
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchShow")));
    areas({1});
    c<QRadioButton>(QStringLiteral("Op_1"))->click();
    c<QLineEdit>(QStringLiteral("txtSuraStart"))->setText(QStringLiteral("1"));
    c<QLineEdit>(QStringLiteral("txtSuraEnd"))->setText(QStringLiteral("1"));
    go(QStringLiteral("kindness@"));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1:5")});
    ASSERT_TRUE(f.press(QStringLiteral("mnuWG")));
    EXPECT_EQ(bar->value(), 1);  // the panel reopens where it was
    ASSERT_EQ(groups.txtWord(0)->text(), QStringLiteral("mercy"));
    groups.txtWord(3)->setText(QStringLiteral("opening"));
    ASSERT_TRUE(f.press(QStringLiteral("Command20")));
    ASSERT_TRUE(f.press(QStringLiteral("cmdSearchShow")));
    go(QStringLiteral("kindness@"));
    // 1:1 is "In the name of Allah, the test opening line": found through the group.
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("1:1"), QStringLiteral("1:5")}));
    const auto& words = m().state().searchWords;
    const auto used = words.begin() + m().state().searchWordCount;
    EXPECT_NE(std::find(words.begin(), used, "opening"), used);

    // NEW GROUP adds an empty group last; DELETE GROUP takes one away.
    ASSERT_TRUE(f.press(QStringLiteral("mnuWG")));
    ASSERT_TRUE(f.press(QStringLiteral("cmdNewGroup")));
    EXPECT_EQ(bar->maximum(), count);
    EXPECT_EQ(bar->value(), count);
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(groups.txtWord(i)->text().isEmpty()) << i;
    groups.txtWord(0)->setText(QStringLiteral("lamp"));
    ASSERT_TRUE(f.press(QStringLiteral("Command20")));
    ASSERT_TRUE(rs.open("SELECT count(*) FROM SIMWORDS WHERE WORDPHRASE='lamp'", m().state().connection));
    EXPECT_EQ(rs.field(0).toInt(), 1);
    ASSERT_TRUE(f.press(QStringLiteral("cmdDeleteGroup")));
    EXPECT_EQ(bar->maximum(), count - 1);
    EXPECT_EQ(bar->value(), count - 1);
    ASSERT_TRUE(rs.open("SELECT count(*) FROM SIMWORDS", m().state().connection));
    EXPECT_EQ(rs.field(0).toInt(), count);
    ASSERT_TRUE(rs.open("SELECT count(*) FROM SIMWORDS WHERE WORDPHRASE='lamp'", m().state().connection));
    EXPECT_EQ(rs.field(0).toInt(), 0);
    EXPECT_TRUE(f.prompter().boxes().empty());
}

TEST_F(SearchWindow, WordGroupsWhenNoneAreLeft)
{
    ASSERT_TRUE(m().state().connection.execute("DELETE FROM SIMWORDS"));
    ASSERT_TRUE(f.press(QStringLiteral("mnuWG")));
    auto& groups = ui().wordGroupPanel();
    EXPECT_FALSE(c(QStringLiteral("ScrGroup"))->isEnabled());
    EXPECT_FALSE(c(QStringLiteral("cmdDeleteGroup"))->isEnabled());
    ASSERT_TRUE(f.press(QStringLiteral("cmdNewGroup")));
    EXPECT_EQ(groups.scrGroup()->maximum(), 0);
    EXPECT_TRUE(groups.txtWord(0)->isEnabled());
    groups.txtWord(0)->setText(QStringLiteral("first"));
    ASSERT_TRUE(f.press(QStringLiteral("Command20")));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT WORDPHRASE FROM SIMWORDS", m().state().connection));
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.field(0).toString(), "first");
}

TEST_F(SearchWindow, SearchWordsAreHighlightedInEveryShownVerse)
{
    openPanel();
    areas({1});
    c<QCheckBox>(QStringLiteral("Check5"))->setChecked(true);
    go(QStringLiteral("ALLAH +Mercy"));
    EXPECT_EQ(hl(0), QStringLiteral("ALLAH"));
    EXPECT_EQ(hl(1), QStringLiteral("Mercy"));
    EXPECT_TRUE(hl(2).isEmpty());
    const int shown = f.msgText().count(QStringLiteral("Test line"));
    ASSERT_GE(shown, 20);
    const Marks allah = marks(QStringLiteral("allah")), mercy = marks(QStringLiteral("mercy"));
    // Every verse shown has both words, and so has the header.
    EXPECT_EQ(allah.found, shown + 1);
    EXPECT_EQ(allah.marked, allah.found);
    EXPECT_EQ(mercy.found, shown + 1);
    EXPECT_EQ(mercy.marked, mercy.found);
    EXPECT_EQ(marks(QStringLiteral("line")).marked, 0);

    // Clicking a row alone keeps the words marked.
    list()->item(60)->setSelected(true);
    MainWindowFixture::settle();
    EXPECT_GT(marks(QStringLiteral("mercy")).marked, 0);

    // With "Ignore Special Char (Normal)" the boxes stay empty: nothing is marked.
    openPanel();
    c<QCheckBox>(QStringLiteral("Check3"))->click();
    go(QStringLiteral("ALLAH +Mercy"));
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(hl(i).isEmpty()) << i;
    EXPECT_EQ(marks(QStringLiteral("mercy")).marked, 0);
    EXPECT_EQ(m().reading().msg()->model().rtf().find("\\highlight"), std::string::npos);

    // A word with an apostrophe is kept doubled, as searched, and marked as written.
    openPanel();
    c<QCheckBox>(QStringLiteral("Check3"))->click();
    c<QCheckBox>(QStringLiteral("Check5"))->setChecked(true);
    go(QStringLiteral("Allah's"));
    EXPECT_EQ(hl(0), QStringLiteral("Allah''s"));
    EXPECT_EQ(marks(QStringLiteral("allah's")).marked, 1);  // in the header

    // Of more than 13 words the first 13 are kept.
    openPanel();
    QStringList words;
    for (int i = 1; i <= 15; ++i)
        words << QStringLiteral("w%1").arg(i);
    go(words.join(u'/'));
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(hl(i), words[i]) << i;
}

TEST_F(SearchWindow, HighlightPanelMarksTypedWordsInTheChosenColour)
{
    m().setSuraIndex(2);
    list()->setCurrentRow(4, QItemSelectionModel::NoUpdate);  // verse 4
    ASSERT_TRUE(f.press(QStringLiteral("mnuHighlight")));
    EXPECT_TRUE(m().sidePanel(QStringLiteral("frameHL"))->isVisible());
    EXPECT_TRUE(c(QStringLiteral("txtHL_0"))->hasFocus());
    c<QLineEdit>(QStringLiteral("txtHL_5"))->setText(QStringLiteral("TEST LINE"));
    m().control<QComboBox>(QStringLiteral("cboWord"))->setCurrentText(QStringLiteral("Green"));
    ASSERT_TRUE(f.press(QStringLiteral("Command28")));
    EXPECT_FALSE(m().leftExpanded());
    EXPECT_TRUE(list()->hasFocus());
    EXPECT_TRUE(f.msgText().contains(QStringLiteral("[2:4] Test line 2:4")));
    const Marks found = marks(QStringLiteral("test line"), 65280);
    EXPECT_GE(found.found, 1);
    EXPECT_EQ(found.marked, found.found);

    // Emptied boxes mark nothing at the next display.
    ui().highlightPanel().ClearHL();
    ASSERT_TRUE(f.press(QStringLiteral("Command28")));
    EXPECT_EQ(marks(QStringLiteral("test line"), 65280).marked, 0);
}

TEST_F(SearchWindow, SearchOptionsAreKeptBetweenRuns)
{
    openPanel();
    areas({3, 8});
    c<QRadioButton>(QStringLiteral("opOrder_1"))->click();
    c<QRadioButton>(QStringLiteral("Op_1"))->click();
    c<QLineEdit>(QStringLiteral("txtVD"))->setText(QStringLiteral("4"));
    c<QLineEdit>(QStringLiteral("txtSearch"))->setText(QStringLiteral("mercy +lord"));
    m().close();
    auto stored = [&](const char* key) {
        return f.settings().get(QStringLiteral("zerafin"), QStringLiteral("zerafin"), QString::fromLatin1(key));
    };
    EXPECT_EQ(stored("Areas(3).value"), QStringLiteral("1"));
    EXPECT_EQ(stored("Areas(1).value"), QStringLiteral("0"));
    EXPECT_EQ(stored("opOrder(1).value"), QStringLiteral("True"));
    EXPECT_EQ(stored("op(1).value"), QStringLiteral("True"));
    EXPECT_EQ(stored("txtVD.text"), QStringLiteral("4"));
    EXPECT_EQ(stored("txtSearch.text"), QStringLiteral("mercy +lord"));

    // A window loaded with these settings shows them, its boxes enabled to match.
    MainWindowFixture again(false);
    LoadSettings(again.main(), f.settings(), QStringLiteral("zerafin"));
    ASSERT_TRUE(again.press(QStringLiteral("cmdSearchShow")));
    auto w = [&](const char* name) { return again.main().control<QWidget>(QString::fromLatin1(name)); };
    EXPECT_TRUE(qobject_cast<QCheckBox*>(w("Areas_8"))->isChecked());
    EXPECT_FALSE(qobject_cast<QCheckBox*>(w("Areas_1"))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(w("opOrder_1"))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(w("Op_1"))->isChecked());
    EXPECT_TRUE(w("txtSuraStart")->isEnabled());
    EXPECT_FALSE(w("txtSuras")->isEnabled());
    EXPECT_EQ(qobject_cast<QLineEdit*>(w("txtSearch"))->text(), QStringLiteral("mercy +lord"));
}
