// MACRS straight line for real property over 40 years ("MACRS SL-RP"), by
// the published mid-month percentages.
#include <optional>

#include "base/money.h"
#include "base/trail.h"
#include "engine/formulas/calculators.h"

namespace czx {
namespace {

// The year placed in service, by the fiscal month placed in service: the
// half month of that month and the months after it.
constexpr double kFirstYearRates[12] = {0.02396, 0.02188, 0.01979, 0.01771, 0.01563, 0.01354,
                                        0.01146, 0.00938, 0.00729, 0.00521, 0.00313, 0.00104};
// The 41st year: the half month and the months the first year did not take.
// Four of these differ in the last digit from the first-year rate of the
// same months (0.00312, 0.00937, 0.01562, 0.02187), as published.
constexpr double kLastYearRates[12] = {0.00104, 0.00312, 0.00521, 0.00729, 0.00937, 0.01146,
                                       0.01354, 0.01562, 0.01771, 0.01979, 0.02187, 0.02396};
constexpr double kFullYearRate = 0.025;

// The index is 12 × (recovery year − 1) + fiscal month placed in service:
// 1 to 12 in the first year, 13 to 480 in years 2 to 40, 481 to 492 in the
// 41st. Outside those there is no rate.
std::optional<double> realPropertyRate(int serviceMonthIndex) {
    if (serviceMonthIndex >= 1 && serviceMonthIndex <= 12)
        return kFirstYearRates[serviceMonthIndex - 1];
    if (serviceMonthIndex >= 13 && serviceMonthIndex <= 480) return kFullYearRate;
    if (serviceMonthIndex >= 481 && serviceMonthIndex <= 492)
        return kLastYearRates[serviceMonthIndex - 481];
    return std::nullopt;
}

}  // namespace

Depreciation calcSLRPTax(const Calcform& f) {
    Depreciation result;
    procedure("Calcform.CalcSLRPTax", [&] {
        if (auto rate = realPropertyRate(f.timing.serviceMonthIndex))
            result.amount = *rate * money::value(f.asset.post30Basis);
    });
    return result;
}

}  // namespace czx
