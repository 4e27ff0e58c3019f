#pragma once

#include "db/database.h"

#include <filesystem>
#include <string>
#include <vector>

// Shared by the zerafin-cli commands.
namespace cli {

using Args = std::vector<std::string>;

// Options every command understands, taken off the front of the arguments.
struct Common {
    // The program's own data (read only).
    std::filesystem::path programFolder;
    std::string language = "English";
    // The reader's folder with the working copy of the text database; empty
    // when the commands work on the program folder's file itself (--folder).
    std::filesystem::path readerFolder;
};

// Opens the text database: the reader's working copy (made or brought up to
// date first), or with --folder alone the file in that folder. On failure
// prints what is wrong on standard error and returns false.
bool openTextDatabase(const Common& common, db::Database& db,
                      db::Database::Mode mode = db::Database::Mode::Existing);

int fail(const std::string& message, int code = 1);

// The reading pane after showing verses, as RTF and as its plain text.
struct Display {
    std::string rtf;
    std::string text;
};
// The display of verse references ("2:255", "1:1-7", "114"), each appended
// after the one before. Returns the exit status: 2 (with a message) for a
// reference that is not one, 1 when a verse is missing.
int displayVerses(const Common& common, const Args& refs, Display& out);

// How a display is printed: its plain text, its RTF, a web page, or the
// verses as a table (sura,verse,text).
enum class OutputFormat { Refs, Text, Rtf, Html, Csv };
// Prints the entries of a result list ("2:255", or a result row's text)
// as the reading pane shows them, after `header` when one is given.
int printDisplay(db::Database& db, const std::vector<std::string>& entries, const std::string& header,
                 OutputFormat format);

// One entry per command; each file cmd_*.cpp implements one.
int cmdShow(const Common& common, const Args& args);
int cmdSql(const Common& common, const Args& args);
int cmdColor(const Common& common, const Args& args);
int cmdDivide(const Common& common, const Args& args);
int cmdGematria(const Common& common, const Args& args);
int cmdTranslit(const Common& common, const Args& args);
int cmdSearch(const Common& common, const Args& args);
int cmdBlock(const Common& common, const Args& args);
int cmdRtf(const Common& common, const Args& args);
int cmdTopics(const Common& common, const Args& args);
int cmdNote(const Common& common, const Args& args);
int cmdCollection(const Common& common, const Args& args);
int cmdVoices(const Common& common, const Args& args);
int cmdSpeak(const Common& common, const Args& args);
int cmdDocuments(const Common& common, const Args& args);
int cmdList(const Common& common, const Args& args);
int cmdDefine(const Common& common, const Args& args);
int cmdConcordance(const Common& common, const Args& args);
int cmdRange(const Common& common, const Args& args);

}  // namespace cli
