// Test programs run with a private HOME and config folder, so nothing a test
// does reaches the user's own settings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
void privateHome()
{
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
}
}  // namespace

int main(int argc, char** argv)
{
    privateHome();
    ::testing::InitGoogleTest(&argc, argv);
    int rc = RUN_ALL_TESTS();
    std::error_code ec;
    if (const char* home = std::getenv("HOME"); home && std::string(home).find("zerafin-home-") != std::string::npos)
        std::filesystem::remove_all(home, ec);
    return rc;
}
