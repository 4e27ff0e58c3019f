#include "core/file_exists.h"

#include <filesystem>
#include <glob.h>
#include <string>

namespace {

// Only "*" and "?" are wildcards here; brackets and backslashes are part of
// the name and are escaped before the pattern reaches glob().
bool hasWildcard(std::string_view path) { return path.find_first_of("*?") != std::string_view::npos; }

bool globMatches(std::string_view path)
{
    std::string pattern;
    for (char c : path) {
        if (c == '[' || c == ']' || c == '\\')
            pattern.push_back('\\');
        pattern.push_back(c);
    }
    glob_t g{};
    const int rc = ::glob(pattern.c_str(), GLOB_NOSORT, nullptr, &g);
    const bool found = rc == 0 && g.gl_pathc > 0;
    ::globfree(&g);
    return found;
}

}  // namespace

bool FileExists(std::string_view path)
{
    if (path.size() >= 2 && path.substr(path.size() - 2) == ":\\")
        return false;
    if (path.empty())
        return false;
    if (hasWildcard(path))
        return globMatches(path);
    std::error_code ec;
    // A dangling link is still an entry of its folder.
    return std::filesystem::exists(std::filesystem::symlink_status(std::string(path), ec));
}
