#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Long division of a number written as text, digit by digit, so that
// numbers of millions of digits divide exactly and quickly. Gives the texts
// the number-division panel shows in its two result boxes.
namespace numbers {

inline constexpr std::string_view kLongNumberQuestion =
    "Since the Number of Digits is in Thousands, it may take a while to divide. Do you wish to continue?";
inline constexpr std::string_view kInvalidNumber = "Please enter a valid number";
inline constexpr std::string_view kDivisorPrompt = "Enter the divisor: ";
inline constexpr std::string_view kDivisorTitle = "Divisor";

// Raw text longer than this many characters asks before it is divided.
inline constexpr size_t kLongNumberCharacters = 1000;
bool isLongNumber(std::string_view numberText);

// "Divide by 19" keeps only the decimal digits of the text.
std::string digitsForNineteen(std::string_view numberText);
// "Divide by Other Number" drops only tabs, line breaks and spaces; every
// other character stays as one digit, worth 0 unless it is a digit.
std::string digitsForDivisor(std::string_view numberText);

// A divisor the reader typed: any positive whole number, however long.
// Divisors up to 10^18 divide in machine words (ten times the remainder
// still fits in 64 bits); longer ones through decimal limbs.
inline constexpr std::uint64_t kLargestWordDivisor = 1'000'000'000'000'000'000ULL;
struct Divisor {
    std::uint64_t value = 0;  // the divisor when it is at most kLargestWordDivisor, else 0
    std::string digits;       // its decimal digits without leading zeros
    std::string text;         // as shown in the result texts (blanks around dropped)
    bool fitsWord() const { return value != 0; }
};
std::optional<Divisor> parseDivisor(std::string_view typed);

// The quotient as the panel writes it, one " d" entry per division step
// (leading zeros kept), and the final remainder.
struct LongDivision {
    std::string quotientText;
    std::uint64_t remainder = 0;
};
LongDivision longDivide(std::string_view digits, std::uint64_t divisor);
// The same, appending the quotient entries to `quotientText`, so a caller
// can build a result text without copying a quotient of millions of entries.
std::uint64_t longDivideInto(std::string_view digits, std::uint64_t divisor, std::string& quotientText);
// The same division for a divisor of any length (its digits, no leading
// zeros), returning the remainder in decimal.
std::string longDivideLongInto(std::string_view digits, std::string_view divisorDigits, std::string& quotientText);

// What the two result boxes show.
struct DivisionResult {
    std::string res1;  // multiple or not, with the quotient or the remainder
    std::string res2;  // whether the number of digits is a multiple
};
DivisionResult divideByNineteen(std::string_view numberText);
DivisionResult divideBy(std::string_view numberText, const Divisor& divisor);

}  // namespace numbers
