#pragma once

#include <string_view>

// True when a file, a folder or a drive root exists at `path`, false for an
// empty path. Wildcards match like a directory listing would ("*.ttb" is
// true when any such file exists). Linux has no drive letters: a path ending
// in ":\" names a drive root that cannot exist, and "/" is the one root.
bool FileExists(std::string_view path);
