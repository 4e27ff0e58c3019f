#include "topics_fixture.h"

#include "db/recordset.h"
#include "db/schema.h"
#include "support/program_folder.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace topics_test {

namespace fs = std::filesystem;

std::string text(db::Database& db, const std::string& sql)
{
    db::Recordset rs;
    EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
    return rs.eof() ? std::string() : rs.field(0).toString();
}

long long number(db::Database& db, const std::string& sql)
{
    db::Recordset rs;
    EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
    return rs.eof() ? -1 : rs.field(0).toInt();
}

// The stock command-line tool, found on the PATH.
std::string sqliteExe()
{
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t colon = dirs.find(':', start);
        fs::path candidate = fs::path(dirs.substr(start, colon - start)) / "sqlite3";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    ADD_FAILURE() << "the sqlite3 tool is not installed (scripts/setup installs it)";
    return "sqlite3";
}

std::string sqliteTool(const fs::path& file, const std::string& input)
{
    auto r = testing_support::runProgram({sqliteExe(), "-bail", file.string()}, input);
    EXPECT_EQ(r.status, 0) << "sqlite3: " << r.err;
    EXPECT_EQ(r.err, "");
    return r.out;
}

std::string dump(const fs::path& file)
{
    auto r = testing_support::runProgram({sqliteExe(), file.string(), ".dump"});
    EXPECT_EQ(r.status, 0) << r.err;
    return r.out;
}

std::string firstDifference(const std::string& a, const std::string& b)
{
    if (a == b)
        return {};
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at])
        ++at;
    size_t start = a.rfind('\n', at == 0 ? 0 : at - 1);
    start = start == std::string::npos ? 0 : start + 1;
    auto line = [&](const std::string& s) {
        return s.substr(start, std::min<size_t>(s.find('\n', start) - start, 300));
    };
    return "first: " + line(a) + "\nsecond: " + line(b);
}

void writeCollection(const fs::path& file, const std::vector<NoteRow>& notes, const std::vector<TopicRow>& topics,
                     const std::vector<TopicRow>& topics1)
{
    db::Database c;
    ASSERT_TRUE(c.openFile(file, db::Database::Mode::CreateIfMissing)) << c.lastError();
    ASSERT_TRUE(c.execute(db::collectionSchema() + "BEGIN;")) << c.lastError();
    sqlite3* h = c.handle();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "INSERT INTO YourNotes VALUES (?1, ?2, ?3)", -1, &st, nullptr);
    for (const auto& n : notes) {
        sqlite3_bind_int(st, 1, n.sura);
        sqlite3_bind_int(st, 2, n.verse);
        sqlite3_bind_text(st, 3, n.note.data(), static_cast<int>(n.note.size()), SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    for (auto [table, rows] : {std::pair{"Articles", &topics}, std::pair{"Articles1", &topics1}}) {
        sqlite3_prepare_v2(h, (std::string("INSERT INTO ") + table + " VALUES (?1, ?2, ?3, ?4)").c_str(), -1, &st,
                           nullptr);
        for (const auto& t : *rows) {
            sqlite3_bind_text(st, 1, t.name.data(), static_cast<int>(t.name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 2, t.sura);
            sqlite3_bind_int(st, 3, t.verse);
            sqlite3_bind_text(st, 4, t.words.data(), static_cast<int>(t.words.size()), SQLITE_TRANSIENT);
            ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    ASSERT_TRUE(c.execute("COMMIT")) << c.lastError();
}

const fs::path& sharedProgramFolder()
{
    static testing_support::TempDir dir;
    static bool built = false;
    if (!built) {
        testing_support::makeTestProgramFolder(dir.path());
        built = true;
    }
    return dir.path();
}

void copyProgramFolder(const fs::path& to)
{
    fs::copy(sharedProgramFolder(), to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void writeLargeCollection(const fs::path& file, int notes, int topicRows)
{
    std::vector<NoteRow> n;
    std::vector<db::VerseRef> verses;
    for (int s = 1; s <= 114; ++s)
        for (int v = 1; v <= testing_support::verseCount(s); ++v)
            verses.push_back({s, v});
    for (int i = 0; i < notes; ++i) {
        const auto& v = verses[static_cast<size_t>(i) % verses.size()];
        n.push_back(
            {v.sura, v.verse, "Shared note " + std::to_string(i) + " on " + v.display() + ", it's " + kAwkward});
    }
    std::vector<TopicRow> t, t1;
    for (int i = 0; i < topicRows; ++i) {
        const auto& v = verses[(static_cast<size_t>(i) * 7) % verses.size()];
        std::string name = "Shared topic " + std::to_string(i % 40);
        t.push_back({name, v.sura, v.verse, testing_support::testVerseText(v.sura, v.verse)});
        t1.push_back({name, v.sura, v.verse, " search form " + v.display() + " "});
    }
    writeCollection(file, n, t, t1);
}

}  // namespace topics_test
