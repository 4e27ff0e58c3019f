#include "db/recordset.h"

#include "db/database.h"
#include "core/log.h"
#include "db/numeric.h"

#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <optional>

namespace db {

namespace {

struct StmtDeleter {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtDeleter>;

bool equalsNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string quoteIdent(std::string_view name)
{
    std::string out = "\"";
    for (char c : name) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    out.push_back('"');
    return out;
}

Value readColumn(sqlite3_stmt* st, int i)
{
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return Value(static_cast<long long>(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return Value(sqlite3_column_double(st, i));
    case SQLITE_NULL:
        return Value();
    default: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        int n = sqlite3_column_bytes(st, i);
        return Value(std::string(t ? t : "", t ? static_cast<size_t>(n) : 0));
    }
    }
}

// A Find criterion: column, comparison and literal.
struct Criterion {
    std::string column;
    std::string op;
    Value literal;
};

std::optional<Criterion> parseCriterion(std::string_view c)
{
    c = trimBlanks(c);
    Criterion out;
    size_t i = 0;
    if (!c.empty() && c[0] == '[') {
        auto close = c.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        out.column = std::string(c.substr(1, close - 1));
        i = close + 1;
    } else {
        while (i < c.size() && (std::isalnum(static_cast<unsigned char>(c[i])) || c[i] == '_'))
            ++i;
        out.column = std::string(c.substr(0, i));
    }
    if (out.column.empty())
        return std::nullopt;
    while (i < c.size() && c[i] == ' ')
        ++i;
    size_t opStart = i;
    while (i < c.size() && (c[i] == '=' || c[i] == '<' || c[i] == '>'))
        ++i;
    out.op = std::string(c.substr(opStart, i - opStart));
    if (out.op != "=" && out.op != "<>" && out.op != "<" && out.op != ">" && out.op != "<=" && out.op != ">=")
        return std::nullopt;
    std::string_view lit = trimBlanks(c.substr(i));
    if (lit.size() >= 2 && lit.front() == '\'' && lit.back() == '\'') {
        std::string text;
        for (size_t k = 1; k + 1 < lit.size(); ++k) {
            text.push_back(lit[k]);
            if (lit[k] == '\'' && k + 2 < lit.size() && lit[k + 1] == '\'')
                ++k;
        }
        out.literal = Value(text);
    } else if (auto n = parseNumber(lit)) {
        out.literal = Value(*n);
    } else {
        return std::nullopt;
    }
    return out;
}

bool compare(const Value& field, const Criterion& c)
{
    int cmp = 0;
    if (c.literal.isNumber()) {
        if (field.isNull())
            return false;
        std::optional<double> f = field.isNumber() ? std::optional<double>(field.toDouble()) : parseNumber(field.text());
        if (!f)
            return false;
        double l = c.literal.toDouble();
        cmp = *f < l ? -1 : (*f > l ? 1 : 0);
    } else {
        if (field.isNull())
            return false;
        std::string a = field.toString(), b = c.literal.text();
        auto lower = [](std::string s) {
            for (char& ch : s)
                ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            return s;
        };
        a = lower(a);
        b = lower(b);
        cmp = a < b ? -1 : (a > b ? 1 : 0);
    }
    if (c.op == "=")
        return cmp == 0;
    if (c.op == "<>")
        return cmp != 0;
    if (c.op == "<")
        return cmp < 0;
    if (c.op == ">")
        return cmp > 0;
    if (c.op == "<=")
        return cmp <= 0;
    return cmp >= 0;
}

}  // namespace

bool Recordset::fail(std::string message)
{
    error_ = std::move(message);
    logDb("recordset: %s", error_.c_str());
    return false;
}

bool Recordset::open(std::string_view sql, Database& db)
{
    close();
    sql_ = std::string(sql);
    if (!db.isOpen())
        return fail("the database is not open");
    if (!db.followReplacedFile())
        return fail(db.lastError());
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.handle(), sql_.c_str(), static_cast<int>(sql_.size()), &raw, nullptr) != SQLITE_OK || !raw) {
        sqlite3_finalize(raw);
        db.failWith(sqlite3_extended_errcode(db.handle()), sql_);
        return fail(db.lastError());
    }
    Stmt st(raw);
    int n = sqlite3_column_count(raw);
    std::vector<Column> cols(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const char* name = sqlite3_column_name(raw, i);
        const char* table = sqlite3_column_table_name(raw, i);
        const char* origin = sqlite3_column_origin_name(raw, i);
        cols[static_cast<size_t>(i)] = {name ? name : "", table ? table : "", origin ? origin : ""};
    }
    std::vector<std::vector<Value>> rows;
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        std::vector<Value> row;
        row.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            row.push_back(readColumn(raw, i));
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) {
        db.failWith(sqlite3_extended_errcode(db.handle()), sql_);
        return fail(db.lastError());
    }
    db_ = &db;
    cols_ = std::move(cols);
    rows_ = std::move(rows);
    pos_ = 0;
    open_ = true;
    error_.clear();
    return true;
}

