#include "store/value.h"

#include <charconv>
#include <cmath>

namespace czx {

std::optional<double> asNumber(const Value& v) {
    if (auto i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
    if (auto d = std::get_if<double>(&v)) return *d;
    if (auto s = std::get_if<std::string>(&v)) {
        std::string_view text = *s;
        while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        if (text.empty()) return std::nullopt;
        double value = 0;
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec == std::errc() && ptr == text.data() + text.size()) return value;
    }
    return std::nullopt;
}

std::string asText(const Value& v) {
    if (auto s = std::get_if<std::string>(&v)) return *s;
    if (auto i = std::get_if<std::int64_t>(&v)) return std::to_string(*i);
    if (auto d = std::get_if<double>(&v)) {
        char buf[64];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, *d);
        return std::string(buf, end);
    }
    return {};
}

bool asBool(const Value& v) {
    if (auto n = asNumber(v)) return *n != 0;
    if (auto s = std::get_if<std::string>(&v)) return *s == "True" || *s == "true";
    return false;
}

}  // namespace czx
