#include "ui/entry/recordcheck.h"

namespace czx::ui {

RecordWarning checkRecord(const RecordCheckInput& in) {
    if (in.regularFederal) {
        if (in.methodTax.trimmed().isEmpty()) return RecordWarning::MethodMissing;
        if (in.lifeTax.trimmed().isEmpty()) return RecordWarning::LifeMissing;
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
        if (in.methodBook.trimmed().isEmpty()) return RecordWarning::MethodMissing;
        if (in.lifeBook.trimmed().isEmpty()) return RecordWarning::LifeMissing;
        if (in.useBookBlank) return RecordWarning::UseBookMissing;
    }
    return RecordWarning::None;
}

namespace {

bool lastOfFebruary(const Date& date) {
    using namespace std::chrono;
    return date.month() == February &&
           year_month_day_last(date.year(), month_day_last(February)).day() == date.day();
}

}  // namespace

bool isCompanyYearEnd(const Date& yrpis, const Date& yearEnd) {
    if (lastOfFebruary(yrpis) && lastOfFebruary(yearEnd)) return true;
    return yrpis.month() == yearEnd.month() && yrpis.day() == yearEnd.day();
}

// The run dates an asset's first year by the calendar year of its "YRPIS",
// so a "YRPIS" typed as some other day of the year still counts; the advice
// says so.
QString yrpisAdvice(const std::optional<Date>& yrpis, const std::optional<Date>& yearEnd) {
    if (!yrpis || !yearEnd || isCompanyYearEnd(*yrpis, *yearEnd)) return {};
    return QString(
               "The YRPIS %1 is not a year end of the company (%2/%3). The depreciation run "
               "treats the asset's first year by the calendar year of its YRPIS.")
        .arg(QString::fromStdString(shortDate(*yrpis)))
        .arg(monthOf(*yearEnd))
        .arg(dayOf(*yearEnd));
}

}  // namespace czx::ui
