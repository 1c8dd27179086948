#include "engine/run/checks.h"

#include <cstdlib>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/calcform.h"
#include "engine/run/methods.h"

namespace czx {
namespace {

std::int64_t units(const Money& m) {
    return m ? money::toUnits(*m) : 0;
}

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
    if (!method::isOneOf(a.methodTax,
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
        case 1995:
        case 1996:
            return 17'500;
        case 1997:
            return 18'000;
        case 1998:
            return 18'500;
        case 1999:
            return 19'000;
        case 2000:
            return 20'000;
        case 2001:
        case 2002:
            return 24'000;
        case 2003:
            return 100'000;
        case 2004:
            return 102'000;
        case 2005:
            return 105'000;
        case 2006:
            return 108'000;
        case 2007:
            return 125'000;
        case 2008:
        case 2009:
            return 250'000;
        // 2012: the law enacted in January 2013 set the limit retroactively at 500,000.
        case 2010:
        case 2011:
        case 2012:
            return 500'000;
        default:
            return 0;
    }
}

std::string sec179Message(int taxYear) {
    return "You have exceeded the " + std::to_string(taxYear) + " Sec. 179 limit of " +
           withThousands(sec179Limit(taxYear)) + ".";
}

bool YearLimitChecks::visit(Asset& a) {
    const Date& yearEnd = *company_.yearEnd;
    if (a.yrpis && *a.yrpis == yearEnd) {
        if (units(a.sec179) > 0) sec179Total_ += units(a.sec179);
        if (units(a.bonus) > 0) bonusTotal_ += units(a.bonus);
    }
    if (!inCalendarYearOf(a.yrpis, yearEnd) ||
        !method::isOneOf(a.methodTax, {method::MACRS, method::MACRSAuto, method::MACRS150,
                                       method::SLPersonal, method::SLReal}))
        return false;
    bool changed = writePostSecBasis(a);
    newBasisTotal_ += units(a.postSecBasis);
    return changed;
}

void YearLimitChecks::finish(Feedback& feedback, WorkArea& work) const {
    const int taxYear = yearOf(*company_.yearEnd);
    work.Sec179Total = static_cast<double>(sec179Total_) / money::kUnitsPerDollar;
    work.BonusTotal = static_cast<double>(bonusTotal_) / money::kUnitsPerDollar;
    work.MidQrtTotalBasis = static_cast<double>(newBasisTotal_) / money::kUnitsPerDollar;
    procedure("Calcform.Sec179Ck", [&] {
        std::int64_t limit = sec179Limit(taxYear);
        if (limit > 0 && sec179Total_ > limit * money::kUnitsPerDollar)
            feedback.message(sec179Message(taxYear));
    });
    procedure("Calcform.FirstYR30PctDeductionCk", [&] {
        if (newBasisTotal_ < bonusTotal_) feedback.message(messages::kBonus);
    });
}

CompanyChecks checkCompany(Connection& connection, const Company& company) {
    // Stored amounts carry at most 4 places, so "more than one dollar over"
    // is "at least 1.0001 over"; comparing with 1.00005 leaves the double's
    // own error far behind.
    static const char* kSql = R"(
        SELECT
          max(CASE WHEN pt + ct - kt > 1.00005 THEN 1 ELSE 0 END),
          max(CASE WHEN pb + cb - kb > 1.00005 THEN 1 ELSE 0 END),
          sum(CASE WHEN dated AND substr(y, 1, 4) <> substr(p, 1, 4) THEN 1 ELSE 0 END),
          sum(CASE WHEN dated AND substr(p, 1, 10) > substr(y, 1, 10) THEN 1 ELSE 0 END)
        FROM (SELECT [Prior Accumulated Dprn - Tax] AS pt, [Current Dprn - Tax] AS ct,
                     [Asset Cost - Tax] AS kt, [Prior Accumulated Dprn - Book] AS pb,
                     [Current Dprn - Book] AS cb, [Asset Cost - Book] AS kb,
                     YRPIS AS y, [Date Placed in Service] AS p,
                     (substr(YRPIS, 5, 1) = '-' AND substr(YRPIS, 8, 1) = '-' AND
                      substr([Date Placed in Service], 5, 1) = '-' AND
                      substr([Date Placed in Service], 8, 1) = '-') AS dated
              FROM assets WHERE companynumber = ?))";
    Statement query(connection, kSql);
    query.bind(1, company.number);
    CompanyChecks found;
    if (query.step()) {
        found.accumTaxExceeded = query.columnInt(0) != 0;
        found.accumBookExceeded = query.columnInt(1) != 0;
        found.yearMismatches = static_cast<long>(query.columnInt(2));
        found.placedAfterYrpis = static_cast<long>(query.columnInt(3));
    }
    return found;
}

void AccumDepChkTax(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.AccumDepChkTax", [&] {
        if (found.accumTaxExceeded) feedback.message(messages::kAccumTax);
    });
}

void DateChk(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.DateChk", [&] {
        for (long i = 0; i < found.yearMismatches; ++i) feedback.message(messages::kYearMismatch);
        for (long i = 0; i < found.placedAfterYrpis; ++i)
            feedback.message(messages::kPlacedAfterYrpis);
    });
}

void AccumDepChkBk(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.AccumDepChkBk", [&] {
        if (found.accumBookExceeded) feedback.message(messages::kAccumBook);
    });
}

}  // namespace czx
