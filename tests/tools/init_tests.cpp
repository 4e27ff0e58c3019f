#include "db/database.h"
#include "db/recordset.h"
#include "init/appendices.h"
#include "init/text_builder.h"
#include "init/verse_rtf.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A sample package in the shape of quran-json, with invented text: 114 suras
// of a few verses each. Sura 2 mentions Allah twice in verse 2.
void writeFakeSample(const fs::path& dir, int versesPerSura = 3)
{
    nlohmann::json suras = nlohmann::json::array();
    for (int s = 1; s <= 114; ++s) {
        nlohmann::json verses = nlohmann::json::array();
        for (int v = 1; v <= versesPerSura; ++v) {
            std::string text = "Line " + std::to_string(v) + " of test sura " + std::to_string(s) + ".";
            if (s == 1 && v == 1)
                text = "In the name of Allah, the test opening";
            if (s == 2 && v == 2)
                text = "Allah knows; Allah's mercy {and} a \\ backslash.";
            verses.push_back({{"id", v}, {"translation", text}});
        }
        suras.push_back({{"id", s},
                         {"translation", "Test " + std::to_string(s)},
                         {"transliteration", "At-Test-" + std::to_string(s)},
                         {"verses", verses}});
    }
    writeFile(dir / "dist" / "quran_en.json", suras.dump());
}

void writeFakeData(const fs::path& dir)
{
    writeFile(dir / "subtitles.tsv", "# test\n2:1\tA Test Heading\n");
    writeFile(dir / "footnotes.tsv", "2:2\tA test footnote.\n2:2\tA second one.\n3:0\tAbout the sura.\n");
    writeFile(dir / "glossary.tsv", "Mercy\tA test definition.\n");
    writeFile(dir / "wordgroups.txt", "grace, mercy\n");
    writeFile(dir / "index_terms.txt", "Mercy\tmercy\nLines\tline\nNowhere\tnowhere\nabundance\tmercy|grace\n");
    writeFile(dir / "frontmatter" / "page01.rtf", "{\\rtf1 Title page\\par}");
    writeFile(dir / "frontmatter" / "page08.html", "<html><body><h2>Intro</h2><p>An &amp; introduction.</p>");
    writeFile(dir / "frontmatter" / "page15.html", "</body></html>");
    writeFile(dir / "Help.htm", "<html><body>Help</body></html>");
    writeFile(dir / "Numbers.htm", "<html><body>How to divide</body></html>");
}

struct Built {
    TempDir tmp;
    fs::path out = tmp / "bin";
    fs::path sample = tmp / "sample";
    fs::path data = tmp / "data";
    Built()
    {
        writeFakeSample(sample);
        writeFakeData(data);
    }
    init::BuildReport build(init::Progress progress = {})
    {
        return init::buildProgramFolder({out, sample, data, "English", std::move(progress)});
    }
    long long scalar(const std::string& sql)
    {
        db::Database db;
        EXPECT_TRUE(db.openFile(out / "English.ttb")) << db.lastError();
        db::Recordset rs;
        EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
        return rs.field(0).toInt(-1);
    }
    std::string text(const std::string& sql)
    {
        db::Database db;
        EXPECT_TRUE(db.openFile(out / "English.ttb"));
        db::Recordset rs;
        EXPECT_TRUE(rs.open(sql, db)) << rs.lastError();
        return rs.field(0).toString();
    }
};

}  // namespace

