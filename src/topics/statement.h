#pragma once

#include <sqlite3.h>

#include <string>
#include <string_view>

// Small helpers for the reader's own data: prepared statements with bound
// values (so no text a reader types can change a statement) and failures
// told in the database engine's own words, never as the statement text.
namespace topics::detail {

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool prepared() const { return st_ != nullptr; }

    void bind(int index, long long value);
    void bind(int index, std::string_view text);
    void bindNull(int index);
    // Binds a value copied from another statement, with its own type.
    void bind(int index, const sqlite3_value* value);

    // True while a row is ready; false at the end or on a failure (see failed()).
    bool next();
    // Runs a statement that returns no rows; false on failure, which
    // failed() and error() keep telling until reset().
    bool run();
    // Ready for another round with new values, past failures forgotten.
    void reset();
    bool failed() const { return failed_; }
    // Why the statement failed, in the engine's words.
    const std::string& error() const { return error_; }

    long long integer(int column) const;
    bool isNull(int column) const;
    // The stored text exactly, embedded line breaks and NULs included.
    std::string text(int column) const;
    // The field as the engine holds it, valid until the next step.
    sqlite3_value* value(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* st_ = nullptr;
    bool failed_ = false;
    std::string error_;
};

// The engine's reason for the last failure on this connection.
std::string reason(sqlite3* db);

// One write transaction: everything between begin and commit happens or
// nothing does. Rolls back unless committed.
class WriteTransaction {
public:
    explicit WriteTransaction(sqlite3* db);
    ~WriteTransaction();
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    bool active() const { return active_; }
    bool commit();
    // Why begin or commit failed.
    const std::string& error() const { return error_; }

private:
    sqlite3* db_;
    bool active_ = false;
    std::string error_;
};

// A larger page cache for the length of a bulk write. With the default
// one a write that touches the whole verse table spills pages to disk in
// the middle of its transaction, which costs more than all the rest.
class BulkCache {
public:
    explicit BulkCache(sqlite3* db);
    ~BulkCache();
    BulkCache(const BulkCache&) = delete;
    BulkCache& operator=(const BulkCache&) = delete;

private:
    sqlite3* db_;
    long long before_ = 0;
    bool changed_ = false;
};

}  // namespace topics::detail
