// zerafin on a machine without a display: a plain explanation and a
// failing status, not the platform plugin's abort.
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::runProgram;

namespace {

const std::string zerafin() { return (testing_support::binDir() / "zerafin").string(); }

void expectExplained(const testing_support::RunResult& r)
{
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("no display"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("xvfb-run -a make run"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("zerafin-cli"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("qt.qpa"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("plugin"), std::string::npos) << r.err;
    EXPECT_LE(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
}

}  // namespace

TEST(NoDisplay, ZerafinSaysSoAndHowToRunItAnyway)
{
    expectExplained(runProgram({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", zerafin()}));
    // Asking for X or Wayland by name without one is no different.
    expectExplained(runProgram({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb", zerafin()}));
    expectExplained(runProgram({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "DISPLAY=", "QT_QPA_PLATFORM=wayland",
                                zerafin()}));
}

TEST(NoDisplay, APlatformThatNeedsNoDisplayStillStarts)
{
    if (!testing_support::fullTextAvailable())
        GTEST_SKIP() << "the build's text database is not there";
    // Start, show the first verse, and stop.
    auto r = runProgram({"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=offscreen",
                         "QTWEBENGINE_DISABLE_SANDBOX=1", "ZERAFIN_REPORT_STARTUP=1", zerafin()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("first verse shown"), std::string::npos) << r.out << r.err;
}
