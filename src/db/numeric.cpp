#include "db/numeric.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace db {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of s (0 when there is none).
size_t scanDecimal(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t expDigits = 0;
        while (j < s.size() && isDigit(s[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits > 0)
            i = j;
    }
    return i;
}

double toDouble(std::string_view s)
{
    std::string buf(s);
    return std::strtod(buf.c_str(), nullptr);
}

}  // namespace

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> parseNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    size_t n = scanDecimal(text);
    if (n == 0 || n != text.size())
        return std::nullopt;
    double v = toDouble(text);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isNumeric(std::string_view text) { return parseNumber(text).has_value(); }

double leadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (!isBlank(c))
            compact.push_back(c);
    std::string_view s(compact);
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
        unsigned long long v = 0;
        auto r = std::from_chars(s.data() + 2, s.data() + s.size(), v, 16);
        return r.ec == std::errc() ? static_cast<double>(v) : 0.0;
    }
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'O' || s[1] == 'o')) {
        unsigned long long v = 0;
        auto r = std::from_chars(s.data() + 2, s.data() + s.size(), v, 8);
        return r.ec == std::errc() ? static_cast<double>(v) : 0.0;
    }
    size_t n = scanDecimal(s);
    if (n == 0)
        return 0.0;
    double v = toDouble(s.substr(0, n));
    return std::isfinite(v) ? v : 0.0;
}

std::optional<long long> wholeNumber(std::string_view text)
{
    text = trimBlanks(text);
    if (text.empty())
        return std::nullopt;
    std::string_view digits = text;
    if (digits.front() == '+')
        digits.remove_prefix(1);
    if (digits.empty() || digits.front() == '+')
        return std::nullopt;
    long long v = 0;
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), v, 10);
    if (r.ec != std::errc() || r.ptr != digits.data() + digits.size())
        return std::nullopt;
    return v;
}

std::string formatNumber(double v)
{
    if (!std::isfinite(v))
        return std::isnan(v) ? "NaN" : (v > 0 ? "Infinity" : "-Infinity");
    if (v == 0)
        return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s(buf);
    // "1e+20" reads better the way the reader expects it: "1E+20".
    for (char& c : s)
        if (c == 'e')
            c = 'E';
    return s;
}

long long roundHalfEven(double v)
{
    if (!std::isfinite(v))
        return 0;
    if (v >= static_cast<double>(std::numeric_limits<long long>::max()))
        return std::numeric_limits<long long>::max();
    if (v <= static_cast<double>(std::numeric_limits<long long>::min()))
        return std::numeric_limits<long long>::min();
    double r = std::nearbyint(v);  // default rounding mode: half to even
    return static_cast<long long>(r);
}

}  // namespace db
