#pragma once
// The federal figures that change from year to year, one table per quantity,
// every row with the source it was taken from: the Section 179 dollar limit
// and investment threshold, the Section 179 cap of heavy sport-utility
// vehicles, the passenger automobile limits, and the first-year bonus by
// the date placed in service. Every calculator, check and window reads them
// from here; a new year is a row in each table and a test, nothing else.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/dates.h"

namespace czx::law {

// The last tax year whose figures the tables hold.
inline constexpr int kLastYearKnown = 2026;

// "Federal law through 2026", as the programs say which law they know.
std::string knownLaw();

// "The program knows federal law through 2026; the limits of 2027 are not
// known and were not applied."
std::string unknownYearMessage(int year);

// ---- Section 179 --------------------------------------------------------------

struct Section179Year {
    int year;
    std::int64_t limit;      // dollar limit of the expense
    std::int64_t threshold;  // cost placed in service at which the limit starts to phase out
    const char* source;
};

// The row of a tax year (the calendar year of "YearEnd"); null outside 1995
// to the last year known.
const Section179Year* section179(int taxYear);
std::span<const Section179Year> section179Years();

// The Section 179 expense of a heavy sport-utility vehicle placed in service
// in `year` (after 10/22/2004); none outside the years known.
std::optional<std::int64_t> heavyVehicleSection179Cap(int year);

// ---- Passenger automobiles ------------------------------------------------------

// One year's limits, in dollars, for the business-use share of a vehicle.
struct AutoLimits {
    double firstWithBonus;     // first year, when the bonus applies to the vehicle
    double firstWithoutBonus;  // first year otherwise (the straight-line cap)
    double second;
    double third;
    double fourthOn;  // fourth and every later year
};

// The limits of a vehicle whose "YRPIS" lies in `yearPlaced`, placed in
// service on `placed`. A truck or van takes truck limits where a year has
// them (2003 to 2017); from 2018 one table serves every vehicle. None
// outside 1995 to the last year known.
std::optional<AutoLimits> automobileLimits(int yearPlaced, const Date& placed, bool truckOrVan);

// The bonus rate the automobile calculator applies in the first year: up to
// 2012, 30 % for vehicles placed in service before 5/6/2003 and 50 % from
// then on; after 2012, the rate of the bonus table.
double automobileBonusRate(const Date& placed);

// ---- First-year bonus ---------------------------------------------------------------

enum class BonusOutcome {
    Zero,       // no bonus: the bonus button writes 0.00
    Rate,       // the rate of the period
    Unchanged,  // no rule: the bonus button leaves the field as it is
};

struct BonusPeriod {
    Date from;     // first day placed in service
    Date through;  // last day placed in service
    BonusOutcome outcome;
    double rate;
    const char* source;
};

// The period of a date placed in service. The law keys some periods on the
// date of acquisition as well; the program keeps no such date, so the date
// placed in service decides.
BonusPeriod bonusFor(const Date& placed);
std::span<const BonusPeriod> bonusPeriods();

// The bonus field's tool tip: the periods and their rates, newest first.
std::string bonusToolTip();

}  // namespace czx::law
