#include "app/main_layout.h"

#include <algorithm>
#include <cmath>

namespace layout {

namespace {

// Vertical placement of the bars (ours to choose): the top bar sits under
// the menu bar with a small margin, the frames start under it, and the
// bottom bar fills the space between the frames and the status bar with its
// buttons centred in it.
constexpr int kTopBarTop = 90;
constexpr int kTopBarHeight = 390;
constexpr int kFramesTop = kTopBarTop + kTopBarHeight + 90;
constexpr int kBarMargin = 60;
constexpr int kFrameGap = 120;
// Room for a caption on two lines: the bar's buttons get narrow.
constexpr int kBottomBarMinHeight = 600;
constexpr int kBottomButtonMinHeight = 480;
constexpr int kBottomButtonMaxHeight = 600;
constexpr int kLeftFrameLeft = 60;
constexpr int kRightMargin = 240;
constexpr double kTopBarDesignWidth = 11400.0;

// Inside the left column: the collapse button in the strip at its right.
constexpr int kCloseButtonWidth = 240;
constexpr int kCloseButtonHeight = 300;
constexpr int kPanelTop = 240;

// Inside the right frame: the mode caption and the verse list in the strip
// left of the reading pane, the four list buttons stacked under the list.
constexpr int kListLeft = 60;
constexpr int kListWidth = 960;
constexpr int kCaptionHeight = 240;
constexpr int kPaneTop = 240;
constexpr int kListButtonHeight = 510;
constexpr int kListButtonGap = 60;
// The result category list under the buttons (shown after an area search).
constexpr int kCategoryListHeight = 390;

int roundTwips(double v) { return static_cast<int>(std::lround(v)); }

Rect span(double left, double right, int top, int height)
{
    const int l = roundTwips(left);
    return {l, top, roundTwips(right) - l, height};
}

}  // namespace

Rect MainLayout::rect(std::string_view name) const
{
    const Placement* p = find(name);
    return p ? p->rect : Rect{};
}

const Placement* MainLayout::find(std::string_view name) const
{
    for (const auto& p : placements)
        if (p.name == name)
            return &p;
    return nullptr;
}

int enforceMinimumWidth(int width) { return width <= kMinimumWidth ? kMinimumWidth : width; }

const std::vector<std::string_view>& sidePanels()
{
    static const std::vector<std::string_view> panels = {
        "frameHL",     "frameAltWords", "frameNumDiv", "frameGV",     "frameBackup",
        "frameFootnotes", "frameGoToVerse", "frameAutoScroll", "frameTopics", "frameList",
        "frameSearch", "frameSearchAdv", "frameWrite",  "frameSettings", "frameRev",
    };
    return panels;
}

MainLayout computeLayout(const WindowState& state)
{
    MainLayout out;
    const int W = enforceMinimumWidth(state.width);
    const int H = state.height;
    out.windowWidth = W;
    auto place = [&](std::string_view name, std::string_view parent, Rect r) {
        out.placements.push_back({std::string(name), std::string(parent), r});
    };

    // Resizebottombar: fractions of the width, left to right from 0. Edges
    // are rounded from the running total so the buttons stay flush.
    const int central = std::max(H - state.menuBarHeight - state.statusBarHeight, 0);
    int frameHeight = roundTwips(kFrameHeightShare * H);
    frameHeight = std::clamp(central - kFramesTop - kFrameGap - kBottomBarMinHeight, 0, frameHeight);
    const int bottomTop = kFramesTop + frameHeight + kFrameGap;
    const int bottomHeight = std::max(central - bottomTop, 0);
    const int buttonHeight =
        std::min(std::clamp(bottomHeight - 2 * kBarMargin, kBottomButtonMinHeight, kBottomButtonMaxHeight), bottomHeight);
    const int buttonTop = (bottomHeight - buttonHeight) / 2;
    double edge = 0;
    for (const auto& b : bottomBar()) {
        const double next = edge + b.fraction * W;
        place(b.name, "bottomFrame", span(edge, std::min(next, double(W)), buttonTop, buttonHeight));
        edge = next;
    }

    // resizetopbar: design width × S / 11400, right to left from the right
    // edge. The design widths add up to a little more than 11400, so the
    // sura list, the one control that can spare it, gives up the difference
    // and the leftmost button is not cut off at the window's edge.
    const double scale = W / kTopBarDesignWidth;
    double buttonsWidth = 0;
    for (const auto& c : topBar())
        if (c.name != "comboApp")
            buttonsWidth += c.designWidth * scale;
    double right = W - kBarMargin;
    for (const auto& c : topBar()) {
        double width = c.designWidth * scale;
        if (c.name == "comboApp")
            width = std::clamp(W - 2.0 * kBarMargin - buttonsWidth, 0.0, width);
        const Rect r = span(right - width, right, kTopBarTop, kTopBarHeight);
        place(c.name, "", r);
        if (c.name == "comboApp")
            place("sqCh", "", r);
        right -= width;
    }

    // resizeframes.
    const int leftWidth = state.leftExpanded ? kExpandedLeftWidth : kCollapsedLeftWidth;
    const Rect leftFrame{kLeftFrameLeft, kFramesTop, leftWidth, frameHeight};
    const int rightLeft = leftFrame.left + leftFrame.width + kFrameGap;
    const Rect rightFrame{rightLeft, kFramesTop, std::max(W - rightLeft - kRightMargin, 0), frameHeight};
    place("LeftFrame", "", leftFrame);
    place("RightFrame", "", rightFrame);
    place("bottomFrame", "", {0, bottomTop, W, bottomHeight});

    out.leftframecloseCaption = state.leftExpanded ? "X" : "-";
    place("leftframeclose", "LeftFrame",
          {state.leftExpanded ? leftWidth - kCloseButtonWidth : 0, kPanelTop, kCloseButtonWidth, kCloseButtonHeight});
    const Rect panel{0, kPanelTop, std::max(leftWidth - 240, 0), std::max(frameHeight - 420, 0)};
    for (auto name : sidePanels())
        place(name, "LeftFrame", panel);

    const int wide = state.wideReading;
    const int rw = rightFrame.width, rh = rightFrame.height;
    const int listWidth = std::max(kListWidth, std::min(state.listWidth, rw / 3));
    place("lblPage", "RightFrame", {kListLeft, 0, listWidth, kCaptionHeight});
    const Rect list{kListLeft, kPaneTop, listWidth, std::max(rh - 2700 - kCategoryListHeight - kListButtonGap, 0)};
    place("VerseList", "RightFrame", list);
    int y = list.bottom() + kListButtonGap;
    const int buttonsTop = y;
    for (auto name : {"Command3", "Command2", "Command9", "Command8"}) {
        place(name, "RightFrame", {kListLeft, y, listWidth, kListButtonHeight});
        y += kListButtonHeight + kListButtonGap;
    }
    // "Back to the Search List" shows only while the two page buttons are
    // hidden, and takes their room under the list (never over the list).
    const int pageButtonsTop = buttonsTop + 2 * (kListButtonHeight + kListButtonGap);
    place("cmdGoBack", "RightFrame", {kListLeft, pageButtonsTop, listWidth, 2 * kListButtonHeight + kListButtonGap});
    place("cmbList", "RightFrame", {kListLeft, y, listWidth, kCategoryListHeight});
    // The reading pane starts past the list, or over it when reading wide.
    const int msgLeft = wide ? 1080 - wide : list.right() + 60;
    place("Msg", "RightFrame", {msgLeft, kPaneTop, std::max(rw - msgLeft - 120, 0), std::max(rh - 360, 0)});
    place("wb", "RightFrame", {120, kPaneTop, std::max(rw - 240, 0), std::max(rh - 360, 0)});
    return out;
}

int twipsToPixels(int twips, double logicalDpi) { return static_cast<int>(std::lround(twips * logicalDpi / 1440.0)); }

int pixelsToTwips(int pixels, double logicalDpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / (logicalDpi > 0 ? logicalDpi : 96.0)));
}

