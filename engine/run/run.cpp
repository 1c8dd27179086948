#include "engine/run/run.h"

#include <vector>

#include "base/trail.h"
#include "engine/run/checks.h"
#include "engine/run/findings.h"
#include "engine/run/methods.h"
#include "engine/run/passes.h"
#include "engine/run/timing.h"
#include "engine/tables/federal_law.h"
#include "store/assets.h"

namespace czx {
namespace {

// The progress bar: 30 before the passes, 70 after them, 100 at the end.
constexpr int kProgressPasses = 30;
constexpr int kProgressChecks = 70;

constexpr const char* kTaxPass = "Calcform.DeprAssetsTax";
constexpr const char* kBookPass = "Calcform.DeprAssetsBk";

// Everything one run holds while it walks the rows.
//
// The run is all or nothing: it reads the company and writes every row in
// one write transaction. A failure outside a calculator (a database error,
// a full disk, a failed mid-quarter test) rolls all of it back, so no row
// is left with amounts of a half-done run and every flag stays as it was.
// A calculator's failure ends that calculator only: the row gets what the
// rules give it and keeps its flag, so that the next run computes it again.
class Run {
  public:
    Run(Connection& connection, Feedback& feedback, bool allAssets)
        : connection_(connection),
          feedback_(feedback),
          allAssets_(allAssets),
          writer_(connection),
          basisWriter_(connection) {}

    RunSummary execute();

  private:
    void compute();
    template <class Visit>
    void visitYearRows(Visit&& visit);
    bool takeKeptFigures();
    void keepFigures();
    void testMidQuarter();
    void walk();
    void processRow(Asset& asset);
    void computeRow(Asset& asset);
    void countForLimits(Asset& asset);
    void keepFlagged(Asset& asset);
    void checkYearLimits();
    void noteUnknownLawYear(int year);
    void warn();