TEST(Init, BuildsEveryTableAndTheProgramFolder)
{
    Built b;
    std::vector<int> progress;
    auto report = b.build([&](int v) { progress.push_back(v); });

    // 114 suras of 3 verses, plus an opening row for all but suras 1 and 9.
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ZOVR"), 114 * 3 + 112);
    EXPECT_EQ(b.scalar("SELECT MIN(Verse) FROM ZOVR WHERE Sura=9"), 1);
    EXPECT_EQ(b.scalar("SELECT MIN(Verse) FROM ZOVR WHERE Sura=2"), 0);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ZOVR1"), 114 * 3 + 112);
    for (const char* t : {"ZOVRSch", "Q", "Q1"})
        EXPECT_EQ(b.scalar(std::string("SELECT count(*) FROM ") + t), 114 * 3) << t;

    // The stored verse: subtitle at fs21 before the first "[", verse at fs24,
    // footnotes at fs20 after it, characters RTF would misread escaped.
    std::string v1 = b.text("SELECT Words FROM ZOVR WHERE Sura=2 AND Verse=1");
    EXPECT_LT(v1.find("\\fs21"), v1.find('['));
    EXPECT_NE(v1.find("A Test Heading"), std::string::npos);
    EXPECT_LT(v1.find("A Test Heading"), v1.find("[2:1]"));
    std::string v2 = b.text("SELECT Words FROM ZOVR WHERE Sura=2 AND Verse=2");
    EXPECT_NE(v2.find("\\fs24 [2:2] Allah knows"), std::string::npos);
    EXPECT_NE(v2.find("\\{and\\} a \\\\ backslash"), std::string::npos);
    EXPECT_GT(v2.find("\\fs20"), v2.find("[2:2]"));
    EXPECT_NE(v2.find("*2:2 A test footnote."), std::string::npos);
    EXPECT_NE(v2.find("*2:2 A second one."), std::string::npos);
    EXPECT_NE(v2.find("Times New Roman"), std::string::npos);
    // The opening row carries the title, the opening line and its footnote.
    std::string open3 = b.text("SELECT Words FROM ZOVR WHERE Sura=3 AND Verse=0");
    EXPECT_NE(open3.find("Test 3 (At-Test-3)"), std::string::npos);
    EXPECT_NE(open3.find("In the name of Allah, the test opening"), std::string::npos);
    EXPECT_NE(open3.find("*3:0 About the sura."), std::string::npos);

    // Running totals of the word Allah: 1:1 has one, 2:2 has two ("Allah's" counts).
    EXPECT_EQ(b.scalar("SELECT \"count\" FROM ZOVR WHERE Sura=1 AND Verse=1"), 1);
    EXPECT_EQ(b.scalar("SELECT \"sum\" FROM ZOVR WHERE Sura=1 AND Verse=1"), 1);
    EXPECT_EQ(b.scalar("SELECT \"count\" FROM ZOVR WHERE Sura=2 AND Verse=0"), 1);  // openings are not counted
    EXPECT_EQ(b.scalar("SELECT \"count\" FROM ZOVR WHERE Sura=2 AND Verse=2"), 3);
    EXPECT_EQ(b.scalar("SELECT \"sum\" FROM ZOVR WHERE Sura=114 AND Verse=3"), 3);

    // Plain forms.
    EXPECT_EQ(b.text("SELECT Words FROM ZOVRSch WHERE Sura=2 AND Verse=2"), "Allah knows; Allah's mercy {and} a \\ backslash.");
    EXPECT_EQ(b.text("SELECT Words FROM Q1 WHERE Sura=2 AND Verse=2"), " Allah knows Allah s mercy {and} a backslash ");

    // Companion tables and their twins.
    EXPECT_EQ(b.scalar("select RvOrder from SuraTable where ChOrder=96"), 1);
    EXPECT_EQ(b.scalar("select RvOrder from SuraTable where ChOrder=1"), 5);
    EXPECT_EQ(b.text("SELECT Words FROM SuraTable WHERE ChOrder=2"), "Test 2 (At-Test-2)");
    EXPECT_EQ(b.scalar("SELECT ID FROM SuraTable WHERE Words='Contents'"),
              static_cast<long long>(fs::file_size(b.out / "Files/English/Contents.htm") / 200));
    EXPECT_EQ(b.scalar("SELECT ID FROM SuraTable WHERE Appendix=7"),
              static_cast<long long>(fs::file_size(b.out / "Files/English/Appendices/Appendix 07.htm") / 200));
    EXPECT_EQ(b.text("SELECT Words FROM SuraTable WHERE Appendix=7"), init::appendixTitle(7));
    EXPECT_EQ(b.scalar("SELECT count(*) FROM HEADERS WHERE Sura=2 AND Verse=1"), 1);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM FOOTERS WHERE Sura=2 AND Verse=2"), 2);
    EXPECT_EQ(b.text("SELECT Words FROM FOOTERS1 WHERE Sura=3"), " 3 0 About the sura ");
    EXPECT_EQ(b.text("SELECT Words FROM GlosIndex WHERE Title='Glossary'"), "Mercy: A test definition.");
    // The index in alphabetical order, letter case aside; a term the text never uses is left out.
    EXPECT_EQ(b.text("SELECT Words FROM GlosIndex WHERE Title='Index' AND Number=1"), "abundance: 2:2");
    EXPECT_EQ(b.text("SELECT Words FROM GlosIndex WHERE Title='Index' AND Number=2").rfind("Lines: 1:2, 1:3, 2:1,", 0), 0u);
    EXPECT_EQ(b.text("SELECT Words FROM GlosIndex WHERE Title='Index' AND Number=3"), "Mercy: 2:2");
    EXPECT_EQ(b.scalar("SELECT count(*) FROM GlosIndex WHERE Title='Index'"), 3);
    EXPECT_EQ(b.text("SELECT Title FROM GlosIndex1 WHERE Number=1 AND Title='Index'"), "Index");
    EXPECT_EQ(b.text("SELECT Words FROM Appendices WHERE Appendix=0"), "Intro An & introduction.");
    EXPECT_EQ(b.text("SELECT SIMILAR1 FROM SIMWORDS WHERE WORDPHRASE='Grace'"), "mercy");
    EXPECT_EQ(b.scalar("SELECT count(*) FROM FRONTMATTER"), 3);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ARTICLES"), 0);

    // The program folder around it, and css written last, long enough.
    EXPECT_TRUE(fs::exists(b.out / "Files/Help.htm"));
    EXPECT_TRUE(fs::exists(b.out / "Files/English/index.rtf"));
    EXPECT_EQ(testing_support::readFile(b.out / "Files/English/Numbers.htm"), "<html><body>How to divide</body></html>");
    EXPECT_TRUE(fs::is_directory(b.out / "Numbers"));
    db::Database backup;
    ASSERT_TRUE(backup.openFile(b.out / "Files/Backup.mdb"));
    EXPECT_TRUE(backup.hasTable("YourNotes"));
    EXPECT_TRUE(backup.hasTable("Articles"));
    EXPECT_TRUE(backup.hasTable("Articles1"));
    EXPECT_GE(fs::file_size(b.out / "css"), 2000u);
    EXPECT_EQ(report.manifest.size(), fs::file_size(b.out / "css"));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 18360);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    for (const auto& e : fs::directory_iterator(b.out))
        EXPECT_EQ(e.path().filename().string().find(".building"), std::string::npos) << e.path();
}

