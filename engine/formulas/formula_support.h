#pragma once
// Timing rules shared by the formula calculators.
#include <optional>

#include "base/dates.h"
#include "base/trail.h"

namespace czx::formulas {

// A date column that the calculation cannot do without.
inline const Date& required(const std::optional<Date>& date) {
    if (!date) throw Error(errors::kInvalidUseOfNull, "Invalid use of Null");
    return *date;
}

// 1 + the calendar-year boundaries from `from` to the fiscal year end: 1 is the
// fiscal year placed in service.
inline double recoveryYearFrom(const Date& from, const Date& yearEnd) {
    return yearOf(yearEnd) - yearOf(from) + 1;
}

// Month boundaries from `from` to `to` (a month-granular date difference).
inline int monthBoundaries(const Date& from, const Date& to) {
    return (yearOf(to) - yearOf(from)) * 12 + monthOf(to) - monthOf(from);
}

// The month placed in service counts whole when the asset was placed in
// service in its first half, the middle itself included.
inline double placedMonthCounts(double placedMonthFraction) {
    return placedMonthFraction <= 0.5 ? 1.0 : 0.0;
}

}  // namespace czx::formulas
