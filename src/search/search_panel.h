#pragma once

#include "search/block_search.h"
#include "search/query.h"
#include "search/search_panel_state.h"

#include "ui/panel_frame.h"

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;

// The search panel of the left column (frameSearch): the search box with
// "Go" and "Advanced", and below them the advanced part (frameSearchAdv)
// with the search areas, the options, the sura scope, the order and the
// block search. It also holds the hidden result list TmpList. Every
// control carries its documented objectName, so that the settings are
// kept and restored by name.
//
// The panel keeps its controls' enabled states and colours in step with
// the option rules of search_panel_state.h; the commands read the
// controls through options(), areas() and blockOptions().
class SearchPanel : public PanelFrame {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget* parent = nullptr);

    QLineEdit* txtSearch() const { return txtSearch_; }
    QPushButton* cmdSearch() const { return cmdSearch_; }
    QPushButton* cmdSearchAdv() const { return cmdSearchAdv_; }
    QFrame* frameSearchAdv() const { return frameSearchAdv_; }
    QListWidget* tmpList() const { return tmpList_; }
    QCheckBox* area(int index) const { return areas_.at(static_cast<size_t>(index)); }
    QCheckBox* check(int number) const;  // Check1 … Check5
    QCheckBox* cShowFirst() const { return cShowFirst_; }
    QLineEdit* txtVD() const { return txtVD_; }

    // "Advanced <": the area search runs; "Advanced >": the simple search.
    bool advancedOpen() const;
    void setAdvancedOpen(bool open);
    // The advanced part is shown (its own flag: it stays set while the
    // whole panel is out of sight).
    bool advancedVisible() const;
    void setAdvancedVisible(bool visible);

    search::SearchOptions options() const;
    search::AreaSet areas() const;
    search::BlockOptions blockOptions() const;
    bool chronological() const;

    // The controls as option state, and back (checks, enabled states,
    // colours, focus).
    search::SearchPanelState panelState() const;
    void applyPanelState(const search::SearchPanelState& state);

    // The option rules, run when the reader clicks the control.
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Op_Click(int index);
    // Opening the panel: stored settings made consistent with the rules.
    void settle();

private:
    QWidget* buildAdvanced();

    QLineEdit* txtSearch_ = nullptr;
    QPushButton* cmdSearch_ = nullptr;
    QPushButton* cmdSearchAdv_ = nullptr;
    QScrollArea* advancedScroll_ = nullptr;
    QFrame* frameSearchAdv_ = nullptr;
    QListWidget* tmpList_ = nullptr;
    std::array<QCheckBox*, search::kAreaCount> areas_{};
    std::array<QCheckBox*, 5> checks_{};
    QCheckBox* cShowFirst_ = nullptr;
    std::array<QRadioButton*, 3> op_{};
    std::array<QRadioButton*, 2> opOrder_{};
    QLineEdit* txtSuraStart_ = nullptr;
    QLineEdit* txtSuraEnd_ = nullptr;
    QLineEdit* txtSuras_ = nullptr;
    QLineEdit* txtVD_ = nullptr;
};
