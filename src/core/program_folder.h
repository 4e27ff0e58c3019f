#pragma once

#include <filesystem>
#include <string>

// The program folder holds what the program ships: the text database as
// built, the companion documents, the project's data and the sample text.
// It is only read. In the build it is the folder of the executables
// (build/bin); in an installation, where the executables sit in <prefix>/bin,
// it is <prefix>/share/zerafin.
std::filesystem::path programFolder();
// The folder of the running executable (where zerafin-init is found).
std::filesystem::path executableFolder();
// The program file's name without extension ("zerafin").
std::string programName();

// The reader's folder: the reader's working copy of <Language>.ttb with
// notes, topics and word groups, and saved numbers (Numbers/). It is
// $ZERAFIN_READER_FOLDER when set, else $XDG_DATA_HOME/zerafin, else
// ~/.local/share/zerafin. Nothing the build, a reinstall or "make clean"
// does touches it.
std::filesystem::path readerFolder();
// Where temporary files go (pages written only to be shown):
// $XDG_RUNTIME_DIR/zerafin, else $XDG_CACHE_HOME/zerafin, else
// ~/.cache/zerafin. Not created here.
std::filesystem::path temporaryFolder();

// The environment variable that points the window (and the command-line
// programs) at another reader's folder.
inline constexpr const char* kReaderFolderVariable = "ZERAFIN_READER_FOLDER";
