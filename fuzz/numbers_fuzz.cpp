// Whatever text reaches the number panels (typed, pasted, loaded from a
// saved file or given to zerafin-cli), the division and the calculations
// must finish with results that agree with the text.
#include "numbers/arabic_entry.h"
#include "numbers/division.h"
#include "numbers/gematria.h"
#include "numbers/utf8.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

size_t countOf(const std::string& s, char c)
{
    size_t n = 0;
    for (char x : s)
        n += x == c;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // Division: the digits counted are the digits written, and a multiple's
    // quotient has one entry per division step.
    const std::string digits = numbers::digitsForNineteen(text);
    check(digits.find_first_not_of("0123456789") == std::string::npos);
    const numbers::DivisionResult r19 = numbers::divideByNineteen(text);
    check(r19.res2.rfind("The no. of digits is " + std::to_string(digits.size()), 0) == 0);
    if (r19.res1.rfind("This number IS", 0) == 0 && digits.size() >= 2)
        check(countOf(r19.res1, ' ') == 9 + (digits.size() - 1));

    const std::string other = numbers::digitsForDivisor(text);
    check(other.size() <= numbers::characterCount(text));
    for (std::uint64_t d : {1ull, 7ull, 19ull, 1000003ull, 999999999999ull})
        check(numbers::longDivide(other, d).remainder < d);

    // Gematrical values and transliteration of the same bytes.
    const std::u32string expression = numbers::decodeUtf8(text);
    const numbers::GvOptions options{size % 2 == 1, size % 3 == 1, size % 5 == 1, size % 7 == 1, size % 11 == 1};
    const std::string words = numbers::wordWiseValues(expression, options);
    const std::string letters = numbers::letterWiseValues(expression, options);
    check(!words.empty() && words.front() == ' ' && !letters.empty());
    check(words.find_first_not_of(" 0123456789") == std::string::npos);
    check(letters.find_first_not_of(" 0123456789") == std::string::npos);
    const numbers::GvDetails details = numbers::gvDetails(expression);
    check(details.letters <= expression.size() && details.words <= expression.size());

    numbers::GvExpression entry;
    entry.getArabic(expression);
    check(numbers::decodeUtf8(entry.expressionUtf8()) == entry.expression());
    check(entry.expression().size() == entry.workingCopy().size());
    return 0;
}
