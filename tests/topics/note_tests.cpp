#include "topics_fixture.h"

#include "db/plain_text.h"
#include "db/schema.h"
#include "search/search_run.h"
#include "search/word_slots.h"
#include "topics/notes.h"

#include <sqlite3.h>

#include <optional>
#include <random>

using namespace topics_test;
using db::VerseRef;

namespace {

using Notes = SmallText;

std::string twin(db::Database& db, const VerseRef& v)
{
    return text(db, "SELECT YourNotes FROM ZOVR1 WHERE Sura=" + std::to_string(v.sura) +
                        " AND Verse=" + std::to_string(v.verse));
}

// The rows the "My Notes" search area finds, plain and with special
// characters ignored.
std::vector<std::string> notesFound(db::Database& db, const std::string& words, bool ignoreSpecial)
{
    search::SearchSlots slots;
    search::AreaSet areas{};
    areas[7] = true;
    search::SearchOptions options;
    options.ignoreNormal = ignoreSpecial;
    auto run =
        search::runAreaSearch(db, search::prepareSearchText(words), slots.view(), options, areas, db::searchTables());
    for (const auto& st : run.statements)
        EXPECT_EQ(st.status, search::StatementRun::Status::Done) << st.sql << ": " << st.error;
    return run.rows;
}

}  // namespace

TEST_F(Notes, ANoteIsStoredAndReadBackExactlyWithItsSearchFormInStep)
{
    std::string big;
    while (big.size() < 100000)
        big += kAwkward + " ";
    big.resize(100000);
    for (const std::string& note : {kAwkward, big, std::string("  only spaces  "), std::string("?!.,")}) {
        auto r = topics::writeNote(db, {2, 3}, note);
        ASSERT_TRUE(r) << r.message;
        EXPECT_EQ(r.message, "Saved the note on 2:3");
        auto back = topics::readNote(db, {2, 3});
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back.value, note);
        EXPECT_EQ(twin(db, {2, 3}), db::plainSearchForm(note));
    }
    // Saving an emptied box stores an empty note.
    auto cleared = topics::writeNote(db, {2, 3}, "");
    EXPECT_EQ(cleared.message, "Cleared the note on 2:3");
    EXPECT_EQ(topics::readNote(db, {2, 3}).value, "");
    EXPECT_EQ(twin(db, {2, 3}), "");
    EXPECT_EQ(topics::readNote(db, {2, 2}).value, "it's a note");
}

TEST_F(Notes, AVerseTheTextLacksOrAFailedWriteChangesNothingAndSaysWhy)
{
    auto r = topics::writeNote(db, {2, 9}, "lost?");
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("no verse 2:9"), std::string::npos);
    EXPECT_FALSE(topics::readNote(db, {2, 9}).ok());
    EXPECT_EQ(topics::verseExists(db, {2, 9}).value, false);
    EXPECT_EQ(topics::verseExists(db, {2, 0}).value, true);
    EXPECT_EQ(topics::verseExists(db, {9, 0}).value, false);

    ASSERT_TRUE(db.execute("PRAGMA query_only=1"));
    r = topics::writeNote(db, {2, 2}, "new text");
    EXPECT_FALSE(r);
    EXPECT_EQ(r.message, "The note on 2:2 was not saved: attempt to write a readonly database");
    EXPECT_EQ(topics::readNote(db, {2, 2}).value, "it's a note");
}

TEST(NoteTarget, ExactlyOneCheckedVerseTakesTheNote)
{
    using topics::ListItem;
    EXPECT_EQ(topics::noteTarget({{"1", false}, {"2", false}}, 2).message, topics::kAtLeastOneVerse);
    EXPECT_EQ(topics::noteTarget({}, 2).message, topics::kAtLeastOneVerse);
    for (auto items : {std::vector<ListItem>{{"1", true}, {"2", true}},
                       std::vector<ListItem>{{"2:1", false}, {"9:1", true}, {"1:1", true}}}) {
        auto t = topics::noteTarget(items, 2);
        EXPECT_EQ(t.message, topics::kOnlyOneVerse);
        EXPECT_FALSE(t.verse);
    }
    // A sura's list: (open sura, item); a reference list: the item's own verse.
    auto inSura = topics::noteTarget({{"0", false}, {"3", true}}, 2);
    EXPECT_EQ(inSura.verse, (VerseRef{2, 3}));
    EXPECT_TRUE(inSura.message.empty());
    EXPECT_EQ(topics::noteTarget({{"2:1", false}, {"114:1", true}}, 2).verse, (VerseRef{114, 1}));

    EXPECT_TRUE(topics::notesPanelClosed(false, 3000, topics::kNotesCaption));
    EXPECT_TRUE(topics::notesPanelClosed(true, 240, topics::kNotesCaption));
    EXPECT_TRUE(topics::notesPanelClosed(true, 3000, topics::kFootnotesCaption));
    EXPECT_FALSE(topics::notesPanelClosed(true, 3000, topics::kNotesCaption));
}

