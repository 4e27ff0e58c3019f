#include "topics/collection.h"

#include "db/database.h"
#include "db/schema.h"
#include "topics/statement.h"

#include <array>
#include <cctype>
#include <memory>
#include <optional>
#include <unistd.h>
#include <unordered_set>
#include <vector>

namespace topics {

namespace fs = std::filesystem;
using detail::Statement;
using detail::BulkCache;
using detail::WriteTransaction;

namespace {

struct ValueFree {
    void operator()(sqlite3_value* v) const { sqlite3_value_free(v); }
};
// A field copied out of one database with its type, to be bound into another.
using OwnedValue = std::unique_ptr<sqlite3_value, ValueFree>;
OwnedValue copyOf(const Statement& st, int column) { return OwnedValue(sqlite3_value_dup(st.value(column))); }

struct NoteRow {
    OwnedValue sura, verse;
    std::string note;
};

struct TopicRow {
    std::array<OwnedValue, 4> field;  // Articles, Sura, Verse, Words
};

struct Collection {
    std::vector<NoteRow> notes;
    std::vector<TopicRow> topics, topics1;
};

// A connection of its own to a collection file, closed with the object.
struct Connection {
    sqlite3* handle = nullptr;
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { sqlite3_close_v2(handle); }
};

constexpr std::array<std::string_view, 3> kTables = {"YourNotes", "Articles", "Articles1"};
constexpr std::array<std::string_view, 2> kTopicTables = {"ARTICLES", "ARTICLES1"};

std::vector<std::string_view> columnsOf(std::string_view table)
{
    if (table == "YourNotes")
        return {"Sura", "Verse", "YourNotes"};
    return {"Articles", "Sura", "Verse", "Words"};
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string plural(long long n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

std::string notesAndVerses(long long notes, long long verses)
{
    return plural(notes, "note", "notes") + " and " + plural(verses, "topic verse", "topic verses");
}

std::string notCollection(const fs::path& file, const std::string& why)
{
    return file.string() + " is not a collection of notes and topics: " + why;
}

// Checks the tables and columns on an open connection.
Outcome checkShape(sqlite3* handle, const fs::path& file)
{
    {
        Statement probe(handle, "SELECT count(*) FROM sqlite_master");
        if (!probe.next())
            return Outcome::failed(notCollection(file, probe.error()));
    }
    for (auto table : kTables) {
        Statement cols(handle, "SELECT name FROM pragma_table_info(?1)");
        cols.bind(1, table);
        std::vector<std::string> have;
        while (cols.next())
            have.push_back(cols.text(0));
        if (cols.failed())
            return Outcome::failed(notCollection(file, cols.error()));
        if (have.empty())
            return Outcome::failed(notCollection(file, "it has no table " + std::string(table)));
        for (auto want : columnsOf(table)) {
            bool found = false;
            for (const auto& h : have)
                found = found || sameName(h, want);
            if (!found)
                return Outcome::failed(
                    notCollection(file, "its table " + std::string(table) + " has no column " + std::string(want)));
        }
    }
    return Outcome::done();
}

Outcome openCollection(Connection& c, const fs::path& file)
{
    std::error_code ec;
    if (file.empty() || !fs::exists(file, ec))
        return Outcome::failed(std::string(kFileMissing));
    if (fs::is_directory(file, ec))
        return Outcome::failed(notCollection(file, "it is a folder"));
    if (sqlite3_open_v2(file.c_str(), &c.handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return Outcome::failed(notCollection(file, detail::reason(c.handle)));
    sqlite3_busy_timeout(c.handle, 2000);
    return checkShape(c.handle, file);
}

// The rows in verse order; rows of one verse keep their filing order where
// the file's table has one.
std::unique_ptr<Statement> inVerseOrder(sqlite3* handle, const std::string& select)
{
    auto st = std::make_unique<Statement>(handle, select + " order by sura,verse,rowid");
    if (!st->prepared())
        st = std::make_unique<Statement>(handle, select + " order by sura,verse");
    return st;
}

// Reads the whole collection (it is small) so that the text database is
// locked only while it is written.
Outcome readCollection(sqlite3* handle, const fs::path& file, Collection& out)
{
    auto failed = [&](const Statement& st) {
        return Outcome::failed("The collection " + file.string() + " could not be read: " + st.error());
    };
    auto select = inVerseOrder(handle, "Select Sura, Verse, YourNotes from YourNotes");
    Statement& notes = *select;
    while (notes.next()) {
        std::string text = notes.text(2);
        if (text.empty())
            continue;
        out.notes.push_back({copyOf(notes, 0), copyOf(notes, 1), std::move(text)});
    }
    if (notes.failed())
        return failed(notes);
    for (auto* rows : {&out.topics, &out.topics1}) {
        const std::string table = rows == &out.topics ? "Articles" : "Articles1";
        auto select = inVerseOrder(handle, "Select Articles, Sura, Verse, Words from " + table);
        Statement& st = *select;
        while (st.next())
            rows->push_back({{copyOf(st, 0), copyOf(st, 1), copyOf(st, 2), copyOf(st, 3)}});
        if (st.failed())
            return failed(st);
    }
    return Outcome::done();
}

Outcome loadCollection(const fs::path& file, Collection& out)
{
    Connection c;
    Outcome opened = openCollection(c, file);
    if (!opened)
        return opened;
    return readCollection(c.handle, file, out);
}

bool isVerseRow(const TopicRow& row) { return sqlite3_value_int64(row.field[1].get()) != 0; }

// Where a verse is filed, as a set key; only whole-number places match.
std::optional<unsigned long long> placeKey(sqlite3_value* sura, sqlite3_value* verse)
{
    if (sqlite3_value_numeric_type(sura) != SQLITE_INTEGER || sqlite3_value_numeric_type(verse) != SQLITE_INTEGER)
        return std::nullopt;
    auto s = static_cast<unsigned long long>(sqlite3_value_int64(sura));
    auto v = static_cast<unsigned long long>(sqlite3_value_int64(verse));
    return (s << 32) ^ (v & 0xffffffffULL);
}

struct Writer {
    sqlite3* db;
    std::string what;  // "Nothing was added from …"
    std::string error;

    bool check(const Statement& st)
    {
        if (st.failed())
            error = what + ": " + st.error();
        return !st.failed();
    }
};

bool insertTopicRows(Writer& w, std::string_view table, const std::vector<TopicRow>& rows,
                     const std::unordered_set<unsigned long long>* skipPlaces, long long& added, long long& skipped,
                     long long& verses)
{
    Statement add(w.db, "INSERT INTO " + std::string(table) + " (ARTICLES,SURA,VERSE,WORDS) VALUES(?1,?2,?3,?4)");
    if (!w.check(add))
        return false;
    std::unordered_set<unsigned long long> present;
    if (skipPlaces)
        present = *skipPlaces;
    for (const auto& row : rows) {
        auto key = placeKey(row.field[1].get(), row.field[2].get());
        if (skipPlaces && key && present.count(*key)) {
            if (isVerseRow(row))
                ++skipped;
            continue;
        }
        for (int i = 0; i < 4; ++i)
            add.bind(i + 1, row.field[static_cast<size_t>(i)].get());
        if (!add.run()) {
            w.error = w.what + ": " + add.error();
            return false;
        }
        ++added;
        if (isVerseRow(row) && table == "ARTICLES")
            ++verses;
        if (skipPlaces && key)
            present.insert(*key);
    }
    return true;
}

std::unordered_set<unsigned long long> placesIn(Writer& w, std::string_view table, bool& ok)
{
    std::unordered_set<unsigned long long> places;
    Statement st(w.db, "SELECT SURA, VERSE FROM " + std::string(table));
    while (st.next())
        if (auto key = placeKey(st.value(0), st.value(1)))
            places.insert(*key);
    ok = w.check(st);
    return places;
}

}  // namespace

fs::path collectionTemplate(const fs::path& programFolder) { return programFolder / "Files" / "Backup.mdb"; }

Outcome checkCollection(const fs::path& file)
{
    Connection c;
    return openCollection(c, file);
}

Outcome mergeCollection(db::Database& db, const fs::path& file)
{
    Collection coll;
    Outcome read = loadCollection(file, coll);
    if (!read)
        return read;

    Writer w{db.handle(), "Nothing was added from " + file.string(), {}};
    BulkCache cache(db.handle());
    WriteTransaction tx(db.handle());
    if (!tx.active())
        return Outcome::failed(w.what + ": " + tx.error());

    long long notes = 0, notesSkipped = 0;
    Statement append(db.handle(), "UPDATE ZOVR SET YourNotes = ifnull(YourNotes,'') || ?1 WHERE Sura=?2 AND Verse=?3");
    if (!w.check(append))
        return Outcome::failed(w.error);
    for (const auto& n : coll.notes) {
        append.bind(1, std::string(kNoteSeparator) + n.note);
        append.bind(2, n.sura.get());
        append.bind(3, n.verse.get());
        if (!append.run())
            return Outcome::failed(w.error = w.what + ": " + append.error());
        if (sqlite3_changes64(db.handle()) > 0)
            ++notes;
        else
            ++notesSkipped;
    }

    // The report counts the first table's rows: the topic verses a reader sees.
    long long skipped = 0, verses = 0, unused = 0;
    for (size_t t = 0; t < kTopicTables.size(); ++t) {
        bool ok = true;
        auto places = placesIn(w, kTopicTables[t], ok);
        if (!ok)
            return Outcome::failed(w.error);
        long long added = 0;
        if (!insertTopicRows(w, kTopicTables[t], t == 0 ? coll.topics : coll.topics1, &places, added,
                             t == 0 ? skipped : unused, verses))
            return Outcome::failed(w.error);
    }
    if (!tx.commit())
        return Outcome::failed(w.what + ": " + tx.error());

    std::string report = "Added " + notesAndVerses(notes, verses) + " from " + file.string();
    std::vector<std::string> left;
    if (notesSkipped)
        left.push_back(plural(notesSkipped, "note on a verse", "notes on verses") + " that the text does not have");
    if (skipped)
        left.push_back(plural(skipped, "topic verse", "topic verses") + " already in your topics");
    if (!left.empty())
        report += "; left out " + left[0] + (left.size() > 1 ? " and " + left[1] : "");
    return Outcome::done(report);
}

BackupOutcome backupCollection(db::Database& db, const fs::path& templateFile, const fs::path& file, bool overwrite)
{
    auto fail = [](std::string why, bool exists = false) {
        BackupOutcome o;
        o.ok = false;
        o.message = std::move(why);
        o.fileExists = exists;
        return o;
    };
    if (file.empty())
        return fail(std::string(kEnterFileName));
    const std::string what = "The backup was not written to " + file.string();
    std::error_code ec;
    if (fs::exists(file, ec)) {
        if (fs::is_directory(file, ec))
            return fail(what + ": it is a folder");
        if (fs::equivalent(file, db.file(), ec) || fs::equivalent(file, templateFile, ec))
            return fail(what + ": that file is part of the program's own data");
        if (!overwrite)
            return fail(file.string() + " already exists", true);
    }
    if (!db.isOpen())
        return fail(what + ": the text database is not open");

    // The copy is made beside the target and put in its place only when it
    // is complete, so a failure never leaves half a backup (or an old one
    // spoilt).
    fs::path part = file;
    part += ".part-" + std::to_string(::getpid());
    struct Cleanup {
        fs::path path;
        ~Cleanup()
        {
            std::error_code e;
            if (!path.empty())
                fs::remove(path, e);
        }
    } cleanup{part};
    fs::remove(part, ec);
    const bool fromTemplate = fs::is_regular_file(templateFile, ec);
    if (fromTemplate && !fs::copy_file(templateFile, part, ec))
        return fail(what + ": " + ec.message());

    long long notes = 0, verses = 0;
    {
        Connection out;
        if (sqlite3_open_v2(part.c_str(), &out.handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
            SQLITE_OK)
            return fail(what + ": " + detail::reason(out.handle));
        if (!fromTemplate) {
            // Without the blank collection of the program folder, make its tables.
            if (sqlite3_exec(out.handle, db::collectionSchema().c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
                return fail(what + ": " + detail::reason(out.handle));
        } else if (Outcome shape = checkShape(out.handle, templateFile); !shape) {
            return fail(what + ": the blank collection " + shape.message);
        }

        Writer w{out.handle, what, {}};
        BulkCache cache(out.handle);
        WriteTransaction tx(out.handle);
        if (!tx.active())
            return fail(what + ": " + tx.error());
        for (auto table : kTables) {
            Statement clear(out.handle, "DELETE FROM " + std::string(table));
            if (!clear.run())
                return fail(what + ": " + clear.error());
        }

        // One read transaction on the text database: a consistent picture.
        struct ReadSnapshot {
            sqlite3* db;
            bool active;
            explicit ReadSnapshot(sqlite3* h)
                : db(h), active(sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK)
            {}
            ~ReadSnapshot()
            {
                if (active)
                    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
            }
        } snapshot(db.handle());

        {
            Statement src(db.handle(), "SELECT Sura, Verse, YourNotes FROM ZOVR WHERE YourNotes IS NOT NULL AND "
                                       "YourNotes <> '' ORDER BY Sura, Verse");
            Statement dst(out.handle, "INSERT INTO YourNotes (Sura, Verse, YourNotes) VALUES (?1, ?2, ?3)");
            if (!w.check(src) || !w.check(dst))
                return fail(w.error);
            while (src.next()) {
                for (int i = 0; i < 3; ++i)
                    dst.bind(i + 1, src.value(i));
                if (!dst.run())
                    return fail(what + ": " + dst.error());
                ++notes;
            }
            if (!w.check(src))
                return fail(what + ": " + src.error());
        }
        for (auto table : kTopicTables) {
            const std::string to = table == "ARTICLES" ? "Articles" : "Articles1";
            Statement src(db.handle(), "SELECT ARTICLES, SURA, VERSE, WORDS FROM " + std::string(table) +
                                           " ORDER BY SURA, VERSE, rowid");
            Statement dst(out.handle, "INSERT INTO " + to + " (Articles, Sura, Verse, Words) VALUES (?1, ?2, ?3, ?4)");
            if (!w.check(src) || !w.check(dst))
                return fail(w.error);
            while (src.next()) {
                for (int i = 0; i < 4; ++i)
                    dst.bind(i + 1, src.value(i));
                if (!dst.run())
                    return fail(what + ": " + dst.error());
                if (table == "ARTICLES" && sqlite3_value_int64(src.value(1)) != 0)
                    ++verses;
            }
            if (src.failed())
                return fail(what + ": " + src.error());
        }
        if (!tx.commit())
            return fail(what + ": " + tx.error());
    }  // the collection is closed here, complete
    fs::rename(part, file, ec);
    if (ec)
        return fail(what + ": " + ec.message());
    cleanup.path.clear();
    BackupOutcome done;
    done.message = "Saved " + notesAndVerses(notes, verses) + " to " + file.string();
    return done;
}

std::string confirmReplaceQuestion(const fs::path& file)
{
    return "The file " + file.string() + " already exists. Do you want to replace it?";
}

Outcome restoreCollection(db::Database& db, const fs::path& file)
{
    Collection coll;
    Outcome read = loadCollection(file, coll);
    if (!read)
        return read;

    Writer w{db.handle(), "Nothing was restored from " + file.string(), {}};
    BulkCache cache(db.handle());
    WriteTransaction tx(db.handle());
    if (!tx.active())
        return Outcome::failed(w.what + ": " + tx.error());

    long long notes = 0;
    // A note the verse already holds is counted but not written again: a
    // restore from a recent backup rewrites only what changed since.
    Statement same(db.handle(), "SELECT YourNotes IS ?1 FROM ZOVR WHERE Sura=?2 AND Verse=?3");
    Statement set(db.handle(), "UPDATE ZOVR SET YourNotes=?1 WHERE Sura=?2 AND Verse=?3");
    if (!w.check(same) || !w.check(set))
        return Outcome::failed(w.error);
    for (const auto& n : coll.notes) {
        same.bind(1, n.note);
        same.bind(2, n.sura.get());
        same.bind(3, n.verse.get());
        const bool found = same.next();
        const bool unchanged = found && same.integer(0) != 0;
        if (same.failed())
            return Outcome::failed(w.what + ": " + same.error());
        same.reset();
        if (!found)
            continue;
        ++notes;
        if (unchanged)
            continue;
        set.bind(1, n.note);
        set.bind(2, n.sura.get());
        set.bind(3, n.verse.get());
        if (!set.run())
            return Outcome::failed(w.what + ": " + set.error());
    }
    long long verses = 0;
    for (size_t t = 0; t < kTopicTables.size(); ++t) {
        Statement clear(db.handle(), "DELETE FROM " + std::string(kTopicTables[t]));
        if (!clear.run())
            return Outcome::failed(w.what + ": " + clear.error());
        long long added = 0, unused = 0;
        if (!insertTopicRows(w, kTopicTables[t], t == 0 ? coll.topics : coll.topics1, nullptr, added, unused, verses))
            return Outcome::failed(w.error);
    }
    if (!tx.commit())
        return Outcome::failed(w.what + ": " + tx.error());
    return Outcome::done("Restored " + notesAndVerses(notes, verses) + " from " + file.string());
}

Outcome eraseCollection(db::Database& db)
{
    const std::string what = "Nothing was erased";
    BulkCache cache(db.handle());
    WriteTransaction tx(db.handle());
    if (!tx.active())
        return Outcome::failed(what + ": " + tx.error());
    long long verses = 0;
    {
        Statement count(db.handle(), "SELECT count(*) FROM ARTICLES WHERE SURA<>0");
        if (!count.next())
            return Outcome::failed(what + ": " + count.error());
        verses = count.integer(0);
    }
    Statement notes(db.handle(), "UPDATE ZOVR SET YourNotes='' WHERE YourNotes <> ''");
    if (!notes.run())
        return Outcome::failed(what + ": " + notes.error());
    const long long erased = sqlite3_changes64(db.handle());
    for (const char* sql : {"DELETE FROM ARTICLES", "DELETE FROM ARTICLES1 WHERE SURA <> 0"}) {
        Statement del(db.handle(), sql);
        if (!del.run())
            return Outcome::failed(what + ": " + del.error());
    }
    if (!tx.commit())
        return Outcome::failed(what + ": " + tx.error());
    return Outcome::done("Erased " + notesAndVerses(erased, verses));
}

}  // namespace topics
