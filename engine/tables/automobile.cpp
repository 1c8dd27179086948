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

// Empty or any text other than "1" to "4": the half-year rates.
Rates ratesFor(const std::string& quarterCode) {
    if (quarterCode.size() == 1 && quarterCode[0] >= '1' && quarterCode[0] <= '4')
        return kQuarterRates[quarterCode[0] - '1'];
    return tables::MACRS5;
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
    std::string quarterCode;  // empty: half-year convention; "1" to "4": that quarter
    Rates rates;
    std::optional<law::AutoLimits> limits;  // none outside the years of the table
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
    const double L1 = v.limits->firstWithBonus, R1 = v.rates[0];
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
            const double cap = v.B * limitOfYear(*v.limits, n);
            w.TableDprn = table <= cap ? table : cap;
        } else if (year > 6) {
            // Each later year takes at most the fourth-year limit until the
            // cost is recovered, business and non-business shares together.
            const double unrecovered = v.V - v.A - v.NB;
            const double L4 = v.limits->fourthOn;
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
        v.limits = law::automobileLimits(w.YearPlacedInService, placed, a.truckVanBonus);
        v.bonusRate = law::automobileBonusRate(placed);

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
