#include "db/schema.h"

#include "core/log.h"
#include "db/plain_text.h"

#include <sqlite3.h>

#include <vector>

namespace db {

SearchTableList searchTables()
{
    return {"SuraTable", "Q", "Headers", "Footers", "Appendices", "GlosIndex", "GlosIndex", "ZOVR", "Articles"};
}

std::array<std::string_view, kSearchAreaCount> searchAreaCaptions()
{
    return {"Sura/Appendix Titles", "Verses", "Subtitles", "Footnotes", "Introduction/Appendix",
            "Glossary", "Index", "My Notes", "My Topics"};
}

namespace {

// Text comparisons in the statements (topic names, titles, word groups)
// have always ignored letter case, so those columns are declared NOCASE.
constexpr const char* kVerseTables = R"sql(
CREATE TABLE ZOVR (Sura INTEGER NOT NULL, Verse INTEGER NOT NULL, Words TEXT, YourNotes TEXT DEFAULT '',
                   "count" INTEGER, "sum" INTEGER);
CREATE UNIQUE INDEX ZOVR_key ON ZOVR (Sura, Verse);
CREATE TABLE ZOVR1 (Sura INTEGER NOT NULL, Verse INTEGER NOT NULL, Words TEXT, YourNotes TEXT DEFAULT '');
CREATE UNIQUE INDEX ZOVR1_key ON ZOVR1 (Sura, Verse);
CREATE TABLE ZOVRSch (Sura INTEGER NOT NULL, Verse INTEGER NOT NULL, Words TEXT);
CREATE UNIQUE INDEX ZOVRSch_key ON ZOVRSch (Sura, Verse);
CREATE TABLE Q (Sura INTEGER NOT NULL, Verse INTEGER NOT NULL, Words TEXT);
CREATE TABLE Q1 (Sura INTEGER NOT NULL, Verse INTEGER NOT NULL, Words TEXT);
)sql";

constexpr const char* kCompanionTables = R"sql(
CREATE TABLE SuraTable (ChOrder INTEGER, RvOrder INTEGER, Words TEXT COLLATE NOCASE, Appendix INTEGER, ID INTEGER);
CREATE INDEX SuraTable_ch ON SuraTable (ChOrder);
CREATE TABLE SuraTable1 (ChOrder INTEGER, RvOrder INTEGER, Words TEXT COLLATE NOCASE, Appendix INTEGER, ID INTEGER);
CREATE TABLE HEADERS (Sura INTEGER, Verse INTEGER, Words TEXT);
CREATE INDEX HEADERS_key ON HEADERS (Sura, Verse);
CREATE TABLE HEADERS1 (Sura INTEGER, Verse INTEGER, Words TEXT);
CREATE TABLE FOOTERS (Sura INTEGER, Verse INTEGER, Words TEXT);
CREATE INDEX FOOTERS_key ON FOOTERS (Sura, Verse);
CREATE TABLE FOOTERS1 (Sura INTEGER, Verse INTEGER, Words TEXT);
CREATE TABLE FRONTMATTER (Page INTEGER, Matter TEXT);
CREATE TABLE GlosIndex (Title TEXT COLLATE NOCASE, Number INTEGER, Words TEXT);
CREATE TABLE GlosIndex1 (Title TEXT COLLATE NOCASE, Number INTEGER, Words TEXT);
CREATE TABLE Appendices (Appendix INTEGER, Words TEXT);
CREATE TABLE Appendices1 (Appendix INTEGER, Words TEXT);
CREATE TABLE SIMWORDS (WORDPHRASE TEXT COLLATE NOCASE,
    SIMILAR1 TEXT COLLATE NOCASE, SIMILAR2 TEXT COLLATE NOCASE, SIMILAR3 TEXT COLLATE NOCASE,
    SIMILAR4 TEXT COLLATE NOCASE, SIMILAR5 TEXT COLLATE NOCASE, SIMILAR6 TEXT COLLATE NOCASE,
    SIMILAR7 TEXT COLLATE NOCASE, SIMILAR8 TEXT COLLATE NOCASE, SIMILAR9 TEXT COLLATE NOCASE);
CREATE TABLE ARTICLES (ARTICLES TEXT COLLATE NOCASE, SURA INTEGER, VERSE INTEGER, WORDS TEXT);
CREATE INDEX ARTICLES_name ON ARTICLES (ARTICLES);
CREATE TABLE ARTICLES1 (ARTICLES TEXT COLLATE NOCASE, SURA INTEGER, VERSE INTEGER, WORDS TEXT);
CREATE INDEX ARTICLES1_name ON ARTICLES1 (ARTICLES);
)sql";

}  // namespace