TEST(Init, RebuildKeepsTheReadersNotesTopicsAndWordGroups)
{
    Built b;
    b.build();
    {
        db::Database db;
        ASSERT_TRUE(db.openFile(b.out / "English.ttb"));
        ASSERT_TRUE(db.execute("UPDATE ZOVR SET YourNotes='it''s my note' WHERE Sura=2 AND Verse=2"));
        ASSERT_TRUE(db.execute("INSERT INTO ARTICLES VALUES ('God''s mercy', 2, 2, 'x'), ('Kept zero', 0, 0, '')"));
        ASSERT_TRUE(db.execute("INSERT INTO ARTICLES1 VALUES ('God''s mercy', 2, 2, ' x ')"));
        ASSERT_TRUE(db.execute("UPDATE SIMWORDS SET SIMILAR2='kindness' WHERE WORDPHRASE='grace'"));
        ASSERT_TRUE(db.execute("INSERT INTO SIMWORDS (WORDPHRASE, SIMILAR1) VALUES ('mine', 'ours')"));
    }
    auto report = b.build();
    EXPECT_EQ(report.counts.notesKept, 1);
    EXPECT_EQ(report.counts.topicRowsKept, 3);
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=2"), "it's my note");
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR1 WHERE Sura=2 AND Verse=2"), " it s my note ");
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ARTICLES WHERE ARTICLES='God''s mercy'"), 1);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ARTICLES WHERE SURA=0"), 1);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ARTICLES1"), 1);
    EXPECT_EQ(b.text("SELECT SIMILAR2 FROM SIMWORDS WHERE WORDPHRASE='grace'"), "kindness");
    EXPECT_EQ(b.scalar("SELECT count(*) FROM SIMWORDS"), 2);

    // The rebuilt file keeps notes and their plain twin in step.
    db::Database db;
    ASSERT_TRUE(db.openFile(b.out / "English.ttb"));
    ASSERT_TRUE(db.execute("UPDATE ZOVR SET YOURNOTES='New: one' WHERE SURA=3 AND VERSE=1"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT YourNotes FROM ZOVR1 WHERE Sura=3 AND Verse=1", db));
    EXPECT_EQ(rs.field(0).toString(), " New one ");
}

TEST(Init, AFailedBuildLeavesTheOldDatabaseAlone)
{
    Built b;
    b.build();
    {
        db::Database db;
        ASSERT_TRUE(db.openFile(b.out / "English.ttb"));
        ASSERT_TRUE(db.execute("UPDATE ZOVR SET YourNotes='keep me' WHERE Sura=3 AND Verse=3"));
    }
    // A new text without that verse cannot hold the note: nothing is replaced.
    writeFakeSample(b.sample, 2);
    EXPECT_THROW(b.build(), std::runtime_error);
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=3 AND Verse=3"), "keep me");
    // Data that names a verse the text does not have is refused too.
    writeFakeSample(b.sample, 3);
    writeFile(b.data / "footnotes.tsv", "2:9\tNowhere.\n");
    EXPECT_THROW(b.build(), std::runtime_error);
    writeFile(b.data / "footnotes.tsv", "2:x\tBad reference.\n");
    EXPECT_THROW(b.build(), std::runtime_error);
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=3 AND Verse=3"), "keep me");
    for (const auto& e : fs::directory_iterator(b.out))
        EXPECT_EQ(e.path().filename().string().find(".building"), std::string::npos) << e.path();
}

TEST(Init, AnUnreadableDatabaseIsSetAsideNotOverwritten)
{
    Built b;
    fs::create_directories(b.out);
    writeFile(b.out / "English.ttb", std::string(5000, 'z'));
    auto report = b.build();
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ZOVR"), 114 * 3 + 112);
    bool keptAside = false;
    for (const auto& e : fs::directory_iterator(b.out))
        if (e.path().filename().string().rfind("English.ttb.unreadable-", 0) == 0)
            keptAside = fs::file_size(e.path()) == 5000;
    EXPECT_TRUE(keptAside);
    EXPECT_NE(report.manifest.find("unreadable_database_kept_as="), std::string::npos);
}

namespace {

std::vector<std::string> namesIn(const fs::path& dir, const std::string& prefix)
{
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename().string().rfind(prefix, 0) == 0)
            out.push_back(e.path().filename().string());
    return out;
}

// Restores the busy wait a test shortened.
struct BusyWait {
    explicit BusyWait(int ms) { db::setBusyTimeoutMs(ms); }
    ~BusyWait() { db::setBusyTimeoutMs(db::kDefaultBusyTimeoutMs); }
};

}  // namespace

