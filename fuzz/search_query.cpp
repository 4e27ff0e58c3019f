// Any search text, sura scope or window size either gives statements that
// SQLite accepts and that only read, or no hits; nothing crashes and the
// database is never changed.
//
// Input: the search text, then optionally "\x01" and the first sura,
// "\x01" the last sura, "\x01" the list of suras, "\x01" the window size,
// "\x01" and a byte choosing the search options (letter case, the two
// "Ignore Special Char" options, the sura scope, the chronological order)
// followed by a byte choosing the search area.
//
// Each input builds the simple statement and the statement of one area
// with one option combination, and lets the fuzzer's mutations reach the
// others: trying all 36 combinations of every area per input compiled about
// a hundred statements and ran 150 word-group look-ups per input, which
// kept the fuzzer at some 50 inputs a second.
#include "db/database.h"
#include "db/schema.h"
#include "search/block_search.h"
#include "search/query.h"
#include "search/search_run.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr const char* kRows = R"sql(
INSERT INTO ZOVRSch VALUES (1, 1, 'In praise of the Lord of mercy.'), (1, 2, 'He will forgive; (truly) "He" will.'),
 (2, 0, 'Opening: [words] & more'), (2, 1, 'God''s promise - and His mercy!'), (3, 1, 'Words, words: AND or SELECT');
INSERT INTO ZOVR SELECT Sura, Verse, '{\rtf1 ' || Words || '\par }', 'note ' || Words, 0, 0 FROM ZOVRSch;
INSERT INTO ZOVR1 SELECT Sura, Verse, zf_plain(Words), zf_plain('note ' || Words) FROM ZOVRSch;
INSERT INTO Q SELECT * FROM ZOVRSch;
INSERT INTO Q1 SELECT Sura, Verse, zf_plain(Words) FROM ZOVRSch;
INSERT INTO SuraTable VALUES (1, 5, 'The Praise', NULL, 0), (2, 87, 'The Stars', NULL, 0), (3, 2, 'The One', NULL, 0),
 (NULL, NULL, 'Appendix of Mercy', 1, 5);
INSERT INTO SuraTable1 SELECT ChOrder, RvOrder, zf_plain(Words), Appendix, ID FROM SuraTable;
INSERT INTO HEADERS VALUES (1, 1, 'The mercy of the Lord');
INSERT INTO HEADERS1 SELECT Sura, Verse, zf_plain(Words) FROM HEADERS;
INSERT INTO FOOTERS VALUES (1, 2, '*1:2 A footnote on mercy.');
INSERT INTO FOOTERS1 SELECT Sura, Verse, zf_plain(Words) FROM FOOTERS;
INSERT INTO Appendices VALUES (1, 'Appendix one speaks of mercy.'), (0, 'Front matter.');
INSERT INTO Appendices1 SELECT Appendix, zf_plain(Words) FROM Appendices;
INSERT INTO GlosIndex VALUES ('Glossary', 1, 'Mercy: kindness.'), ('Index', 1, 'Mercy: 1:1');
INSERT INTO GlosIndex1 SELECT Title, Number, zf_plain(Words) FROM GlosIndex;
INSERT INTO SIMWORDS VALUES ('grace', 'mercy', '', '', '', '', '', '', '', ''),
 ('God''s', 'Lord''s', 'x'' OR ''1''=''1', NULL, NULL, NULL, NULL, NULL, NULL, NULL);
INSERT INTO ARTICLES VALUES ('Kindness', 2, 1, 'God''s promise'), ('Kindness', 0, 0, '');
INSERT INTO ARTICLES1 SELECT ARTICLES, SURA, VERSE, zf_plain(WORDS) FROM ARTICLES;
)sql";

// SQLite is not built with the sanitizer, so its allocations gain nothing
// from the sanitizer's allocator but its cost, and compiling a statement
// makes hundreds of them: SQLite gets the C library's allocator directly.
extern "C" void* __libc_malloc(size_t);
extern "C" void* __libc_realloc(void*, size_t);
extern "C" void __libc_free(void*);

constexpr size_t kHeader = 16;  // keeps the size and SQLite's 8-byte alignment

void* sqlMalloc(int n)
{
    auto* p = static_cast<unsigned char*>(__libc_malloc(static_cast<size_t>(n) + kHeader));
    if (!p)
        return nullptr;
    *reinterpret_cast<size_t*>(p) = static_cast<size_t>(n);
    return p + kHeader;
}
void sqlFree(void* p)
{
    if (p)
        __libc_free(static_cast<unsigned char*>(p) - kHeader);
}
void* sqlRealloc(void* p, int n)
{
    auto* base = static_cast<unsigned char*>(__libc_realloc(static_cast<unsigned char*>(p) - kHeader,
                                                            static_cast<size_t>(n) + kHeader));
    if (!base)
        return nullptr;
    *reinterpret_cast<size_t*>(base) = static_cast<size_t>(n);
    return base + kHeader;
}
int sqlSize(void* p) { return p ? static_cast<int>(*reinterpret_cast<size_t*>(static_cast<unsigned char*>(p) - kHeader)) : 0; }
int sqlRoundup(int n) { return (n + 7) & ~7; }
int sqlInit(void*) { return SQLITE_OK; }
void sqlShutdown(void*) {}

[[noreturn]] void fault(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "search_query: %s\n%s\n", what, detail.c_str());
    std::abort();
}

struct TextDb {
    db::Database db;
    long long changesBefore = 0;
    long long schemaBefore = 0;

