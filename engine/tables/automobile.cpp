// Passenger automobiles ("MACRS-Auto"): 5-year MACRS under the yearly dollar
// limits of the year placed in service, scaled by business use. The first
// year's limit also caps the Section 179 expense plus the bonus plus the
// regular depreciation; the calculator lowers (or raises) those two and
// writes them back into the row.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/timing.h"
#include "engine/tables/calculators.h"
#include "engine/tables/federal_law.h"
#include "engine/tables/macrs_tables.h"
#include "engine/tables/midquarter_tables.h"

namespace czx {
namespace {

using Rates = std::span<const double>;

// 5-year MACRS rates, recovery years 1 to 6: half-year convention, or
// mid-quarter for quarters 1 to 4 (the MACRS tables themselves).
constexpr Rates kQuarterRates[4] = {tables::MACRS5_1stQrt, tables::MACRS5_2ndQrt,
                                    tables::MACRS5_3rdQrt, tables::MACRS5_4thQrt};

// Quarter 0 (no quarter code, or any text other than "1" to "4"): the
// half-year rates.
Rates ratesFor(int quarter) {
    return quarter == 0 ? Rates(tables::MACRS5) : kQuarterRates[quarter - 1];
}

// The limit of recovery year `n` (1 to 3 their own, 4 on the fourth).
double limitOfYear(const law::AutoLimits& limits, int n) {
    switch (n) {
        case 1:
            return limits.firstWithBonus;
        case 2:
            return limits.second;
        case 3:
            return limits.third;
        default:
            return limits.fourthOn;
    }
}

// What one vehicle's calculation carries between its steps. Letters as in
// the rules: A prior accumulated, S Section 179, V cost less ITC
// adjustment, P basis after Section 179 and bonus, K bonus, B business use,
// NB prior non-business accumulated.
struct Vehicle {
    int quarter = 0;  // 0: half-year convention; 1 to 4: the mid-quarter table of that quarter
    Rates rates;
    std::optional<law::AutoLimits> limits;  // none outside the years of the table
    double bonusRate = 0;
    double A = 0, S = 0, V = 0, P = 0, K = 0, B = 0, NB = 0;
};

// The first year's amount and the non-business share that goes with it.
struct FirstYearAmounts {
    double table = 0;
    double nonBusiness = 0;
};

void midQrtSeparator(const Calcform& f, const Vehicle& v, double tableAmount,
                     Depreciation& result) {
    procedure("Calcform.MidQrtSeperator", [&] {
        if (f.timing.recoveryYear == 1) {
            f.asset.midQrtAsset = v.quarter == 0 ? std::string() : std::to_string(v.quarter);
            f.asset.sec179 = money::toCurrency(v.S);
            f.asset.bonus = money::toCurrency(v.K);
            f.asset.post30Basis = money::toCurrency(v.P);
        }
        result.amount = tableAmount;
    });
}

// Year 1: fits S, K and the regular depreciation under L1 × B, the limit of
// the business share; R1 is the first year's rate. Whatever was adjusted,
// the basis kept afterwards is P = B × V − S − K.
FirstYearAmounts firstYear(Vehicle& v) {
    const double L1 = v.limits->firstWithBonus, R1 = v.rates[0];
    const double B = v.B, V = v.V;
    const double limit = L1 * B;
    double& S = v.S;
    double& K = v.K;
    double& P = v.P;
    FirstYearAmounts out;

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
        out.table = limit - K;
        out.nonBusiness = (1 - B) * L1;
    } else if (limit >= R1 * P + S + K) {
        out.table = R1 * P;
        // The non-business share of the full-use amount; none without business use.
        out.nonBusiness = B > 0 ? out.table / B * (1 - B) : 0.0;
    } else {
        if (limit - S < K) K = limit - S;
        const double room = limit - S - K;
        const double table = (B * V - S - K) * R1;
        out.table = room < table ? room : table;
        out.nonBusiness = (1 - B) * L1;
    }
    P = B * V - S - K;
    return out;
}

void macrsAutoYear(const Calcform& f, Vehicle& v, Depreciation& result) {
    procedure("Calcform.MACRSAutoYear", [&] {
        const double year = f.timing.recoveryYear;
        double amount = 0;
        if (!v.limits) {
            // Placed in service in a year without limits: no depreciation.
        } else if (year == 1) {
            const FirstYearAmounts first = firstYear(v);
            amount = first.table;
            result.autoNonBusiness = first.nonBusiness;
        } else if (year >= 2 && year <= 6 && year == std::floor(year)) {
            const int n = static_cast<int>(year);
            const double table = v.P * v.rates[n - 1];
            const double cap = v.B * limitOfYear(*v.limits, n);
            amount = table <= cap ? table : cap;
        } else if (year > 6) {
            // Each later year takes at most the fourth-year limit until the
            // cost is recovered, business and non-business shares together.
            const double unrecovered = v.V - v.A - v.NB;
            const double L4 = v.limits->fourthOn;
            if (unrecovered > 0) amount = std::min(v.B * L4, unrecovered * v.B);
        }
        midQrtSeparator(f, v, amount, result);
    });
}

void calcMACRSAutoWorks(const Calcform& f, Depreciation& result) {
    procedure("Calcform.CalcMACRSAutoWORKS", [&] {
        const Asset& a = f.asset;
        required(a.yrpis);
        const Date& placed = required(a.placedInService);
        const Date& yearEnd = required(f.company.yearEnd);
        Vehicle v;

        // The convention is fixed in the first year (the calendar year of
        // "YRPIS" is that of "YearEnd") and kept in "MidQrtAsset" for the
        // later ones.
        if (yearOf(*a.yrpis) == yearOf(yearEnd))
            v.quarter =
                f.midQuarterYear ? quarterOfPlacement(monthOf(yearEnd), monthOf(placed)) : 0;
        else
            v.quarter = storedQuarter(a.midQrtAsset);
        v.rates = ratesFor(v.quarter);
        v.limits = law::automobileLimits(f.timing.yearPlacedInService, placed, a.truckVanBonus);
        v.bonusRate = law::automobileBonusRate(placed);

        v.A = money::value(a.priorAccumTax);
        v.S = money::value(a.sec179);
        v.V = money::value(a.costLessItc);
        v.B = money::value(a.busUseTax);
        v.NB = money::value(a.priorNonBusAccum);
        v.P = money::value(a.post30Basis);
        v.K = money::value(a.bonus);
        macrsAutoYear(f, v, result);
    });
}

}  // namespace

Depreciation calcMACRSAuto(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcMACRSAuto", [&] { calcMACRSAutoWorks(f, result); });
    return result;
}

}  // namespace czx
