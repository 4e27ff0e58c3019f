#pragma once

#include "reading/richtext/rich_text_document.h"

#include <filesystem>
#include <string>
#include <vector>

// The file formats a display is saved in, and how a typed file name and
// the chosen filter decide which one is written.
namespace exporting {

enum class Format { Rtf, Html, Csv };

// "Rich text (*.rtf)", "Web page (*.html)", "CSV (*.csv)".
std::string filterOf(Format format);
// ".rtf", ".html", ".csv".
std::string extensionOf(Format format);
// The filters of a save dialog, in order, joined as the dialog takes them.
std::string filterList(const std::vector<Format>& formats);

struct SaveTarget {
    std::filesystem::path file;
    Format format = Format::Rtf;
    // The name had no extension of an offered format: the filter's was added.
    bool extensionAdded = false;
};

// The name's own extension decides when it is one of the offered formats
// (".htm" counts as HTML, letter case aside); any other name gets the chosen
// filter's extension added (the first offered format when the filter is not
// one of them). An empty name gives an empty target file.
SaveTarget resolveSaveTarget(const std::string& name, const std::vector<Format>& offered,
                             const std::string& chosenFilter);

// The document in that format: its RTF, or a web page titled `title`.
// (CSV is made from the verse list, not from the document.)
std::string documentAs(const richtext::RichTextDocument& doc, Format format, const std::string& title);

// Writes the content whole or not at all; on failure the reason, for the
// reader, names the file and the system's cause.
bool saveWhole(const std::filesystem::path& file, const std::string& content, std::string& failure);

}  // namespace exporting
