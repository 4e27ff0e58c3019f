#include "support/test_support.h"

#include "db/schema.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string tmpl = (fs::temp_directory_path() / "zerafin-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = tmpl;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path usePrivateHome()
{
    std::string tmpl = (fs::temp_directory_path() / "zerafin-home-XXXXXX").string();
    if (!::mkdtemp(tmpl.data()))
        return {};
    ::setenv("HOME", tmpl.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (tmpl + "/.config").c_str(), 1);
    ::setenv("XDG_CACHE_HOME", (tmpl + "/.cache").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (tmpl + "/.local/share").c_str(), 1);
    // The reader's folder then follows XDG_DATA_HOME, whatever the developer's own shell points it at.
    ::unsetenv("ZERAFIN_READER_FOLDER");
    std::string runtime = tmpl + "/runtime";
    fs::create_directories(runtime);
    fs::permissions(runtime, fs::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    return tmpl;
}

fs::path sourceDir()
{
    const char* env = std::getenv("ZF_SOURCE_DIR");
    return env && *env ? fs::path(env) : fs::path(ZF_TEST_SOURCE_DIR);
}

fs::path binDir()
{
    const char* env = std::getenv("ZF_BIN_DIR");
    return env && *env ? fs::path(env) : fs::path(ZF_TEST_BIN_DIR);
}

bool fullTextAvailable() { return fs::exists(binDir() / "English.ttb") && fs::exists(binDir() / "css"); }

std::string readFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& file, const std::string& content)
{
    if (file.has_parent_path())
        fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
}

void buildFixtureDatabase(const fs::path& file, const std::vector<std::string>& fixtures)
{
    db::Database db;
    if (!db.openFile(file, db::Database::Mode::CreateIfMissing))
        throw std::runtime_error(db.lastError());
    if (!db.execute(db::textDatabaseSchema()) || !db.execute(db::notesTwinTrigger()))
        throw std::runtime_error(db.lastError());
    for (const auto& name : fixtures) {
        std::string sql = readFile(sourceDir() / "tests" / "fixtures" / (name + ".sql"));
        if (!db.execute("BEGIN;" + sql + ";COMMIT;"))
            throw std::runtime_error(name + ".sql: " + db.lastError());
    }
}

namespace {
std::string drain(int fd)
{
    std::string out;
    std::array<char, 4096> buf{};
    ssize_t n;
    while ((n = ::read(fd, buf.data(), buf.size())) > 0)
        out.append(buf.data(), static_cast<size_t>(n));
    return out;
}
}  // namespace

RunResult runProgram(const std::vector<std::string>& argv, const std::string& input)
{
    // Output goes to temporary files so a chatty program cannot block on a
    // full pipe while we wait for it.
    TempDir tmp;
    std::string outFile = (tmp / "out").string(), errFile = (tmp / "err").string(), inFile = (tmp / "in").string();
    writeFile(inFile, input);
    pid_t pid = ::fork();
    if (pid == 0) {
        int in = ::open(inFile.c_str(), O_RDONLY);
        int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    RunResult r;
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    int fd = ::open(outFile.c_str(), O_RDONLY);
    r.out = drain(fd);
    ::close(fd);
    fd = ::open(errFile.c_str(), O_RDONLY);
    r.err = drain(fd);
    ::close(fd);
    return r;
}

}  // namespace testing_support
