#pragma once

#include "search/word_slots.h"

#include <QObject>

#include <string>
#include <vector>

class HighlightPanel;
class QListWidget;
class SearchPanel;
class WordGroupPanel;
class Navigation;
class Shell;

// The search in the main window: the search panel and its commands, the
// result list and its category filter, the block search into the reading
// pane, and the word-group and highlight panels. install() puts the panels
// into the left column and registers the commands under their names.
class SearchUi : public QObject {
    Q_OBJECT
public:
    // The highlight panel shows the verses again through navigation.
    SearchUi(Shell& main, Navigation& navigation);

    void install();

    SearchPanel& panel() const { return *panel_; }
    HighlightPanel& highlightPanel() const { return *highlight_; }
    WordGroupPanel& wordGroupPanel() const { return *groups_; }

    // ---- the search panel and the result list ------------------------------
    void cmdSearchShow_Click();
    void cmdSearchAdv_Click();
    void cmdSearch_Click();
    void cmdGoBack_Click() { cmdSearch_Click(); }
    void mnuSearchSelected_Click();
    void cmbList_Click();
    void Command2_Click();  // "Show All"
    void Command3_Click();  // "Clear"
    // The block search into the reading pane.
    void Search_Adv();

    // The rows of the last search, in order. The search owns them; the
    // hidden list TmpList shows them.
    const std::vector<std::string>& resultRows() const { return rows_; }
    void setResultRows(const std::vector<std::string>& rows);
    // The statements of the simple (or area) search for the text in the
    // search box, their rows put into the hidden result list. False when a
    // sura scope that is not numbers kept areas from being searched.
    bool searchIntoTmpList(bool area);

private:
    search::WordSlots wordSlots();
    void selectAll(bool on);
    // The search part of cmdSearch_Click: the statements, the rows, the
    // highlight boxes and the category filter. False as searchIntoTmpList.
    bool runSearch(bool area);

    Shell& main_;
    Navigation& navigation_;
    SearchPanel* panel_ = nullptr;
    HighlightPanel* highlight_ = nullptr;
    WordGroupPanel* groups_ = nullptr;
    std::vector<std::string> rows_;
};
