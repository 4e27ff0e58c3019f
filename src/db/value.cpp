#include "db/value.h"

#include "db/numeric.h"

#include <sqlite3.h>

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

void bindValue(sqlite3_stmt* st, int index, const Value& v)
{
    if (v.isNull())
        sqlite3_bind_null(st, index);
    else if (v.isInteger())
        sqlite3_bind_int64(st, index, v.toInt());
    else if (v.isReal())
        sqlite3_bind_double(st, index, v.toDouble());
    else
        sqlite3_bind_text(st, index, v.text().data(), static_cast<int>(v.text().size()), SQLITE_TRANSIENT);
}

}  // namespace db
