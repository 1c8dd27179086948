// Passenger automobiles ("MACRS-Auto"): 5-year MACRS under the yearly dollar
// limits of the year placed in service, scaled by business use. The first
// year's limit also caps the Section 179 expense plus the bonus plus the
// regular depreciation; the calculator lowers (or raises) those two and
// writes them back into the row.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/timing.h"
#include "engine/tables/calculators.h"

namespace czx {
namespace {

using Limits = std::array<double, 4>;  // L1, L2, L3 and L4 (recovery years 4 on)

constexpr Date day(int y, unsigned m, unsigned d) {
    return Date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

// Yearly limits in dollars, including the first-year bonus amount where the
// law gave one. A row serves vehicles whose "YRPIS" falls in `year` and,
// when `placedFrom` is set, that were placed in service on or after that
// day; within a year the later row wins. Without truck limits a truck or van
// takes the car limits.
struct LimitRow {
    int year;
    std::optional<Date> placedFrom;
    Limits car;
    std::optional<Limits> truck;
};

constexpr LimitRow kLimits[] = {
    {1995, std::nullopt, {3060, 4900, 2950, 1775}, std::nullopt},
    {1996, std::nullopt, {3060, 4900, 2950, 1775}, std::nullopt},
    {1997, std::nullopt, {3160, 5000, 3050, 1775}, std::nullopt},
    {1998, std::nullopt, {3160, 5000, 2950, 1775}, std::nullopt},
    {1999, std::nullopt, {3060, 5000, 2950, 1775}, std::nullopt},
    {2000, std::nullopt, {3060, 4900, 2950, 1775}, std::nullopt},
    {2001, std::nullopt, {3060, 4900, 2950, 1775}, std::nullopt},
    {2001, day(2001, 9, 11), {7660, 4900, 2950, 1775}, std::nullopt},
    {2002, std::nullopt, {7660, 4900, 2950, 1775}, std::nullopt},
    {2003, std::nullopt, {7660, 4900, 2950, 1775}, Limits{7960, 5400, 3250, 1975}},
    {2003, day(2003, 5, 6), {10710, 4900, 2950, 1775}, Limits{11010, 5400, 3250, 1975}},
    {2004, std::nullopt, {10610, 4800, 2850, 1675}, Limits{10910, 5300, 3150, 1875}},
    {2005, std::nullopt, {2960, 4700, 2850, 1675}, Limits{3260, 5200, 3150, 1875}},
    {2006, std::nullopt, {2960, 4800, 2850, 1775}, Limits{3260, 5200, 3150, 1875}},
    {2007, std::nullopt, {3060, 4900, 2850, 1775}, Limits{3260, 5200, 3050, 1875}},
    {2008, std::nullopt, {10960, 4800, 2850, 1775}, Limits{11160, 5100, 3050, 1875}},
    {2009, std::nullopt, {10960, 4800, 2850, 1775}, Limits{11060, 4900, 2950, 1775}},
    {2010, std::nullopt, {11060, 4900, 2950, 1775}, Limits{11160, 5100, 3050, 1875}},
    {2011, std::nullopt, {11060, 4900, 2950, 1775}, Limits{11260, 5200, 3150, 1875}},
    {2012, std::nullopt, {11160, 5100, 3050, 1875}, Limits{11360, 5300, 3150, 1875}},
};

std::optional<Limits> limitsFor(int yearPlaced, const Date& placed, bool truckOrVan) {
    std::optional<Limits> found;
    for (const auto& row : kLimits) {
        if (row.year != yearPlaced || (row.placedFrom && placed < *row.placedFrom)) continue;
        found = truckOrVan && row.truck ? *row.truck : row.car;
    }
    return found;
}

using Rates = std::array<double, 6>;

// 5-year MACRS rates, recovery years 1 to 6: half-year convention, then
// mid-quarter for quarters 1 to 4.
constexpr Rates kHalfYearRates = {0.20, 0.32, 0.192, 0.1152, 0.1152, 0.0576};
constexpr Rates kQuarterRates[4] = {
    {0.35, 0.26, 0.156, 0.1101, 0.1101, 0.0138},
    {0.25, 0.30, 0.18, 0.1137, 0.1137, 0.0426},
    {0.15, 0.34, 0.204, 0.1224, 0.113, 0.0706},
    {0.05, 0.38, 0.228, 0.1368, 0.1094, 0.0958},
};

// Empty or any text other than "1" to "4": the half-year rates.
const Rates& ratesFor(const std::string& quarterCode) {
    if (quarterCode.size() == 1 && quarterCode[0] >= '1' && quarterCode[0] <= '4')
        return kQuarterRates[quarterCode[0] - '1'];
    return kHalfYearRates;
}

// The first-year bonus: 30 % of the basis after Section 179 for vehicles
// placed in service before May 6, 2003, 50 % from then on.
double bonusRate(const Date& placed) {
    return placed < day(2003, 5, 6) ? 0.3 : 0.5;
}

// What one vehicle's calculation carries between its steps. Letters as in
// the rules: A prior accumulated, S Section 179, V cost less ITC
// adjustment, P basis after Section 179 and bonus, K bonus, B business use,
// NB prior non-business accumulated.
struct Vehicle {
    std::string quarterCode;  // empty: half-year convention; "1" to "4": that quarter
    Rates rates{};
    std::optional<Limits> limits;  // none outside the years of the table
    double bonusRate = 0;
    double A = 0, S = 0, V = 0, P = 0, K = 0, B = 0, NB = 0;
};

void copyTableResult(WorkArea& w) {
    if (w.DeprnBasisKind == "Tax") w.CurrentDprnTax = w.TableDprn;
}

void MidQrtSeperator(Calcform& f, const Vehicle& v) {
    procedure("Calcform.MidQrtSeperator", [&] {
        if (f.work.RecoveryYear == 1 && f.work.DeprnBasisKind == "Tax") {
            f.asset.midQrtAsset = v.quarterCode;
            f.asset.sec179 = money::toCurrency(v.S);
            f.asset.bonus = money::toCurrency(v.K);
            f.asset.post30Basis = money::toCurrency(v.P);
        }
        copyTableResult(f.work);
    });
}

// Year 1: fits S, K and the regular depreciation under L1 × B, the limit of
// the business share; R1 is the first year's rate. Whatever was adjusted,
// the basis kept afterwards is P = B × V − S − K.
void firstYear(WorkArea& w, Vehicle& v) {
    const double L1 = (*v.limits)[0], R1 = v.rates[0];
    const double B = v.B, V = v.V;
    const double limit = L1 * B;
    double& S = v.S;
    double& K = v.K;
    double& P = v.P;

    if (B * V < S) {
        S = B * V;
        P = B * V - S - K;
    }
    if (limit <= S) S = limit;
    // The Section 179 amount at which S plus the first-year depreciation of
    // the rest just reaches the limit.
    const double X = (limit - B * V * R1) / (1 - R1);
    if (X <= S) {
        S = X;
        K = 0;
        P = B * V - S;
    }
    const double fullBonus = v.bonusRate * (B * V - S);
    if (fullBonus < K) {
        K = fullBonus;
        P = B * V - S - K;
    }
    // A bonus claimed below the full rate is raised to it while it fits.
    if (fullBonus > K && K > 0) {
        if (fullBonus < limit - S) K = fullBonus;
        P = B * V - S - K;
    }

    if (limit < B * V * R1) {
        // The limit lies below the table depreciation of the whole business
        // cost: it is the whole first-year deduction.
        S = 0;
        if (limit < K) K = limit;
        w.TableDprn = limit - K;
        w.AutoNonBusDprn = (1 - B) * L1;
    } else if (limit >= R1 * P + S + K) {
        w.TableDprn = R1 * P;
        // The non-business share of the full-use amount; none without business use.
        w.AutoNonBusDprn = B > 0 ? w.TableDprn / B * (1 - B) : 0.0;
    } else {
        if (limit - S < K) K = limit - S;
        const double room = limit - S - K;
        const double table = (B * V - S - K) * R1;
        w.TableDprn = room < table ? room : table;
        w.AutoNonBusDprn = (1 - B) * L1;
    }
    P = B * V - S - K;
}

void MACRSAutoYear(Calcform& f, Vehicle& v) {
    procedure("Calcform.MACRSAutoYear", [&] {
        WorkArea& w = f.work;
        const double year = w.RecoveryYear;
        w.AutoNonBusDprn = 0;
        w.TableDprn = 0;
        if (!v.limits) {
            // Placed in service in a year without limits: no depreciation.
        } else if (year == 1) {
            firstYear(w, v);
        } else if (year >= 2 && year <= 6 && year == std::floor(year)) {
            const int n = static_cast<int>(year);
            const double table = v.P * v.rates[n - 1];
            const double cap = v.B * (*v.limits)[n < 4 ? n - 1 : 3];
            w.TableDprn = table <= cap ? table : cap;
        } else if (year > 6) {
            // Each later year takes at most the fourth-year limit until the
            // cost is recovered, business and non-business shares together.
            const double unrecovered = v.V - v.A - v.NB;
            const double L4 = (*v.limits)[3];
            if (unrecovered > 0) w.TableDprn = std::min(v.B * L4, unrecovered * v.B);
        }
        MidQrtSeperator(f, v);
    });
}

void CalcMACRSAutoWORKS(Calcform& f, Vehicle& v) {
    procedure("Calcform.CalcMACRSAutoWORKS", [&] {
        WorkArea& w = f.work;
        const Asset& a = f.asset;
        required(a.yrpis);
        const Date& placed = required(a.placedInService);
        const Date& yearEnd = required(f.company.yearEnd);

        // The convention is fixed in the first year (the calendar year of
        // "YRPIS" is that of "YearEnd") and kept in "MidQrtAsset" for the
        // later ones.
        if (yearOf(*a.yrpis) == yearOf(yearEnd)) {
            if (w.MidQrtYear) {
                w.YearEndMonth = monthOf(yearEnd);
                w.PlacedMonth = monthOf(placed);
                v.quarterCode =
                    std::to_string(QuarterOfPlacement(monthOf(yearEnd), monthOf(placed)));
            } else {
                v.quarterCode.clear();
            }
        } else {
            v.quarterCode = a.midQrtAsset;
        }
        v.rates = ratesFor(v.quarterCode);
        v.limits = limitsFor(w.YearPlacedInService, placed, a.truckVanBonus);
        v.bonusRate = bonusRate(placed);

        if (w.DeprnBasisKind == "Tax") {
            v.A = money::value(a.priorAccumTax);
            v.S = money::value(a.sec179);
            v.V = money::value(a.costLessItc);
            v.B = money::value(a.busUseTax);
            v.NB = money::value(a.priorNonBusAccum);
            v.P = money::value(a.post30Basis);
            v.K = money::value(a.bonus);
        }
        MACRSAutoYear(f, v);
    });
}

}  // namespace

void CalcMACRSAuto(Calcform& f) {
    procedure("Calcform.CalcMACRSAuto", [&] {
        f.work.DeprnBasisKind = "Tax";
        Vehicle vehicle;
        CalcMACRSAutoWORKS(f, vehicle);
    });
}

}  // namespace czx
