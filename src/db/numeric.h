#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading numbers out of what the reader typed, with the same leniency the
// program has always had: text boxes are "numeric" when the whole text
// (blanks around it allowed) is one number; the leading-number reading
// takes whatever number the text starts with and ignores the rest.
namespace db {

// The whole text, blanks around it allowed, is one decimal number
// (sign, digits, optional fraction and exponent).
std::optional<double> parseNumber(std::string_view text);
bool isNumeric(std::string_view text);

// The number the text starts with; blanks anywhere are skipped, the first
// character that cannot continue the number ends it. "12a7" reads 12,
// "" reads 0, "&HFF" reads 255.
double leadingNumber(std::string_view text);

// A whole number for splicing into a statement: only an optional sign and
// digits, blanks around allowed, within the 64-bit range. Anything else is
// refused, so no typed text can change the shape of a statement.
std::optional<long long> wholeNumber(std::string_view text);

// Decimal text of a number, shortest form with at most 15 significant
// digits ("12.5", "25", "0.1").
std::string formatNumber(double v);

// Rounds half to even, as the program's conversions to whole numbers do.
long long roundHalfEven(double v);

std::string_view trimBlanks(std::string_view text);

}  // namespace db