TEST(Init, ALockedDatabaseIsWaitedForAndNeverSetAside)
{
    Built b;
    b.build();
    {
        db::Database db;
        ASSERT_TRUE(db.openFile(b.out / "English.ttb"));
        ASSERT_TRUE(db.execute("UPDATE ZOVR SET YourNotes='held note' WHERE Sura=2 AND Verse=3"));
    }
    // Another program holds the file for a moment: the builder waits, then
    // carries the note over.
    db::Database other;
    ASSERT_TRUE(other.openFile(b.out / "English.ttb"));
    ASSERT_TRUE(other.execute("BEGIN EXCLUSIVE"));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        other.execute("COMMIT");
    });
    auto report = b.build();
    release.join();
    EXPECT_EQ(report.counts.notesKept, 1);
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3"), "held note");
    EXPECT_TRUE(report.setAside.keptAs.empty());

    // Held for longer than the wait: the builder stops and changes nothing.
    other.close();
    ASSERT_TRUE(other.openFile(b.out / "English.ttb"));
    ASSERT_TRUE(other.execute("BEGIN EXCLUSIVE"));
    const auto before = fs::last_write_time(b.out / "English.ttb");
    {
        BusyWait shortWait(200);
        try {
            b.build();
            ADD_FAILURE() << "built over a locked file";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("locked by another program"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("nothing was changed"), std::string::npos) << e.what();
        }
    }
    ASSERT_TRUE(other.execute("COMMIT"));
    EXPECT_EQ(fs::last_write_time(b.out / "English.ttb"), before);
    EXPECT_TRUE(namesIn(b.out, "English.ttb.").empty());
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=3"), "held note");
}