Rect toPixels(const Rect& r, double logicalDpi)
{
    const int left = twipsToPixels(r.left, logicalDpi), top = twipsToPixels(r.top, logicalDpi);
    return {left, top, twipsToPixels(r.right(), logicalDpi) - left, twipsToPixels(r.bottom(), logicalDpi) - top};
}

const std::vector<TopBarControl>& topBar()
{
    static const std::vector<TopBarControl> bar = {
        {"Command6", "Index", 985.372},
        {"chkShowApp", "Appendices", 1349.202},
        {"comboApp", "", 4259.84},
        {"Command4", "Introduction", 1349.202},
        {"Command1", "Glossary", 1106.649},
        {"cmdContents", "Contents", 1106.649},
        {"cmdProc", "Front Matter", 1349.202},
    };
    return bar;
}

const std::vector<BottomBarButton>& bottomBar()
{
    static const std::vector<BottomBarButton> bar = {
        {"cmdSearchShow", "Search (F2)", 0.096052632},
        {"cmdRandom", "Random (F3)", 0.098684211},
        {"mnuASV", "Auto Scroll (F4)", 0.125},
        {"mnuWFP", "Save Display (F5)", 0.180263158},
        {"Command5", "Go to Verse (F6)", 0.117105263},
        {"Command7", "Manage Topics (F7)", 0.138157895},
        {"Command11", "Footnotes (F9)", 0.122368421},
        {"cmdYourNote", "My Notes (F11)", 0.122368421},
    };
    return bar;
}

