#include "app/main_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

using namespace layout;

namespace {

WindowState windowOf(int widthPx, int heightPx, bool expanded, int wide = 0)
{
    return {widthPx * 15, heightPx * 15, expanded, wide, 330, 330};
}

// Controls that share a place on purpose: one of them is visible at a time.
bool alternates(const std::string& a, const std::string& b)
{
    static const std::set<std::string> panels(sidePanels().begin(), sidePanels().end());
    auto pair = [&](const char* x, const char* y) { return (a == x && b == y) || (a == y && b == x); };
    return (panels.count(a) && panels.count(b)) || pair("comboApp", "sqCh") || pair("Msg", "wb") ||
           pair("lblPage", "wb") || pair("VerseList", "wb") || pair("Command3", "wb") || pair("Command2", "wb") ||
           pair("Command9", "wb") || pair("Command8", "wb") || pair("cmbList", "wb") || pair("Msg", "VerseList") ||
           pair("Msg", "Command3") || pair("Msg", "Command2") || pair("Msg", "Command9") || pair("Msg", "Command8") || pair("Msg", "cmbList") ||
           pair("Msg", "lblPage") || pair("cmdGoBack", "Command9") || pair("cmdGoBack", "Command8") ||
           pair("cmdGoBack", "wb") || pair("Msg", "cmdGoBack");
}

bool overlap(const Rect& a, const Rect& b)
{
    return a.left < b.right() && b.left < a.right() && a.top < b.bottom() && b.top < a.bottom();
}

}  // namespace

TEST(Layout, CollapsingTheLeftColumnGivesItsWidthToTheReadingPane)
{
    const auto open = computeLayout(windowOf(1400, 900, true));
    const auto shut = computeLayout(windowOf(1400, 900, false));
    EXPECT_EQ(open.rect("LeftFrame").width, 4935);
    EXPECT_EQ(shut.rect("LeftFrame").width, 240);
    EXPECT_EQ(open.rect("RightFrame").left - shut.rect("RightFrame").left, 4695);
    EXPECT_EQ(shut.rect("RightFrame").width - open.rect("RightFrame").width, 4695);
    EXPECT_EQ(shut.rect("Msg").width - open.rect("Msg").width, 4695);
    EXPECT_EQ(shut.rect("wb").width - open.rect("wb").width, 4695);
    EXPECT_EQ(open.leftframecloseCaption, "X");
    EXPECT_EQ(shut.leftframecloseCaption, "-");
    // The collapse button sits at the column's right edge, or at 0 when collapsed.
    EXPECT_EQ(open.rect("leftframeclose").left, 4935 - open.rect("leftframeclose").width);
    EXPECT_EQ(shut.rect("leftframeclose").left, 0);
}

TEST(Layout, FrameArithmetic)
{
    const auto l = computeLayout(windowOf(1400, 900, true));
    const Rect left = l.rect("LeftFrame"), right = l.rect("RightFrame");
    EXPECT_EQ(right.left, left.left + left.width + 120);
    EXPECT_EQ(right.width, 21000 - right.left - 240);
    EXPECT_EQ(left.height, static_cast<int>(std::lround(0.78 * 13500)));
    EXPECT_EQ(right.height, left.height);
    EXPECT_EQ(l.rect("Msg").left, 1080);
    EXPECT_EQ(l.rect("Msg").width, right.width - 1200);
    EXPECT_EQ(l.rect("Msg").height, right.height - 360);
    EXPECT_EQ(l.rect("wb").width, right.width - 240);
    EXPECT_EQ(l.rect("VerseList").height, right.height - 3150);
    EXPECT_EQ(l.rect("bottomFrame").width, 21000);
    EXPECT_EQ(l.rect("bottomFrame").top, right.top + right.height + 120);
    for (auto panel : sidePanels()) {
        EXPECT_EQ(l.rect(panel).width, left.width - 240) << panel;
        EXPECT_EQ(l.rect(panel).height, left.height - 420) << panel;
    }
    // The four list buttons and the result category list stack under the
    // list, in this order.
    int y = l.rect("VerseList").bottom();
    for (auto name : {"Command3", "Command2", "Command9", "Command8", "cmbList"}) {
        EXPECT_GT(l.rect(name).top, y) << name;
        y = l.rect(name).bottom();
    }
    EXPECT_LE(y, right.height);
}

