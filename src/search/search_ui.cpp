#include "search/search_ui.h"

#include "ui/panel_support.h"
#include "shell/commands.h"
#include "shell/main_state.h"
#include "shell/shell.h"
#include "shell/prompter.h"
#include "core/log.h"
#include "reading/reading_view.h"
#include "reading/richtext/rtf_reader.h"
#include "reading/verse_renderer.h"
#include "search/block_search.h"
#include "search/highlight.h"
#include "search/highlight_panel.h"
#include "search/result_list.h"
#include "search/search_panel.h"
#include "search/search_run.h"
#include "search/word_group_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopedValueRollback>

#include <algorithm>
#include <optional>

using ui::qs;

namespace {


void selectRange(QListWidget* list, int first, int last, bool on)
{
    if (last < first)
        return;
    const QItemSelection range(list->model()->index(first, 0), list->model()->index(last, 0));
    list->selectionModel()->select(range, on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

const std::string_view kMsgScopeRefused =
    "The suras to search must be sura numbers: two for Range of Suras, or a list separated by commas for "
    "Specified Suras (for example 2,3,23). Verses, subtitles and footnotes were not searched.";

void logFailures(const search::SearchRun& run)
{
    for (const auto& st : run.statements) {
        if (st.status == search::StatementRun::Status::Failed)
            db::logDb("search area %d: %s: %s", st.area, st.sql.c_str(), st.error.c_str());
        else if (st.status == search::StatementRun::Status::ScopeRefused)
            db::logDb("search area %d: the sura scope is not a number or a list of numbers", st.area);
    }
}

}  // namespace

SearchUi::SearchUi(Shell& main, Navigation& navigation)
    : QObject(&main.window()), main_(main), navigation_(navigation)
{
}

void SearchUi::install()
{
    panel_ = new SearchPanel;
    main_.installPanel(panel_);
    highlight_ = new HighlightPanel(main_, navigation_);
    main_.installPanel(highlight_);
    groups_ = new WordGroupPanel(main_);
    main_.installPanel(groups_);

    main_.bindButton(panel_->cmdSearch(), cmd::cmdSearch_Click);
    main_.bindButton(panel_->cmdSearchAdv(), cmd::cmdSearchAdv_Click);

    const std::initializer_list<std::pair<QLatin1String, Shell::Command>> commands = {
        {cmd::cmdSearchShow_Click, [this] { cmdSearchShow_Click(); }},
        {cmd::cmdSearchAdv_Click, [this] { cmdSearchAdv_Click(); }},
        {cmd::cmdSearch_Click, [this] { cmdSearch_Click(); }},
        {cmd::cmdGoBack_Click, [this] { cmdGoBack_Click(); }},
        {cmd::mnuSearchSelected_Click, [this] { mnuSearchSelected_Click(); }},
        {cmd::cmbList_Click, [this] { cmbList_Click(); }},
        {cmd::Command2_Click, [this] { Command2_Click(); }},
        {cmd::Command3_Click, [this] { Command3_Click(); }},
        {cmd::mnuHighlight_Click, [this] { highlight_->mnuHighlight_Click(); }},
        {cmd::Command28_Click, [this] { highlight_->Command28_Click(); }},
        {cmd::mnuWG_Click, [this] { groups_->mnuWG_Click(); }},
        {cmd::ScrGroup_Change, [this] { groups_->ScrGroup_Change(); }},
        {cmd::Command20_Click, [this] { groups_->Command20_Click(); }},
        {cmd::cmdNewGroup_Click, [this] { groups_->cmdNewGroup_Click(); }},
        {cmd::cmdDeleteGroup_Click, [this] { groups_->cmdDeleteGroup_Click(); }},
    };
    for (const auto& [name, command] : commands)
        main_.setCommand(name, command);
}

search::WordSlots SearchUi::wordSlots()
{
    MainState& s = main_.state();
    return {s.searchWords, s.searchOps, s.searchWordCount};
}

void SearchUi::setResultRows(const std::vector<std::string>& rows)
{
    rows_ = rows;
    // The hidden list only shows them, as it always has.
    QStringList items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& r : rows)
        items << QString::fromStdString(r);
    panel_->tmpList()->clear();
    panel_->tmpList()->addItems(items);
}

// ---------------------------------------------------------------- the panel

void SearchUi::cmdSearchShow_Click()
{
    main_.showSidePanel(panel_->objectName());
    panel_->setAdvancedVisible(true);
    panel_->setAdvancedOpen(true);
    panel_->settle();
    panel_->txtSearch()->setFocus(Qt::OtherFocusReason);
    panel_->txtSearch()->selectAll();
}

void SearchUi::cmdSearchAdv_Click()
{
    const bool open = !panel_->advancedOpen();
    panel_->setAdvancedVisible(open);
    panel_->setAdvancedOpen(open);
    panel_->txtSearch()->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------- the search

void SearchUi::cmdSearch_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();

    search::SearchPanelInput input;
    input.text = panel_->txtSearch()->text().toStdString();
    input.advancedOpen = panel_->advancedOpen();
    input.advancedVisible = panel_->advancedVisible();
    input.areas = panel_->areas();
    input.blockSearch = panel_->check(4)->isChecked();
    const search::SearchStep step = search::searchStep(input);
    if (step == search::SearchStep::MissingInput) {
        s.prompter->information(qs(search::kMsgMissingInput));
        return;
    }
    // Asked before anything changes: answering No leaves the list and the
    // reading pane as they were.
    if (step == search::SearchStep::AskBlockSearch && !s.prompter->askYesNo(qs(search::kMsgBlockConfirm)))
        return;

    auto busy = std::make_optional<ui::WaitCursor>();
    bool scopeTaken = true;
    panel_->txtSearch()->setText(qs(search::prepareSearchText(input.text)));
    // The list's check events do nothing until this is done, even if it throws.
    std::optional<QScopedValueRollback<bool>> quiet(std::in_place, s.loadingList, true);
    setResultRows({});
    main_.reading().verseList()->clear();
    r.showMSG();
    r.text().clear();

    if (step == search::SearchStep::AskBlockSearch) {
        r.showMSG();
        r.PageMode();
        s.wideReading = MainState::kWideReading;
        // The widened pane reaches over the (empty) verse list: it is in front.
        r.raiseText();
        Search_Adv();
    } else {
        r.setCategory(qs(search::kCategoryAfterSearch));
        s.generalRs.close();
        scopeTaken = runSearch(step == search::SearchStep::Area);
    }

    quiet.reset();
    main_.SquezeLeftFrame();
    r.text().setSelStart(0);
    busy.reset();
    // The other areas' hits are listed; the reader learns why these have none.
    if (!scopeTaken)
        s.prompter->information(qs(kMsgScopeRefused));
}

bool SearchUi::searchIntoTmpList(bool area)
{
    MainState& s = main_.state();
    const std::string text = panel_->txtSearch()->text().toStdString();
    const search::SearchRun run =
        area ? search::runAreaSearch(s.connection, text, wordSlots(), panel_->options(), panel_->areas(), s.SearchTables)
             : search::runSimpleSearch(s.connection, text, wordSlots(), panel_->options());
    logFailures(run);
    setResultRows(run.rows);
    return std::none_of(run.statements.begin(), run.statements.end(), [](const search::StatementRun& st) {
        return st.status == search::StatementRun::Status::ScopeRefused;
    });
}

bool SearchUi::runSearch(bool area)
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    r.setMode(ListMode::Result);
    s.resultPicked = 0;

