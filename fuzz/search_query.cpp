// Any search text, sura scope or window size either gives statements that
// SQLite accepts and that only read, or no hits; nothing crashes and the
// database is never changed.
//
// Input: the search text, then optionally "\x01" and the first sura,
// "\x01" the last sura, "\x01" the list of suras, "\x01" the window size.
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

[[noreturn]] void fault(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "search_query: %s\n%s\n", what, detail.c_str());
    std::abort();
}

struct TextDb {
    db::Database db;
    std::string snapshot;

    TextDb()
    {
        if (!db.openFile(":memory:", db::Database::Mode::CreateIfMissing) || !db.execute(db::textDatabaseSchema()) ||
            !db.execute(db::notesTwinTrigger()) || !db.execute(kRows))
            fault("cannot build the text database", db.lastError());
        snapshot = contents();
    }

    std::string contents() const
    {
        sqlite3_int64 size = 0;
        unsigned char* bytes = sqlite3_serialize(db.handle(), "main", &size, 0);
        std::string out(reinterpret_cast<const char*>(bytes), bytes ? static_cast<size_t>(size) : 0);
        sqlite3_free(bytes);
        return out;
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
        if (data[i] == 0x01 && out.size() < 5)
            out.emplace_back();
        else
            out.back().push_back(static_cast<char>(data[i]));
    }
    out.resize(5);
    return out;
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

    std::set<std::string> seen;
    search::SearchSlots slots;
    for (int letterCase = 0; letterCase <= 1; ++letterCase) {
        search::SearchOptions o;
        o.letterCase = letterCase != 0;
        auto simple = search::runSimpleSearch(text.db, prepared, slots.view(), o, false);
        if (slots.count < 1 || slots.count > search::kSlotCount)
            fault("the word count is out of range", prepared);
        if (seen.insert(simple.statements.front().sql).second)
            text.run(simple.statements.front().sql);

        for (int ignore = 0; ignore <= 2; ++ignore) {
            o.ignoreWhole = ignore == 1;
            o.ignoreNormal = ignore == 2;
            for (int scope = 0; scope <= 2; ++scope) {
                o.scope = static_cast<search::SuraScope>(scope);
                o.suraStart = f[1];
                o.suraEnd = f[2];
                o.suras = f[3];
                for (int chrono = 0; chrono <= 1; ++chrono) {
                    o.chronological = chrono != 0;
                    for (int area = 0; area < search::kAreaCount; ++area) {
                        if (!search::isSuraArea(area) && (scope > 0 || chrono > 0))
                            continue;  // the same statement as with the defaults
                        search::getQSearch(prepared, slots.view(), &text.db);
                        auto sql = search::areaStatement(slots.view(), area, db::searchTables()[static_cast<size_t>(area)], o);
                        if (!sql) {
                            if (scope == 0 || !search::isSuraArea(area))
                                fault("a statement was refused without a sura scope", prepared);
                            continue;
                        }
                        if (seen.insert(*sql).second)
                            text.run(*sql);
                    }
                }
            }
        }
    }

    static const std::vector<search::BlockVerse> verses = {
        {1, 1, "[1:1] In praise of the Lord of mercy."}, {1, 2, "[1:2] He will forgive."},
        {2, 1, "[2:1] God's promise\r\nand His mercy"},  {3, 1, "[3:1] Words, words"}};
    search::BlockOptions bo;
    bo.windowSize = f[4].empty() ? "2" : f[4];
    bo.letterCase = size % 2 == 0;
    search::blockSearch(prepared, verses, bo, nullptr);

    if (text.contents() != text.snapshot)
        fault("the database changed", prepared);
    return 0;
}
