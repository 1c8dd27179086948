#include "engine/run/run.h"

#include <functional>
#include <vector>

#include "base/trail.h"
#include "engine/run/checks.h"
#include "engine/run/passes.h"
#include "engine/run/timing.h"
#include "store/assets.h"

namespace czx {
namespace {

// The progress bar: 30 before the passes, 70 after them, 100 at the end.
constexpr int kProgressPasses = 30;
constexpr int kProgressChecks = 70;

// The largest asset key: the walk reports its progress by how far through
// the keys it has come, which costs no counting scan.
std::int64_t lastAssetKey(Connection& connection) {
    Statement query(connection, "SELECT max(rowid) FROM assets");
    return query.step() ? query.columnInt(0) : 0;
}

// Everything one run holds while it walks the rows.
class Run {
  public:
    Run(Connection& connection, Feedback& feedback)
        : connection_(connection),
          feedback_(feedback),
          company_(readCompany(connection)),
          writer_(connection),
          basisWriter_(connection) {}

    RunSummary execute();

  private:
    void visitYearRows(const std::function<bool(Asset&)>& visit);
    void testMidQuarter();
    void walk();
    void processRow(Asset& asset);
    void checkYearLimits();
    void warn(const CompanyChecks& found);

    Connection& connection_;
    Feedback& feedback_;
    Company company_;
    WorkArea work_;
    AssetResultWriter writer_;
    AssetBasisWriter basisWriter_;
    RunSummary summary_;
    bool taxPass_ = false;
    bool bookPass_ = false;
    bool taxFailed_ = false;
    bool bookFailed_ = false;
    std::optional<YearLimitChecks> yearLimits_;
};

// Visits the rows whose "YRPIS" lies in the calendar year of "YearEnd": the
// only rows the mid-quarter test and the limit checks count. A row whose
// basis columns the visit rewrote is stored after the walk.
void Run::visitYearRows(const std::function<bool(Asset&)>& visit) {
    const int year = yearOf(*company_.yearEnd);
    std::vector<Asset> rewritten;
    forEachAssetPlacedBetween(connection_, company_.number, std::to_string(year) + "-01-01",
                              std::to_string(year + 1) + "-01-01", [&](Asset& asset) {
                                  if (visit(asset)) rewritten.push_back(asset);
                              });
    for (const Asset& asset : rewritten) basisWriter_.write(asset);
}

void Run::testMidQuarter() {
    procedure("Calcform.MidQrtCheck", [&] {
        MidQrtCheck check(company_, work_);
        visitYearRows([&](Asset& asset) { return check.visit(asset); });
        bool midQuarter = check.finish();
        if (!work_.MidQrtStatusKept) {
            writeMidQrtFlag(connection_, company_, midQuarter);
            company_.midQrtYRTax = midQuarter;
        }
    });
}

void Run::processRow(Asset& asset) {
    const bool flagged = asset.assetChanged;
    const bool taxRow = taxPass_ && (flagged || !work_.MidQrtStatusKept);
    const bool bookRow = bookPass_ && flagged;
    if (hasServiceDates(asset)) {
        Calcform f{company_, asset, work_};
        if (taxRow && !taxFailed_) {
            // A failure outside a calculator ends the tax pass; the book pass goes on.
            taxFailed_ = !attempt([&] { DeprAssetsTaxRow(f); });
            ++summary_.taxComputed;
        }
        if (bookRow && !bookFailed_) {
            bookFailed_ = !attempt([&] { DeprAssetsBkRow(f); });
            ++summary_.bookComputed;
        }
    } else if (taxRow || bookRow) {
        ++summary_.skipped;
    }
    asset.assetChanged = false;
    if (flagged || taxRow) writer_.write(asset);
}

// The rows the passes compute: the flagged ones, or every row when the tax
// pass must recompute them all because the mid-quarter outcome changed.
void Run::walk() {
    const bool everyRow = taxPass_ && !work_.MidQrtStatusKept;
    const std::int64_t lastKey = lastAssetKey(connection_);
    AssetReader reader(connection_, company_.number, everyRow ? "" : "assetchng <> 0");
    std::vector<Asset> page;
    while (reader.next(page)) {
        for (Asset& asset : page) processRow(asset);
        if (lastKey > 0)
            feedback_.progress(kProgressPasses +
                               static_cast<int>((kProgressChecks - kProgressPasses) *
                                                std::min(page.back().rowId, lastKey) / lastKey));
    }
}

void Run::checkYearLimits() {
    yearLimits_.emplace(company_);
    visitYearRows([&](Asset& asset) { return yearLimits_->visit(asset); });
}

// The warnings in the order the passes give them: the tax pass's limit,
// accumulated and date checks, then the book pass's accumulated check.
void Run::warn(const CompanyChecks& found) {
    if (taxPass_ && !taxFailed_ && yearLimits_) {
        yearLimits_->finish(feedback_, work_);
        AccumDepChkTax(found, feedback_);
        DateChk(found, feedback_);
    }
    if (bookPass_ && !bookFailed_) AccumDepChkBk(found, feedback_);
    if (summary_.skipped > 0) feedback_.message(skippedRowsMessage(summary_.skipped));
}

RunSummary Run::execute() {
    trail::enter("Calcform.mnuDeprAssets_Click");
    work_.RunInProgress = true;
    feedback_.progress(kProgressPasses);
    taxPass_ = company_.regularFederal;
    bookPass_ = company_.book;
    CompanyChecks found;
    Transaction transaction(connection_);
    bool finished = attempt([&] {
        if (taxPass_ || bookPass_) {
            trail::enter(taxPass_ ? "Calcform.DeprAssetsTax" : "Calcform.DeprAssetsBk");
            StartPass(company_, work_);
        }
        if (taxPass_) testMidQuarter();
        walk();
        if (taxPass_ && !taxFailed_) checkYearLimits();
        found = checkCompany(connection_, company_);
        feedback_.progress(kProgressChecks);
    });
    // Rows written before a failure keep their values.
    attempt([&] { transaction.commit(); });
    if (finished) warn(found);
    summary_.completed = finished && !taxFailed_ && !bookFailed_;
    feedback_.progress(100);
    work_.RunInProgress = false;
    return summary_;
}

}  // namespace

std::string skippedRowsMessage(long skipped) {
    return std::to_string(skipped) + (skipped == 1 ? " asset was" : " assets were") +
           " not depreciated because " + (skipped == 1 ? "it lacks" : "they lack") +
           " a Date Placed in Service or a YRPIS. Enter both dates and depreciate again.";
}

RunSummary DepreciateAssets(Connection& connection, Feedback& feedback) {
    RunSummary summary;
    procedure("Calcform.mnuDeprAssets_Click", [&] {
        Run run(connection, feedback);
        summary = run.execute();
    });
    return summary;
}

void FlagAllAssets(Connection& connection) {
    Company company = readCompany(connection);
    connection.execute("UPDATE assets SET assetchng = 1 WHERE companynumber = ?",
                       {Value(company.number)});
}

}  // namespace czx