const std::vector<Menu>& menus()
{
    static const MenuEntry sep{};
    static const std::vector<Menu> all = {
        {"mnuDisplaySep", "&Display Separately", false, {}},
        {"mnuConcordance",
         "&Concordance",
         false,
         {{"mnuConcordVerses", "&Verses"}, {"mnuConcordST", "&Subtitles"}, {"mnuConcordFN", "&Footnotes"}}},
        {"mnuList",
         "&Lists",
         false,
         {{"mnuListSubtitles", "&Subtitles"},
          {"mnuListFootnotes", "&Footnotes"},
          {"mnuChroOrder", "Suras in Revelation Order"}}},
        {"mnuHighlight", "&Highlight", false, {}},
        {"mnuTools",
         "&Advanced",
         false,
         {{"mnuWG", "&Word Group/Alternate Words"},
          sep,
          {"mnuDiv", "&Number Division"},
          {"mnuGV", "&GV Calculator"},
          sep,
          {"mnuNotesTopics", "&Backup Notes && Topics"},
          sep,
          {"mnuSettings", "&Display Settings"}}},
        {"mnuVoice",
         "&Voice",
         false,
         {{"mnuReadDisplay", "Voice for display"},
          {"mnuReciteScroll", "Enable for All Verses"},
          sep,
          {"mnuStopRecitation", "Stop Reading"},
          {"mnuStopAll", "Disable for All Verses"}}},
        {"mnuHelp", "&Help", false, {{"mnutut", "Tutorial"}, {"mnuAbout", "About us"}}},
        {"mnuPopup1", "Popup1", true, {{"mnuGoToVerse", "&Go to Verse"}}},
        {"mnuRC",
         "RightClick",
         true,
         {{"mnuSAT", "Select All Text"},
          sep,
          {"mnuCST", "Copy Selected Text"},
          {"mnuCET", "Copy Entire Text "},
          {"mnuCsnf", "Copy Selected (no formatting)"},
          {"mnuCC", "Copy All (without formating)"},
          sep,
          {"mnuJumpCursor", "Jump to Verse Selected by Cursor"},
          sep,
          {"mnuSearchSelected", "Search Selected Word/Phrase"},
          {"mnuDict", "Get Dictionary Meaning from Merriam-Webster"}}},
    };
    return all;
}

const std::vector<FunctionKey>& functionKeys()
{
    static const std::vector<FunctionKey> keys = {
        {"F2", "cmdSearchShow_Click", "Search (F2)"},
        {"F3", "cmdRandom_Click", "Random (F3)"},
        {"F4", "mnuASV_Click", "Auto Scroll (F4)"},
        {"F5", "mnuWFP_Click", "Save Display (F5)"},
        {"F6", "Command5_Click", "Go to Verse (F6)"},
        {"F7", "Command7_Click", "Manage Topics (F7)"},
        {"F8", "cmdInsertVerse_Click", "INSERT VERSES (F8)"},
        {"F9", "Command11_Click", "Footnotes (F9)"},
        {"F10", "cmdDeleteVerse_click", "DELETE VERSES (F10)"},
        {"F11", "cmdYourNote_Click", "My Notes (F11)"},
        {"Escape", "leftframeclose_Click", "X"},
    };
    return keys;
}

}  // namespace layout
