#pragma once

#include <filesystem>
#include <string>

// The reader's working copy of a text database. The program folder holds
// the text database as built and is only read; the reader's notes, topics
// and word groups go into a copy of it in the reader's folder. A copy made
// from an earlier build is brought up to date with the same carry-over the
// rebuild uses (db/user_data.h).
namespace db {

struct WorkingCopy {
    enum class State {
        Current,      // the working copy is there and up to date (or newer)
        Copied,       // it was missing (or unusable) and was copied afresh
        Upgraded,     // it came from an earlier build and was brought up to date
        KeptEarlier,  // the upgrade failed: the earlier copy stays in use, unchanged
        Unavailable,  // no working copy can be made: `file` is the program's own
        NoText,       // neither the program nor the reader has the text database: `file` is
                      // the program's, which the first-time initialisation builds
    };
    std::filesystem::path file;  // the text database to open
    State state = State::Current;
    // What the reader should be told; empty when all went as usual.
    std::string notice;
};

// Makes sure `workingFile` is an up-to-date working copy of `programFile`:
// copies it when missing (atomically: another program never sees half a
// file), upgrades it when the program's text has another build identity
// (keeping the earlier copy as <workingFile>.previous), and sets aside a
// damaged or foreign file found at its name. Safe when several Zerafin
// programs start at once.
WorkingCopy prepareWorkingCopy(const std::filesystem::path& programFile, const std::filesystem::path& workingFile);

// A consistent copy of a database file, even while another program writes
// it: `to` must not exist. Throws std::runtime_error.
void copyDatabase(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace db
