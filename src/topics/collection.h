#pragma once

#include "topics/outcome.h"

#include <filesystem>
#include <string_view>

namespace db {
class Database;
}

// Collection files: the reader's notes and topics in a small SQLite file of
// their own (tables YourNotes, Articles, Articles1), for backup and for
// sharing. Every operation changes the text database in one transaction,
// so a failure or a kill part-way leaves it exactly as it was, and a file
// that is not a collection is refused before anything changes.
namespace topics {

inline constexpr std::string_view kFileMissing = "File does not exists";
inline constexpr std::string_view kEnterFileName = "Please enter a valid File Name and Path";
inline constexpr std::string_view kConfirmRestore =
    "Are You Sure you want to replace all the Existing Notes and Restore New Ones?";
inline constexpr std::string_view kConfirmErase = "Are you sure you want to delete all the Notes & Topics?";
// Put between a verse's note and a note merged in from a collection.
inline constexpr std::string_view kNoteSeparator = "\r\n***************************************\r\n";

// The blank collection shipped in the program folder.
std::filesystem::path collectionTemplate(const std::filesystem::path& programFolder);

// Whether the file can be used as a collection: it exists, is an SQLite
// database and has the three tables with their columns. Reads only.
Outcome checkCollection(const std::filesystem::path& file);

// "Add to My Collection": each note of the collection is appended to the
// verse's note behind the separator (an empty note gets the separator in
// front too); each topic row is added unless that verse is already filed
// under some topic (ARTICLES and ARTICLES1 each on their own), so merging
// the same file twice appends its notes twice but adds no topic row twice.
Outcome mergeCollection(db::Database& db, const std::filesystem::path& file);

// "Backup/Export": writes every non-empty note and every topic row of both
// tables to a new collection made from the template. The file appears whole
// or not at all. An existing file is replaced only when `overwrite` is set;
// otherwise the outcome fails with `fileExists` set, so the caller can ask.
struct BackupOutcome : Outcome {
    bool fileExists = false;
};
BackupOutcome backupCollection(db::Database& db, const std::filesystem::path& templateFile,
                               const std::filesystem::path& file, bool overwrite);
// The question to ask before replacing an existing backup file.
std::string confirmReplaceQuestion(const std::filesystem::path& file);

// "Restore/Import": the collection's notes replace the notes of the verses
// it has notes for (other notes stay); both topic tables are replaced by
// the collection's rows.
Outcome restoreCollection(db::Database& db, const std::filesystem::path& file);

// "Erase My Collection": every note emptied, every ARTICLES row deleted and
// every ARTICLES1 row but those with sura 0.
Outcome eraseCollection(db::Database& db);

}  // namespace topics
