#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Gematrical values of an Arabic expression: one value per word or per
// letter, written as the digit string the number-division panel receives,
// and the counts and total that "Get Details" reports.
namespace numbers {

struct GvOptions {
    bool wordBefore = false;        // word sequence number before each word
    bool wordAfter = false;         // … and after it
    bool letterBefore = false;      // letter sequence number before each letter
    bool letterAfter = false;       // … and after it
    bool resetLetterCount = false;  // letters numbered from 1 again in every word
};

// Both calculations read the expression in reading order with blanks at
// its ends dropped. Every space ends a word, so two spaces make an empty
// word of value 0; characters without a value are passed over. Every number
// written is preceded by one space (" 7", " 786").
std::string wordWiseValues(std::u32string_view expression, const GvOptions& options);
std::string letterWiseValues(std::u32string_view expression, const GvOptions& options);

struct GvDetails {
    std::uint64_t letters = 0;  // the 34 counted letters
    std::uint64_t words = 0;
    std::uint64_t value = 0;    // the total of every letter's value
};
// Runs of spaces count as one word break here, unlike the calculations.
GvDetails gvDetails(std::u32string_view expression);
// The three lines of the "Get Details" box, each with its quotient by 19.
std::string detailsText(const GvDetails& details);

// Spaces (only spaces) removed from both ends.
std::u32string_view trimSpaces(std::u32string_view text);
// Every run of spaces made one space.
std::u32string collapseSpaces(std::u32string_view text);

}  // namespace numbers
