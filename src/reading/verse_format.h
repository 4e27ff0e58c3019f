#pragma once

#include "reading/richtext/rich_text_document.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Turning a stored verse into what the reading pane shows, and marking
// words in a pane: plain functions of their inputs, shared by the window,
// the CLI and the tests.
namespace reading {

// The display settings ProcessForData reads, as plain values.
struct ProcessOptions {
    bool checkSb1Line = false;  // subtitle kept on one line
    std::string subSize = "12.5";
    std::string fnSize = "10.5";
    bool dispFN = false;  // footnotes go to the side pane
    std::string txtFspaces = "1";
    std::string vwFont = "Arial Narrow";
};

struct ProcessResult {
    std::string rtf;
    // The copy of the verse size the display keeps ("10.5" when none is chosen).
    std::string vwSize;
};

// Rewrites one stored verse for display: runs of line breaks become one,
// no trailing break, the subtitle optionally on one line, sizes set to the
// chosen verse, subtitle and footnote sizes, blank lines before the
// footnotes or the footnotes cut off, the verse number indented by one
// twip, the verse font chosen. `pane` holds the verse as loaded and is
// changed by the line-break steps.
ProcessResult processForData(richtext::RichTextDocument& pane, const ProcessOptions& options, int verse);
ProcessResult processForData(std::string_view words, const ProcessOptions& options, int verse);

// The colour value of a highlight colour name, nullopt for any other text
// (an empty one too: nothing is marked).
std::optional<uint32_t> highlightColour(std::string_view name);

// The word a highlight box marks: the search doubles apostrophes, the pane
// shows them single. An empty box marks nothing.
std::string wordToMark(std::string_view box);

// The document's colour table as the program lists it: element 0 is the
// automatic colour (0), element k is colour-table entry k as
// red + 256 × green + 65536 × blue. Read from the RTF source …
std::vector<uint32_t> readColorTable(std::string_view rtf);
// … or straight from a pane's model (the same list, without writing the RTF).
std::vector<uint32_t> readColorTable(const richtext::RichTextDocument& pane);

// Gives every occurrence of the word (letter case ignored) the background
// colour, from position 0 when allOccurrences is set, else only the first
// one at or after the caret. The colour joins the colour table if it is
// not there. Occurrences do not overlap: the search goes on after each one.
// Highlights of other words outside the occurrences stay. The caret ends
// at 0. Returns the number of occurrences marked; an empty word or one
// that does not occur leaves the pane untouched.
int highlightText(richtext::RichTextDocument& pane, std::string_view word, uint32_t colour, bool allOccurrences);

// Text replaced everywhere, left to right, without re-scanning replacements.
std::string replaceAll(std::string text, std::string_view what, std::string_view with);

}  // namespace reading
