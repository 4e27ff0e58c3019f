#pragma once

#include <string>
#include <string_view>

// The "Ignore Special Char" form of a text: the punctuation a reader can
// ask the search to ignore is blanked out.
namespace db {

// The characters that are blanked, in the order they are replaced.
inline constexpr std::string_view kSpecialChars = "?!\"'.,:;(&)[]*-/\\+";

// Every special character replaced by one space.
std::string blankSpecialChars(std::string_view text);
// Every run of spaces reduced to one.
std::string collapseSpaces(std::string_view text);
// The form stored in the "1" tables: special characters blanked, runs of
// spaces collapsed, trimmed and padded with one space at each end so that
// a whole word can be searched as " word ". Empty text stays empty.
std::string plainSearchForm(std::string_view text);

}  // namespace db
