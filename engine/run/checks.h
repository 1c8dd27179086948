#pragma once
// The mid-quarter test made before the tax pass, and the checks made after
// the passes. The checks only warn: they change no amounts. Each check sees
// every row of the company, one at a time (visit), and then warns (finish).
// Sums are exact, in ten-thousandths of a dollar.
#include <cstdint>
#include <string>
#include <vector>

#include "base/feedback.h"
#include "engine/run/findings.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

// Mid-quarter convention: more than 40 % of the depreciable basis of the
// MACRS personal property placed in service in the tax year was placed in
// service in its last three months.
class MidQrtCheck {
  public:
    explicit MidQrtCheck(const Company& company) : company_(company) {}
    // A row qualifies when its "YRPIS" falls in the calendar year of "YearEnd",
    // its tax life is below 27.5 and its method is one of the four MACRS
    // personal-property methods. A qualifying row gets "Cost Less ITC Adj" and
    // "PostSecBasis" written; returns true when they changed.
    bool visit(Asset& asset);
    // The year's outcome: the mid-quarter convention applies.
    bool finish() const;

  private:
    const Company& company_;
    std::int64_t total_ = 0;
    std::int64_t lastQuarter_ = 0;
};

// Writes "Cost Less ITC Adj" and "PostSecBasis" (the basis after the Section
// 179 expense, before any bonus deduction); true when either changed.
bool writePostSecBasis(Asset& asset);

// The Section 179 dollar limit of a tax year, in dollars; 0 outside the
// years the law tables hold.
std::int64_t sec179Limit(int taxYear);

// The limit checks after the tax pass, over the rows whose "YRPIS" lies in
// the calendar year of "YearEnd": the Section 179 expense of the year's new
// assets against the year's dollar limit (Sec179Ck), and their first-year
// bonus against the adjusted basis of the year's new MACRS property
// (FirstYR30PctDeductionCk).
class YearLimitChecks {
  public:
    // The sums over the year's new assets, in ten-thousandths.
    struct Sums {
        std::int64_t sec179 = 0;
        std::int64_t bonus = 0;
        std::int64_t basis = 0;
    };
    explicit YearLimitChecks(const Company& company) : company_(company) {}
    // Checks sums found before, without visiting the rows again.
    YearLimitChecks(const Company& company, Sums sums) : company_(company), sums_(sums) {}
    // Returns true when the row's basis columns were rewritten.
    bool visit(Asset& asset);
    void finish(Feedback& feedback) const;
    const Sums& sums() const { return sums_; }

  private:
    const Company& company_;
    Sums sums_;
};

// What the checks over every row of the company find: the assets each
// check concerns.
struct CompanyChecks {
    // Accumulated plus current depreciation above cost by more than one
    // dollar (the tolerance absorbs rounding); empty amounts count as 0.
    AssetList accumTax;
    AssetList accumBook;
    // Rows whose "YRPIS" and "Date Placed in Service" lie in different
    // calendar years, and rows placed in service after their "YRPIS".
    AssetList yearMismatches;
    AssetList placedAfterYrpis;
};

// Reads only the rows a check concerns, through the indexes that hold them.
CompanyChecks checkCompany(Connection& connection, const Company& company);

// The warnings, each shown once per run followed by the assets it concerns;
// the date warnings first for the years, then for the order.
void accumDepChkTax(const CompanyChecks& found, Feedback& feedback);
void dateChk(const CompanyChecks& found, Feedback& feedback);
void accumDepChkBk(const CompanyChecks& found, Feedback& feedback);

namespace messages {
inline constexpr const char* kAccumTax =
    "The program has detected a case where the sum of accumulated depreciation and current "
    "depreciation exceeds the asset's federal tax basis. Review the asset records for errors.";
inline constexpr const char* kAccumBook =
    "The program has detected a case where the sum of accumulated depreciation and current "
    "depreciation exceeds the asset's book basis. Review the asset records for errors.";
inline constexpr const char* kYearMismatch =
    "The program has detected a case where the difference between the Year Placed In Service "
    "and the Date Placed In Service exceeded one year. Review the asset records for errors.";
inline constexpr const char* kPlacedAfterYrpis =
    "The program has detected a case where the Date Placed In Service exceeds the Year Placed In "
    "Service. Review the asset records for errors.";
inline constexpr const char* kDisposedBeforePlaced =
    "The program has detected assets disposed of before they were placed in service. Review "
    "the asset records for errors.";
inline constexpr const char* kBusinessUseOutOfRange =
    "The program has detected assets whose business use is above 100% or below 0%. Review the "
    "asset records for errors.";
inline constexpr const char* kLifeWithoutTable =
    "The program has detected assets whose tax life has no rate table for their method (MACRS "
    "takes 3, 5, 7, 10, 15, 20, 27.5, 31.5 or 39; MACRS-150% 3, 5, 7 or 10; ACRS 3, 5, 10, 15, "
    "18 or 19); they get no tax depreciation. Review the asset records for errors.";
inline constexpr const char* kNegativeCost =
    "The program has detected assets with a negative cost. Review the asset records for errors.";
inline constexpr const char* kBonus =
    "You have exceeded the First Year 100% Deduction limit of 100% of all new assets adjusted "
    "basis.";
}  // namespace messages

// "N asset(s) placed in service after the year end 12/31/2012 were not
// depreciated."
std::string notYetInServiceMessage(long count, const Date& yearEnd);

// Rows whose values contradict each other. The amounts stay as the rules
// compute them; the run warns once for each kind, naming the assets.
struct RowInconsistencies {
    AssetList disposedBeforePlaced;
    AssetList businessUseOutOfRange;  // above 1 or below 0, tax or book
    AssetList lifeWithoutTable;       // a table method given a life it has no table for
    AssetList negativeCost;           // tax or book
    // Notes the row's contradictions; the life only when the tax pass ran.
    void visit(const Asset& asset, bool taxComputed);
    void warn(Feedback& feedback) const;
};

// "You have exceeded the 2012 Sec. 179 limit of 500,000."
std::string sec179Message(int taxYear);

}  // namespace czx
