#include "base/dates.h"

#include <charconv>
#include <cstdio>

namespace czx {
namespace {

bool readNumber(std::string_view text, int& out) {
    if (text.empty()) return false;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && ptr == text.data() + text.size();
}

std::optional<Date> makeDate(int y, int m, int d) {
    Date date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
              std::chrono::day{static_cast<unsigned>(d)}};
    if (m < 1 || m > 12 || d < 1 || !date.ok()) return std::nullopt;
    return date;
}

}  // namespace

std::optional<Date> parseIsoDate(std::string_view text) {
    if (text.size() > 10 && (text[10] == ' ' || text[10] == 'T')) text = text.substr(0, 10);
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int y, m, d;
    if (!readNumber(text.substr(0, 4), y) || !readNumber(text.substr(5, 2), m) ||
        !readNumber(text.substr(8, 2), d))
        return std::nullopt;
    return makeDate(y, m, d);
}

std::optional<Date> parseUsDate(std::string_view text) {
    auto first = text.find('/');
    if (first == std::string_view::npos) return std::nullopt;
    auto second = text.find('/', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    int y, m, d;
    if (!readNumber(text.substr(0, first), m) ||
        !readNumber(text.substr(first + 1, second - first - 1), d) ||
        !readNumber(text.substr(second + 1), y) || text.size() - second - 1 != 4)
        return std::nullopt;
    return makeDate(y, m, d);
}

std::string isoDate(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", yearOf(date), monthOf(date), dayOf(date));
    return buf;
}

std::string shortDate(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d/%d/%04d", monthOf(date), dayOf(date), yearOf(date));
    return buf;
}

std::string paddedDate(const Date& date) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", monthOf(date), dayOf(date), yearOf(date));
    return buf;
}

Date addYearsClamped(const Date& date, int years) {
    Date moved = date + std::chrono::years{years};
    if (!moved.ok()) moved = moved.year() / moved.month() / std::chrono::last;
    return moved;
}

int daysBetween(const Date& from, const Date& to) {
    return static_cast<int>((std::chrono::sys_days{to} - std::chrono::sys_days{from}).count());
}

int daysInMonth(int month, bool leapFebruary) {
    switch (month) {
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        case 2:
            return leapFebruary ? 29 : 28;
        default:
            return 31;
    }
}

}  // namespace czx
