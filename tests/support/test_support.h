#pragma once

#include "db/database.h"

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// A folder that exists for one test and is removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Points HOME, the XDG folders and XDG_RUNTIME_DIR at a new temporary
// folder, so nothing a test does reaches the user's own settings. Returns it.
std::filesystem::path usePrivateHome();

std::filesystem::path sourceDir();
// The program folder of the build (build/bin), with the full text database.
std::filesystem::path binDir();
// True when the build's full text database is there (tests that need the
// whole sample text skip otherwise).
bool fullTextAvailable();

// Creates a text database at `file` with the program's schema and the rows
// of the given fixture files (tests/fixtures/<name>.sql).
void buildFixtureDatabase(const std::filesystem::path& file, const std::vector<std::string>& fixtures);

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& content);

// Runs a program, returns its exit status and what it printed.
struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};
RunResult runProgram(const std::vector<std::string>& argv, const std::string& input = {});

}  // namespace testing_support
