#include "db/schema.h"

#include "db/log.h"
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

std::array<std::string_view, 8> tablesWithPlainTwin()
{
    return {"SuraTable", "Q", "HEADERS", "FOOTERS", "Appendices", "GlosIndex", "ZOVR", "ARTICLES"};
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
    // SQLite's parser takes only so many nested calls in one expression,
    // so the work is split into steps of a few calls each.
    constexpr int kNesting = 9;
    std::vector<std::string> steps;
    std::string e;
    int depth = 0;
    auto wrap = [&](const std::string& from, const std::string& to) {
        if (depth == kNesting) {
            steps.push_back(e);
            depth = 0;
        }
        if (depth == 0)
            e = std::string(steps.empty() ? first : then);
        e = "replace(" + e + "," + from + "," + to + ")";
        ++depth;
    };
    for (char c : kSpecialChars)
        wrap(c == '\'' ? std::string("''''") : "'" + std::string(1, c) + "'", "' '");
    // Each pass halves every run of spaces; 32 passes bring any run SQLite
    // can hold (under 2^31 bytes) down to one space.
    for (int i = 0; i < 32; ++i)
        wrap("'  '", "' '");
    steps.push_back(e);
    // Empty after trimming stays empty; NULL stays NULL.
    const std::string t(then);
    steps.push_back("ifnull(' ' || nullif(trim(" + t + ",' '),'') || ' ', substr(" + t + ",1,0))");
    return steps;
}

std::string notesTwinTrigger()
{
    std::string sql = "CREATE TRIGGER IF NOT EXISTS " + std::string(kNotesTwinTrigger) +
                      " AFTER UPDATE OF YourNotes ON ZOVR\nBEGIN\n";
    for (const auto& step : plainSearchFormSteps("NEW.YourNotes", "YourNotes"))
        sql += "  UPDATE ZOVR1 SET YourNotes = " + step + " WHERE Sura = NEW.Sura AND Verse = NEW.Verse;\n";
    return sql + "END;\n";
}

void upgradeNotesTwin(sqlite3* handle)
{
    // Files made before kept the twin in step through zf_plain(), which only
    // this program registers, so any other SQLite tool failed to write a note.
    sqlite3_stmt* st = nullptr;
    bool old = false;
    if (sqlite3_prepare_v2(handle, "SELECT 1 FROM sqlite_master WHERE type='trigger' AND name=?1", -1, &st, nullptr) ==
        SQLITE_OK) {
        sqlite3_bind_text(st, 1, kOldNotesTwinTrigger.data(), static_cast<int>(kOldNotesTwinTrigger.size()),
                          SQLITE_STATIC);
        old = sqlite3_step(st) == SQLITE_ROW;
    }
    sqlite3_finalize(st);
    if (!old)
        return;
    const std::string sql = "BEGIN IMMEDIATE; DROP TRIGGER IF EXISTS " + std::string(kOldNotesTwinTrigger) + "; " +
                            notesTwinTrigger() + " COMMIT;";
    char* err = nullptr;
    if (sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        // A read-only file keeps the old trigger; the program still works on it.
        logDb("the notes trigger was not replaced: %s", err ? err : "unknown failure");
        sqlite3_free(err);
        sqlite3_exec(handle, "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

}  // namespace db
