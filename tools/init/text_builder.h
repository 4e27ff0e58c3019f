#pragma once

#include "db/user_data.h"
#include "db/value.h"
#include "init/project_data.h"
#include "init/sample_text.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace db {
class Database;
}

namespace init {

// What a reader has written into an existing text database and must find
// again after a rebuild (db/user_data.h).
using UserData = db::UserData;
using SetAside = db::SetAside;

// Progress callback: 0 … 18360.
using Progress = std::function<void(int)>;

struct TextCounts {
    int verseRows = 0;
    int subtitles = 0;
    int footnotes = 0;
    int glossary = 0;
    int indexEntries = 0;
    int wordGroups = 0;
    int notesKept = 0;
    int topicRowsKept = 0;
};

// The size record of a document the program checks before showing it:
// its SuraTable row (title, appendix number) and its length in bytes.
struct SizeRecord {
    std::string title;  // "Contents", "VConcordance", an appendix's title
    int appendix = 0;   // the appendix number, 0 for the other documents
    long long bytes = 0;
};

// What the companion documents contribute to the text database.
struct Companions {
    std::vector<SizeRecord> sizes;
    // One "Term: 2:124, 2:125" line per index term that the text holds.
    std::vector<std::string> indexLines;
    // The appendices, whose text is searched.
    std::vector<AppendixDoc> appendices;
};

// Builds a complete text database into `file` (which must not exist).
TextCounts writeTextDatabase(const std::filesystem::path& file, const SampleText& sample, const ProjectData& data,
                             const UserData& user, const Companions& companions, const Progress& progress = {});

// Writes an empty collection file (notes and topics backup template).
void writeCollectionTemplate(const std::filesystem::path& file);

struct BuildOptions {
    std::filesystem::path outDir;     // the program folder
    std::filesystem::path sampleDir;  // unpacked quran-json package
    std::filesystem::path dataDir;    // the project's data/
    std::string language = "English";
    Progress progress;
};

struct BuildReport {
    TextCounts counts;
    std::string manifest;  // what was written into css
    SetAside setAside;
};

// Removes the temporary files (".ttb.building-<pid>", ".part-<pid>") that
// builds which were killed left in the program folder.
void removeStaleFiles(const std::filesystem::path& outDir, const std::string& language);

// Everything the program folder needs: the text database (replacing an
// earlier one atomically and keeping the reader's data), the companion
// documents, the collection template, and finally "css".
BuildReport buildProgramFolder(const BuildOptions& options);

// The identity of the text a text database holds: a digest of its text
// tables and its layout, not of the reader's notes, topics or word groups.
std::string textIdentity(db::Database& db);

// Helpers shared with the tests.
int countWord(std::string_view text, std::string_view word);  // whole-word, exact case
// The index: terms in alphabetical order (letter case ignored), each with
// the verses holding any of its words; a term the text never uses is left out.
std::vector<std::string> indexLines(const std::vector<IndexTerm>& terms, const SampleText& sample);

// The contents page: every sura (linked to the appendix that covers it),
// the appendices, the concordances and the index.
std::string contentsHtml(const SampleText& sample, const std::vector<AppendixDoc>& appendices, std::string_view css);

}  // namespace init
