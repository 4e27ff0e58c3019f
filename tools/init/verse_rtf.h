#pragma once

#include <string>
#include <string_view>
#include <vector>

// The stored form of a verse: a small RTF document whose sizes and font
// the reading view rewrites before display. Subtitle at \fs21 before the
// first "[", the reference and the verse at \fs24, footnotes at \fs20, the
// font table naming "Times New Roman".
namespace init {

// Text escaped for an RTF body: \ { } escaped, code-page 1252 characters
// as \'hh, everything else as \uN?.
std::string rtfEscape(std::string_view utf8);

std::string verseRtf(int sura, int verse, std::string_view subtitle, std::string_view text,
                     const std::vector<std::string>& footnotes);

// The unnumbered opening of a sura: its title and the opening line.
std::string openingRtf(int sura, std::string_view title, std::string_view opening,
                       const std::vector<std::string>& footnotes);

// "*2:255 " + text: how a footnote names its verse.
std::string footnoteText(int sura, int verse, std::string_view text);

}  // namespace init
