#pragma once
// The projection as a report: plain text for a terminal or a text file, and
// CSV for a spreadsheet. Both are written while the projection runs, so a
// company of a million assets is never held whole.
#include <ostream>

#include "base/dates.h"
#include "store/database.h"

namespace czx {

// Text: the company and the year it projects from, "As of" `today`, then
// "Tax Depreciation by Year": the captions, one block per group with a line
// per asset (its description, date placed in service, method and life, then
// the year's tax depreciation in each projected year), the group's totals,
// and the grand totals; then "Book Depreciation by Year" the same way.
void writeProjectionText(Connection& connection, int years, const Date& today, std::ostream& out);

// CSV, one row per asset per projected year (and per group total and grand
// total per year), under one header row of one-line names:
//   Line,Group,Asset Description,Date Placed in Service,Tax Method,Tax Life,
//   Book Method,Book Life,Year Ending,Tax Depreciation,Tax Accumulated,
//   Tax Remaining,Book Depreciation,Book Accumulated,Book Remaining
// "Line" says "Asset", "Group Total" or "Grand Total". One fact per row is
// what a spreadsheet filters, sorts and pivots on (a year, a group, an asset
// over the years), and the columns stay the same whatever the number of
// years; a wide row would need six columns per year.
void writeProjectionCsv(Connection& connection, int years, std::ostream& out);

}  // namespace czx
