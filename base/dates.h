#pragma once
// Calendar dates without time of day or time zone. Stored as 'YYYY-MM-DD'.
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace czx {

using Date = std::chrono::year_month_day;

// 'YYYY-MM-DD' (a trailing time part, as some tools write it, is ignored).
// Returns nothing for empty or malformed text and for impossible dates.
std::optional<Date> parseIsoDate(std::string_view text);
std::string isoDate(const Date& date);
// "m/d/yyyy", the form the program shows dates it builds.
std::string shortDate(const Date& date);
// "MM/dd/yyyy", the form of the entry fields.
std::string paddedDate(const Date& date);
// Accepts m/d/yyyy with one- or two-digit month and day.
std::optional<Date> parseUsDate(std::string_view text);

inline int yearOf(const Date& d) {
    return static_cast<int>(d.year());
}
inline int monthOf(const Date& d) {
    return static_cast<int>(static_cast<unsigned>(d.month()));
}
inline int dayOf(const Date& d) {
    return static_cast<int>(static_cast<unsigned>(d.day()));
}

// Adds whole years; a 29 February that does not exist in the target year
// becomes 28 February.
Date addYearsClamped(const Date& date, int years);

// Days from `from` to `to` (positive when `to` is later).
int daysBetween(const Date& from, const Date& to);

// Days of a calendar month, with February's length given by the caller
// (the run takes it from the fiscal year's length, not the date's year).
int daysInMonth(int month, bool leapFebruary);

}  // namespace czx
