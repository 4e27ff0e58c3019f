// Window tests: offscreen platform, no WebEngine sandbox (tests run as root
// in CI), and a private HOME, all set before the QApplication exists.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    std::string tmpl = (std::filesystem::temp_directory_path() / "zerafin-home-XXXXXX").string();
    if (::mkdtemp(tmpl.data())) {
        ::setenv("HOME", tmpl.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (tmpl + "/.config").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (tmpl + "/.cache").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (tmpl + "/.local/share").c_str(), 1);
        std::string runtime = tmpl + "/runtime";
        std::filesystem::create_directories(runtime);
        std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    std::filesystem::remove_all(tmpl, ec);
    return rc;
}