    TextDb()
    {
        static const sqlite3_mem_methods methods = {sqlMalloc, sqlFree,  sqlRealloc,  sqlSize,
                                                    sqlRoundup, sqlInit, sqlShutdown, nullptr};
        sqlite3_config(SQLITE_CONFIG_MALLOC, &methods);
        if (!db.openFile(":memory:", db::Database::Mode::CreateIfMissing))
            fault("cannot open a database in memory", db.lastError());
        // Compiling a statement makes hundreds of small allocations; served
        // from the connection's own lookaside memory they stay out of the
        // sanitizer's allocator, which made them the bulk of each input's time.
        if (sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_LOOKASIDE, nullptr, 512, 4096) != SQLITE_OK)
            fault("cannot enlarge the lookaside memory", sqlite3_errmsg(db.handle()));
        if (!db.execute(db::textDatabaseSchema()) || !db.execute(db::notesTwinTrigger()) || !db.execute(kRows))
            fault("cannot build the text database", db.lastError());
        changesBefore = sqlite3_total_changes64(db.handle());
        schemaBefore = schemaVersion();
    }

    // Every row written (triggers included) counts in the total changes,
    // and every change of a table or index moves the schema version: both
    // standing still means the database is as it was built.
    bool unchanged()
    {
        return sqlite3_total_changes64(db.handle()) == changesBefore && schemaVersion() == schemaBefore;
    }

    long long schemaVersion()
    {
        sqlite3_stmt* st = nullptr;
        long long v = -1;
        if (sqlite3_prepare_v2(db.handle(), "PRAGMA schema_version", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            v = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        return v;
    }

    // The statement must be one read-only statement that SQLite accepts
    // and runs to the end.
    void run(const std::string& sql)
    {
        sqlite3_stmt* st = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v2(db.handle(), sql.c_str(), static_cast<int>(sql.size()), &st, &tail) != SQLITE_OK || !st)
            fault("SQLite refused a statement", sql + "\n" + sqlite3_errmsg(db.handle()));
        const std::string rest(tail, sql.c_str() + sql.size() - tail);
        if (rest.find_first_not_of(" \t\r\n") != std::string::npos)
            fault("a second statement follows", sql);
        if (!sqlite3_stmt_readonly(st))
            fault("the statement writes", sql);
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE)
            fault("the statement failed while running", sql + "\n" + sqlite3_errmsg(db.handle()));
        sqlite3_finalize(st);
    }
};

std::vector<std::string> fields(const uint8_t* data, size_t size)
{
    std::vector<std::string> out(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0x01 && out.size() < 6)
            out.emplace_back();
        else
            out.back().push_back(static_cast<char>(data[i]));
    }
    out.resize(6);
    return out;
}

// The option combination and the area of an input: its own bytes when it
// has them, else ones that follow from its length, so plain-text seeds
// spread over them too.
unsigned choice(const std::vector<std::string>& f, size_t index, size_t size)
{
    return f[5].size() > index ? static_cast<unsigned char>(f[5][index]) : static_cast<unsigned>(size * 7 + index * 3);
}

search::SearchOptions optionsOf(const std::vector<std::string>& f, size_t size)
{
    const unsigned bits = choice(f, 0, size);
    search::SearchOptions o;
    o.letterCase = (bits & 1) != 0;
    const unsigned ignore = (bits >> 1) % 3;
    o.ignoreWhole = ignore == 1;
    o.ignoreNormal = ignore == 2;
    o.scope = static_cast<search::SuraScope>((bits >> 3) % 3);
    o.chronological = (bits & 0x20) != 0;
    o.suraStart = f[1];
    o.suraEnd = f[2];
    o.suras = f[3];
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static TextDb text;
    const auto f = fields(data, size);
    const std::string prepared = search::prepareSearchText(f[0]);
    if (prepared.find('\0') != std::string::npos)
        fault("the prepared text holds a NUL", prepared);

    text.run(search::wordGroupLookup(f[0]));

    const search::SearchOptions o = optionsOf(f, size);
    search::SearchSlots slots;
    auto simple = search::runSimpleSearch(text.db, prepared, slots.view(), o, false);
    if (slots.count < 1 || slots.count > search::kSlotCount)
        fault("the word count is out of range", prepared);
    std::set<std::string> seen;
    if (seen.insert(simple.statements.front().sql).second)
        text.run(simple.statements.front().sql);

    search::getQSearch(prepared, slots.view(), &text.db);
    const int area = static_cast<int>(choice(f, 1, size) % search::kAreaCount);
    auto sql = search::areaStatement(slots.view(), area, db::searchTables()[static_cast<size_t>(area)], o);
    if (!sql) {
        if (o.scope == search::SuraScope::All || !search::isSuraArea(area))
            fault("a statement was refused without a sura scope", prepared);
    } else if (seen.insert(*sql).second) {
        text.run(*sql);
    }

    static const std::vector<search::BlockVerse> verses = {
        {1, 1, "[1:1] In praise of the Lord of mercy."}, {1, 2, "[1:2] He will forgive."},
        {2, 1, "[2:1] God's promise\r\nand His mercy"},  {3, 1, "[3:1] Words, words"}};
    search::BlockOptions bo;
    bo.windowSize = f[4].empty() ? "2" : f[4];
    bo.letterCase = size % 2 == 0;
    search::blockSearch(prepared, verses, bo, nullptr);

    if (!text.unchanged())
        fault("the database changed", prepared);
    return 0;
}
