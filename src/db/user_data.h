#pragma once

#include "db/value.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3_stmt;

// What a reader writes into a text database (notes, topics, word groups)
// and carrying it over into a newer text database. The rebuild of the
// program folder and the upgrade of the reader's working copy both go
// through here, so the two keep exactly the same things.
namespace db {

class Database;

struct UserData {
    struct Note {
        int sura = 0;
        int verse = 0;
        std::string text;
    };
    // One row of ARTICLES or ARTICLES1, field for field as it was stored.
    using TopicRow = std::vector<Value>;
    bool present = false;  // an earlier text database was read
    std::vector<Note> notes;
    std::vector<TopicRow> topics;   // ARTICLES
    std::vector<TopicRow> topics1;  // ARTICLES1
    bool hasWordGroups = false;     // the earlier file had a SIMWORDS table
    std::vector<std::vector<Value>> wordGroups;  // its rows, 10 fields each
};

// Reads notes, topics and word groups from an existing text database.
// Throws std::runtime_error when the file exists but cannot be read.
UserData readUserData(const std::filesystem::path& file);
UserData readUserData(Database& db);

struct CarriedOver {
    int notes = 0;
    int topicRows = 0;   // ARTICLES and ARTICLES1 together
    int wordGroups = 0;  // rows of SIMWORDS afterwards
};

// Makes the reader's data of `db` exactly `user`: every note, topic row
// and (when the earlier file had them) word group of `db` is replaced.
// Runs inside the caller's transaction. Throws std::runtime_error, naming
// the verse, when a note belongs to a verse `db` does not have.
CarriedOver applyUserData(Database& db, const UserData& user);

// A prepared statement run once per row (inserts, updates). Throws
// std::runtime_error naming the file when a row cannot be written.
class RowWriter {
public:
    RowWriter(Database& db, const std::string& sql);
    ~RowWriter();
    RowWriter(const RowWriter&) = delete;
    RowWriter& operator=(const RowWriter&) = delete;

    long long row(std::initializer_list<Value> values) { return row(std::vector<Value>(values)); }
    // Rows the statement changed.
    long long row(const std::vector<Value>& values);

private:
    Database& db_;
    sqlite3_stmt* st_ = nullptr;
};

// The identity of the text a text database was built from: the builder
// writes it, and a working copy made from an earlier build carries the
// earlier one. `format` says which builder's layout the file has.
struct BuildIdentity {
    std::string identity;  // empty: not recorded (made before identities were kept)
    int format = 0;
};
inline constexpr int kTextDatabaseFormat = 1;
BuildIdentity readBuildIdentity(Database& db);
// Records the identity in `db` (inside the caller's transaction).
void writeBuildIdentity(Database& db, const std::string& identity);

// An earlier file at the name of a text database that cannot be carried
// over, and where it was kept.
struct SetAside {
    std::string kind;    // "unreadable" (damaged, not a database) or "foreign" (another program's database)
    std::string keptAs;  // its new path; empty when nothing was set aside
    std::string reason;
};
// Moves the file out of the way under a name that says why and when; it is
// never deleted.
SetAside keepAside(const std::filesystem::path& target, const std::string& kind, const std::string& why);

// The text database at `target`, held for replacement: opened, write-locked
// and its reader's data read. A note saved meanwhile by another program
// waits for the lock and then goes into the file that replaced this one,
// never into this one. A damaged file, or another program's database, is
// set aside (setAside() says where). Throws std::runtime_error when the
// file cannot be opened or locked; nothing is changed then.
class HeldForReplacement {
public:
    explicit HeldForReplacement(const std::filesystem::path& target);
    ~HeldForReplacement();
    HeldForReplacement(const HeldForReplacement&) = delete;
    HeldForReplacement& operator=(const HeldForReplacement&) = delete;

    const UserData& user() const { return user_; }
    const SetAside& setAside() const { return setAside_; }
    // The identity of the held file (empty when none is held).
    const BuildIdentity& identity() const { return identity_; }
    // Renames `replacement` over the target and lets go of the lock.
    // Throws std::runtime_error when the rename fails (the target stays).
    void replaceWith(const std::filesystem::path& replacement);

private:
    std::filesystem::path target_;
    struct Held;
    std::unique_ptr<Held> held_;
    UserData user_;
    SetAside setAside_;
    BuildIdentity identity_;
};

// Removes the temporary files that killed processes left in `folder`:
// names holding one of the markers followed by the process id of a process
// that is gone. Only those names, only regular files.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::vector<std::string>& markers);

// The temporary name a process gives a file it is about to write:
// <file><marker><pid>.
std::filesystem::path temporaryName(const std::filesystem::path& file, const std::string& marker);

}  // namespace db