void Recordset::close()
{
    if (open_ && edit_ != Edit::None)
        commitPending();
    open_ = false;
    db_ = nullptr;
    cols_.clear();
    rows_.clear();
    pos_ = 0;
    afterDelete_ = false;
    edit_ = Edit::None;
    pending_.clear();
    changed_.clear();
}

bool Recordset::hasCurrent() const
{
    return open_ && !afterDelete_ && pos_ >= 0 && pos_ < static_cast<long>(rows_.size());
}

bool Recordset::eof() const { return !open_ || pos_ >= static_cast<long>(rows_.size()); }
bool Recordset::bof() const { return !open_ || pos_ < 0 || rows_.empty(); }
long Recordset::recordCount() const { return open_ ? static_cast<long>(rows_.size()) : -1; }

void Recordset::moveFirst()
{
    if (!open_)
        return;
    commitPending();
    afterDelete_ = false;
    pos_ = 0;
}

void Recordset::moveLast()
{
    if (!open_)
        return;
    commitPending();
    afterDelete_ = false;
    pos_ = rows_.empty() ? 0 : static_cast<long>(rows_.size()) - 1;
}

void Recordset::moveNext()
{
    if (!open_)
        return;
    commitPending();
    if (afterDelete_)
        afterDelete_ = false;  // the row after the deleted one is already here
    else if (pos_ < static_cast<long>(rows_.size()))
        ++pos_;
}

void Recordset::movePrevious()
{
    if (!open_)
        return;
    commitPending();
    afterDelete_ = false;
    if (pos_ >= 0)
        --pos_;
}

bool Recordset::find(std::string_view criterion)
{
    if (!open_)
        return fail("find on a closed recordset");
    commitPending();
    auto c = parseCriterion(criterion);
    if (!c)
        return fail("cannot read the criterion " + std::string(criterion));
    int col = fieldIndex(c->column);
    if (col < 0)
        return fail("no column " + c->column);
    afterDelete_ = false;
    for (long i = std::max(pos_, 0L); i < static_cast<long>(rows_.size()); ++i) {
        if (compare(rows_[static_cast<size_t>(i)][static_cast<size_t>(col)], *c)) {
            pos_ = i;
            return true;
        }
    }
    pos_ = static_cast<long>(rows_.size());
    return false;
}

long Recordset::absolutePosition() const
{
    if (!open_)
        return kPosUnknown;
    if (pos_ < 0)
        return kPosBOF;
    if (pos_ >= static_cast<long>(rows_.size()))
        return kPosEOF;
    return pos_ + 1;
}

bool Recordset::setAbsolutePosition(long position)
{
    if (!open_ || position < 1 || position > static_cast<long>(rows_.size()))
        return fail("position " + std::to_string(position) + " is outside the recordset");
    commitPending();
    afterDelete_ = false;
    pos_ = position - 1;
    return true;
}

const std::string& Recordset::fieldName(int index) const
{
    static const std::string empty;
    return index >= 0 && index < fieldCount() ? cols_[static_cast<size_t>(index)].name : empty;
}

int Recordset::fieldIndex(std::string_view name) const
{
    for (size_t i = 0; i < cols_.size(); ++i)
        if (equalsNoCase(cols_[i].name, name))
            return static_cast<int>(i);
    return -1;
}

