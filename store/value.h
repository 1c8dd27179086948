#pragma once
// A column value as the file holds it: empty (NULL), whole number, real or text.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace czx {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// Readings that a bound field or a record needs. Text that holds a number
// reads as that number; the empty text reads as empty.
std::optional<double> asNumber(const Value& v);
std::string asText(const Value& v);
bool asBool(const Value& v);

}  // namespace czx
