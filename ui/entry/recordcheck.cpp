#include "ui/entry/recordcheck.h"

namespace czx::ui {

RecordWarning checkRecord(const RecordCheckInput& in) {
    if (in.regularFederal) {
        if (in.methodTax.trimmed().isEmpty()) return RecordWarning::MethodMissing;
        if (in.lifeTax.trimmed().isEmpty()) return RecordWarning::LifeMissing;
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
    }
    return RecordWarning::None;
}

}  // namespace czx::ui
