#include "db/schema.h"

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

std::string notesTwinTrigger()
{
    return R"sql(
CREATE TRIGGER ZOVR_notes_twin AFTER UPDATE OF YourNotes ON ZOVR
BEGIN
  UPDATE ZOVR1 SET YourNotes = zf_plain(NEW.YourNotes) WHERE Sura = NEW.Sura AND Verse = NEW.Verse;
END;
)sql";
}

}  // namespace db
