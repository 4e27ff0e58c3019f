#include "core/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// A base folder from an XDG variable; relative values are invalid there
// and ignored, as the desktop conventions ask.
fs::path xdgFolder(const char* variable, const char* fallbackUnderHome)
{
    const fs::path set = environment(variable);
    if (!set.empty() && set.is_absolute())
        return set;
    std::string home = environment("HOME");
    if (home.empty())
        home = "/tmp";
    return fs::path(home) / fallbackUnderHome;
}

}  // namespace

fs::path executableFolder()
{
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

fs::path programFolder()
{
    const fs::path here = executableFolder();
    std::error_code ec;
    // The build keeps data beside the programs; an installation keeps the
    // programs in bin/ and the data in share/zerafin/.
    if (fs::exists(here / "css", ec) || fs::is_directory(here / "Files", ec))
        return here;
    const fs::path shared = here.parent_path() / "share" / "zerafin";
    if (fs::is_directory(shared, ec))
        return shared;
    return here;
}

std::string programName()
{
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("zerafin") : exe.stem().string();
}

fs::path readerFolder()
{
    if (const std::string set = environment(kReaderFolderVariable); !set.empty()) {
        std::error_code ec;
        const fs::path absolute = fs::absolute(set, ec);
        return ec ? fs::path(set) : absolute;
    }
    return xdgFolder("XDG_DATA_HOME", ".local/share") / "zerafin";
}

fs::path temporaryFolder()
{
    if (const fs::path runtime = environment("XDG_RUNTIME_DIR"); !runtime.empty() && runtime.is_absolute())
        return runtime / "zerafin";
    return xdgFolder("XDG_CACHE_HOME", ".cache") / "zerafin";
}