    const bool scopeTaken = searchIntoTmpList(area);
    if (area) {
        r.showCategories(true);
    } else {
        r.setCategory(qs(search::kCategoryAfterSearch));
        r.showCategories(false);
    }

    highlight_->setWords(search::highlightWordsFromSearch(wordSlots(), panel_->advancedVisible(),
                                                          panel_->check(5)->isChecked(), panel_->check(3)->isChecked()));
    cmbList_Click();
    main_.reading().verseList()->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    r.focusText();
    r.showResultButtons();
    s.wideReading = 0;
    return scopeTaken;
}

void SearchUi::Search_Adv()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    s.generalRs.close();
    // The stored verses, subtitle and footnotes included, as the reader
    // sees them.
    const auto verses = search::readBlockVerses(s.connection, panel_->chronological(), richtext::rtfToPlainText);
    r.fordata().clear();
    r.text().clear();
    search::WordSlots words = wordSlots();
    const auto result = search::blockSearch(panel_->txtSearch()->text().toStdString(), verses,
                                            panel_->blockOptions(), &words);
    panel_->txtSearch()->setText(qs(result.searchBoxText));
    if (!result.output.empty())
        r.text().setSelText(result.output);
}

void SearchUi::mnuSearchSelected_Click()
{
    // A selection over several lines is searched as one line of words.
    QString selected = QString::fromStdString(main_.reading().text().selText());
    selected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const auto text = search::selectedSearchText(selected.toStdString());
    if (!text) {
        main_.state().prompter->information(qs(search::kMsgSelectFirst));
        return;
    }
    panel_->setAdvancedVisible(false);
    panel_->txtSearch()->setText(QString::fromStdString(*text));
    cmdSearch_Click();
}

// ---------------------------------------------------------------- the result list

void SearchUi::cmbList_Click()
{
    MainState& s = main_.state();
    ReadingView& r = main_.reading();
    QListWidget* list = main_.reading().verseList();

    // The list's check events do nothing until this is done, even if it throws.
    std::optional<QScopedValueRollback<bool>> quiet(std::in_place, s.loadingList, true);
    list->clear();
    s.resultPicked = 0;
    const search::FilteredList filtered = search::filterResults(resultRows(), r.category().toStdString());
    QStringList items;
    items.reserve(static_cast<qsizetype>(filtered.items.size()));
    for (const auto& item : filtered.items)
        items << QString::fromStdString(item);
    list->addItems(items);
    selectRange(list, 0, filtered.resultPicked - 1, true);
    s.resultPicked = filtered.resultPicked;

    auto& msg = r.text();
    msg.clear();
    msg.setSelAlignment(2);
    msg.setSelBold(true);
    msg.setSelText(search::resultHeader(panel_->txtSearch()->text().toStdString(), static_cast<size_t>(list->count())));
    msg.setSelBold(false);
    msg.setSelAlignment(0);

    s.keepHeader = true;
    quiet.reset();
    r.OpenVerse();
}

void SearchUi::selectAll(bool on)
{
    MainState& s = main_.state();
    QListWidget* list = main_.reading().verseList();
    // The list's check events do nothing until this is done, even if it throws.
    std::optional<QScopedValueRollback<bool>> quiet(std::in_place, s.loadingList, true);
    selectRange(list, 0, list->count() - 1, on);
    quiet.reset();
}

void SearchUi::Command2_Click()
{
    selectAll(true);
    main_.reading().OpenVerse();
}

void SearchUi::Command3_Click()
{
    selectAll(false);
    main_.reading().verseList()->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    main_.reading().OpenVerse();
}
