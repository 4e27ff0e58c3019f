#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The project's own writing in data/: subtitles, footnotes, glossary,
// word groups, index terms, front matter, the tutorial, the number
// document and the stylesheet of the HTML documents.
namespace init {

struct VerseNote {
    int sura = 0;
    int verse = 0;
    std::string text;
};

struct GlossaryEntry {
    std::string term;
    std::string definition;
};

struct IndexTerm {
    std::string term;
    std::vector<std::string> words;  // whole words that file a verse under the term
};

struct Page {
    int number = 0;
    std::string content;  // RTF for pages 1-7, HTML for 8-15
};

struct AppendixDoc {
    int number = 0;
    std::string title;
    std::string html;
};

struct ProjectData {
    std::vector<VerseNote> subtitles;
    std::vector<VerseNote> footnotes;
    std::vector<GlossaryEntry> glossary;
    std::vector<std::vector<std::string>> wordGroups;  // head word first
    std::vector<IndexTerm> indexTerms;
    std::vector<Page> frontMatter;
    std::string help;
    std::string numbersDoc;  // Numbers.htm: reading the number-division panel
    std::string stylesheet;  // zerafin.css, put into every HTML document written
};

// Refuses a folder that is missing or lacks the subtitles, footnotes or
// glossary; of the other files, a missing one leaves its part empty.
// A malformed line throws std::runtime_error naming the file and line.
ProjectData loadProjectData(const std::filesystem::path& dataDir);

// Plain text of an HTML document: tags dropped, the common entities read,
// blank runs collapsed.
std::string htmlToText(const std::string& html);

}  // namespace init
