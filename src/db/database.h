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

// "…Data Source=<folder>/<language>.ttb;Jet OLEDB:Database Password=…"
std::string connectionString(const std::filesystem::path& programFolder, std::string_view language);
// The file named by the Data Source part of a connection string.
std::filesystem::path dataSourceOf(std::string_view connectionString);

// One SQLite connection. Every connection carries the program's own SQL
// functions: the 4-argument instr(start, text, word, mode) and zf_plain().
class Database {
public:
    enum class Mode { Existing, CreateIfMissing };

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
    // Rows changed by the last insert, update or delete.
    long long changes() const;
    bool hasTable(std::string_view name) const;

    const std::string& lastError() const { return error_; }
    const std::filesystem::path& file() const { return file_; }
    sqlite3* handle() const { return db_; }

    void setError(std::string message) const;

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
    sqlite3* db_ = nullptr;
    std::filesystem::path file_;
    mutable std::string error_;
};

// Registers instr/4 and zf_plain/1 on a raw connection.
bool registerFunctions(sqlite3* handle);

// instr(start, text, word, mode): 1-based position of the first occurrence
// of word in text at or after start, 0 when there is none; an empty word is
// found at start. Mode 0 compares exactly, mode 1 ignores letter case.
// Positions count characters, not bytes. Exposed for tests and benchmarks.
long long instrPosition(long long start, std::string_view text, std::string_view word, int mode);

}  // namespace db