TEST_F(Notes, NotesWrittenByTheProgramOrTheStockToolAreFoundByTheSearch)
{
    ASSERT_TRUE(topics::writeNote(db, {1, 2}, "Patience, and \"steadfastness\" (mine)."));
    // Found at once through the same connection, in both search forms.
    EXPECT_EQ(notesFound(db, "steadfastness", false), std::vector<std::string>{"1:2"});
    EXPECT_EQ(notesFound(db, "steadfastness mine", true), std::vector<std::string>{"1:2"});

    // The stock tool reads it and writes one of its own: no function of
    // this program is needed for that.
    EXPECT_EQ(sqliteTool(file(), "SELECT YourNotes FROM ZOVR WHERE Sura=1 AND Verse=2;"),
              "Patience, and \"steadfastness\" (mine).\n");
    sqliteTool(file(), "UPDATE ZOVR SET YourNotes='A tool''s note: (gratitude)!' WHERE Sura=9 AND Verse=1;");
    EXPECT_EQ(topics::readNote(db, {9, 1}).value, "A tool's note: (gratitude)!");
    EXPECT_EQ(twin(db, {9, 1}), " A tool s note gratitude ");
    EXPECT_EQ(notesFound(db, "gratitude", false), std::vector<std::string>{"9:1"});
    EXPECT_EQ(notesFound(db, "tool s note", true), std::vector<std::string>{"9:1"});
}

TEST(NotesTwin, TheSqlFormMatchesTheProgramsSearchFormOnAnyText)
{
    testing_support::TempDir dir;
    db::Database db;
    ASSERT_TRUE(db.openFile(dir / "t.db", db::Database::Mode::CreateIfMissing));
    std::vector<sqlite3_stmt*> steps;
    for (const auto& step : db::plainSearchFormSteps("?1", "?1")) {
        sqlite3_stmt* st = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(db.handle(), ("SELECT " + step).c_str(), -1, &st, nullptr), SQLITE_OK);
        steps.push_back(st);
    }
    // Applies the steps in turn, as the trigger does; nothing for NULL.
    auto sqlForm = [&](const std::string* in) -> std::optional<std::string> {
        std::optional<std::string> value;
        if (in)
            value = *in;
        for (auto* st : steps) {
            if (value)
                sqlite3_bind_text(st, 1, value->data(), static_cast<int>(value->size()), SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(st, 1);
            EXPECT_EQ(sqlite3_step(st), SQLITE_ROW);
            const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
            value = t ? std::optional<std::string>(std::string(t, static_cast<size_t>(sqlite3_column_bytes(st, 0))))
                      : std::nullopt;
            sqlite3_reset(st);
        }
        return value;
    };
    const std::string alphabet = std::string("  ab?!\"'.,:;(&)[]*-/\\+\t\r\nم") + std::string(1, '\0');
    std::mt19937 random(19);
    std::vector<std::string> samples = {"", " ", "     ", "a", " a ", "a     b", std::string(5000, ' ') + "x"};
    for (int i = 0; i < 3000; ++i) {
        std::string s;
        const int n = static_cast<int>(random() % 40);
        for (int k = 0; k < n; ++k)
            s += alphabet[random() % alphabet.size()];
        samples.push_back(s);
    }
    for (const auto& s : samples)
        ASSERT_EQ(sqlForm(&s), db::plainSearchForm(s)) << "for [" << s << "]";
    EXPECT_EQ(sqlForm(nullptr), std::nullopt);
    for (auto* st : steps)
        sqlite3_finalize(st);
}

TEST(NotesTwin, AnOlderFileLosesTheTriggerOtherToolsCouldNotRun)
{
    testing_support::TempDir dir;
    const auto file = dir / "English.ttb";
    {
        db::Database db;
        ASSERT_TRUE(db.openFile(file, db::Database::Mode::CreateIfMissing));
        ASSERT_TRUE(db.execute(db::textDatabaseSchema()));
        ASSERT_TRUE(db.execute("INSERT INTO ZOVR (Sura, Verse, Words) VALUES (2, 1, 'x');"
                               "INSERT INTO ZOVR1 (Sura, Verse, Words) VALUES (2, 1, ' x ');"
                               "CREATE TRIGGER ZOVR_notes_twin AFTER UPDATE OF YourNotes ON ZOVR BEGIN "
                               "UPDATE ZOVR1 SET YourNotes = zf_plain(NEW.YourNotes) WHERE Sura = NEW.Sura AND "
                               "Verse = NEW.Verse; END;"));
    }
    auto r = testing_support::runProgram({sqliteExe(), file.string(), "UPDATE ZOVR SET YourNotes='a' WHERE Sura=2;"});
    EXPECT_NE(r.err.find("zf_plain"), std::string::npos) << "the old trigger should need the program";

    db::Database db;
    ASSERT_TRUE(db.openFile(file));
    EXPECT_EQ(number(db, "SELECT count(*) FROM sqlite_master WHERE type='trigger' AND name='ZOVR_notes_twin'"), 0);
    EXPECT_EQ(number(db, "SELECT count(*) FROM sqlite_master WHERE type='trigger' AND name='ZOVR_notes_plain'"), 1);
    sqliteTool(file, "UPDATE ZOVR SET YourNotes='(a) b' WHERE Sura=2 AND Verse=1;");
    EXPECT_EQ(text(db, "SELECT YourNotes FROM ZOVR1 WHERE Sura=2"), " a b ");
}