TEST(Layout, WideReadingTakesTheVerseListsSide)
{
    const auto normal = computeLayout(windowOf(1400, 900, false));
    const auto wide = computeLayout(windowOf(1400, 900, false, kWideReading));
    EXPECT_EQ(wide.rect("Msg").left, 120);
    EXPECT_EQ(wide.rect("Msg").width, normal.rect("Msg").width + 960);
    EXPECT_EQ(wide.rect("Msg").right(), normal.rect("Msg").right());
}

TEST(Layout, TheVerseListWidensForItsLongestEntry)
{
    const auto usual = computeLayout(windowOf(1400, 900, false));
    WindowState s = windowOf(1400, 900, false);
    s.listWidth = 1500;
    const auto widened = computeLayout(s);
    for (auto name : {"lblPage", "VerseList", "Command3", "Command2", "Command9", "Command8", "cmdGoBack", "cmbList"})
        EXPECT_EQ(widened.rect(name).width, 1500) << name;
    // The reading pane gives up what the list takes, and keeps its right edge.
    EXPECT_EQ(widened.rect("Msg").left, widened.rect("VerseList").right() + 60);
    EXPECT_EQ(widened.rect("Msg").right(), usual.rect("Msg").right());
    // Never narrower than usual, never more than a third of the frame.
    s.listWidth = 100;
    EXPECT_EQ(computeLayout(s).rect("VerseList").width, usual.rect("VerseList").width);
    s.listWidth = 100000;
    EXPECT_EQ(computeLayout(s).rect("VerseList").width, computeLayout(s).rect("RightFrame").width / 3);
    // "Back to the Search List" sits under the list, where the page buttons go.
    EXPECT_GT(usual.rect("cmdGoBack").top, usual.rect("VerseList").bottom());
    EXPECT_EQ(usual.rect("cmdGoBack").top, usual.rect("Command9").top);
    EXPECT_EQ(usual.rect("cmdGoBack").bottom(), usual.rect("Command8").bottom());
}

TEST(Layout, MinimumWidthSnapsBack)
{
    EXPECT_EQ(enforceMinimumWidth(6000), 7500);
    EXPECT_EQ(enforceMinimumWidth(7500), 7500);
    EXPECT_EQ(enforceMinimumWidth(7501), 7501);
    WindowState narrow = windowOf(300, 900, false);
    const auto l = computeLayout(narrow);
    EXPECT_EQ(l.windowWidth, 7500);
    EXPECT_EQ(l.rect("bottomFrame").width, 7500);
    EXPECT_EQ(l.rect("RightFrame").right(), 7500 - 240);
}

TEST(Layout, BottomBarSharesTheWidthByItsFractions)
{
    for (int px : {500, 1024, 1400, 1921}) {
        const auto l = computeLayout(windowOf(px, 900, false));
        const int W = l.windowWidth;
        int edge = 0;
        for (const auto& b : bottomBar()) {
            const Rect r = l.rect(b.name);
            EXPECT_EQ(r.left, edge) << b.name << " at " << px;
            EXPECT_NEAR(r.width, b.fraction * W, 1.0) << b.name << " at " << px;
            edge = r.right();
        }
        EXPECT_EQ(edge, W);
    }
}

TEST(Layout, TopBarRunsRightToLeftAndStaysInsideTheWindow)
{
    for (int px : {500, 1400}) {
        const auto l = computeLayout(windowOf(px, 900, true));
        const int W = l.windowWidth;
        int right = l.rect("Command6").right();
        EXPECT_LE(right, W);
        for (const auto& c : topBar()) {
            const Rect r = l.rect(c.name);
            EXPECT_EQ(r.right(), right) << c.name;
            if (c.name != "comboApp") {
                EXPECT_NEAR(r.width, c.designWidth * W / 11400.0, 1.0) << c.name;
            }
            right = r.left;
        }
        // The design widths add up to more than 11400: the leftmost button
        // must still start inside the window.
        EXPECT_GE(l.rect("cmdProc").left, 0);
        EXPECT_EQ(l.rect("sqCh"), l.rect("comboApp"));
        EXPECT_GT(l.rect("sqCh").width, 0.3 * W);
    }
}