    Connection& connection_;
    Feedback& feedback_;
    const bool allAssets_;
    Company company_;
    int daysInYear_ = 365;
    // The year's mid-quarter outcome, and whether it differs from the one
    // the company held before this run (the tax pass then computes every row).
    bool midQuarterYear_ = false;
    bool midQuarterChanged_ = false;
    AssetResultWriter writer_;
    AssetBasisWriter basisWriter_;
    RowReports* reports_ = nullptr;
    RunSummary summary_;
    bool taxPass_ = false;
    bool bookPass_ = false;
    std::optional<YearLimitChecks> yearLimits_;
    // The year's new assets: "YRPIS" in [yearFrom_, yearTo_).
    std::string yearFrom_, yearTo_;
    YearRows yearRows_;
    long newAssets_ = 0;
    // Figures of the last run this run takes instead of reading the year's new assets.
    std::optional<YearFigures> kept_;
    CompanyChecks found_;
    AssetList skipped_;
    AssetList notYetInService_;
    RowInconsistencies inconsistencies_;
    // A year whose limits the law tables do not hold and that this run needed.
    std::optional<int> unknownLawYear_;
    // The asset a failure that ends the run was raised on.
    std::string failedRow_;
};

// Visits the rows whose "YRPIS" lies in the calendar year of "YearEnd": the
// only rows the mid-quarter test and the limit checks count. A row whose
// basis columns the visit rewrote is stored after the walk. A row holding a
// value that cannot be read is left alone (the walk reports it).
template <class Visit>
void Run::visitYearRows(Visit&& visit) {
    ++summary_.yearVisits;
    std::vector<Asset> rewritten;
    forEachAssetPlacedBetween(connection_, company_.number, yearFrom_, yearTo_, [&](Asset& asset) {
        try {
            if (asset.unreadable == 0 && visit(asset)) rewritten.push_back(asset);
        } catch (...) {
            failedRow_ = assetLabel(asset);
            throw;
        }
    });
    for (const Asset& asset : rewritten) basisWriter_.write(asset);
}

// The mid-quarter outcome and the sums of the limit checks depend only on
// the year's new assets. When the last run's figures were kept, the same
// assets are there (as many, with the same keys), none of them changed since
// and the company's mid-quarter flag is still the one that run found, the
// figures stand and the new assets need not be read again.
bool Run::takeKeptFigures() {
    if (allAssets_) return false;
    kept_ = readYearFigures(connection_, company_.number);
    if (!kept_ || kept_->yearEnd != isoDate(*company_.yearEnd) || kept_->rows != yearRows_ ||
        kept_->midQuarter != company_.midQrtYRTax ||
        changedRowBetween(connection_, company_.number, yearFrom_, yearTo_)) {
        kept_.reset();
        return false;
    }
    midQuarterYear_ = kept_->midQuarter;
    midQuarterChanged_ = false;
    return true;
}

void Run::keepFigures() {
    YearFigures figures;
    figures.yearEnd = isoDate(*company_.yearEnd);
    figures.rows = yearRows_;
    figures.midQuarter = midQuarterYear_;
    figures.readable = newAssets_;
    figures.sec179 = yearLimits_->sums().sec179;
    figures.bonus = yearLimits_->sums().bonus;
    figures.basis = yearLimits_->sums().basis;
    writeYearFigures(connection_, company_.number, figures);
}

// A failure here, or in finding the year's new assets, ends the run: the
// year's convention would be unknown.
void Run::testMidQuarter() {
    MidQrtCheck check(company_);
    visitYearRows([&](Asset& asset) { return check.visit(asset); });
    midQuarterYear_ = check.finish();
    midQuarterChanged_ = midQuarterYear_ != company_.midQrtYRTax;
    if (midQuarterChanged_) {
        writeMidQrtFlag(connection_, company_, midQuarterYear_);
        company_.midQrtYRTax = midQuarterYear_;
    }
}

// A row the run should have computed but could not keeps its flag.
void Run::keepFlagged(Asset& asset) {
    if (asset.assetChanged) return;
    asset.assetChanged = true;
    writer_.write(asset, false, false);
}

void Run::processRow(Asset& asset) {
    try {
        computeRow(asset);
    } catch (...) {
        failedRow_ = assetLabel(asset);
        throw;
    }
}

void Run::computeRow(Asset& asset) {
    const bool flagged = asset.assetChanged || allAssets_;
    const bool taxRow = taxPass_ && (flagged || midQuarterChanged_);
    const bool bookRow = bookPass_ && flagged;
    if (!taxRow && !bookRow) {
        // Neither pass computes the row: its flag is simply cleared.
        if (asset.assetChanged) {
            asset.assetChanged = false;
            writer_.write(asset, false, false);
        }
        return;
    }
    reports_->setRow(&asset);
    const long reportsBefore = reports_->count();
    if (asset.unreadable != 0) {
        trail::enter(taxRow ? kTaxPass : kBookPass);
        reports_->add("Type mismatch", errors::kTypeMismatch, unreadableColumns(asset.unreadable));
        ++summary_.unreadable;
        keepFlagged(asset);
    } else if (!hasServiceDates(asset)) {
        skipped_.add(asset);
        ++summary_.skipped;
        keepFlagged(asset);
    } else {
        if (taxRow) {
            trail::enter(kTaxPass);
            deprAssetsTaxRow(company_, asset, daysInYear_, midQuarterYear_);
            ++summary_.taxComputed;
        }
        if (bookRow) {
            trail::enter(kBookPass);
            deprAssetsBkRow(company_, asset, daysInYear_);
            ++summary_.bookComputed;
        }
        if (placedAfterYearEnd(asset, *company_.yearEnd)) notYetInService_.add(asset);
        if (taxRow && (asset.passengerAuto || asset.methodTax == method::MACRSAuto) &&
            yearOf(*asset.yrpis) > law::kLastYearKnown)
            noteUnknownLawYear(yearOf(*asset.yrpis));
        inconsistencies_.visit(asset, taxRow);
        const bool raised = reports_->count() != reportsBefore;
        if (raised) ++summary_.rowsWithErrors;
        asset.assetChanged = raised;
        // A failed write is the pass's own failure, not its last calculator's.
        trail::enter(taxRow ? kTaxPass : kBookPass);
        writer_.write(asset, taxRow, bookRow);
    }
    reports_->setRow(nullptr);
}

// One of the year's new assets, as the walk leaves it, counted for the limit
// checks; its basis columns are stored when the check rewrote them.
void Run::countForLimits(Asset& asset) {
    if (asset.unreadable != 0 || !asset.yrpis || yearOf(*asset.yrpis) != yearOf(*company_.yearEnd))
        return;
    try {
        ++newAssets_;
        if (yearLimits_->visit(asset)) basisWriter_.write(asset);
    } catch (...) {
        failedRow_ = assetLabel(asset);
        throw;
    }
}

// The rows the passes compute: the flagged ones, or every row when the tax
// pass must recompute them all because the mid-quarter outcome changed, or
// when the user asked for every asset.
void Run::walk() {
    const bool everyRow = allAssets_ || (taxPass_ && midQuarterChanged_);
    // When most rows are flagged (after a close of year, every row is), the
    // flags' index is set aside for the walk, which then reads every row: in
    // key order that costs no more than reading most of them through the index.
    const bool flagIndexDropped =
        !everyRow && dropFlagIndexBeforeWalk(connection_, company_.number);
    const bool readsEveryRow = everyRow || flagIndexDropped;
    // A walk over every row meets each of the year's new assets after
    // computing it, so the limit checks count them there instead of reading
    // them again after the walk.
    if (taxPass_ && readsEveryRow && !kept_) yearLimits_.emplace(company_);
    // The walk reports its progress by how far through the keys it has come,
    // which costs no counting scan.
    const std::int64_t lastKey = lastAssetKey(connection_);
    AssetReader reader(connection_, company_.number,
                       readsEveryRow ? AssetReader::Rows::All : AssetReader::Rows::Changed);
    std::vector<Asset> page;
    while (reader.next(page)) {
        for (Asset& asset : page) {
            processRow(asset);
            if (yearLimits_) countForLimits(asset);
        }
        if (lastKey > 0)
            feedback_.progress(kProgressPasses +
                               static_cast<int>((kProgressChecks - kProgressPasses) *
                                                std::min(page.back().rowId, lastKey) / lastKey));
    }
    if (flagIndexDropped) ensureRunIndexes(connection_);
}

void Run::checkYearLimits() {
    trail::enter("Calcform.FirstYR30PctDeductionCk");
    if (kept_) {
        yearLimits_.emplace(company_,
                            YearLimitChecks::Sums{kept_->sec179, kept_->bonus, kept_->basis});
        newAssets_ = static_cast<long>(kept_->readable);
    } else if (!yearLimits_) {
        yearLimits_.emplace(company_);
        visitYearRows([&](Asset& asset) {
            ++newAssets_;
            return yearLimits_->visit(asset);
        });
    }
    // The year's Section 179 limit could not be checked.
    const int taxYear = yearOf(*company_.yearEnd);
    if (newAssets_ > 0 && taxYear > law::kLastYearKnown) noteUnknownLawYear(taxYear);
    keepFigures();
}

void Run::noteUnknownLawYear(int year) {
    if (!unknownLawYear_ || year < *unknownLawYear_) unknownLawYear_ = year;
}

void Run::compute() {
    taxPass_ = company_.regularFederal;
    bookPass_ = company_.book;
    if (taxPass_ || bookPass_) {
        trail::enter(taxPass_ ? kTaxPass : kBookPass);
        daysInYear_ = daysInFiscalYear(company_);
    }
    ensureRunIndexes(connection_);
    if (taxPass_) {
        trail::enter("Calcform.MidQrtCheck");
        const int year = yearOf(*company_.yearEnd);
        yearFrom_ = std::to_string(year) + "-01-01";
        yearTo_ = std::to_string(year + 1) + "-01-01";
        yearRows_ = yearRowsBetween(connection_, company_.number, yearFrom_, yearTo_);
        if (!takeKeptFigures()) testMidQuarter();
    }
    walk();
    if (taxPass_) checkYearLimits();
    found_ = checkCompany(connection_, company_);
    feedback_.progress(kProgressChecks);
}

// The warnings in the order the passes give them: the tax pass's limit,
// accumulated and date checks, then the book pass's accumulated check; then
// what the run could not compute and the rows that contradict themselves.
void Run::warn() {
    if (taxPass_ && yearLimits_) {
        yearLimits_->finish(feedback_);
        accumDepChkTax(found_, feedback_);
        dateChk(found_, feedback_);
    }
    if (bookPass_) accumDepChkBk(found_, feedback_);
    if (!skipped_.empty())
        feedback_.message(warningWithAssets(skippedRowsMessage(skipped_.count()), skipped_));
    if (!notYetInService_.empty())
        feedback_.message(warningWithAssets(
            notYetInServiceMessage(notYetInService_.count(), *company_.yearEnd), notYetInService_));
    inconsistencies_.warn(feedback_);
    if (unknownLawYear_) feedback_.message(law::unknownYearMessage(*unknownLawYear_));
}

RunSummary Run::execute() {
    feedback_.progress(kProgressPasses);
    RowReports reports;
    reports_ = &reports;
    try {
        // The company is read inside the write transaction, so that a year
        // closed by another program just before cannot be computed again.
        Transaction transaction(connection_);
        company_ = readCompany(connection_);
        compute();
        trail::enter(kRunProcedure);
        transaction.commit();
        summary_.committed = true;
    } catch (...) {
        // Nothing of the run is kept: the transaction has rolled back.
        reports.deliver();
        trail::reportCurrentException(failedRow_.empty() ? std::string()
                                                         : "Asset: " + failedRow_ + "\r\n");
    }
    reports.deliver();
    if (summary_.committed) warn();
    summary_.completed =
        summary_.committed && summary_.rowsWithErrors == 0 && summary_.unreadable == 0;
    feedback_.progress(100);
    return summary_;
}

}  // namespace

std::string skippedRowsMessage(long skipped) {
    return std::to_string(skipped) + (skipped == 1 ? " asset was" : " assets were") +
           " not depreciated because " + (skipped == 1 ? "it lacks" : "they lack") +
           " a Date Placed in Service or a YRPIS. Enter both dates and depreciate again.";
}

RunSummary depreciateAssets(Connection& connection, Feedback& feedback, bool allAssets) {
    RunSummary summary;
    procedure(kRunProcedure, [&] {
        Run run(connection, feedback, allAssets);
        summary = run.execute();
    });
    return summary;
}

}  // namespace czx
