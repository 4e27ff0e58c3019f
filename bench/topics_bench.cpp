// The reader's own data on the full text (a copy of build/bin/English.ttb):
// a collection of 6236 notes and 10,000 rows in each topic table, and a
// topic of 1,000 verses.
#include "db/database.h"
#include "topics/collection.h"
#include "topics/topic_store.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Setup {
    fs::path dir;
    fs::path pristine;    // the text as built: no notes, no topics
    fs::path filled;      // 6236 notes, 10,000 topic rows, a topic of 1,000 verses
    fs::path collection;  // the backup of `filled`
    bool ok = false;
    std::string error;

    Setup()
    {
        dir = fs::temp_directory_path() / ("zerafin-topics-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        pristine = dir / "pristine.ttb";
        filled = dir / "filled.ttb";
        collection = dir / "collection.mdb";
        std::error_code ec;
        if (!fs::copy_file(fs::path(ZF_BIN_DIR) / "English.ttb", pristine, ec)) {
            error = "no text database; run scripts/setup";
            return;
        }
        fs::copy_file(pristine, filled);
        db::Database db;
        if (!db.openFile(filled) ||
            !db.execute("BEGIN;"
                        "UPDATE ZOVR SET YourNotes = 'Note on ' || Sura || ':' || Verse || ', the reader''s own "
                        "thoughts (kept \"exactly\")' WHERE Verse > 0;"
                        "INSERT INTO ARTICLES SELECT 'Topic ' || (rowid % 40), Sura, Verse, Words FROM ZOVRSch "
                        "WHERE Verse > 0;"
                        "INSERT INTO ARTICLES SELECT 'Large topic', Sura, Verse, Words FROM ZOVRSch WHERE Verse > 0 "
                        "LIMIT 1000;"
                        "INSERT INTO ARTICLES SELECT 'Topic x', Sura, Verse, Words FROM ZOVRSch WHERE Verse > 0 "
                        "LIMIT 2764 OFFSET 1000;"
                        "INSERT INTO ARTICLES1 SELECT a.ARTICLES, a.SURA, a.VERSE, z.Words FROM ARTICLES a "
                        "JOIN ZOVR1 z ON z.Sura = a.SURA AND z.Verse = a.VERSE ORDER BY a.rowid;"
                        "COMMIT;")) {
            error = db.lastError();
            return;
        }
        auto backup = topics::backupCollection(db, fs::path(ZF_BIN_DIR) / "Files" / "Backup.mdb", collection, true);
        ok = backup.ok;
        error = backup.message;
    }
    ~Setup() { fs::remove_all(dir); }
};

Setup& setup()
{
    static Setup s;
    return s;
}

// The filled text, opened once for all iterations; nullptr (and the
// benchmark marked skipped) when there is no text database.
std::unique_ptr<db::Database> openFilled(benchmark::State& state)
{
    auto& s = setup();
    if (!s.ok) {
        state.SkipWithError(s.error.c_str());
        return nullptr;
    }
    auto db = std::make_unique<db::Database>();
    db->openFile(s.filled);
    return db;
}

void Backup(benchmark::State& state)
{
    auto& s = setup();
    auto opened = openFilled(state);
    if (!opened)
        return;
    db::Database& db = *opened;
    for (auto _ : state) {
        auto r = topics::backupCollection(db, fs::path(ZF_BIN_DIR) / "Files" / "Backup.mdb", s.dir / "out.mdb", true);
        if (!r.ok)
            return state.SkipWithError(r.message.c_str());
    }
}
BENCHMARK(Backup)->Unit(benchmark::kMillisecond);

void Restore(benchmark::State& state)
{
    auto& s = setup();
    auto opened = openFilled(state);
    if (!opened)
        return;
    db::Database& db = *opened;
    for (auto _ : state) {
        auto r = topics::restoreCollection(db, s.collection);
        if (!r)
            return state.SkipWithError(r.message.c_str());
    }
}
BENCHMARK(Restore)->Unit(benchmark::kMillisecond);

// Each iteration works on a fresh copy of `from`, so every one does the same work.
template <typename Operation>
void onFreshCopies(benchmark::State& state, fs::path Setup::*from, const char* name, Operation operation)
{
    auto& s = setup();
    if (!s.ok)
        return state.SkipWithError(s.error.c_str());
    const fs::path target = s.dir / name;
    for (auto _ : state) {
        state.PauseTiming();
        db::Database db;
        fs::copy_file(s.*from, target, fs::copy_options::overwrite_existing);
        db.openFile(target);
        state.ResumeTiming();
        auto r = operation(db, s);
        if (!r)
            return state.SkipWithError(r.message.c_str());
    }
}

// Into the text as built.
void Merge(benchmark::State& state)
{
    onFreshCopies(state, &Setup::pristine, "merge.ttb",
                  [](db::Database& db, const Setup& s) { return topics::mergeCollection(db, s.collection); });
}
BENCHMARK(Merge)->Unit(benchmark::kMillisecond);

// Onto the text as built, so every note is written.
void RestoreOntoNoNotes(benchmark::State& state)
{
    onFreshCopies(state, &Setup::pristine, "restore.ttb",
                  [](db::Database& db, const Setup& s) { return topics::restoreCollection(db, s.collection); });
}
BENCHMARK(RestoreOntoNoNotes)->Unit(benchmark::kMillisecond);

void Erase(benchmark::State& state)
{
    onFreshCopies(state, &Setup::filled, "erase.ttb",
                  [](db::Database& db, const Setup&) { return topics::eraseCollection(db); });
}
BENCHMARK(Erase)->Unit(benchmark::kMillisecond);

// What "REFRESH TOPIC" reads: the verses of a topic of 1,000, as list items.
void ShowTopicOf1000Verses(benchmark::State& state)
{
    auto opened = openFilled(state);
    if (!opened)
        return;
    db::Database& db = *opened;
    size_t items = 0;
    for (auto _ : state) {
        auto verses = topics::topicVerses(db, "Large topic");
        std::vector<std::string> list;
        list.reserve(verses.value.size());
        for (const auto& v : verses.value)
            list.push_back(v.display());
        items = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(ShowTopicOf1000Verses)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