const Value& Recordset::field(std::string_view name) const { return field(fieldIndex(name)); }

const Value& Recordset::field(int index) const
{
    if (index < 0 || index >= fieldCount())
        return Value::null();
    if (edit_ != Edit::None)
        return pending_[static_cast<size_t>(index)];
    if (!hasCurrent())
        return Value::null();
    return rows_[static_cast<size_t>(pos_)][static_cast<size_t>(index)];
}

bool Recordset::setField(std::string_view name, Value value)
{
    int i = fieldIndex(name);
    if (i < 0)
        return fail("no column " + std::string(name));
    return setField(i, std::move(value));
}

bool Recordset::setField(int index, Value value)
{
    if (index < 0 || index >= fieldCount())
        return fail("no column " + std::to_string(index));
    if (edit_ == Edit::None) {
        if (!hasCurrent())
            return fail("no current row to change");
        edit_ = Edit::Editing;
        pending_ = rows_[static_cast<size_t>(pos_)];
        changed_.assign(cols_.size(), false);
    }
    pending_[static_cast<size_t>(index)] = std::move(value);
    changed_[static_cast<size_t>(index)] = true;
    return true;
}

bool Recordset::addNew()
{
    if (!open_)
        return fail("addNew on a closed recordset");
    if (!commitPending())
        return false;
    edit_ = Edit::Adding;
    pending_.assign(cols_.size(), Value());
    changed_.assign(cols_.size(), false);
    afterDelete_ = false;
    return true;
}

void Recordset::cancelUpdate()
{
    edit_ = Edit::None;
    pending_.clear();
    changed_.clear();
}

bool Recordset::update()
{
    if (!open_)
        return fail("update on a closed recordset");
    return commitPending();
}

bool Recordset::commitPending()
{
    if (edit_ == Edit::None)
        return true;
    bool ok = edit_ == Edit::Adding ? writeInsert() : writeUpdate();
    if (ok) {
        if (edit_ == Edit::Adding) {
            rows_.push_back(pending_);
            pos_ = static_cast<long>(rows_.size()) - 1;
        } else {
            rows_[static_cast<size_t>(pos_)] = pending_;
        }
    }
    cancelUpdate();
    return ok;
}

std::vector<std::string> Recordset::tablesOf(const std::vector<bool>& which) const
{
    std::vector<std::string> tables;
    for (size_t i = 0; i < cols_.size(); ++i) {
        if (!which[i] || cols_[i].table.empty())
            continue;
        if (std::find(tables.begin(), tables.end(), cols_[i].table) == tables.end())
            tables.push_back(cols_[i].table);
    }
    return tables;
}

bool Recordset::runWrite(const std::string& sql, const std::function<void(sqlite3_stmt*)>& bind)
{
    for (int attempt = 0;; ++attempt) {
        if (!db_->followReplacedFile())
            return fail(db_->lastError());
        sqlite3_stmt* raw = nullptr;
        int rc = sqlite3_prepare_v2(db_->handle(), sql.c_str(), -1, &raw, nullptr);
        Stmt st(raw);
        if (rc == SQLITE_OK) {
            bind(raw);
            rc = sqlite3_step(raw);
            if (rc == SQLITE_DONE)
                return true;
        }
        const int code = sqlite3_extended_errcode(db_->handle());
        // The file was replaced by a rebuild after the last look: SQLite
        // refused to write into the old one, so write into the new one.
        if (code == SQLITE_READONLY_DBMOVED && attempt == 0 && db_->fileReplaced())
            continue;
        db_->failWith(code, sql);
        return fail(db_->lastError());
    }
}

