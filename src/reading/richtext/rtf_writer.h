#pragma once

#include "reading/richtext/document.h"

#include <string>

namespace richtext {

// Writes a document as RTF in the forms the program edits by string
// replacement: the font table with its names, a compact colour table with
// the automatic colour first ("{\colortbl ;\red255\green255\blue0;}"),
// "\fsN" sizes, "\li" indents, "\par " paragraph ends, "\highlightN " …
// "\highlight0 " highlights, "\'hh" (two of them in East Asian code pages)
// for characters of the text's code page, "\uN?" for the rest, and hidden
// text as "{\v …}" groups. Every control word is followed by one space, and
// the body is flat (no groups), so a highlight opened by string replacement
// runs until its "\highlight0 ". Output is 7-bit ASCII. Reading it back
// gives the same document.
std::string writeRtf(const Document& doc);

// The part [pos, pos + length) with the whole document's tables.
std::string writeRtf(const Document& doc, size_t pos, size_t length);

}  // namespace richtext