TEST(Init, AWriteDuringARebuildReachesTheNewFile)
{
    Built b;
    b.build();
    const fs::path file = b.out / "English.ttb";
    // A window left open across the rebuild, with an edit it has not saved yet.
    db::Database window;
    ASSERT_TRUE(window.openFile(file));
    db::Recordset groups;
    ASSERT_TRUE(groups.open("SELECT * FROM SIMWORDS", window));
    ASSERT_TRUE(groups.setField("SIMILAR3", db::Value("unsaved edit")));

    std::thread writer;
    bool written = false;
    std::string quickError;
    b.build([&](int value) {
        if (value < 2000 || writer.joinable())
            return;
        // The builder has read the notes and not yet replaced the file.
        {
            BusyWait shortWait(100);
            db::Database quick;
            ASSERT_TRUE(quick.openFile(file));
            EXPECT_FALSE(quick.execute("UPDATE ZOVR SET YourNotes='lost?' WHERE Sura=2 AND Verse=1"));
            EXPECT_TRUE(quick.lastFailureWasLock());
            quickError = quick.lastError();
        }
        writer = std::thread([&] {
            written = window.execute("UPDATE ZOVR SET YourNotes='written during the rebuild' WHERE Sura=3 AND Verse=2");
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the writer now waits for the lock
    });
    writer.join();
    EXPECT_TRUE(written) << window.lastError();
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=3 AND Verse=2"), "written during the rebuild");
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR1 WHERE Sura=3 AND Verse=2"), " written during the rebuild ");
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=1"), "");
    // The refusal names the reason, not the statement.
    EXPECT_NE(quickError.find("locked by another program"), std::string::npos) << quickError;
    EXPECT_EQ(quickError.find("UPDATE"), std::string::npos) << quickError;

    // The edit made before the rebuild is saved into the new file too.
    ASSERT_TRUE(groups.update()) << groups.lastError();
    EXPECT_EQ(b.text("SELECT SIMILAR3 FROM SIMWORDS WHERE WORDPHRASE='grace'"), "unsaved edit");
    EXPECT_FALSE(window.fileReplaced());
}

TEST(Init, AFileItDidNotMakeIsKeptAside)
{
    Built b;
    fs::create_directories(b.out);
    {
        db::Database foreign;
        ASSERT_TRUE(foreign.openFile(b.out / "English.ttb", db::Database::Mode::CreateIfMissing));
        ASSERT_TRUE(foreign.execute("CREATE TABLE accounts(name); INSERT INTO accounts VALUES ('keep me')"));
    }
    auto report = b.build();
    EXPECT_EQ(report.setAside.kind, "foreign");
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ZOVR"), 114 * 3 + 112);
    auto kept = namesIn(b.out, "English.ttb.foreign-");
    ASSERT_EQ(kept.size(), 1u);
    db::Database foreign;
    ASSERT_TRUE(foreign.openFile(b.out / kept[0]));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT name FROM accounts", foreign));
    EXPECT_EQ(rs.field(0).toString(), "keep me");
    EXPECT_NE(report.manifest.find("foreign_database_kept_as="), std::string::npos);

    // The program says so in its status and on the console.
    fs::remove(b.out / "English.ttb");
    testing_support::writeFile(b.out / "English.ttb", std::string(5000, 'z'));
    auto r = testing_support::runProgram({ZF_INIT_EXE, "--out", b.out.string(), "--sample", b.sample.string(), "--data",
                                          b.data.string(), "--no-progress", "--quiet"});
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("kept as"), std::string::npos) << r.err;
    EXPECT_EQ(namesIn(b.out, "English.ttb.unreadable-").size(), 1u);
}

TEST(Init, LanguageIsAPlainNameAndDataMustBeThere)
{
    Built b;
    for (const char* bad : {"../x", "/tmp/x", "a/b", "..", ""}) {
        auto r = testing_support::runProgram({ZF_INIT_EXE, "--out", b.out.string(), "--sample", b.sample.string(),
                                              "--data", b.data.string(), "--no-progress", "--language", bad});
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("plain name"), std::string::npos) << r.err;
        EXPECT_THROW(init::buildProgramFolder({b.out, b.sample, b.data, bad, {}}), std::runtime_error) << bad;
    }
    EXPECT_FALSE(fs::exists(b.tmp / "x.ttb"));
    EXPECT_FALSE(fs::exists(b.out));

    // Without the data folder nothing is built.
    auto r = testing_support::runProgram({ZF_INIT_EXE, "--out", b.out.string(), "--sample", b.sample.string(), "--data",
                                          (b.tmp / "none").string(), "--no-progress"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("data folder"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(b.out / "English.ttb"));
}

TEST(Init, TemporaryFilesOfKilledBuildsAreCleanedUp)
{
    Built b;
    b.build();
    // A process that has ended, and one that is still running (init).
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    const std::string dead = std::to_string(child);
    const fs::path docs = b.out / "Files" / "English";
    const std::vector<fs::path> stale = {b.out / ("English.ttb.building-" + dead), docs / ("Contents.htm.part-" + dead),
                                         b.out / ("css.part-" + dead)};
    const std::vector<fs::path> kept = {b.out / "English.ttb.building-1", b.out / "notes.txt.part-x1",
                                        b.out / ("English.ttb.keep-" + dead)};
    for (const auto& f : stale)
        testing_support::writeFile(f, "left over");
    for (const auto& f : kept)
        testing_support::writeFile(f, "not ours to remove");
    b.build();
    for (const auto& f : stale)
        EXPECT_FALSE(fs::exists(f)) << f;
    for (const auto& f : kept)
        EXPECT_TRUE(fs::exists(f)) << f;
}

TEST(Init, MissingOrBrokenSampleSaysWhatIsWrong)
{
    TempDir tmp;
    try {
        init::loadSampleText(tmp.path());
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("quran_en.json"), std::string::npos);
    }
    writeFile(tmp / "dist" / "quran_en.json", "[1,2");
    EXPECT_THROW(init::loadSampleText(tmp.path()), std::runtime_error);
    writeFile(tmp / "dist" / "quran_en.json", "[]");
    EXPECT_THROW(init::loadSampleText(tmp.path()), std::runtime_error);
}

TEST(Init, TheSampleTextIsCheckedWhereItIsRead)
{
    TempDir tmp;
    const fs::path json = tmp / "dist" / "quran_en.json";
    auto refusedWith = [&](const std::string& what) {
        try {
            init::loadSampleText(tmp.path());
            return std::string("accepted");
        } catch (const std::runtime_error& e) {
            return std::string(e.what()).find(what) != std::string::npos ? std::string() : std::string(e.what());
        }
    };
    writeFakeSample(tmp.path());
    auto doc = nlohmann::json::parse(testing_support::readFile(json));

    // The checksum set-up recorded beside the text.
    const std::string good = testing_support::readFile(json);
    writeFile(tmp / "dist" / "quran_en.json.sha256", init::sha256Hex(good) + "  quran_en.json\n");
    EXPECT_EQ(init::loadSampleText(tmp.path()).suras.size(), 114u);
    writeFile(json, good + " ");
    EXPECT_EQ(refusedWith("does not match the checksum"), "");
    fs::remove(tmp / "dist" / "quran_en.json.sha256");

    auto bad = doc;
    bad[1]["verses"][0]["translation"] = std::string("a NUL\0here", 11);
    writeFile(json, bad.dump());
    EXPECT_EQ(refusedWith("2:1 holds a NUL"), "");

    bad = doc;
    for (int v = 4; v <= 1000; ++v)
        bad[1]["verses"].push_back({{"id", v}, {"translation", "more"}});
    writeFile(json, bad.dump());
    EXPECT_EQ(refusedWith("sura 2 has 1000 verses"), "");
    bad[1]["verses"].erase(bad[1]["verses"].size() - 1);
    writeFile(json, bad.dump());
    EXPECT_EQ(init::loadSampleText(tmp.path()).suras[1].verses.size(), 999u);
}

TEST(Init, RtfEscaping)
{
    EXPECT_EQ(init::rtfEscape("a{b}c\\d"), "a\\{b\\}c\\\\d");
    EXPECT_EQ(init::rtfEscape("caf\xC3\xA9"), "caf\\'e9");
    EXPECT_EQ(init::rtfEscape("\xE2\x80\x94"), "\\'97");              // em dash is in code page 1252
    EXPECT_EQ(init::rtfEscape("\xD8\xA7"), "\\u1575?");                // Arabic alif
    EXPECT_EQ(init::rtfEscape("\xF0\x9F\x98\x80"), "\\u-10179?\\u-8704?");  // outside 16 bits: a pair
}

TEST(Init, CommandLineProgramReportsProgressAndFailures)
{
    Built b;
    auto r = testing_support::runProgram({ZF_INIT_EXE, "--out", b.out.string(), "--sample", b.sample.string(), "--data",
                                          b.data.string(), "--quiet"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(b.out / "css"));
    // Progress reaches the settings store (this test program has a private HOME).
    std::string ini = testing_support::readFile(fs::path(std::getenv("HOME")) / ".config/zerafin/pStatus.ini");
    EXPECT_NE(ini.find("pStatus=18360"), std::string::npos);

    r = testing_support::runProgram({ZF_INIT_EXE, "--out", b.out.string(), "--sample", (b.tmp / "none").string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("quran_en.json"), std::string::npos);
    r = testing_support::runProgram({ZF_INIT_EXE, "--bogus"});
    EXPECT_EQ(r.status, 2);
}

TEST(Init, TheBuildIdentityFollowsTheTextNotTheReadersData)
{
    Built b;
    b.build();
    const std::string first = b.text("SELECT Identity FROM ZerafinBuild");
    EXPECT_EQ(first.size(), 64u);
    EXPECT_EQ(b.scalar("SELECT Format FROM ZerafinBuild"), db::kTextDatabaseFormat);
    {
        db::Database db;
        ASSERT_TRUE(db.openFile(b.out / "English.ttb"));
        ASSERT_TRUE(db.execute("UPDATE ZOVR SET YourNotes='mine' WHERE Sura=2 AND Verse=1;"
                               "INSERT INTO ARTICLES VALUES ('Mine', 2, 1, 'x');"));
    }
    // The same text built again, carrying the reader's data: the same identity,
    // so a working copy made from the first build is not upgraded for nothing.
    b.build();
    EXPECT_EQ(b.text("SELECT Identity FROM ZerafinBuild"), first);
    EXPECT_EQ(b.scalar("SELECT count(*) FROM ZerafinBuild"), 1);
    // Another subtitle is another text.
    writeFile(b.data / "subtitles.tsv", "2:1\tA Changed Heading\n");
    b.build();
    EXPECT_NE(b.text("SELECT Identity FROM ZerafinBuild"), first);
    EXPECT_EQ(b.text("SELECT YourNotes FROM ZOVR WHERE Sura=2 AND Verse=1"), "mine");
}

// The program folder carries the sample text: zerafin-init builds the text
// database for a user who has never fetched it, and only from there.
TEST(InitProgramFolder, RebuildsFromTheSampleTextItCarriesWithoutTheDownloadCache)
{
    const fs::path bin = fs::path(ZF_INIT_EXE).parent_path();
    if (!fs::exists(bin / "sample" / "dist" / "quran_en.json"))
        GTEST_SKIP() << "the build has no sample text";
    EXPECT_TRUE(fs::exists(bin / "sample" / "LICENSE.txt"));
    EXPECT_NE(testing_support::readFile(bin / "sample" / "ATTRIBUTION.txt").find("CC BY-SA 4.0"), std::string::npos);

    TempDir tmp;
    const fs::path home = tmp / "home";
    fs::create_directories(home);
    const std::vector<std::string> freshUser = {"/usr/bin/env", "-u", "ZERAFIN_SAMPLE_DIR", "-u", "ZERAFIN_DATA_DIR",
                                                "-u", "XDG_CACHE_HOME", "HOME=" + home.string()};
    auto args = freshUser;
    for (const std::string& a : {std::string(ZF_INIT_EXE), std::string("--out"), (tmp / "out").string(),
                                std::string("--no-progress"), std::string("--quiet")})
        args.push_back(a);
    auto r = testing_support::runProgram(args);
    ASSERT_EQ(r.status, 0) << r.err;
    db::Database db;
    ASSERT_TRUE(db.openFile(tmp / "out" / "English.ttb"));
    db::Recordset rs;
    ASSERT_TRUE(rs.open("SELECT count(*) FROM ZOVRSch", db));
    EXPECT_EQ(rs.field(0).toInt(), 6236);
    EXPECT_GE(fs::file_size(tmp / "out" / "css"), 2000u);

    // The same program without the sample beside it has nothing to build from.
    fs::create_directories(tmp / "bare");
    fs::copy_file(ZF_INIT_EXE, tmp / "bare" / "zerafin-init");
    args = freshUser;
    args.push_back((tmp / "bare" / "zerafin-init").string());
    args.push_back("--no-progress");
    r = testing_support::runProgram(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no sample text"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(tmp / "bare" / "English.ttb"));
}
