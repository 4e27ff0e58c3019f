#pragma once

#include "reading/richtext/document.h"

#include <string>
#include <string_view>

namespace richtext {

// True when the text is an RTF document in source form: it begins with
// "{\rtf", after at most a UTF-8 byte-order mark and white space.
bool isRtf(std::string_view text);
// Where the document's "{\rtf" begins, or npos when the text is not RTF.
size_t rtfStart(std::string_view text);

// Reads an RTF document. Text that is not RTF is read as plain UTF-8 text
// (line breaks of any form become paragraphs) in the fallback font, which
// also stands in when an RTF document has no font table.
//
// Any input is safe: unbalanced braces, unknown control words and
// destinations, huge numbers, deep nesting and truncated documents (a
// document cut off after a lone backslash is normal input) give a document
// of what could be read, in time and memory proportional to the input.
Document readRtf(std::string_view rtf, const Font& fallbackFont = Font{"Arial", 0, "fswiss"});

// A plain-text document: all text in the fallback font at 12 points.
Document plainDocument(std::string_view utf8, const Font& font = Font{"Arial", 0, "fswiss"});

// The plain text of an RTF document (UTF-8, CR LF line breaks), exactly as
// a pane holding it would give it. Non-RTF input is returned as text.
std::string rtfToPlainText(std::string_view rtf);

}  // namespace richtext
