#include "numbers/division.h"

#include "numbers/utf8.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstring>
#include <vector>

namespace numbers {

namespace {

std::string decimal(std::uint64_t v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::uint64_t mulHigh(std::uint64_t a, std::uint64_t b)
{
    return static_cast<std::uint64_t>((static_cast<unsigned __int128>(a) * b) >> 64);
}

// A multiple's result text is fixed words around the quotient. The quotient
// is divided straight into the string that becomes the result text and the
// words are put in front afterwards, in place, so a quotient of millions of
// entries is never copied.
std::string withPrefix(std::string&& text, std::string_view prefix, std::string_view suffix)
{
    text.insert(0, prefix);
    text.append(suffix);
    return std::move(text);
}

std::string digitCountText(std::uint64_t n, std::uint64_t divisor, std::string_view divisorText)
{
    std::string s = "The no. of digits is " + decimal(n);
    if (n % divisor == 0)
        s += " which is a multiple of " + std::string(divisorText) + " (" + std::string(divisorText) + " x " +
             decimal(n / divisor) + ")";
    else
        s += " - NOT a multiple of " + std::string(divisorText) + ".";
    return s;
}

// Divisors for which a remainder followed by eight more digits fits in
// 64 bits.
constexpr std::uint64_t kLargestEightDigitDivisor = UINT64_MAX / 100'000'000;

// The eight ASCII digits at p as one number.
std::uint64_t parseEightDigits(const char* p)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        v -= 0x3030303030303030ULL;
        v = v * 10 + (v >> 8);  // pairs of digits
        return (((v & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
                (((v >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
               32;
    } else {
        std::uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v = v * 10 + static_cast<std::uint64_t>(p[i] - '0');
        return v;
    }
}

// " a b c d" for every number 0000 … 9999.
using QuotientDigitTable = std::array<std::array<char, 8>, 10000>;
const QuotientDigitTable& quotientDigitTable()
{
    static const QuotientDigitTable table = [] {
        QuotientDigitTable t{};
        for (unsigned v = 0; v < 10000; ++v) {
            const unsigned digits[4] = {v / 1000, v / 100 % 10, v / 10 % 10, v % 10};
            for (int i = 0; i < 4; ++i) {
                t[v][2 * i] = ' ';
                t[v][2 * i + 1] = static_cast<char>('0' + digits[i]);
            }
        }
        return t;
    }();
    return table;
}

}  // namespace

bool isLongNumber(std::string_view numberText)
{
    // Characters never outnumber bytes, so short texts need no counting.
    if (numberText.size() <= kLongNumberCharacters)
        return false;
    return characterCount(numberText) > kLongNumberCharacters;
}

std::string digitsForNineteen(std::string_view numberText)
{
    std::string digits;
    digits.resize(numberText.size());
    char* out = digits.data();
    for (char c : numberText) {
        *out = c;
        out += isDigit(c);
    }
    digits.resize(static_cast<size_t>(out - digits.data()));
    return digits;
}

std::string digitsForDivisor(std::string_view numberText)
{
    std::string digits;
    digits.reserve(numberText.size());
    while (!numberText.empty()) {
        const char c = numberText.front();
        // Any character but a digit is one digit worth 0, however many
        // bytes it takes.
        const size_t length = characterLength(numberText);
        numberText.remove_prefix(length);
        if (c == '\t' || c == ' ' || c == '\r' || c == '\n')
            continue;
        digits.push_back(isDigit(c) ? c : '0');
    }
    return digits;
}

std::optional<Divisor> parseDivisor(std::string_view typed)
{
    auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!typed.empty() && isBlank(typed.front()))
        typed.remove_prefix(1);
    while (!typed.empty() && isBlank(typed.back()))
        typed.remove_suffix(1);
    if (typed.empty())
        return std::nullopt;
    for (char c : typed)
        if (!isDigit(c))
            return std::nullopt;
    std::string_view significant = typed;
    while (!significant.empty() && significant.front() == '0')
        significant.remove_prefix(1);
    if (significant.empty())
        return std::nullopt;

    Divisor divisor{0, std::string(significant), std::string(typed)};
    // Nineteen digits reach past 10^18 unless the number is 10^18 itself.
    if (significant.size() <= 18 || significant == "1000000000000000000")
        std::from_chars(significant.data(), significant.data() + significant.size(), divisor.value);
    return divisor;
}

std::uint64_t longDivideInto(std::string_view digits, std::uint64_t divisor, std::string& quotientText)
{
    const size_t n = digits.size();
    if (n == 0)
        return 0;
    const std::uint64_t first = static_cast<std::uint64_t>(digits[0] - '0');
    if (n == 1) {
        // A lone digit takes no division step, unless the divisor goes into
        // it: then the quotient and remainder must still be right.
        if (first < divisor)
            return first;
        quotientText += ' ';
        quotientText += decimal(first / divisor);
        return first % divisor;
    }

    // The first step takes two digits; with a one-digit divisor its
    // quotient may have two digits.
    std::uint64_t x = first * 10 + static_cast<std::uint64_t>(digits[1] - '0');
    quotientText += ' ';
    quotientText += decimal(x / divisor);
    std::uint64_t r = x % divisor;

    // From here on r < divisor, so every quotient digit is 0 … 9.
    const size_t base = quotientText.size();
    quotientText.resize(base + 2 * (n - 2));
    char* out = quotientText.data() + base;
    const char* in = digits.data() + 2;
    const char* const end = digits.data() + n;

    // Dividing by the reciprocal undershoots by at most one (as long as the
    // dividend fits in 64 bits), which one compare puts right.
    const std::uint64_t reciprocal = UINT64_MAX / divisor;
    auto step = [&](std::uint64_t dividend) {
        std::uint64_t q = mulHigh(dividend, reciprocal);
        r = dividend - q * divisor;
        const std::uint64_t over = r >= divisor;
        q += over;
        r -= over * divisor;
        return q;
    };

    // The same long division eight digits at a time, where the remainder
    // times 10^8 still fits in 64 bits: the eight quotient digits of a
    // step are the digits of one quotient below 10^8. The steps depend on
    // one another, so fewer of them is what makes long numbers fast.
    if (divisor <= kLargestEightDigitDivisor) {
        const QuotientDigitTable& table = quotientDigitTable();
        for (; end - in >= 8; in += 8, out += 16) {
            const std::uint64_t q = step(r * 100'000'000 + parseEightDigits(in));
            std::memcpy(out, table[q / 10000].data(), 8);
            std::memcpy(out + 8, table[q % 10000].data(), 8);
        }
    }
    // x = 10r + d < 10 * 10^18 fits in 64 bits for every accepted divisor.
    for (; in != end; ++in, out += 2) {
        out[0] = ' ';
        out[1] = static_cast<char>('0' + step(r * 10 + static_cast<std::uint64_t>(*in - '0')));
    }
    return r;
}

namespace {

// A number as limbs of nine decimal digits, least significant first, for
// remainders of divisors too long for machine words. Every number of one
// division has the same count of limbs, so comparing and subtracting need
// no normalising.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint32_t kLimbBase = 1'000'000'000;

Limbs limbsOf(std::string_view digits, size_t count)
{
    Limbs limbs(count, 0);
    size_t i = 0;
    for (size_t end = digits.size(); end > 0 && i < count;) {
        const size_t start = end >= 9 ? end - 9 : 0;
        std::uint32_t v = 0;
        for (size_t k = start; k < end; ++k)
            v = v * 10 + static_cast<std::uint32_t>(digits[k] - '0');
        limbs[i++] = v;
        end = start;
    }
    return limbs;
}

void multiplyAdd(Limbs& a, std::uint32_t factor, std::uint32_t addend)
{
    std::uint64_t carry = addend;
    for (auto& limb : a) {
        const std::uint64_t v = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(v % kLimbBase);
        carry = v / kLimbBase;
    }
}

bool lessThan(const Limbs& a, const Limbs& b)
{
    for (size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i])
            return a[i] < b[i];
    return false;
}

void subtract(Limbs& a, const Limbs& b)
{
    std::uint32_t borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const std::uint32_t take = b[i] + borrow;
        borrow = a[i] < take;
        a[i] = borrow ? a[i] + kLimbBase - take : a[i] - take;
    }
}

std::string decimalOf(const Limbs& a)
{
    size_t top = a.size();
    while (top > 1 && a[top - 1] == 0)
        --top;
    std::string s = decimal(a[top - 1]);
    for (size_t i = top - 1; i-- > 0;) {
        const std::string part = decimal(a[i]);
        s.append(9 - part.size(), '0');
        s += part;
    }
    return s;
}

}  // namespace

std::string longDivideLongInto(std::string_view digits, std::string_view divisorDigits, std::string& quotientText)
{
    if (digits.empty())
        return "0";
    // One limb spare: ten times a remainder may be one digit longer than
    // the divisor.
    const size_t count = (divisorDigits.size() + 8) / 9 + 1;
    std::array<Limbs, 10> multiples;  // 0, D, 2D … 9D
    multiples[0] = Limbs(count, 0);
    for (std::uint32_t k = 1; k < 10; ++k) {
        multiples[k] = limbsOf(divisorDigits, count);
        multiplyAdd(multiples[k], k, 0);
    }
    Limbs r = limbsOf(digits.substr(0, 1), count);
    if (digits.size() == 1) {
        // A lone digit takes no division step unless the divisor goes
        // into it, and a divisor this long never does.
        return decimalOf(r);
    }
    quotientText.reserve(quotientText.size() + 2 * digits.size());
    for (size_t k = 1; k < digits.size(); ++k) {
        multiplyAdd(r, 10, static_cast<std::uint32_t>(digits[k] - '0'));
        std::uint32_t q = 9;
        while (q > 0 && lessThan(r, multiples[q]))
            --q;
        subtract(r, multiples[q]);
        quotientText += ' ';
        quotientText += static_cast<char>('0' + q);
    }
    return decimalOf(r);
}

LongDivision longDivide(std::string_view digits, std::uint64_t divisor)
{
    LongDivision d;
    d.quotientText.reserve(2 * digits.size() + 1);
    d.remainder = longDivideInto(digits, divisor, d.quotientText);
    return d;
}

DivisionResult divideByNineteen(std::string_view numberText)
{
    static constexpr std::string_view kMultiple = "This number IS a multiple of 19 \r\n(19 x ";
    const std::string digits = digitsForNineteen(numberText);
    std::string quotient;
    quotient.reserve(kMultiple.size() + 2 * digits.size() + 2);
    const std::uint64_t r = longDivideInto(digits, 19, quotient);

    DivisionResult result;
    if (r == 0)
        result.res1 = withPrefix(std::move(quotient), kMultiple, ")");
    else
        result.res1 = "This number is NOT a multiple of 19. The remainder comes to " + decimal(r);
    result.res2 = digitCountText(digits.size(), 19, "19");
    return result;
}

DivisionResult divideBy(std::string_view numberText, const Divisor& divisor)
{
    const std::string multiple = "This number IS A multiple of " + divisor.text + "\r\n(" + divisor.text + " x ";
    const std::string digits = digitsForDivisor(numberText);
    std::string quotient;
    quotient.reserve(multiple.size() + 2 * digits.size() + 2);
    const std::string r = divisor.fitsWord() ? decimal(longDivideInto(digits, divisor.value, quotient))
                                             : longDivideLongInto(digits, divisor.digits, quotient);

    DivisionResult result;
    if (r == "0")
        result.res1 = withPrefix(std::move(quotient), multiple, ")");
    else
        result.res1 = "This number is NOT A multiple of " + divisor.text + ". The remainder comes to " + r;
    // A count of digits never reaches a divisor beyond 10^18, so only a
    // count of 0 is a multiple of one.
    result.res2 = divisor.fitsWord() || digits.empty()
                      ? digitCountText(digits.size(), divisor.fitsWord() ? divisor.value : 1, divisor.text)
                      : digitCountText(digits.size(), UINT64_MAX, divisor.text);
    return result;
}

}  // namespace numbers