std::string textDatabaseSchema()
{
    return std::string(kVerseTables) + kCompanionTables;
}

std::string collectionSchema()
{
    return R"sql(
CREATE TABLE YourNotes (Sura INTEGER, Verse INTEGER, YourNotes TEXT);
CREATE TABLE Articles (Articles TEXT COLLATE NOCASE, Sura INTEGER, Verse INTEGER, Words TEXT);
CREATE TABLE Articles1 (Articles TEXT COLLATE NOCASE, Sura INTEGER, Verse INTEGER, Words TEXT);
)sql";
}

std::vector<std::string> plainSearchFormSteps(std::string_view first, std::string_view then)
{
    // Two steps, because SQLite's parser takes only about thirty nested
    // calls in one expression. Trimming and padding before the runs of
    // spaces are collapsed gives the same text as after, and lets the
    // second step be skipped for the usual note that has no double space.
    std::string e(first);
    for (char c : kSpecialChars)
        e = "replace(" + e + "," + (c == '\'' ? std::string("''''") : "'" + std::string(1, c) + "'") + ",' ')";
    // Empty after trimming stays empty; NULL stays NULL.
    std::string padded = "ifnull(' ' || nullif(trim(" + e + ",' '),'') || ' ', substr(" + std::string(first) + ",1,0))";

    // A run of n spaces: each 32-for-1 pass leaves n/32 + n%32, each
    // 2-for-1 pass n/2 + n%2; six of each bring any run SQLite can hold
    // (under 2^31 bytes) down to one space.
    std::string c(then);
    for (int i = 0; i < 6; ++i)
        c = "replace(" + c + ",'" + std::string(32, ' ') + "',' ')";
    for (int i = 0; i < 6; ++i)
        c = "replace(" + c + ",'  ',' ')";
    return {padded, c};
}

std::string notesTwinTrigger()
{
    const auto steps = plainSearchFormSteps("NEW.YourNotes", "YourNotes");
    return "CREATE TRIGGER IF NOT EXISTS " + std::string(kNotesTwinTrigger) +
           " AFTER UPDATE OF YourNotes ON ZOVR\nBEGIN\n  UPDATE ZOVR1 SET YourNotes = " + steps[0] +
           " WHERE Sura = NEW.Sura AND Verse = NEW.Verse;\n  UPDATE ZOVR1 SET YourNotes = " + steps[1] +
           " WHERE Sura = NEW.Sura AND Verse = NEW.Verse AND instr(YourNotes, '  ') > 0;\nEND;\n";
}

void upgradeNotesTwin(sqlite3* handle)
{
    // Files made before kept the twin in step through zf_plain(), which only
    // this program registers, so any other SQLite tool failed to write a
    // note; a trigger of an earlier form of this one is brought up to date.
    const std::string current = notesTwinTrigger();
    // SQLite keeps the statement without its closing ";": compare up to END.
    std::string body = current.substr(current.find(" AFTER UPDATE"));
    body.erase(body.rfind("END") + 3);
    sqlite3_stmt* st = nullptr;
    bool stale = false;
    if (sqlite3_prepare_v2(handle, "SELECT name, sql FROM sqlite_master WHERE type='trigger' AND name IN (?1, ?2)", -1,
                           &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(st, 1, kOldNotesTwinTrigger.data(), static_cast<int>(kOldNotesTwinTrigger.size()),
                          SQLITE_STATIC);
        sqlite3_bind_text(st, 2, kNotesTwinTrigger.data(), static_cast<int>(kNotesTwinTrigger.size()), SQLITE_STATIC);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const auto* sql = reinterpret_cast<const char*>(sqlite3_column_text(st, 1));
            stale = stale || !sql || std::string_view(sql).find(body) == std::string_view::npos;
        }
    }
    sqlite3_finalize(st);
    if (!stale)
        return;
    const std::string sql = "BEGIN IMMEDIATE; DROP TRIGGER IF EXISTS " + std::string(kOldNotesTwinTrigger) +
                            "; DROP TRIGGER IF EXISTS " + std::string(kNotesTwinTrigger) + "; " + current + " COMMIT;";
    char* err = nullptr;
    if (sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        // A read-only file keeps the trigger it has; the program still works on it.
        logDb("the notes trigger was not replaced: %s", err ? err : "unknown failure");
        sqlite3_free(err);
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

}  // namespace db
