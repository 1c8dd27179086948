#pragma once
// The record check that Save and every move run before the row may be
// stored or left. It answers which warning label to show, if any.
#include <QString>
#include <optional>

#include "base/dates.h"

namespace czx::ui {

enum class RecordWarning {
    None,
    UseOver100,       // Label5
    UseMethodSLPP,    // Label6
    UseNoSection179,  // Label7
    MethodMissing,    // Label15
    LifeMissing,      // Label13
    UseTaxMissing,    // lblUseMissing: the tax business use is blank
    UseBookMissing,   // lblUseMissing: the book business use is blank
};

struct RecordCheckInput {
    bool regularFederal = false;  // the company keeps the tax column set
    bool book = false;            // the company keeps the book column set
    QString methodTax, lifeTax, methodBook, lifeBook;
    double useTax = 0;            // the stored tax business-use share
    bool useTaxBlank = false;     // nothing typed as the tax share
    bool useBookBlank = false;    // nothing typed as the book share
    bool listedOrAuto = false;    // "Listed" or "Auto" ticked
    bool placedThisYear = false;  // YRPIS equals the company's YearEnd
    double section179 = 0;        // the Section 179 field's number
};

RecordWarning checkRecord(const RecordCheckInput& in);

// True when `yrpis` ends a fiscal year of a company whose year ends on
// `yearEnd`: the same month and day, the last day of February counting as
// one day whatever the year's length.
bool isCompanyYearEnd(const Date& yrpis, const Date& yearEnd);

// The advice the screen shows, without refusing the row, for a "YRPIS" that
// is not a year end of the company; empty when it is one or either date is
// missing.
QString yrpisAdvice(const std::optional<Date>& yrpis, const std::optional<Date>& yearEnd);

}  // namespace czx::ui
