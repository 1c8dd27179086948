#include "engine/tables/federal_law.h"

#include <chrono>
#include <cstdio>
#include <iterator>

namespace czx::law {
namespace {

constexpr Date day(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

// clang-format off

// Section 179 (IRC 179(b)(1) and (2)) by tax year: the dollar limit and the
// cost of Section 179 property placed in service in the year above which the
// limit is reduced dollar for dollar.
constexpr Section179Year kSection179[] = {
    {1995,    17'500,   200'000, "IRC 179(b) as amended by OBRA 1993"},
    {1996,    17'500,   200'000, "IRC 179(b) as amended by OBRA 1993"},
    {1997,    18'000,   200'000, "Small Business Job Protection Act of 1996"},
    {1998,    18'500,   200'000, "Small Business Job Protection Act of 1996"},
    {1999,    19'000,   200'000, "Small Business Job Protection Act of 1996"},
    {2000,    20'000,   200'000, "Small Business Job Protection Act of 1996"},
    {2001,    24'000,   200'000, "Small Business Job Protection Act of 1996"},
    {2002,    24'000,   200'000, "Small Business Job Protection Act of 1996"},
    {2003,   100'000,   400'000, "Jobs and Growth Tax Relief Reconciliation Act of 2003"},
    {2004,   102'000,   410'000, "Rev. Proc. 2003-85"},
    {2005,   105'000,   420'000, "Rev. Proc. 2004-71"},
    {2006,   108'000,   430'000, "Rev. Proc. 2005-70"},
    {2007,   125'000,   500'000, "Small Business and Work Opportunity Tax Act of 2007"},
    {2008,   250'000,   800'000, "Economic Stimulus Act of 2008"},
    {2009,   250'000,   800'000, "American Recovery and Reinvestment Act of 2009"},
    {2010,   500'000, 2'000'000, "Small Business Jobs Act of 2010"},
    {2011,   500'000, 2'000'000, "Small Business Jobs Act of 2010"},
    // Set retroactively by the law enacted in January 2013.
    {2012,   500'000, 2'000'000, "American Taxpayer Relief Act of 2012"},
    {2013,   500'000, 2'000'000, "American Taxpayer Relief Act of 2012"},
    {2014,   500'000, 2'000'000, "Tax Increase Prevention Act of 2014"},
    {2015,   500'000, 2'000'000, "PATH Act of 2015"},
    {2016,   500'000, 2'010'000, "PATH Act of 2015; Rev. Proc. 2016-14"},
    {2017,   510'000, 2'030'000, "Rev. Proc. 2016-55"},
    {2018, 1'000'000, 2'500'000, "Tax Cuts and Jobs Act"},
    {2019, 1'020'000, 2'550'000, "Rev. Proc. 2018-57"},
    {2020, 1'040'000, 2'590'000, "Rev. Proc. 2019-44"},
    {2021, 1'050'000, 2'620'000, "Rev. Proc. 2020-45"},
    {2022, 1'080'000, 2'700'000, "Rev. Proc. 2021-45"},
    {2023, 1'160'000, 2'890'000, "Rev. Proc. 2022-38"},
    {2024, 1'220'000, 3'050'000, "Rev. Proc. 2023-34"},
    {2025, 2'500'000, 4'000'000, "P.L. 119-21"},
    {2026, 2'560'000, 4'090'000, "P.L. 119-21; Rev. Proc. 2025-32"},
};

// Section 179 expense of a sport-utility vehicle above 6,000 pounds placed
// in service after 10/22/2004 (IRC 179(b)(5)), by year placed in service.
struct HeavyVehicleCap {
    int year;
    std::int64_t cap;
    const char* source;
};
constexpr HeavyVehicleCap kHeavyVehicleCaps[] = {
    {2004, 25'000, "American Jobs Creation Act of 2004"},
    {2005, 25'000, "American Jobs Creation Act of 2004"},
    {2006, 25'000, "American Jobs Creation Act of 2004"},
    {2007, 25'000, "American Jobs Creation Act of 2004"},
    {2008, 25'000, "American Jobs Creation Act of 2004"},
    {2009, 25'000, "American Jobs Creation Act of 2004"},
    {2010, 25'000, "American Jobs Creation Act of 2004"},
    {2011, 25'000, "American Jobs Creation Act of 2004"},
    {2012, 25'000, "American Jobs Creation Act of 2004"},
    {2013, 25'000, "American Jobs Creation Act of 2004"},
    {2014, 25'000, "American Jobs Creation Act of 2004"},
    {2015, 25'000, "American Jobs Creation Act of 2004"},
    {2016, 25'000, "American Jobs Creation Act of 2004"},
    {2017, 25'000, "American Jobs Creation Act of 2004"},
    {2018, 25'000, "Tax Cuts and Jobs Act"},
    {2019, 25'500, "Rev. Proc. 2018-57"},
    {2020, 25'900, "Rev. Proc. 2019-44"},
    {2021, 26'200, "Rev. Proc. 2020-45"},
    {2022, 27'000, "Rev. Proc. 2021-45"},
    {2023, 28'900, "Rev. Proc. 2022-38"},
    {2024, 30'500, "Rev. Proc. 2023-34"},
    {2025, 31'300, "Rev. Proc. 2024-40"},
    {2026, 32'000, "Rev. Proc. 2025-32 (one source)"},
};

// Passenger automobile limits (IRC 280F(a)) by the year of "YRPIS". A row
// with `placedFrom` serves the vehicles of its year placed in service on or
// after that day; within a year the later row wins. Without truck limits a
// truck or van takes the car limits: so before 2003, and from 2018, when one
// table serves every vehicle.
struct AutoLimitRow {
    int year;
    std::optional<Date> placedFrom;
    AutoLimits car;
    std::optional<AutoLimits> truck;
    const char* source;
};
constexpr AutoLimitRow kAutoLimits[] = {
    {1995, std::nullopt, { 3060,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 95-9"},
    {1996, std::nullopt, { 3060,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 96-25"},
    {1997, std::nullopt, { 3160,  3160,  5000,  3050, 1775}, std::nullopt, "Rev. Proc. 97-20"},
    {1998, std::nullopt, { 3160,  3160,  5000,  2950, 1775}, std::nullopt, "Rev. Proc. 98-30"},
    {1999, std::nullopt, { 3060,  3060,  5000,  2950, 1775}, std::nullopt, "Rev. Proc. 99-14"},
    {2000, std::nullopt, { 3060,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 2000-18"},
    {2001, std::nullopt, { 3060,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 2001-19"},
    {2001, day(2001, 9, 11),
                         { 7660,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 2002-14"},
    {2002, std::nullopt, { 7660,  3060,  4900,  2950, 1775}, std::nullopt, "Rev. Proc. 2002-14"},
    {2003, std::nullopt, { 7660,  3060,  4900,  2950, 1775},
                         AutoLimits{ 7960,  3360,  5400,  3250, 1975}, "Rev. Proc. 2003-75"},
    {2003, day(2003, 5, 6),
                         {10710,  3060,  4900,  2950, 1775},
                         AutoLimits{11010,  3360,  5400,  3250, 1975}, "Rev. Proc. 2003-75"},
    {2004, std::nullopt, {10610,  2960,  4800,  2850, 1675},
                         AutoLimits{10910,  3260,  5300,  3150, 1875}, "Rev. Proc. 2004-20"},
    {2005, std::nullopt, { 2960,  2960,  4700,  2850, 1675},
                         AutoLimits{ 3260,  3260,  5200,  3150, 1875}, "Rev. Proc. 2005-13"},
    {2006, std::nullopt, { 2960,  2960,  4800,  2850, 1775},
                         AutoLimits{ 3260,  3260,  5200,  3150, 1875}, "Rev. Proc. 2006-18"},
    {2007, std::nullopt, { 3060,  3060,  4900,  2850, 1775},
                         AutoLimits{ 3260,  3260,  5200,  3050, 1875}, "Rev. Proc. 2007-30"},
    {2008, std::nullopt, {10960,  2960,  4800,  2850, 1775},
                         AutoLimits{11160,  3160,  5100,  3050, 1875}, "Rev. Proc. 2008-22"},
    {2009, std::nullopt, {10960,  2960,  4800,  2850, 1775},
                         AutoLimits{11060,  3060,  4900,  2950, 1775}, "Rev. Proc. 2009-24"},
    {2010, std::nullopt, {11060,  3060,  4900,  2950, 1775},
                         AutoLimits{11160,  3160,  5100,  3050, 1875}, "Rev. Proc. 2010-18; 2011-21"},
    {2011, std::nullopt, {11060,  3060,  4900,  2950, 1775},
                         AutoLimits{11260,  3260,  5200,  3150, 1875}, "Rev. Proc. 2011-21"},
    {2012, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11360,  3360,  5300,  3150, 1875}, "Rev. Proc. 2012-23; 2013-21"},
    {2013, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11360,  3360,  5400,  3250, 1975}, "Rev. Proc. 2013-21"},
    {2014, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11460,  3460,  5500,  3350, 1975}, "Rev. Proc. 2014-21"},
    {2015, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11460,  3460,  5600,  3350, 1975}, "Rev. Proc. 2015-19; 2016-23"},
    {2016, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11560,  3560,  5700,  3350, 2075}, "Rev. Proc. 2016-23"},
    {2017, std::nullopt, {11160,  3160,  5100,  3050, 1875},
                         AutoLimits{11560,  3560,  5700,  3450, 2075}, "Rev. Proc. 2017-29"},
    {2018, std::nullopt, {18000, 10000, 16000,  9600, 5760}, std::nullopt, "Rev. Proc. 2018-25"},
    {2019, std::nullopt, {18100, 10100, 16100,  9700, 5760}, std::nullopt, "Rev. Proc. 2019-26"},
    {2020, std::nullopt, {18100, 10100, 16100,  9700, 5760}, std::nullopt, "Rev. Proc. 2020-37"},
    {2021, std::nullopt, {18200, 10200, 16400,  9800, 5860}, std::nullopt, "Rev. Proc. 2021-31"},
    {2022, std::nullopt, {19200, 11200, 18000, 10800, 6460}, std::nullopt, "Rev. Proc. 2022-17"},
    {2023, std::nullopt, {20200, 12200, 19500, 11700, 6960}, std::nullopt, "Rev. Proc. 2023-14"},
    {2024, std::nullopt, {20400, 12400, 19800, 11900, 7160}, std::nullopt, "Rev. Proc. 2024-13"},
    {2025, std::nullopt, {20200, 12200, 19600, 11800, 7060}, std::nullopt, "Rev. Proc. 2025-16"},
    {2026, std::nullopt, {20300, 12300, 19800, 11900, 7160}, std::nullopt,
     "Rev. Proc. 2026-15 (one source)"},
};

// First-year bonus (special depreciation allowance, IRC 168(k)) by date
// placed in service, oldest first; the periods touch end to end.
constexpr BonusPeriod kBonus[] = {
    {day(1900, 1, 1), day(2001, 9, 10), BonusOutcome::Zero, 0.0, "before the Job Creation and Worker Assistance Act of 2002"},
    {day(2001, 9, 11), day(2003, 5, 5), BonusOutcome::Rate, 0.30, "Job Creation and Worker Assistance Act of 2002"},
    {day(2003, 5, 6), day(2004, 12, 31), BonusOutcome::Rate, 0.50, "Jobs and Growth Tax Relief Reconciliation Act of 2003"},
    {day(2005, 1, 1), day(2007, 12, 31), BonusOutcome::Unchanged, 0.0, "no general bonus"},
    {day(2008, 1, 1), day(2010, 9, 8), BonusOutcome::Rate, 0.50, "Economic Stimulus Act of 2008; later extensions"},
    {day(2010, 9, 9), day(2011, 12, 31), BonusOutcome::Rate, 1.00, "Tax Relief Act of 2010"},
    {day(2012, 1, 1), day(2012, 12, 31), BonusOutcome::Rate, 0.50, "Tax Relief Act of 2010"},
    {day(2013, 1, 1), day(2017, 9, 27), BonusOutcome::Rate, 0.50, "American Taxpayer Relief Act of 2012; PATH Act of 2015"},
    {day(2017, 9, 28), day(2022, 12, 31), BonusOutcome::Rate, 1.00, "Tax Cuts and Jobs Act"},
    {day(2023, 1, 1), day(2023, 12, 31), BonusOutcome::Rate, 0.80, "Tax Cuts and Jobs Act"},
    {day(2024, 1, 1), day(2024, 12, 31), BonusOutcome::Rate, 0.60, "Tax Cuts and Jobs Act"},
    {day(2025, 1, 1), day(2025, 1, 19), BonusOutcome::Rate, 0.40, "Tax Cuts and Jobs Act"},
    {day(2025, 1, 20), day(9999, 12, 31), BonusOutcome::Rate, 1.00, "P.L. 119-21"},
};

// clang-format on

std::string usDate(const Date& d) {
    return paddedDate(d);
}

}  // namespace

std::string knownLaw() {
    return "Federal law through " + std::to_string(kLastYearKnown);
}

std::string unknownYearMessage(int year) {
    return "The program knows federal law through " + std::to_string(kLastYearKnown) +
           "; the limits of " + std::to_string(year) + " are not known and were not applied.";
}

const Section179Year* section179(int taxYear) {
    for (const auto& row : kSection179)
        if (row.year == taxYear) return &row;
    return nullptr;
}

std::span<const Section179Year> section179Years() {
    return kSection179;
}

std::optional<std::int64_t> heavyVehicleSection179Cap(int year) {
    for (const auto& row : kHeavyVehicleCaps)
        if (row.year == year) return row.cap;
    return std::nullopt;
}

std::optional<AutoLimits> automobileLimits(int yearPlaced, const Date& placed, bool truckOrVan) {
    std::optional<AutoLimits> found;
    for (const auto& row : kAutoLimits) {
        if (row.year != yearPlaced || (row.placedFrom && placed < *row.placedFrom)) continue;
        found = truckOrVan && row.truck ? *row.truck : row.car;
    }
    return found;
}

double automobileBonusRate(const Date& placed) {
    if (placed <= day(2012, 12, 31)) return placed < day(2003, 5, 6) ? 0.3 : 0.5;
    return bonusFor(placed).rate;
}

BonusPeriod bonusFor(const Date& placed) {
    for (const auto& period : kBonus)
        if (period.from <= placed && placed <= period.through) return period;
    return {placed, placed, BonusOutcome::Zero, 0.0, ""};
}

std::span<const BonusPeriod> bonusPeriods() {
    return kBonus;
}

std::string bonusToolTip() {
    std::string text =
        "Bonus depreciation by the Date Placed in Service, of the asset's net cost "
        "(cost x business use - Sec. 179). The law keys some periods on the date the asset "
        "was acquired; this program keeps no such date, so the date placed in service decides. "
        "Type another amount to elect a lower rate or none.";
    for (auto period = std::rbegin(kBonus); period != std::rend(kBonus); ++period) {
        text += "\n";
        if (period->through.year() == std::chrono::year{9999})
            text += "From " + usDate(period->from);
        else if (period->from.year() == std::chrono::year{1900})
            text += "Through " + usDate(period->through);
        else
            text += usDate(period->from) + " to " + usDate(period->through);
        switch (period->outcome) {
            case BonusOutcome::Rate: {
                char rate[16];
                std::snprintf(rate, sizeof rate, ": %.0f%%", period->rate * 100);
                text += rate;
                break;
            }
            case BonusOutcome::Zero:
                text += ": none (0.00)";
                break;
            case BonusOutcome::Unchanged:
                text += ": no rule (the field keeps what you typed)";
                break;
        }
    }
    return text;
}

}  // namespace czx::law
