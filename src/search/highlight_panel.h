#pragma once

#include "search/highlight.h"

#include "ui/panel_frame.h"

#include <array>

class QLineEdit;
class QPushButton;
class Navigation;
class Shell;

// The highlight panel (frameHL): thirteen boxes txtHL_0 … txtHL_12 whose
// words the verse display marks wherever they occur in the reading pane,
// and the "Highlight" button that shows the current verses again with
// them.
class HighlightPanel : public PanelFrame {
    Q_OBJECT
public:
    HighlightPanel(Shell& main, Navigation& navigation, QWidget* parent = nullptr);

    QLineEdit* box(int index) const { return boxes_.at(static_cast<size_t>(index)); }
    search::HighlightWords words() const;
    void setWords(const search::HighlightWords& words);

    void mnuHighlight_Click();
    void Command28_Click();  // "Highlight"
    void ClearHL();

private:
    Shell& main_;
    Navigation& navigation_;
    std::array<QLineEdit*, search::kHighlightBoxes> boxes_{};
    QPushButton* command28_ = nullptr;
};
