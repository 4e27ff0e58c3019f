#include "app/startup_logic.h"

#include "db/numeric.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace startup {

namespace fs = std::filesystem;

fs::path cssFile(const fs::path& programFolder) { return programFolder / "css"; }
fs::path markerFile(const fs::path& programFolder) { return programFolder / "Files" / "2.1"; }
fs::path helpFile(const fs::path& programFolder) { return programFolder / "Files" / "Help.htm"; }

bool initialisationComplete(const fs::path& programFolder)
{
    std::error_code ec;
    const auto size = fs::file_size(cssFile(programFolder), ec);
    return !ec && static_cast<long long>(size) >= kCssCompleteSize;
}

std::string unwritableReason(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return ec.message();
    const fs::path probe = folder / (".write-check-" + std::to_string(::getpid()));
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::strerror(errno);
    const bool written = ::write(fd, "x", 1) == 1;
    const int err = errno;
    ::close(fd);
    ::unlink(probe.c_str());
    return written ? std::string() : std::strerror(err);
}

ProgressReading readProgress(std::string_view stored)
{
    const double value = db::parseNumber(stored).value_or(0.0);
    ProgressReading r;
    if (!(value < kProgressMax)) {
        r.done = true;
        r.barValue = kProgressMax;
        r.percent = 100;
        return r;
    }
    const double shown = value < 0 ? 0.0 : value;
    r.barValue = static_cast<int>(shown);
    // value / 183.6 computed as value * 10 / 1836: exact for whole values,
    // so 9180 gives 50 and not 49.999….
    r.percent = static_cast<int>(std::floor(shown * 10.0 / 1836.0));
    return r;
}

std::string percentText(int percent) { return std::to_string(percent) + "%"; }

const std::array<SettingPair, 17>& firstRunRecord()
{
    static const std::array<SettingPair, 17> record = {{
        {"subsize", "14"},
        {"VWsize", "14"},
        {"FNsize", "12"},
        {"YNsize", "12"},
        {"VWFont", "Arial Narrow"},
        {"dispFN", "False"},
        {"checkSb1Line", "0"},
        {"txtNV", "1"},
        {"cmbLang", "English"},
        {"txtBack", "16777215"},
        {"txtButtons", "14737632"},
        {"txtSpaces", "1"},
        {"txtFSpaces", "1"},
        {"frmHU", "1"},
        {"opHM0", "0"},
        {"frmHUcolor", "Yellow"},
        {"seekrefuge", "0"},
    }};
    return record;
}

}  // namespace startup
