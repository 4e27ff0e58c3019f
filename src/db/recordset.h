#pragma once

#include "db/value.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3_stmt;

namespace db {

class Database;

// A static cursor over the rows of one statement: every row is read when
// the recordset opens, so the count, moving back and forth, absolute
// positions and Find all work on the snapshot. Changes made through it
// (setField + update, addNew + update, deleteCurrent) are written back to
// the table each column came from and kept in the snapshot.
//
// Reading a field where there is no current row gives null, the way the
// program's commands expect a failed read to be skipped.
class Recordset {
public:
    static constexpr long kPosUnknown = -1;
    static constexpr long kPosBOF = -2;
    static constexpr long kPosEOF = -3;

    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;
    Recordset(Recordset&&) = default;
    Recordset& operator=(Recordset&&) = default;

    // Closes any earlier statement and opens this one. On failure the
    // recordset stays closed and lastError() says why.
    bool open(std::string_view sql, Database& db);
    void close();
    bool isOpen() const { return open_; }

    bool eof() const;
    bool bof() const;
    long recordCount() const;

    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();

    // "[Verse]=5", "Sura >= 2", "[Words]='text'": searches forward from the
    // current row (the current row included). When nothing matches the
    // recordset is left at its end (eof()).
    bool find(std::string_view criterion);

    // 1-based position of the current row; kPosBOF/kPosEOF at either end.
    long absolutePosition() const;
    bool setAbsolutePosition(long position);

    int fieldCount() const { return static_cast<int>(cols_.size()); }
    const std::string& fieldName(int index) const;
    // Index of the first column of that name, letter case ignored; -1 if none.
    int fieldIndex(std::string_view name) const;
    const Value& field(std::string_view name) const;
    const Value& field(int index) const;

    // Changes a field of the current (or newly added) row; written by update().
    bool setField(std::string_view name, Value value);
    bool setField(int index, Value value);
    // Starts a new row at the end; its fields are null until set.
    bool addNew();
    // Writes the pending change or the new row.
    bool update();
    void cancelUpdate();
    bool editing() const { return edit_ != Edit::None; }
    // Deletes the current row from its table. The next moveNext() lands on
    // the row that followed it.
    bool deleteCurrent();

    const std::string& lastError() const { return error_; }
    const std::string& source() const { return sql_; }

private:
    struct Column {
        std::string name;
        std::string table;   // table the column reads from ("" for expressions)
        std::string origin;  // column name in that table
    };
    enum class Edit { None, Editing, Adding };

    bool hasCurrent() const;
    bool fail(std::string message);
    bool commitPending();
    // Prepares, binds and runs one write, following a replaced file.
    bool runWrite(const std::string& sql, const std::function<void(sqlite3_stmt*)>& bind);
    bool writeInsert();
    bool writeUpdate();
    std::vector<std::string> tablesOf(const std::vector<bool>& which) const;

    Database* db_ = nullptr;
    std::vector<Column> cols_;
    std::vector<std::vector<Value>> rows_;
    long pos_ = 0;  // index of the current row; rows_.size() at EOF, -1 at BOF
    bool open_ = false;
    bool afterDelete_ = false;
    Edit edit_ = Edit::None;
    std::vector<Value> pending_;
    std::vector<bool> changed_;
    std::string sql_;
    std::string error_;
};

}  // namespace db
