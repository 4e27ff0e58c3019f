#pragma once

#include "search/word_groups.h"

#include "ui/panel_frame.h"

#include <array>
#include <memory>

class QLineEdit;
class QPushButton;
class QScrollBar;
class Shell;

// The word-group panel (frameAltWords): one group of SIMWORDS at a time,
// paged with the scroll bar ScrGroup, edited in the ten boxes txtWord_0 …
// txtWord_9, saved, added and deleted with the three buttons. Moving to
// another group saves the one left behind.
class WordGroupPanel : public PanelFrame {
    Q_OBJECT
public:
    explicit WordGroupPanel(Shell& main, QWidget* parent = nullptr);
    ~WordGroupPanel() override;

    QScrollBar* scrGroup() const { return scrGroup_; }
    QLineEdit* txtWord(int index) const { return boxes_.at(static_cast<size_t>(index)); }

    void mnuWG_Click();
    void ShowAltWords();
    void SetScrollBar();
    void SetGroupFields();
    void ScrGroup_Change();
    void Command20_Click();  // "UPDATE GROUP"
    void cmdNewGroup_Click();
    void cmdDeleteGroup_Click();

private:
    search::WordGroups& groups();
    search::GroupFields boxes() const;
    void fillBoxes(const search::GroupFields& fields);
    // Sets the scroll bar without running ScrGroup_Change.
    void setScroll(int maximum, int value);
    void showPosition();
    void reportFailure(std::string_view message);

    Shell& main_;
    std::unique_ptr<search::WordGroups> groups_;
    QScrollBar* scrGroup_ = nullptr;
    std::array<QLineEdit*, search::kGroupFields> boxes_{};
    QPushButton* command20_ = nullptr;
    QPushButton* cmdNewGroup_ = nullptr;
    QPushButton* cmdDeleteGroup_ = nullptr;
    class QLabel* position_ = nullptr;
};
