#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace db {
class Database;
}

// The translation's companion texts without windows: where each document
// lives, the size test a contents page, an appendix or a concordance must
// pass before it is shown, the lists of subtitles and footnotes, and the
// texts the database holds (glossary, introduction). The window's commands
// and zerafin-cli both call these.
namespace reading {

inline constexpr const char* kModifiedOrCorrupted = "The file has been modified or corrupted.";
inline constexpr const char* kAppendixPrompt = "Select to open Appendix from the list";
inline constexpr int kAppendixCount = 38;
// Each document's size is recorded in units of this many bytes.
inline constexpr long long kSizeUnit = 200;

// Files/<language>, under the program folder.
std::filesystem::path companionFolder(const std::filesystem::path& programFolder, std::string_view language);
std::filesystem::path contentsPath(const std::filesystem::path& programFolder, std::string_view language);
// "Appendices/Appendix 07.htm" for 7.
std::filesystem::path appendixPath(const std::filesystem::path& programFolder, std::string_view language, int number);
// name: "VConcordance", "SConcordance" or "FConcordance".
std::filesystem::path concordancePath(const std::filesystem::path& programFolder, std::string_view language,
                                      std::string_view name);
std::filesystem::path indexPath(const std::filesystem::path& programFolder, std::string_view language);
std::filesystem::path tutorialPath(const std::filesystem::path& programFolder);

// The size record of a document: its SuraTable row's ID.
enum class SizeRecord { Contents, Appendix, Concordance };

// What the size test found for one document.
struct DocumentCheck {
    std::filesystem::path path;
    bool exists = false;
    long long size = 0;                // bytes, when it exists
    std::optional<long long> recorded;  // the row's ID; none without a row
    // The whole part of size / 200 equals the recorded ID. A missing file
    // or a missing row fails.
    bool passes() const;
};

// A size passes its record when the whole part of size / 200 equals it.
bool sizeMatchesRecord(long long bytes, long long recordedId);

// The row of the record: "Contents", an appendix number, or a
// concordance's name.
std::optional<long long> recordedSize(db::Database& db, SizeRecord kind, std::string_view key);

DocumentCheck checkDocument(db::Database& db, const std::filesystem::path& path, SizeRecord kind,
                            std::string_view key);
DocumentCheck checkContents(db::Database& db, const std::filesystem::path& programFolder, std::string_view language);
DocumentCheck checkAppendix(db::Database& db, const std::filesystem::path& programFolder, std::string_view language,
                            int number);
DocumentCheck checkConcordance(db::Database& db, const std::filesystem::path& programFolder,
                               std::string_view language, std::string_view name);

// Every companion document the program shows, with its test: the contents
// page, the appendices and the concordances are size-tested; the index,
// the tutorial and the number document need only exist.
struct CompanionDocument {
    std::string name;  // "Contents", "Appendix 07", "VConcordance", "index.rtf", …
    DocumentCheck check;
    bool sizeTested = true;
    bool passes() const { return sizeTested ? check.passes() : check.exists; }
};
std::vector<CompanionDocument> companionDocuments(db::Database& db, const std::filesystem::path& programFolder,
                                                  std::string_view language);

// The appendix an entry of the appendix list names: the value of its first
// two characters ("07 : …" is 7); nullopt when they are no number.
std::optional<int> appendixNumberOf(std::string_view entry);
// "07 : Title" for appendix 7.
std::string appendixEntry(int number, std::string_view title);
// The entries of the appendix list, from SuraTable, in order.
std::vector<std::string> appendixEntries(db::Database& db);

// ---- the lists of subtitles and footnotes -------------------------------------
enum class ListKind { Subtitles, Footnotes };

// "Subtitles" / "Footnotes": the title the list remembers.
const char* listTitle(ListKind kind);
std::optional<ListKind> listKindOf(std::string_view title);
// "List of Subtitles:" / "List of Footnotes:".
const char* listCaption(ListKind kind);
// Every entry, "[2:255]" + tab + text, in order of sura and verse; sura 0
// lists the whole text.
std::vector<std::string> listEntries(db::Database& db, ListKind kind, int sura);
// The reference of an entry, as "Go to the above Verse" hands it on: from
// its second character up to and including the first "]" ("2:255]").
std::string listEntryReference(std::string_view entry);

// ---- texts from the database ------------------------------------------------------
// The glossary rows, in order.
std::vector<std::string> glossaryRows(db::Database& db);
// The introduction: pages 8 to 15 of the front matter, each followed by a
// line break, as one HTML document.
std::string introductionHtml(db::Database& db);
// One front-matter page (RTF for pages 1 to 7); nullopt when missing.
std::optional<std::string> frontMatterPage(db::Database& db, long long page);

}  // namespace reading
