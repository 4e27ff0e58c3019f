#pragma once

#include <string>
#include <string_view>

// What the copy commands put on the clipboard as plain text.
namespace exporting {

// The plain text of rich text, with every "\'af" escape of the source
// written as "--" (the display marks dashes with that character).
std::string plainTextForCopy(std::string_view rtf);

// Line breaks as this desktop's programs expect pasted text to have them
// (LF); the panes keep CR LF.
std::string desktopLineBreaks(std::string_view text);

}  // namespace exporting
