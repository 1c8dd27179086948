#include "engine/run/checks.h"

#include <cstdlib>

#include "base/money.h"
#include "engine/run/calcform.h"
#include "engine/run/methods.h"

namespace czx {
namespace {

bool isOneOf(const std::string& text, std::initializer_list<std::string_view> names) {
    for (auto name : names)
        if (text == name) return true;
    return false;
}

std::int64_t units(const Money& m) { return m ? money::toUnits(*m) : 0; }

bool inCalendarYearOf(const std::optional<Date>& date, const Date& yearEnd) {
    return date && yearOf(*date) == yearOf(yearEnd);
}

std::string withThousands(std::int64_t dollars) {
    std::string digits = std::to_string(dollars);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
    return digits;
}

}  // namespace

bool writePostSecBasis(Asset& a) {
    Money costLessItc = money::toCurrency(money::value(a.costTax) - money::value(a.itcAdjustment));
    Money postSec;
    if (a.busUseTax)
        postSec = money::toCurrency(*costLessItc * *a.busUseTax - money::value(a.sec179));
    bool changed = costLessItc != a.costLessItc || postSec != a.postSecBasis;
    a.costLessItc = costLessItc;
    a.postSecBasis = postSec;
    return changed;
}

bool MidQrtCheck::visit(Asset& a) {
    if (!company_.yearEnd || !inCalendarYearOf(a.yrpis, *company_.yearEnd)) return false;
    auto life = lifeNumber(a.lifeTax);
    if (!life || !(*life < 27.5)) return false;
    if (!isOneOf(a.methodTax,
                 {method::MACRS, method::MACRSAuto, method::MACRS150, method::SLPersonal}))
        return false;
    bool changed = writePostSecBasis(a);
    if (!a.postSecBasis || !a.placedInService) return changed;
    std::int64_t basis = units(a.postSecBasis);
    total_ += basis;
    // The last quarter is the three months ending with the year-end month; for
    // year ends in January to March it reaches back into the prior calendar year.
    const int yearEndMonth = monthOf(*company_.yearEnd);
    const int lastQuarterStart = yearEndMonth - 3;
    const int placedMonth = monthOf(*a.placedInService);
    work_.YearEndMonth = yearEndMonth;
    work_.LastQuarterStart = lastQuarterStart;
    work_.PlacedMonth = placedMonth;
    if ((lastQuarterStart < placedMonth && placedMonth <= yearEndMonth) ||
        placedMonth > lastQuarterStart + 12)
        lastQuarter_ += basis;
    return changed;
}

bool MidQrtCheck::finish() {
    work_.MidQrtTotalBasis = static_cast<double>(total_) / money::kUnitsPerDollar;
    work_.MidQrtLastQtrBasis = static_cast<double>(lastQuarter_) / money::kUnitsPerDollar;
    // Strictly more than 40 % of the absolute total: 10 x last > 4 x |total|.
    work_.MidQrtYear = 10 * lastQuarter_ > 4 * std::llabs(total_);
    work_.MidQrtStatusKept = work_.MidQrtYear == company_.midQrtYRTax;
    return work_.MidQrtYear;
}

std::int64_t sec179Limit(int taxYear) {
    switch (taxYear) {
        case 1995: case 1996: return 17'500;
        case 1997: return 18'000;
        case 1998: return 18'500;
        case 1999: return 19'000;
        case 2000: return 20'000;
        case 2001: case 2002: return 24'000;
        case 2003: return 100'000;
        case 2004: return 102'000;
        case 2005: return 105'000;
        case 2006: return 108'000;
        case 2007: return 125'000;
        case 2008: case 2009: return 250'000;
        // 2012: the law enacted in January 2013 set the limit retroactively at 500,000.
        case 2010: case 2011: case 2012: return 500'000;
        default: return 0;
    }
}

std::string sec179Message(int taxYear) {
    return "You have exceeded the " + std::to_string(taxYear) + " Sec. 179 limit of " +
           withThousands(sec179Limit(taxYear)) + ".";
}

bool accumulatedExceedsCost(const Money& prior, const Money& current, const Money& cost) {
    if (!prior || !current || !cost) return false;
    return units(prior) + units(current) > units(cost) + money::kUnitsPerDollar;
}

bool TaxChecks::visit(Asset& a) {
    const Date& yearEnd = *company_.yearEnd;
    bool changed = false;
    if (a.yrpis && *a.yrpis == yearEnd) {
        if (units(a.sec179) > 0) sec179Total_ += units(a.sec179);
        if (units(a.bonus) > 0) bonusTotal_ += units(a.bonus);
    }
    if (inCalendarYearOf(a.yrpis, yearEnd) &&
        isOneOf(a.methodTax, {method::MACRS, method::MACRSAuto, method::MACRS150,
                              method::SLPersonal, method::SLReal})) {
        changed = writePostSecBasis(a);
        newBasisTotal_ += units(a.postSecBasis);
    }
    accumFailed_ = accumFailed_ || accumulatedExceedsCost(a.priorAccumTax, a.currentTax, a.costTax);
    if (a.yrpis && a.placedInService) {
        if (yearOf(*a.yrpis) != yearOf(*a.placedInService)) ++yearMismatches_;
        if (*a.placedInService > *a.yrpis) ++placedAfterYrpis_;
    }
    return changed;
}

void TaxChecks::finish(Feedback& feedback, WorkArea& work) const {
    const int taxYear = yearOf(*company_.yearEnd);
    work.Sec179Total = static_cast<double>(sec179Total_) / money::kUnitsPerDollar;
    work.BonusTotal = static_cast<double>(bonusTotal_) / money::kUnitsPerDollar;
    work.MidQrtTotalBasis = static_cast<double>(newBasisTotal_) / money::kUnitsPerDollar;
    std::int64_t limit = sec179Limit(taxYear);
    if (limit > 0 && sec179Total_ > limit * money::kUnitsPerDollar)
        feedback.message(sec179Message(taxYear));
    if (newBasisTotal_ < bonusTotal_) feedback.message(messages::kBonus);
    if (accumFailed_) feedback.message(messages::kAccumTax);
    // One warning per offending row, first for the years, then for the order.
    for (long i = 0; i < yearMismatches_; ++i) feedback.message(messages::kYearMismatch);
    for (long i = 0; i < placedAfterYrpis_; ++i) feedback.message(messages::kPlacedAfterYrpis);
}

void BookChecks::visit(const Asset& a) {
    accumFailed_ =
        accumFailed_ || accumulatedExceedsCost(a.priorAccumBook, a.currentBook, a.costBook);
}

void BookChecks::finish(Feedback& feedback) const {
    if (accumFailed_) feedback.message(messages::kAccumBook);
}

}  // namespace czx