TEST(Layout, NothingOverlapsOrLeavesItsContainer)
{
    for (auto [px, py] : {std::pair{1400, 900}, std::pair{500, 900}, std::pair{500, 600}, std::pair{1920, 1200}}) {
        for (bool expanded : {true, false}) {
            for (int wide : {0, kWideReading}) {
                const auto l = computeLayout(windowOf(px, py, expanded, wide));
                std::map<std::string, Rect> containers = {
                    {"", {0, 0, l.windowWidth, py * 15 - 660}}};
                for (const char* c : {"LeftFrame", "RightFrame", "bottomFrame"})
                    containers[c] = l.rect(c);
                for (const auto& p : l.placements) {
                    const Rect box = containers.at(p.parent);
                    const std::string where = p.name + " at " + std::to_string(px) + "x" + std::to_string(py) +
                                              (expanded ? " open" : " closed") + " wide " + std::to_string(wide);
                    EXPECT_GE(p.rect.left, 0) << where;
                    EXPECT_GE(p.rect.top, 0) << where;
                    EXPECT_LE(p.rect.right(), box.width) << where;
                    EXPECT_LE(p.rect.bottom(), box.height) << where;
                    for (const auto& q : l.placements) {
                        if (&p == &q || p.parent != q.parent || alternates(p.name, q.name))
                            continue;
                        if (p.rect.width == 0 || q.rect.width == 0)
                            continue;
                        EXPECT_FALSE(overlap(p.rect, q.rect)) << where << " overlaps " << q.name;
                    }
                }
            }
        }
    }
}

TEST(Layout, TwipsAndPixels)
{
    EXPECT_EQ(twipsToPixels(7500), 500);
    EXPECT_EQ(twipsToPixels(4935), 329);
    EXPECT_EQ(twipsToPixels(7500, 192.0), 1000);
    EXPECT_EQ(pixelsToTwips(500), 7500);
    EXPECT_EQ(pixelsToTwips(1000, 192.0), 7500);
    // Neighbours stay flush after conversion.
    const Rect a{0, 0, 737, 100}, b{737, 0, 752, 100};
    EXPECT_EQ(toPixels(a).left + toPixels(a).width, toPixels(b).left);
}

TEST(LayoutData, MenusAndKeys)
{
    std::set<std::string_view> names;
    int popups = 0;
    for (const auto& m : menus()) {
        EXPECT_TRUE(names.insert(m.name).second) << m.name;
        popups += m.popupOnly;
        // No menu starts or ends with a separator, and none has two in a row.
        for (size_t i = 0; i < m.entries.size(); ++i) {
            const auto& e = m.entries[i];
            if (e.separator()) {
                EXPECT_GT(i, 0u) << m.name;
                EXPECT_LT(i + 1, m.entries.size()) << m.name;
                EXPECT_FALSE(m.entries[i - 1].separator()) << m.name;
                continue;
            }
            EXPECT_TRUE(names.insert(e.name).second) << e.name;
            EXPECT_FALSE(e.caption.empty()) << e.name;
        }
    }
    EXPECT_EQ(popups, 2);
    EXPECT_EQ(menus().front().name, "mnuDisplaySep");
    double sum = 0;
    for (const auto& b : bottomBar())
        sum += b.fraction;
    EXPECT_NEAR(sum, 1.0, 1e-6);
    std::set<std::string_view> keys;
    for (const auto& k : functionKeys())
        keys.insert(k.key);
    EXPECT_FALSE(keys.count("F1"));
    EXPECT_FALSE(keys.count("F12"));
    EXPECT_EQ(keys.size(), 11u);
}
