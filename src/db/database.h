#pragma once

#include <filesystem>
#include <string>
#include <string_view>

struct sqlite3;

namespace db {

// The connection string keeps the form the program has always used; only
// the Data Source part matters here (SQLite has no database password).
inline constexpr std::string_view kConnectionPrefix = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
inline constexpr std::string_view kPasswordSuffix = ";Jet OLEDB:Database Password=QuIvErAl58";

// A language names a file in the program folder ("English" for English.ttb):
// a plain name, never a path. Refuses "", ".", "..", and anything with a
// slash, a backslash or a NUL.
bool isPlainLanguageName(std::string_view language);

// "…Data Source=<folder>/<language>.ttb;Jet OLEDB:Database Password=…"
std::string connectionString(const std::filesystem::path& programFolder, std::string_view language);
// The file named by the Data Source part of a connection string.
std::filesystem::path dataSourceOf(std::string_view connectionString);

// How long a statement waits for another program's lock before it gives
// up. Long enough for a rebuild of the text database to finish its rename.
inline constexpr int kDefaultBusyTimeoutMs = 8000;
// Changes the wait of connections opened from now on (tests shorten it).
void setBusyTimeoutMs(int ms);
int busyTimeoutMs();

// The reason a SQLite call failed, in words a reader can act on: a lock
// says another program holds the file, an I/O failure names the system's
// reason ("No space left on device"). Never includes the statement.
std::string describeFailure(sqlite3* handle, int code);

// One SQLite connection. Every connection carries the program's own SQL
// functions: the 4-argument instr(start, text, word, mode) and zf_plain().
//
// A connection to a file follows the file's name: when the text database
// is rebuilt (a new file renamed over the old one), the next statement
// outside a transaction reopens the name, so a window left open keeps
// reading and saving into the current file.
class Database {
public:
    // ReadOnly: an existing file, opened so that no statement can change it.
    enum class Mode { Existing, CreateIfMissing, ReadOnly };

    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;

    // Opens the file named by the connection string. Fails (and stays
    // closed) when the file is missing or is not a database.
    bool open(std::string_view connectionString);
    bool openFile(const std::filesystem::path& file, Mode mode = Mode::Existing);
    void close();
    bool isOpen() const { return db_ != nullptr; }

    // Runs one or more statements that return no rows.
    bool execute(std::string_view sql);
    // Reopens the file when its name now points to another file (a
    // rebuild replaced it). Only between transactions; true when the
    // connection is usable afterwards.
    bool followReplacedFile();
    // True when the file name no longer names the file this connection has open.
    bool fileReplaced() const;
    // Rows changed by the last insert, update or delete.
    long long changes() const;
    bool hasTable(std::string_view name) const;

    const std::string& lastError() const { return error_; }
    // The extended SQLite result code of the last failure (0 when none).
    int lastCode() const { return code_; }
    // Another program held the file locked for longer than the busy wait.
    bool lastFailureWasLock() const;
    // SQLite itself found the file damaged or not a database at all.
    bool lastFailureWasDamage() const;
    const std::filesystem::path& file() const { return file_; }
    sqlite3* handle() const { return db_; }

    void setError(std::string message, int code = 0) const;
    // Records the failure of a call on this connection: the reason in
    // words as lastError(), the statement only in the log.
    bool failWith(int code, std::string_view sql = {}) const;

    // All-or-nothing for multi-row writes: rolls back unless committed.
    class Transaction {
    public:
        explicit Transaction(Database& db);
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        bool active() const { return active_; }
        bool commit();

    private:
        Database& db_;
        bool active_ = false;
    };

private:
    bool reopen();

    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    Mode mode_ = Mode::Existing;
    // Device and inode of the open file; 0 when it is not a file on disk.
    unsigned long long device_ = 0, inode_ = 0;
    mutable std::string error_;
    mutable int code_ = 0;
};

// Many short reads in one read transaction: the file is locked and checked
// once instead of once a statement. Deferred, so it never waits for a
// writer; ends (committed) with the scope.
class ReadTogether {
public:
    explicit ReadTogether(Database& db) : db_(db), on_(db.execute("BEGIN")) {}
    ~ReadTogether()
    {
        if (on_ && !db_.execute("COMMIT"))
            db_.execute("ROLLBACK");
    }
    ReadTogether(const ReadTogether&) = delete;
    ReadTogether& operator=(const ReadTogether&) = delete;

private:
    Database& db_;
    bool on_;
};

// Registers instr/4 and zf_plain/1 on a raw connection.
bool registerFunctions(sqlite3* handle);

// instr(start, text, word, mode): 1-based position of the first occurrence
// of word in text at or after start, 0 when there is none; an empty word is
// found at start. Mode 0 compares exactly, mode 1 ignores letter case.
// Positions count characters, not bytes. Exposed for tests and benchmarks.
long long instrPosition(long long start, std::string_view text, std::string_view word, int mode);

// The text with letter case folded the way instr's mode 1 folds it: two
// texts that instr finds in each other ignoring case fold alike.
std::string foldCase(std::string_view text);

}  // namespace db