bool Recordset::writeInsert()
{
    auto tables = tablesOf(changed_);
    if (tables.empty()) {
        // A new row with no field set still becomes a row of the table.
        std::vector<bool> all(cols_.size(), true);
        tables = tablesOf(all);
        if (tables.empty())
            return fail("the new row belongs to no table");
        tables.resize(1);
    }
    for (const auto& table : tables) {
        std::string names, marks;
        std::vector<size_t> idx;
        for (size_t i = 0; i < cols_.size(); ++i) {
            if (!changed_[i] || cols_[i].table != table)
                continue;
            names += (names.empty() ? "" : ",") + quoteIdent(cols_[i].origin);
            marks += marks.empty() ? "?" : ",?";
            idx.push_back(i);
        }
        std::string sql = "INSERT INTO " + quoteIdent(table) +
                          (idx.empty() ? " DEFAULT VALUES" : " (" + names + ") VALUES (" + marks + ")");
        if (!runWrite(sql, [&](sqlite3_stmt* st) {
                for (size_t k = 0; k < idx.size(); ++k)
                    bindValue(st, static_cast<int>(k + 1), pending_[idx[k]]);
            }))
            return false;
    }
    return true;
}

// The row to change is found by the values it had when it was read: the
// same match a reader's edit has always relied on. Identical rows are
// interchangeable, so changing the first of them is right.
namespace {
std::string rowMatch(const std::string& table, const std::vector<size_t>& keyCols, const std::vector<std::string>& origins,
                     int firstParam)
{
    std::string where;
    int p = firstParam;
    for (size_t k : keyCols) {
        where += (where.empty() ? "" : " AND ") + quoteIdent(origins[k]) + " IS ?" + std::to_string(p++);
    }
    return "rowid = (SELECT rowid FROM " + quoteIdent(table) + (where.empty() ? "" : " WHERE " + where) + " LIMIT 1)";
}
}  // namespace

bool Recordset::writeUpdate()
{
    if (!hasCurrent())
        return fail("no current row to update");
    const auto& original = rows_[static_cast<size_t>(pos_)];
    std::vector<std::string> origins;
    for (const auto& c : cols_)
        origins.push_back(c.origin);
    for (const auto& table : tablesOf(changed_)) {
        std::string sets;
        std::vector<size_t> setCols, keyCols;
        for (size_t i = 0; i < cols_.size(); ++i) {
            if (cols_[i].table != table)
                continue;
            keyCols.push_back(i);
            if (changed_[i])
                setCols.push_back(i);
        }
        int p = 1;
        for (size_t i : setCols)
            sets += (sets.empty() ? "" : ",") + quoteIdent(cols_[i].origin) + "=?" + std::to_string(p++);
        std::string sql = "UPDATE " + quoteIdent(table) + " SET " + sets + " WHERE " + rowMatch(table, keyCols, origins, p);
        if (!runWrite(sql, [&](sqlite3_stmt* st) {
                int b = 1;
                for (size_t i : setCols)
                    bindValue(st, b++, pending_[i]);
                for (size_t i : keyCols)
                    bindValue(st, b++, original[i]);
            }))
            return false;
        if (sqlite3_changes(db_->handle()) == 0)
            return fail("the row to change is no longer in " + table);
    }
    return true;
}

bool Recordset::deleteCurrent()
{
    if (edit_ == Edit::Adding) {
        cancelUpdate();
        return true;
    }
    cancelUpdate();
    if (!hasCurrent())
        return fail("no current row to delete");
    std::vector<bool> all(cols_.size(), true);
    auto tables = tablesOf(all);
    if (tables.empty())
        return fail("the row belongs to no table");
    const std::string& table = tables.front();
    std::vector<std::string> origins;
    std::vector<size_t> keyCols;
    for (size_t i = 0; i < cols_.size(); ++i) {
        origins.push_back(cols_[i].origin);
        if (cols_[i].table == table)
            keyCols.push_back(i);
    }
    std::string sql = "DELETE FROM " + quoteIdent(table) + " WHERE " + rowMatch(table, keyCols, origins, 1);
    const auto& row = rows_[static_cast<size_t>(pos_)];
    if (!runWrite(sql, [&](sqlite3_stmt* st) {
            int b = 1;
            for (size_t i : keyCols)
                bindValue(st, b++, row[i]);
        }))
        return false;
    if (sqlite3_changes(db_->handle()) == 0)
        return fail("the row to delete is no longer in " + table);
    rows_.erase(rows_.begin() + pos_);
    afterDelete_ = true;
    return true;
}

}  // namespace db
