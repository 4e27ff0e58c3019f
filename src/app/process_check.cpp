#include "app/process_check.h"

#include <cctype>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

bool programRunning(const fs::path& exe)
{
    std::error_code ec;
    const fs::path wanted = fs::weakly_canonical(exe, ec);
    if (ec)
        return false;
    const std::string self = std::to_string(::getpid());
    for (fs::directory_iterator it("/proc", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string pid = it->path().filename().string();
        if (pid.empty() || !std::isdigit(static_cast<unsigned char>(pid[0])) || pid == self)
            continue;
        std::error_code linkEc;
        fs::path target = fs::read_symlink(it->path() / "exe", linkEc);
        if (linkEc)
            continue;
        // A program file replaced while it runs shows as "… (deleted)".
        std::string t = target.string();
        if (const auto pos = t.rfind(" (deleted)"); pos != std::string::npos && pos + 10 == t.size())
            t.erase(pos);
        if (fs::path(t) == wanted)
            return true;
    }
    return false;
}
