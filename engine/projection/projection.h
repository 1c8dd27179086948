#pragma once
// A look ahead: what the depreciation run and the close of year would store
// for each asset in the fiscal years to come, computed in memory. The
// company file is only read, never written.
//
// Figures of a year, for one asset or summed over several:
//   depreciation  "Current Dprn - Tax" / "- Book" as the run stores it;
//   accumulated   prior accumulated plus that year's depreciation, which the
//                 close of that year stores as the next year's prior;
//   remaining     the depreciable basis less accumulated.
// The depreciable basis is the part of the cost that business use lets the
// asset recover, less its salvage value (the basis the final-year catch-up
// of the passes aims at), rounded to the cent:
//   tax   ("Asset Cost - Tax" - "ITC Basis Adjustment" - "Salvage Value - Tax")
//           x "Business Use Percentage - Tax"
//   book  ("Asset Cost - Book" - "Salvage Value - Book")
//           x "Business Use Percentage - Book"
// where an empty amount counts as 0 and an empty business use makes the
// basis 0. The Section 179 expense and the bonus are part of the tax
// depreciation of the first year, so they count towards accumulated.
#include <string>
#include <vector>

#include "base/dates.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

struct ScheduleYear {
    Date yearEnd;
    double taxDepreciation = 0;
    double taxAccumulated = 0;
    double taxRemaining = 0;
    double bookDepreciation = 0;
    double bookAccumulated = 0;
    double bookRemaining = 0;
};

// Every fiscal year of the asset, from the one it is placed in service until
// it is fully depreciated (tax and book), disposed, or 60 years.
//
// The asset's first fiscal year is the one whose year end falls in the
// calendar year of its "YRPIS", as in the run. Years before the company's
// current fiscal year are reconstructed from placement: each is computed as
// the run would with nothing accumulated before the first, no override, and
// the mid-quarter outcome the row's stored quarter code ("MidQrtAsset")
// records; so their depreciation, accumulated and remaining are those the
// rules give today, not read from any earlier file. The current year and
// those after it continue from the stored row: the current year is the
// stored one, computed again as the run would when the row is flagged
// changed (with the company's stored mid-quarter outcome), and each later
// year closes the row and computes it again. An asset first placed in service
// after the current year takes the mid-quarter convention only when its
// stored quarter code says so (projectCompany decides it over the company).
// The schedule ends with the year the asset is disposed of, the year in which
// neither tax nor book has anything left to depreciate, a year after the
// first that gives neither any depreciation, or after 60 years. A row without
// "YRPIS" and "Date Placed in Service", or holding unreadable values, has no
// schedule.
std::vector<ScheduleYear> assetSchedule(const Company& company, const Asset& asset);

// Receives a projection as it is computed: the assets in the order of the
// tax report (by group name, within a group by "Date Placed in Service"),
// each group's totals after its last asset, then the grand totals. Each
// vector holds one entry per projected year, the first being the year after
// the company's current one.
class ProjectionSink {
  public:
    virtual ~ProjectionSink() = default;
    // Before any asset: the company as it stands (its current year end) and
    // the year ends of the projected years.
    virtual void begin(const Company& company, const std::vector<Date>& yearEnds) = 0;
    // `asset` is the row as stored.
    virtual void asset(const Asset& asset, const std::vector<ScheduleYear>& years) = 0;
    virtual void groupTotal(const std::string& groupName,
                            const std::vector<ScheduleYear>& totals) = 0;
    virtual void grandTotal(const std::vector<ScheduleYear>& totals) = 0;
};

// The most years a projection looks ahead.
inline constexpr int kMaxProjectionYears = 50;

// Projects the company of `connection` `years` fiscal years forward (1 to
// kMaxProjectionYears): for each asset, what the run followed by a close of
// year would store in each of those years, beginning from the company as a
// run would leave it now. Only reads the file. Errors a calculator raises
// on a row are gathered and reported once per kind, as in the run.
void projectCompany(Connection& connection, int years, ProjectionSink& sink);

}  // namespace czx
