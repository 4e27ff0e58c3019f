#pragma once

#include "shell/main_state.h"

#include <string>
#include <string_view>
#include <vector>

// The main window's geometry as plain arithmetic in twips: where the top bar,
// the left column with its side panels, the right frame with the verse list
// and the reading pane, and the bottom bar go for a given window size and
// state. The window converts the rectangles to pixels and applies them by
// objectName; nothing here knows about widgets.
namespace layout {

inline constexpr int kExpandedLeftWidth = 4935;
inline constexpr int kCollapsedLeftWidth = 240;
inline constexpr int kMinimumWidth = 7500;
// Below this height the bars and frames no longer fit; the window does not
// let itself be made smaller.
inline constexpr int kMinimumHeight = 9000;
// Share of the window height given to the left column and the right frame.
inline constexpr double kFrameHeightShare = 0.78;
// Extra reading width while the glossary, the index or block-search output is shown.
inline constexpr int kWideReading = MainState::kWideReading;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// One control's place, relative to its container: "" is the window's
// central area (below the menu bar, above the status bar); otherwise the
// objectName of the frame that holds it.
struct Placement {
    std::string name;
    std::string parent;
    Rect rect;
};

struct WindowState {
    int width = 0;   // the window's width in twips
    int height = 0;  // the window's height in twips, menu bar and status bar included
    bool leftExpanded = false;
    int wideReading = 0;
    int menuBarHeight = 330;
    int statusBarHeight = 330;
    // The width the verse list's longest entry needs (0: the usual width);
    // the list widens to it, up to a third of the right frame.
    int listWidth = 0;
};

struct MainLayout {
    // The width the window must take: a window not wider than the minimum
    // is set to the minimum.
    int windowWidth = 0;
    std::vector<Placement> placements;
    // The caption of the column's collapse button: "X" expanded, "-" collapsed.
    std::string leftframecloseCaption;

    // The placement of one control; a zero rectangle when there is none.
    Rect rect(std::string_view name) const;
    const Placement* find(std::string_view name) const;
};

// Form_Resize: Resizebottombar, resizetopbar and resizeframes for this
// size and state, after the minimum-width rule.
MainLayout computeLayout(const WindowState& state);

// The minimum-width rule on its own.
int enforceMinimumWidth(int width);

// The side panels of the left column; exactly one is visible at a time.
const std::vector<std::string_view>& sidePanels();

// Twips to pixels: 15 twips per pixel at 96 dpi, scaled with the screen's
// logical dpi. Rectangles are converted edge by edge so that neighbours
// stay flush.
int twipsToPixels(int twips, double logicalDpi = 96.0);
int pixelsToTwips(int pixels, double logicalDpi = 96.0);
Rect toPixels(const Rect& twips, double logicalDpi = 96.0);

// ---- the bars and menus as data -----------------------------------------

struct TopBarControl {
    std::string_view name;
    std::string_view caption;
    double designWidth;  // out of a design width of 11400
};
// In placing order, from the right edge leftwards. comboApp and sqCh share
// one place (one of them is visible).
const std::vector<TopBarControl>& topBar();

struct BottomBarButton {
    std::string_view name;
    std::string_view caption;
    double fraction;  // of the window width
};
// Left to right.
const std::vector<BottomBarButton>& bottomBar();

struct MenuEntry {
    std::string_view name;  // empty for a separator line
    std::string_view caption;
    bool separator() const { return name.empty(); }
};
struct Menu {
    std::string_view name;
    std::string_view caption;
    // Shown only as a pop-up menu (of the result list or the reading pane),
    // never on the menu bar.
    bool popupOnly = false;
    // Empty: the menu-bar item is itself the command.
    std::vector<MenuEntry> entries;
};
// In menu-bar order.
const std::vector<Menu>& menus();

// The main window's function keys (key-up anywhere in the window, with any
// modifiers): key name "F2" … "Escape", the command it runs and the caption
// of that command's control. F1 and F12 have none.
struct FunctionKey {
    std::string_view key;
    std::string_view command;
    std::string_view caption;
};
const std::vector<FunctionKey>& functionKeys();

}  // namespace layout
