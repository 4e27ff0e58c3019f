#include "core/file_exists.h"
#include "app/process_check.h"
#include "app/settings_keys.h"
#include "app/startup_logic.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace testing_support;
namespace fs = std::filesystem;

TEST(FileExists, FilesFoldersRootsAndWildcards)
{
    TempDir tmp;
    writeFile(tmp / "English.ttb", "x");
    writeFile(tmp / "Files" / "Appendix [1].htm", "x");

    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(FileExists((tmp / "English.ttb").string()));
    EXPECT_TRUE(FileExists(tmp.path().string()));
    EXPECT_TRUE(FileExists((tmp / "Files").string()));
    EXPECT_FALSE(FileExists((tmp / "French.ttb").string()));
    EXPECT_TRUE(FileExists("/"));
    // No drive letters here: a drive root never exists.
    EXPECT_FALSE(FileExists("C:\\"));

    EXPECT_TRUE(FileExists((tmp / "*.ttb").string()));
    EXPECT_TRUE(FileExists((tmp / "Engl?sh.ttb").string()));
    EXPECT_FALSE(FileExists((tmp / "*.mdb").string()));
    // Brackets are part of a name, not a character class.
    EXPECT_TRUE(FileExists((tmp / "Files" / "Appendix [1].htm").string()));
    EXPECT_TRUE(FileExists((tmp / "Files" / "Appendix [1]*").string()));
    EXPECT_FALSE(FileExists((tmp / "Files" / "Appendix 1*").string()));
}

TEST(StartupLogic, ProgressReadingAndPercent)
{
    auto r = startup::readProgress("9180");
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.barValue, 9180);
    EXPECT_EQ(startup::percentText(r.percent), "50%");

    r = startup::readProgress("18359");
    EXPECT_FALSE(r.done);
    EXPECT_EQ(startup::percentText(r.percent), "99%");

    EXPECT_TRUE(startup::readProgress("18360").done);
    EXPECT_TRUE(startup::readProgress("20000").done);

    // Nothing stored yet, or something that is not a number: 0.
    for (const char* s : {"", "abc", "12ab"}) {
        r = startup::readProgress(s);
        EXPECT_FALSE(r.done) << s;
        EXPECT_EQ(r.barValue, 0) << s;
        EXPECT_EQ(r.percent, 0) << s;
    }
    // A value the bar cannot show is shown as empty, not passed on.
    r = startup::readProgress("-50");
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.barValue, 0);
    EXPECT_EQ(r.percent, 0);
    EXPECT_EQ(startup::readProgress("183.6").percent, 1);
    EXPECT_EQ(startup::readProgress("183.5").percent, 0);
}

TEST(StartupLogic, CssSizeDecidesCompletion)
{
    TempDir tmp;
    EXPECT_FALSE(startup::initialisationComplete(tmp.path()));  // missing
    writeFile(tmp / "css", std::string(1999, 'c'));
    EXPECT_FALSE(startup::initialisationComplete(tmp.path()));
    writeFile(tmp / "css", std::string(2000, 'c'));
    EXPECT_TRUE(startup::initialisationComplete(tmp.path()));
}

TEST(ProcessCheck, SeesAnotherRunningCopyOfAProgram)
{
    TempDir tmp;
    const fs::path sleeper = tmp / "zerafin-init";
    fs::copy_file("/bin/sleep", sleeper);
    EXPECT_FALSE(programRunning(sleeper));
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execl(sleeper.c_str(), "zerafin-init", "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    bool seen = false;
    for (int i = 0; i < 200 && !seen; ++i) {
        seen = programRunning(sleeper);
        if (!seen)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(seen);
    // Another program is not mistaken for it.
    EXPECT_FALSE(programRunning(tmp / "zerafin"));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    EXPECT_FALSE(programRunning(sleeper));
}

TEST(SettingsKeys, TableOrderAndNames)
{
    const auto& keys = settings::keys();
    ASSERT_EQ(keys.size(), 44u);
    EXPECT_EQ(keys.front().key, "txtSuraNumber.text");
    EXPECT_EQ(keys.back().key, "check3.value");
    std::set<std::string_view> names, objects;
    for (const auto& k : keys) {
        EXPECT_TRUE(names.insert(k.key).second) << k.key;
        EXPECT_TRUE(objects.insert(k.objectName).second) << k.objectName;
        // The property part of the key says how the value is written.
        const auto dot = k.key.rfind('.');
        const auto prop = k.key.substr(dot + 1);
        if (k.kind == settings::Kind::Text)
            EXPECT_EQ(prop, "text") << k.key;
        else if (k.kind == settings::Kind::ListIndex)
            EXPECT_EQ(prop, "listindex") << k.key;
        else
            EXPECT_EQ(prop, "value") << k.key;
    }
}

TEST(SettingsKeys, ValueFormats)
{
    EXPECT_EQ(settings::optionText(true), "True");
    EXPECT_EQ(settings::optionText(false), "False");
    EXPECT_EQ(settings::checkText(2), "2");

    EXPECT_EQ(settings::wholeValue("7"), 7);
    EXPECT_EQ(settings::wholeValue(" -1 "), -1);
    EXPECT_EQ(settings::wholeValue("2.5"), 2);  // half to even
    EXPECT_EQ(settings::wholeValue("3.5"), 4);
    EXPECT_EQ(settings::wholeValue(""), std::nullopt);
    EXPECT_EQ(settings::wholeValue("abc"), std::nullopt);
    EXPECT_EQ(settings::wholeValue("40000"), std::nullopt);

    EXPECT_EQ(settings::checkValue("2"), 2);
    EXPECT_EQ(settings::checkValue("3"), std::nullopt);
    EXPECT_EQ(settings::checkValue("-1"), std::nullopt);

    EXPECT_EQ(settings::optionValue("True"), true);
    EXPECT_EQ(settings::optionValue("false"), false);
    EXPECT_EQ(settings::optionValue("-1"), true);
    EXPECT_EQ(settings::optionValue("0"), false);
    EXPECT_EQ(settings::optionValue("maybe"), std::nullopt);
    EXPECT_EQ(settings::optionValue(""), std::nullopt);
}
