#pragma once
// The record check that Save and every move run before an asset's row may be
// stored or left, and the checks of its dates. Each answers which warning to
// show, if any; none refuses by throwing.
#include <string>

#include "base/dates.h"

namespace czx {

enum class RecordWarning {
    None,
    UseOver100,       // the tax business use is above 100 %
    UseMethodSLPP,    // listed property at 50 % or less must go straight line
    UseNoSection179,  // ... and cannot take Section 179 in its first year
    MethodMissing,    // a kept column set has no method
    LifeMissing,      // a kept column set has no life
    UseTaxMissing,    // the tax business use is blank
    UseBookMissing,   // the book business use is blank
};

struct RecordCheckInput {
    bool regularFederal = false;  // the company keeps the tax column set
    bool book = false;            // the company keeps the book column set
    std::string methodTax, lifeTax, methodBook, lifeBook;
    double useTax = 0;            // the stored tax business-use share
    bool useTaxBlank = false;     // nothing typed as the tax share
    bool useBookBlank = false;    // nothing typed as the book share
    bool listedOrAuto = false;    // listed property or a passenger automobile
    bool placedThisYear = false;  // YRPIS equals the company's year end
    double section179 = 0;        // the Section 179 amount
};

RecordWarning checkRecord(const RecordCheckInput& in);

// True when `yrpis` ends a fiscal year of a company whose year ends on
// `yearEnd`: the same month and day, the last day of February counting as
// one day whatever the year's length.
bool isCompanyYearEnd(const Date& yrpis, const Date& yearEnd);

// The two dates of an asset's first year that cannot both be right: placed
// in service a year or more before the end of the year it was first placed
// in service (YRPIS), or after it.
struct PlacedDatesCheck {
    bool moreThanAYearApart = false;
    bool placedAfterYrpis = false;
};
PlacedDatesCheck checkPlacedDates(const Date& placed, const Date& yrpis);

}  // namespace czx
