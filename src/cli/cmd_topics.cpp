// The reader's own data from the command line: topics, notes and
// collection files, through the same rules the panels use.
#include "cli/cli.h"

#include "db/verse_ref.h"
#include "topics/collection.h"
#include "topics/notes.h"
#include "topics/topic_store.h"

#include <cstdio>
#include <iostream>
#include <iterator>
#include <unistd.h>

namespace cli {

namespace {

constexpr int kRefused = 2;

int report(const topics::Outcome& o)
{
    if (!o.ok)
        return fail(o.message);
    if (!o.message.empty())
        std::printf("%s\n", o.message.c_str());
    return 0;
}

// Every reference must be "sura:verse" of a verse the text has; otherwise
// nothing is done.
bool readVerses(db::Database& db, Args::const_iterator from, Args::const_iterator to, std::vector<db::VerseRef>& out)
{
    for (auto it = from; it != to; ++it) {
        auto ref = db::VerseRef::parse(*it);
        if (!ref) {
            fail("'" + *it + "' is not a reference (write sura:verse, for example 2:255)", kRefused);
            return false;
        }
        auto exists = topics::verseExists(db, *ref);
        if (!exists.ok()) {
            fail(exists.outcome.message);
            return false;
        }
        if (!exists.value) {
            fail("there is no verse " + ref->display(), kRefused);
            return false;
        }
        out.push_back(*ref);
    }
    return true;
}

// The topic must have verses to be shown, changed or deleted.
bool topicExists(db::Database& db, const std::string& name, int& status)
{
    auto verses = topics::topicVerses(db, name);
    if (!verses.ok()) {
        status = fail(verses.outcome.message);
        return false;
    }
    if (verses.value.empty()) {
        status = fail("there is no topic '" + name + "'", kRefused);
        return false;
    }
    return true;
}

// Asks on a terminal; a script that runs the command has decided already.
bool confirmed(std::string_view question, bool yes)
{
    if (yes || !::isatty(STDIN_FILENO))
        return true;
    std::fprintf(stderr, "%.*s [y/N] ", static_cast<int>(question.size()), question.data());
    std::string answer;
    std::getline(std::cin, answer);
    return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace

int cmdTopics(const Common& common, const Args& args)
{
    if (args.empty())
        return fail("topics: say list, show NAME, add NAME REF..., remove NAME REF... or delete NAME", kRefused);
    const std::string& what = args[0];
    const bool known = what == "list" || what == "show" || what == "add" || what == "remove" || what == "delete";
    if (!known)
        return fail("topics: unknown action '" + what + "'", kRefused);
    if (what != "list" && args.size() < 2)
        return fail("topics " + what + ": name the topic", kRefused);
    if ((what == "add" || what == "remove") && args.size() < 3)
        return fail("topics " + what + ": name at least one verse (sura:verse)", kRefused);
    if ((what == "list" && args.size() != 1) || ((what == "show" || what == "delete") && args.size() != 2))
        return fail("topics " + what + ": too many arguments", kRefused);

    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;

    if (what == "list") {
        auto list = topics::listTopics(db);
        if (!list.ok())
            return fail(list.outcome.message);
        for (const auto& t : list.value)
            std::printf("%s\n", t.name.c_str());
        return 0;
    }
    const std::string& name = args[1];
    int status = 0;
    if (what == "show") {
        if (!topicExists(db, name, status))
            return status;
        for (const auto& v : topics::topicVerses(db, name).value)
            std::printf("%s\n", v.display().c_str());
        return 0;
    }
    if (what == "delete") {
        if (!topicExists(db, name, status))
            return status;
        return report(topics::deleteTopic(db, name));
    }
    std::vector<db::VerseRef> verses;
    if (!readVerses(db, args.begin() + 2, args.end(), verses))
        return kRefused;
    if (what == "add") {
        if (name.find_first_not_of(" \t\r\n") == std::string::npos)
            return fail("topics add: the topic needs a name", kRefused);
        return report(topics::insertVerses(db, name, verses));
    }
    if (!topicExists(db, name, status))
        return status;
    return report(topics::removeVerses(db, name, verses));
}

int cmdNote(const Common& common, const Args& args)
{
    if (args.empty())
        return fail("note: name the verse (sura:verse)", kRefused);
    std::optional<std::string> newText;
    for (size_t i = 1; i < args.size(); ++i) {
        if (newText)
            return fail("note: give one of --set TEXT, --set - or --clear", kRefused);
        if (args[i] == "--clear")
            newText = std::string();
        else if (args[i] == "--set" && i + 1 < args.size()) {
            const std::string& text = args[++i];
            if (text == "-")
                newText = std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
            else
                newText = text;
        } else
            return fail("note: unknown option '" + args[i] + "'", kRefused);
    }
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    std::vector<db::VerseRef> verse;
    if (!readVerses(db, args.begin(), args.begin() + 1, verse))
        return kRefused;
    if (newText)
        return report(topics::writeNote(db, verse[0], *newText));
    auto note = topics::readNote(db, verse[0]);
    if (!note.ok())
        return fail(note.outcome.message);
    std::fwrite(note.value.data(), 1, note.value.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}

int cmdCollection(const Common& common, const Args& args)
{
    Args rest;
    bool yes = false, overwrite = false;
    for (const auto& a : args) {
        if (a == "--yes")
            yes = true;
        else if (a == "--overwrite")
            overwrite = true;
        else
            rest.push_back(a);
    }
    if (rest.empty())
        return fail("collection: say backup FILE, restore FILE, merge FILE or erase", kRefused);
    const std::string& what = rest[0];
    const bool withFile = what == "backup" || what == "restore" || what == "merge";
    if (!withFile && what != "erase")
        return fail("collection: unknown action '" + what + "'", kRefused);
    if (withFile ? rest.size() != 2 : rest.size() != 1)
        return fail(withFile ? "collection " + what + ": name one file" : "collection erase takes no file", kRefused);
    const std::filesystem::path file = withFile ? std::filesystem::path(rest[1]) : std::filesystem::path();

    // A file that cannot be a collection is refused before the text
    // database is touched.
    if (what == "restore" || what == "merge") {
        auto check = topics::checkCollection(file);
        if (!check)
            return fail(check.message == topics::kFileMissing ? rest[1] + ": no such file" : check.message, kRefused);
    }
    db::Database db;
    if (!openTextDatabase(common, db))
        return 1;
    if (what == "merge")
        return report(topics::mergeCollection(db, file));
    if (what == "restore") {
        if (!confirmed(topics::kConfirmRestore, yes))
            return fail("nothing was restored", 1);
        return report(topics::restoreCollection(db, file));
    }
    if (what == "erase") {
        if (!confirmed(topics::kConfirmErase, yes))
            return fail("nothing was erased", 1);
        return report(topics::eraseCollection(db));
    }
    const auto blank = topics::collectionTemplate(common.programFolder);
    auto done = topics::backupCollection(db, blank, file, overwrite);
    if (!done.ok && done.fileExists) {
        if (!::isatty(STDIN_FILENO) || yes)
            return fail(file.string() + " already exists; add --overwrite to replace it", kRefused);
        if (!confirmed(topics::confirmReplaceQuestion(file), false))
            return fail("the backup was not written", 1);
        done = topics::backupCollection(db, blank, file, true);
    }
    return report(done);
}

}  // namespace cli
