#pragma once

#include "db/database.h"
#include "db/verse_ref.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace topics_test {

// Text that has broken statements before: quotes, a backslash, Arabic,
// line breaks of both kinds and a tab.
inline const std::string kAwkward = "God's \"word\" \\ path\r\nبسم الله\nlast\tline ''";

// The small fixture text database in a folder of its own.
class SmallText : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::buildFixtureDatabase(file(), {"text_small"});
        ASSERT_TRUE(db.openFile(file())) << db.lastError();
    }
    std::filesystem::path file() const { return dir.path() / "English.ttb"; }

    testing_support::TempDir dir;
    db::Database db;
};

// One text value of the first row of a statement ("" when there is none).
std::string text(db::Database& db, const std::string& sql);
long long number(db::Database& db, const std::string& sql);

std::string sqliteExe();
// The stock sqlite3 tool on a file; fails the test when it fails.
std::string sqliteTool(const std::filesystem::path& file, const std::string& input);
// The whole content of a database as the stock tool dumps it.
std::string dump(const std::filesystem::path& file);
// "" when two dumps are equal, else their first differing lines (the dumps
// themselves are too long to print).
std::string firstDifference(const std::string& a, const std::string& b);

struct NoteRow {
    int sura, verse;
    std::string note;
};
struct TopicRow {
    std::string name;
    int sura, verse;
    std::string words;
};
// A collection file written directly, without the program's backup.
void writeCollection(const std::filesystem::path& file, const std::vector<NoteRow>& notes,
                     const std::vector<TopicRow>& topics, const std::vector<TopicRow>& topics1);

// A program folder with the full shape of the text (6236 verses), built
// once per test program and copied for each test that changes it.
const std::filesystem::path& sharedProgramFolder();
void copyProgramFolder(const std::filesystem::path& to);

// A collection of `notes` notes (every verse from 1:1 on) and `topicRows`
// rows in each topic table, spread over 40 topics.
void writeLargeCollection(const std::filesystem::path& file, int notes, int topicRows);

}  // namespace topics_test
