#pragma once
// One asset row of one company, prepared year by year as the passes prepare
// it before they call a calculator.
#include <chrono>

#include "engine/run/calcform.h"
#include "engine/run/timing.h"

namespace czx::testing {

inline Date ymd(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

struct Rig {
    Company company;
    Asset asset;
    WorkArea work;
    Calcform form{company, asset, work};

    Rig() = default;
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    // An asset placed in service on `placed`, in the fiscal year ending `yrpis`.
    Rig(Date placed, Date yrpis) {
        asset.placedInService = placed;
        asset.yrpis = yrpis;
    }

    // The start of a pass over the fiscal year ending on `yearEnd`: the
    // results cleared, then the timing fields of the row.
    Calcform& year(Date yearEnd) {
        company.yearEnd = yearEnd;
        StartPass(company, work);
        work.CurrentDprnTax = 0;
        work.CurrentDprnBook = 0;
        ServiceCalc(form);
        return form;
    }

    // The fiscal year that is recovery year `y` of the row (1 = its first).
    Calcform& recoveryYear(int y) { return year(addYearsClamped(*asset.yrpis, y - 1)); }
};

}  // namespace czx::testing
