#include "db/value.h"

#include "db/numeric.h"

#include <cmath>
#include <cstdio>

namespace db {

std::string Value::toString() const
{
    if (const auto* i = std::get_if<long long>(&v_))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&v_))
        return formatNumber(*d);
    if (const auto* s = std::get_if<std::string>(&v_))
        return *s;
    return {};
}

long long Value::toInt(long long fallback) const
{
    if (const auto* i = std::get_if<long long>(&v_))
        return *i;
    if (const auto* d = std::get_if<double>(&v_))
        return std::isfinite(*d) ? static_cast<long long>(roundHalfEven(*d)) : fallback;
    if (const auto* s = std::get_if<std::string>(&v_)) {
        if (auto n = parseNumber(*s))
            return std::isfinite(*n) ? static_cast<long long>(roundHalfEven(*n)) : fallback;
    }
    return fallback;
}

double Value::toDouble(double fallback) const
{
    if (const auto* i = std::get_if<long long>(&v_))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v_))
        return *d;
    if (const auto* s = std::get_if<std::string>(&v_)) {
        if (auto n = parseNumber(*s))
            return *n;
    }
    return fallback;
}

const std::string& Value::text() const
{
    static const std::string empty;
    if (const auto* s = std::get_if<std::string>(&v_))
        return *s;
    return empty;
}

const Value& Value::null()
{
    static const Value v;
    return v;
}

}  // namespace db
