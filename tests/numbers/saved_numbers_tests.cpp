#include "numbers/number_commands.h"
#include "numbers/saved_numbers.h"
#include "scripted_dialogs.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace numbers;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;
using Kind = ScriptedDialogs::Kind;
using Boxes = std::vector<ScriptedDialogs::Box>;
namespace fs = std::filesystem;

TEST(SavedNumbers, AddListLoadAndOverwrite)
{
    TempDir program;
    SavedNumbers saved(program.path());
    EXPECT_EQ(saved.folder(), program / "Numbers");
    EXPECT_TRUE(saved.list().empty());  // no folder yet

    // The folder is made on the first save; the name is used as typed.
    ScriptedDialogs dialogs;
    dialogs.inputs = {std::string("Sura 74 count")};
    EXPECT_EQ(addNumberCommand(saved, "19 38 57", dialogs), "Sura 74 count");
    EXPECT_EQ(dialogs.boxes, (Boxes{{Kind::Input, "Give a Name to the Number for identification", "Save Number"}}));
    EXPECT_EQ(readFile(program / "Numbers" / "Sura 74 count"), "19 38 57");

    EXPECT_FALSE(saved.save("beta", "2"));
    EXPECT_FALSE(saved.save("Alpha", "1"));
    EXPECT_FALSE(saved.save("\xD8\xA7\xD9\x84\xD9\x84\xD9\x87", "66"));  // an Arabic name
    fs::create_directory(program / "Numbers" / "a folder");
    writeFile(program / "Numbers" / ".hidden", "x");
    EXPECT_EQ(saved.list(), (std::vector<std::string>{"Alpha", "beta", "Sura 74 count",
                                                      "\xD8\xA7\xD9\x84\xD9\x84\xD9\x87"}));

    // Saving under an existing name replaces it without a question.
    EXPECT_FALSE(saved.save("beta", "22\r\n33"));
    EXPECT_EQ(saved.load("beta"), "22\r\n33");
    EXPECT_EQ(saved.list().size(), 4u);  // no temporary file left behind

    EXPECT_EQ(saved.load("missing"), std::nullopt);
    EXPECT_EQ(saved.load("a folder"), std::nullopt);
    // A number saved in the old Arabic code page loads as Unicode.
    writeFile(program / "Numbers" / "old", "\xC7\xC8 12");
    EXPECT_EQ(saved.load("old"), "\xD8\xA7\xD8\xA8 12");
}

TEST(SavedNumbers, NamesThatCannotBeUsedAreReported)
{
    TempDir program;
    SavedNumbers saved(program.path());

    ScriptedDialogs dialogs;
    dialogs.inputs = {std::string(""), std::nullopt};
    EXPECT_FALSE(addNumberCommand(saved, "1", dialogs));
    EXPECT_FALSE(addNumberCommand(saved, "1", dialogs));
    ASSERT_EQ(dialogs.boxes.size(), 4u);
    EXPECT_EQ(dialogs.boxes[1], (ScriptedDialogs::Box{Kind::Inform, "Please give a Name to the Number", {}}));
    EXPECT_EQ(dialogs.boxes[3], dialogs.boxes[1]);

    // Names that would leave the folder or hide the number are refused
    // with a message, and nothing is written anywhere.
    for (const char* name : {"../escape", "..", ".", "a/b", "/tmp/x", ".hidden"}) {
        ScriptedDialogs d;
        d.inputs = {std::string(name)};
        EXPECT_TRUE(addNumberCommand(saved, "1", d));
        ASSERT_EQ(d.boxes.size(), 2u) << name;
        EXPECT_EQ(d.boxes[1].kind, Kind::Inform);
        EXPECT_NE(d.boxes[1].text.find(std::string("\"") + name + "\" cannot be used"), std::string::npos)
            << d.boxes[1].text;
    }
    EXPECT_FALSE(fs::exists(program.path().parent_path() / "escape"));
    EXPECT_FALSE(fs::exists(program / "b"));
    EXPECT_TRUE(saved.list().empty());

    // A name the file system rejects says so, and leaves nothing behind.
    ScriptedDialogs d;
    d.inputs = {std::string(300, 'n')};
    EXPECT_TRUE(addNumberCommand(saved, "1", d));
    ASSERT_EQ(d.boxes.size(), 2u);
    EXPECT_EQ(d.boxes[1].text.rfind("The number could not be saved as \"nnn", 0), 0u) << d.boxes[1].text;
    EXPECT_TRUE(saved.list().empty());
    EXPECT_TRUE(fs::is_empty(saved.folder()));

    // A Numbers folder that cannot be made is reported too.
    writeFile(program / "blocked" , "");
    SavedNumbers blocked(program / "blocked");
    auto problem = blocked.save("x", "1");
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->rfind("The number could not be saved as \"x\"", 0), 0u);
}

TEST(SavedNumbers, DeleteAsksFirstThenNeedsASelection)
{
    TempDir program;
    SavedNumbers saved(program.path());
    ASSERT_FALSE(saved.save("one", "1"));
    ASSERT_FALSE(saved.save("two", "22"));
    const ScriptedDialogs::Box question{Kind::YesNo, "Are you sure you wish to delete this number?", {}};

    // The question comes before the selection is checked.
    ScriptedDialogs dialogs;
    auto outcome = deleteNumberCommand(saved, std::nullopt, dialogs);
    EXPECT_FALSE(outcome.listChanged);
    EXPECT_EQ(dialogs.boxes,
              (Boxes{question, {Kind::Inform, "Please select a Number from the List to delete", {}}}));

    // No keeps the number.
    dialogs.boxes.clear();
    dialogs.answers = {false};
    outcome = deleteNumberCommand(saved, std::string("one"), dialogs);
    EXPECT_FALSE(outcome.listChanged);
    EXPECT_EQ(dialogs.boxes, Boxes{question});
    EXPECT_EQ(saved.list().size(), 2u);

    // Yes deletes it and loads the first remaining number.
    dialogs.boxes.clear();
    outcome = deleteNumberCommand(saved, std::string("one"), dialogs);
    EXPECT_EQ(dialogs.boxes, Boxes{question});
    EXPECT_TRUE(outcome.listChanged);
    EXPECT_EQ(outcome.list, std::vector<std::string>{"two"});
    EXPECT_EQ(outcome.loadedNumber, "22");

    // Deleting the last one leaves an empty list and nothing to load.
    outcome = deleteNumberCommand(saved, std::string("two"), dialogs);
    EXPECT_TRUE(outcome.list.empty());
    EXPECT_FALSE(outcome.loadedNumber);

    // A number that is already gone is reported, not claimed deleted.
    dialogs.boxes.clear();
    outcome = deleteNumberCommand(saved, std::string("two"), dialogs);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_EQ(dialogs.boxes[1].text, "The number \"two\" could not be deleted: it is no longer there.");
    EXPECT_TRUE(outcome.listChanged);
}
