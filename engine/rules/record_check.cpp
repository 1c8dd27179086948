#include "engine/rules/record_check.h"

#include <algorithm>
#include <cctype>

namespace czx {
namespace {

bool blank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

bool lastOfFebruary(const Date& date) {
    using namespace std::chrono;
    return date.month() == February &&
           year_month_day_last(date.year(), month_day_last(February)).day() == date.day();
}

}  // namespace

RecordWarning checkRecord(const RecordCheckInput& in) {
    if (in.regularFederal) {
        if (blank(in.methodTax)) return RecordWarning::MethodMissing;
        if (blank(in.lifeTax)) return RecordWarning::LifeMissing;
        // A blank share would be stored as none and depreciate to nothing.
        if (in.useTaxBlank) return RecordWarning::UseTaxMissing;
        const double u = in.useTax;
        const bool slpp = in.methodTax == "MACRS SL-PP";
        const bool s = in.section179 > 0;
        // Listed property used 50 % or less for business must go straight line,
        // and a new one cannot take Section 179.
        const bool fails = u > 1 || (in.placedThisYear && in.listedOrAuto && u <= 0.5 && s) ||
                           (u <= 0.5 && !slpp && in.listedOrAuto);
        if (fails) {
            if (u > 1) return RecordWarning::UseOver100;
            if (in.section179 == 0) return RecordWarning::UseMethodSLPP;
            return RecordWarning::UseNoSection179;
        }
    }
    if (in.book) {
        if (blank(in.methodBook)) return RecordWarning::MethodMissing;
        if (blank(in.lifeBook)) return RecordWarning::LifeMissing;
        if (in.useBookBlank) return RecordWarning::UseBookMissing;
    }
    return RecordWarning::None;
}

bool isCompanyYearEnd(const Date& yrpis, const Date& yearEnd) {
    if (lastOfFebruary(yrpis) && lastOfFebruary(yearEnd)) return true;
    return yrpis.month() == yearEnd.month() && yrpis.day() == yearEnd.day();
}

PlacedDatesCheck checkPlacedDates(const Date& placed, const Date& yrpis) {
    // The first fiscal year is the twelve months ending on YRPIS.
    const int yearLength = daysBetween(addYearsClamped(yrpis, -1), yrpis);
    return {.moreThanAYearApart = daysBetween(placed, yrpis) >= yearLength,
            .placedAfterYrpis = placed > yrpis};
}

}  // namespace czx
