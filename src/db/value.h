#pragma once

#include <string>
#include <string_view>
#include <variant>

struct sqlite3_stmt;

namespace db {

// One field value as a recordset hands it out: null, a whole number, a
// floating-point number or text. Numbers read back as decimal text, the way
// the statements splice them.
class Value {
public:
    Value() = default;
    Value(int v) : v_(static_cast<long long>(v)) {}
    Value(long v) : v_(static_cast<long long>(v)) {}
    Value(long long v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(std::string_view v) : v_(std::string(v)) {}
    Value(const char* v) : v_(std::string(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<long long>(v_); }
    bool isReal() const { return std::holds_alternative<double>(v_); }
    bool isNumber() const { return isInteger() || isReal(); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    // Text of the value: "" for null, decimal text for numbers.
    std::string toString() const;
    // Numeric value; text is read as a number when it is one, else fallback.
    long long toInt(long long fallback = 0) const;
    double toDouble(double fallback = 0.0) const;
    // The stored text, without conversion (empty for non-text values).
    const std::string& text() const;

    bool operator==(const Value& other) const { return v_ == other.v_; }

    static const Value& null();

private:
    std::variant<std::monostate, long long, double, std::string> v_;
};

// Binds a value to parameter `index` (1-based) of a prepared statement.
void bindValue(sqlite3_stmt* statement, int index, const Value& value);

}  // namespace db
