#pragma once
// Close of year: the depreciation of the fiscal year just ended joins the
// accumulated depreciation, the current amounts and the overrides are
// cleared, every asset is flagged for the next run, and the company's year
// end moves one year on.
#include <cstdint>

#include "base/dates.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

// The question asked before the year is closed (Yes and No, No the default).
inline constexpr const char* kCloseYearTitle = "Confirm Closing Of Year";
inline constexpr const char* kCloseYearQuestion =
    "Are you sure you want to close the year? Closing the year will zero out current year "
    "depreciation and add it to accumulated depreciation. Consider making a copy of the "
    "company before closing.";

struct CloseYearResult {
    std::int64_t assetsClosed = 0;
    Date newYearEnd;
};

// Closes the year of the company the file holds (the first `Defaults` row).
// For every asset of the company, in key order:
//   prior tax      := round(prior tax + current tax),          current tax  := 0
//   prior non-bus  := round(prior non-bus + "Non Bus Dprn"),   "Non Bus Dprn" := 0
//   prior book     := round(prior book + current book),        current book := 0
//   both overrides := False,  "assetchng" := True
// where an empty amount counts as 0 and round() goes to the cent, halves to
// the even cent. Both column sets are rolled whatever the company keeps.
// Then "YearEnd" := "YearEnd" + 1 year (29 February becomes 28 February).
// A company without assets only moves its year end on.
//
// Everything happens in one transaction: on any failure nothing has changed
// and the failure is thrown (the caller's procedure reports it).
CloseYearResult closeYear(Connection& connection);

// The close of one row, the rule above, on the row in memory: the close
// stores what this leaves in the row, and the projection closes its rows so.
void closeAssetRow(Asset& asset);

// The year end after the close of the year ending `yearEnd`.
Date nextYearEnd(const Date& yearEnd);

}  // namespace czx
