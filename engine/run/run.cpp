#include "engine/run/run.h"

#include <vector>

#include "base/money.h"
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

long countAssets(Connection& connection, const Company& company) {
    Statement count(connection, "SELECT count(*) FROM assets WHERE companynumber = ?");
    count.bind(1, company.number);
    count.step();
    return static_cast<long>(count.columnInt(0));
}

// Everything one run holds while it walks the rows.
class Run {
public:
    Run(Connection& connection, Feedback& feedback)
        : connection_(connection), feedback_(feedback), company_(readCompany(connection)),
          writer_(connection) {}

    RunSummary execute();

private:
    void testMidQuarter();
    void walk();
    void processRow(Asset& asset);
    void scanForChecks();
    void visitChecks(Asset& asset, bool& changed);
    void finishChecks();

    Connection& connection_;
    Feedback& feedback_;
    Company company_;
    WorkArea work_;
    AssetResultWriter writer_;
    RunSummary summary_;
    bool taxPass_ = false;
    bool bookPass_ = false;
    bool taxFailed_ = false;
    bool bookFailed_ = false;
    bool walkedEveryRow_ = false;
    std::optional<TaxChecks> taxChecks_;
    BookChecks bookChecks_;
    std::int64_t taxTotal_ = 0;
    std::int64_t bookTotal_ = 0;
    long rowCount_ = 0;
};

// The tax pass's mid-quarter test sees the year's rows (only rows whose
// "YRPIS" lies in the calendar year of "YearEnd" can qualify).
void Run::testMidQuarter() {
    procedure("Calcform.MidQrtCheck", [&] {
        MidQrtCheck check(company_, work_);
        const int year = yearOf(*company_.yearEnd);
        AssetReader reader(connection_, company_.number, "YRPIS >= ? AND YRPIS < ?",
                           {Value(std::to_string(year) + "-01-01"),
                            Value(std::to_string(year + 1) + "-01-01")});
        std::vector<Asset> page;
        while (reader.next(page))
            for (Asset& asset : page)
                if (check.visit(asset)) writer_.write(asset);
        bool midQuarter = check.finish();
        if (!work_.MidQrtStatusKept) {
            writeMidQrtFlag(connection_, company_, midQuarter);
            company_.midQrtYRTax = midQuarter;
        }
    });
}

void Run::processRow(Asset& asset) {
    const bool flagged = asset.assetChanged;
    bool changed = false;
    if (hasServiceDates(asset)) {
        Calcform f{company_, asset, work_};
        if (taxPass_ && !taxFailed_ && (flagged || !work_.MidQrtStatusKept)) {
            // A failure outside a calculator ends the tax pass; the book pass goes on.
            taxFailed_ = !attempt([&] { DeprAssetsTaxRow(f); });
            ++summary_.taxComputed;
            changed = true;
        }
        if (bookPass_ && !bookFailed_ && flagged) {
            bookFailed_ = !attempt([&] { DeprAssetsBkRow(f); });
            ++summary_.bookComputed;
            changed = true;
        }
    } else if ((taxPass_ && (flagged || !work_.MidQrtStatusKept)) || (bookPass_ && flagged)) {
        ++summary_.skipped;
    }
    if (flagged) {
        asset.assetChanged = false;
        changed = true;
    }
    if (walkedEveryRow_) visitChecks(asset, changed);
    if (changed) writer_.write(asset);
}

// The rows the passes compute: the flagged ones, or every row when the tax
// pass must recompute them all. A walk over every row also feeds the checks.
void Run::walk() {
    walkedEveryRow_ = taxPass_ && !work_.MidQrtStatusKept;
    AssetReader reader(connection_, company_.number, walkedEveryRow_ ? "" : "assetchng <> 0");
    std::vector<Asset> page;
    long done = 0;
    while (reader.next(page)) {
        for (Asset& asset : page) processRow(asset);
        done += static_cast<long>(page.size());
        if (rowCount_ > 0)
            feedback_.progress(kProgressPasses +
                               static_cast<int>((kProgressChecks - kProgressPasses) *
                                                std::min(done, rowCount_) / rowCount_));
    }
}

void Run::visitChecks(Asset& asset, bool& changed) {
    if (taxPass_ && !taxFailed_ && hasServiceDates(asset) && taxChecks_->visit(asset))
        changed = true;
    else if (taxPass_ && !taxFailed_ && !hasServiceDates(asset))
        taxChecks_->visit(asset);
    if (bookPass_) bookChecks_.visit(asset);
    if (asset.currentTax) taxTotal_ += money::toUnits(*asset.currentTax);
    if (asset.currentBook) bookTotal_ += money::toUnits(*asset.currentBook);
}

void Run::scanForChecks() {
    AssetReader reader(connection_, company_.number);
    std::vector<Asset> page;
    while (reader.next(page))
        for (Asset& asset : page) {
            bool changed = false;
            visitChecks(asset, changed);
            if (changed) writer_.write(asset);
        }
}

void Run::finishChecks() {
    if (taxPass_ && !taxFailed_) {
        procedure("Calcform.Sec179Ck", [&] { taxChecks_->finish(feedback_, work_); });
    }
    if (bookPass_ && !bookFailed_) {
        procedure("Calcform.AccumDepChkBk", [&] { bookChecks_.finish(feedback_); });
    }
    if (summary_.skipped > 0) feedback_.message(skippedRowsMessage(summary_.skipped));
}

RunSummary Run::execute() {
    trail::enter("Calcform.mnuDeprAssets_Click");
    work_.RunInProgress = true;
    feedback_.progress(kProgressPasses);
    taxPass_ = company_.regularFederal;
    bookPass_ = company_.book;
    Transaction transaction(connection_);
    bool finished = attempt([&] {
        rowCount_ = countAssets(connection_, company_);
        if (taxPass_ || bookPass_) {
            trail::enter(taxPass_ ? "Calcform.DeprAssetsTax" : "Calcform.DeprAssetsBk");
            StartPass(company_, work_);
            taxChecks_.emplace(company_);
        }
        if (taxPass_) testMidQuarter();
        walk();
        if (!walkedEveryRow_) scanForChecks();
        feedback_.progress(kProgressChecks);
        // Rows no pass computed (neither column set is kept) still lose their flag.
        connection_.execute(
            "UPDATE assets SET assetchng = 0 WHERE companynumber = ? AND assetchng <> 0",
            {Value(company_.number)});
    });
    // Rows written before a failure keep their values.
    attempt([&] { transaction.commit(); });
    if (finished) finishChecks();
    summary_.taxTotal = static_cast<double>(taxTotal_) / money::kUnitsPerDollar;
    summary_.bookTotal = static_cast<double>(bookTotal_) / money::kUnitsPerDollar;
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
