#include "topics/statement.h"

namespace topics::detail {

std::string reason(sqlite3* db)
{
    if (!db)
        return "the text database is not open";
    const char* m = sqlite3_errmsg(db);
    return m && *m ? m : "unknown failure";
}

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db)
{
    if (!db_ || sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &st_, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st_);
        st_ = nullptr;
        failed_ = true;
        error_ = reason(db_);
    }
}

Statement::~Statement() { sqlite3_finalize(st_); }

void Statement::bind(int index, long long value)
{
    if (st_)
        sqlite3_bind_int64(st_, index, value);
}

void Statement::bind(int index, std::string_view text)
{
    if (st_)
        sqlite3_bind_text64(st_, index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Statement::bindNull(int index)
{
    if (st_)
        sqlite3_bind_null(st_, index);
}

void Statement::bind(int index, const sqlite3_value* value)
{
    if (st_)
        sqlite3_bind_value(st_, index, value);
}

sqlite3_value* Statement::value(int column) const { return st_ ? sqlite3_column_value(st_, column) : nullptr; }

bool Statement::next()
{
    if (!st_ || failed_)
        return false;
    int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        failed_ = true;
        error_ = reason(db_);
    }
    return false;
}

bool Statement::run()
{
    while (next()) {
    }
    // Ready for new values; a failure stays visible through failed().
    if (st_) {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    return !failed_;
}

void Statement::reset()
{
    if (st_) {
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    if (st_)
        failed_ = false;
}

long long Statement::integer(int column) const { return st_ ? sqlite3_column_int64(st_, column) : 0; }

bool Statement::isNull(int column) const { return !st_ || sqlite3_column_type(st_, column) == SQLITE_NULL; }

std::string Statement::text(int column) const
{
    if (!st_)
        return {};
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st_, column));
    if (!t)
        return {};
    return std::string(t, static_cast<size_t>(sqlite3_column_bytes(st_, column)));
}

WriteTransaction::WriteTransaction(sqlite3* db) : db_(db)
{
    active_ = db_ && sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!active_)
        error_ = reason(db_);
}

WriteTransaction::~WriteTransaction()
{
    if (active_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool WriteTransaction::commit()
{
    if (!active_)
        return false;
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        error_ = reason(db_);
        return false;  // still active: the destructor rolls back
    }
    active_ = false;
    return true;
}

BulkCache::BulkCache(sqlite3* db) : db_(db)
{
    Statement size(db_, "PRAGMA cache_size");
    if (!size.next())
        return;
    before_ = size.integer(0);
    // 64 MiB at most, taken only as pages are used.
    changed_ = sqlite3_exec(db_, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr) == SQLITE_OK;
}

BulkCache::~BulkCache()
{
    if (changed_)
        sqlite3_exec(db_, ("PRAGMA cache_size=" + std::to_string(before_)).c_str(), nullptr, nullptr, nullptr);
}

}  // namespace topics::detail
