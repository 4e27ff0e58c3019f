#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

// The first-run state the start-up window watches, as plain values: the
// "css" file that the initialisation writes last, the progress it reports,
// and the record of initial settings written on a first run.
namespace startup {

// Scale of the progress value; this value means the initialisation is done.
inline constexpr int kProgressMax = 18360;
// "css" at or above this size means the first-time initialisation is complete.
inline constexpr long long kCssCompleteSize = 2000;
// Interval of the start-up window's timer.
inline constexpr int kTimerIntervalMs = 100;

// Paths of the first-run files under the program folder.
std::filesystem::path cssFile(const std::filesystem::path& programFolder);
std::filesystem::path markerFile(const std::filesystem::path& programFolder);  // Files/2.1
std::filesystem::path helpFile(const std::filesystem::path& programFolder);    // Files/Help.htm

// True when "css" exists and holds at least 2000 bytes. A missing file
// counts as an initialisation that has not finished.
bool initialisationComplete(const std::filesystem::path& programFolder);

// Why nothing can be saved in the folder, in the system's words ("Read-only
// file system"); empty when it can. Creates the folder if it is missing
// and tries a file in it.
std::string unwritableReason(const std::filesystem::path& folder);

// What one timer tick makes of the stored progress value.
struct ProgressReading {
    bool done = false;  // 18360 or more: stop the timer and continue
    int barValue = 0;   // 0 … 18359, for the progress bar
    int percent = 0;    // whole part of value / 183.6
};
// Empty or non-numeric text counts as 0; values below 0 show as 0.
ProgressReading readProgress(std::string_view stored);
// "50%".
std::string percentText(int percent);

// The initial-settings record written when Files/2.1 is missing, in order.
using SettingPair = std::pair<std::string_view, std::string_view>;
const std::array<SettingPair, 17>& firstRunRecord();

}  // namespace startup
