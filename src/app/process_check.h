#pragma once

#include <filesystem>

// True when a process other than this one runs the program file `exe`
// (compared after resolving links). Looks through /proc, so it also sees an
// initialisation started by an earlier run of the program or by hand.
bool programRunning(const std::filesystem::path& exe);
