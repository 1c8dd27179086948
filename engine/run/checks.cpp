#include "engine/run/checks.h"

#include <cstdlib>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/calcform.h"
#include "engine/run/findings.h"
#include "engine/run/methods.h"
#include "engine/tables/calculators.h"
#include "engine/tables/federal_law.h"
#include "store/assets.h"

namespace czx {
namespace {

std::int64_t units(const Money& m) {
    return m ? money::toUnits(*m) : 0;
}

bool inCalendarYearOf(const std::optional<Date>& date, const Date& yearEnd) {
    return date && yearOf(*date) == yearOf(yearEnd);
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
    if ((lastQuarterStart < placedMonth && placedMonth <= yearEndMonth) ||
        placedMonth > lastQuarterStart + 12)
        lastQuarter_ += basis;
    return changed;
}

bool MidQrtCheck::finish() const {
    // Strictly more than 40 % of the absolute total: 10 x last > 4 x |total|.
    return 10 * lastQuarter_ > 4 * std::llabs(total_);
}

std::int64_t sec179Limit(int taxYear) {
    const law::Section179Year* row = law::section179(taxYear);
    return row ? row->limit : 0;
}

std::string sec179Message(int taxYear) {
    return "You have exceeded the " + std::to_string(taxYear) + " Sec. 179 limit of " +
           money::withThousands(sec179Limit(taxYear)) + ".";
}

bool YearLimitChecks::visit(Asset& a) {
    // The year's new assets: the calendar year of "YRPIS" is that of "YearEnd".
    const Date& yearEnd = *company_.yearEnd;
    if (inCalendarYearOf(a.yrpis, yearEnd)) {
        if (units(a.sec179) > 0) sums_.sec179 += units(a.sec179);
        if (units(a.bonus) > 0) sums_.bonus += units(a.bonus);
    }
    if (!inCalendarYearOf(a.yrpis, yearEnd) ||
        !method::isOneOf(a.methodTax, {method::MACRS, method::MACRSAuto, method::MACRS150,
                                       method::SLPersonal, method::SLReal}))
        return false;
    bool changed = writePostSecBasis(a);
    sums_.basis += units(a.postSecBasis);
    return changed;
}

void YearLimitChecks::finish(Feedback& feedback) const {
    const int taxYear = yearOf(*company_.yearEnd);
    procedure("Calcform.Sec179Ck", [&] {
        std::int64_t limit = sec179Limit(taxYear);
        if (limit > 0 && sums_.sec179 > limit * money::kUnitsPerDollar)
            feedback.message(sec179Message(taxYear));
    });
    procedure("Calcform.FirstYR30PctDeductionCk", [&] {
        if (sums_.basis < sums_.bonus) feedback.message(messages::kBonus);
    });
}

CompanyChecks checkCompany(Connection& connection, const Company& company) {
    CompanyChecks found;
    for (const QuestionableRow& row : questionableRows(connection, company.number)) {
        const std::string label = assetLabel(row.description, row.placedInService);
        if (row.accumTax) found.accumTax.add(label);
        if (row.accumBook) found.accumBook.add(label);
        if (row.yearMismatch) found.yearMismatches.add(label);
        if (row.placedAfter) found.placedAfterYrpis.add(label);
    }
    return found;
}

std::string notYetInServiceMessage(long count, const Date& yearEnd) {
    return money::withThousands(count) + " asset(s) placed in service after the year end " +
           paddedDate(yearEnd) + " were not depreciated.";
}

void RowInconsistencies::visit(const Asset& a, bool taxComputed) {
    if (a.disposed && a.placedInService && *a.disposed < *a.placedInService)
        disposedBeforePlaced.add(a);
    auto outOfRange = [](const std::optional<double>& use) {
        return use && (*use > 1 || *use < 0);
    };
    if (outOfRange(a.busUseTax) || outOfRange(a.busUseBook)) businessUseOutOfRange.add(a);
    if (taxComputed && !lifeHasRateTable(a.methodTax, a.lifeTax))
        lifeWithoutTable.add(a, a.methodTax + " " + (a.lifeTax.empty() ? "(no life)" : a.lifeTax));
    if ((a.costTax && *a.costTax < 0) || (a.costBook && *a.costBook < 0)) negativeCost.add(a);
}

void RowInconsistencies::warn(Feedback& feedback) const {
    for (auto [message, assets] :
         {std::pair{messages::kDisposedBeforePlaced, &disposedBeforePlaced},
          std::pair{messages::kBusinessUseOutOfRange, &businessUseOutOfRange},
          std::pair{messages::kLifeWithoutTable, &lifeWithoutTable},
          std::pair{messages::kNegativeCost, &negativeCost}})
        if (!assets->empty()) feedback.message(warningWithAssets(message, *assets));
}

void accumDepChkTax(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.AccumDepChkTax", [&] {
        if (!found.accumTax.empty())
            feedback.message(warningWithAssets(messages::kAccumTax, found.accumTax));
    });
}

void dateChk(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.DateChk", [&] {
        if (!found.yearMismatches.empty())
            feedback.message(warningWithAssets(messages::kYearMismatch, found.yearMismatches));
        if (!found.placedAfterYrpis.empty())
            feedback.message(
                warningWithAssets(messages::kPlacedAfterYrpis, found.placedAfterYrpis));
    });
}

void accumDepChkBk(const CompanyChecks& found, Feedback& feedback) {
    procedure("Calcform.AccumDepChkBk", [&] {
        if (!found.accumBook.empty())
            feedback.message(warningWithAssets(messages::kAccumBook, found.accumBook));
    });
}

}  // namespace czx
