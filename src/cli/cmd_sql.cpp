#include "cli/cli.h"

#include "db/value.h"

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace cli {

namespace {

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};

constexpr const char* kUsage = "usage: zerafin-cli sql [--write] \"STATEMENT\"";

}  // namespace

int cmdSql(const Common& common, const Args& args)
{
    bool write = false;
    std::string sql;
    size_t given = 0;
    for (const auto& a : args) {
        if (a == "--write") {
            write = true;
        } else {
            sql = a;
            ++given;
        }
    }
    if (given != 1)
        return fail(kUsage, 2);
    db::Database db;
    if (!openTextDatabase(common, db, write ? db::Database::Mode::Existing : db::Database::Mode::ReadOnly))
        return 1;

    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql.c_str(), static_cast<int>(sql.size()), &raw, &tail) != SQLITE_OK) {
        // Point at the place in what was typed where SQLite gave up.
        std::string why = sqlite3_errmsg(db.handle());
        const int at = sqlite3_error_offset(db.handle());
        if (at >= 0 && static_cast<size_t>(at) < sql.size())
            why += " (at: " + sql.substr(static_cast<size_t>(at), 60) + ")";
        return fail(why);
    }
    std::unique_ptr<sqlite3_stmt, StmtDeleter> st(raw);
    if (!raw)
        return fail("the text holds no statement", 2);
    // One statement only: anything after it would otherwise be dropped unseen.
    for (const char* p = tail; p && *p; ++p)
        if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';')
            return fail("give one statement at a time; the text goes on after the first one: " + std::string(p), 2);
    if (!write && !sqlite3_stmt_readonly(raw))
        return fail("the statement would change the text database or write a file; add --write if that is what you "
                    "mean (there is no undo)",
                    2);

    // Each row is printed as it is read, so a large result never has to fit in memory.
    const int columns = sqlite3_column_count(raw);
    std::string line;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        line.clear();
        for (int i = 0; i < columns; ++i) {
            if (i)
                line += '\t';
            if (sqlite3_column_type(raw, i) == SQLITE_FLOAT)
                line += db::Value(sqlite3_column_double(raw, i)).toString();
            else if (const auto* text = sqlite3_column_text(raw, i))
                line.append(reinterpret_cast<const char*>(text), static_cast<size_t>(sqlite3_column_bytes(raw, i)));
        }
        line += '\n';
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size())
            return 1;  // the reader of the output went away
    }
    if (rc != SQLITE_DONE)
        return fail(db::describeFailure(db.handle(), sqlite3_extended_errcode(db.handle())));
    return 0;
}

}  // namespace cli
