#include "engine/projection/projection.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/money.h"
#include "base/trail.h"
#include "engine/run/checks.h"
#include "engine/run/findings.h"
#include "engine/run/passes.h"
#include "engine/run/timing.h"
#include "store/assets.h"
#include "store/close_year.h"

namespace czx {
namespace {

using money::roundCents;
using money::value;

constexpr const char* kTaxPass = "Calcform.DeprAssetsTax";
constexpr const char* kBookPass = "Calcform.DeprAssetsBk";
constexpr int kScheduleYears = 60;
// "Invalid procedure call or argument": a number of years out of range.
constexpr int kInvalidArgument = 5;

// One fiscal year as the passes see it: the company with its year end there,
// the days of that year and the year's mid-quarter outcome.
struct FiscalYear {
    Company company;
    int daysInYear = 365;
    bool midQuarter = false;
};

FiscalYear fiscalYear(const Company& company, const Date& yearEnd, bool midQuarter) {
    FiscalYear year{company, 365, midQuarter};
    year.company.yearEnd = yearEnd;
    year.company.midQrtYRTax = midQuarter;
    year.daysInYear = daysInFiscalYear(year.company);
    return year;
}

// The passes the company keeps, on a row they can compute: one holding both
// service dates and no unreadable value (the run leaves any other as stored).
void computeRow(const FiscalYear& year, Asset& row, bool tax, bool book) {
    if (row.unreadable != 0 || !hasServiceDates(row)) return;
    if (tax) {
        trail::enter(kTaxPass);
        deprAssetsTaxRow(year.company, row, year.daysInYear, year.midQuarter);
    }
    if (book) {
        trail::enter(kBookPass);
        deprAssetsBkRow(year.company, row, year.daysInYear);
    }
}

double taxBasis(const Asset& a) {
    if (!a.busUseTax) return 0;
    return roundCents((value(a.costTax) - value(a.itcAdjustment) - value(a.salvageTax)) *
                      *a.busUseTax);
}

double bookBasis(const Asset& a) {
    if (!a.busUseBook) return 0;
    return roundCents((value(a.costBook) - value(a.salvageBook)) * *a.busUseBook);
}

// The year's figures of a row the passes have computed; the row leaves
// closed, as the close of that year stores it (accumulated is the prior
// accumulated it gives the next year).
ScheduleYear closeAndRecord(Asset& row, const Date& yearEnd) {
    ScheduleYear y;
    y.yearEnd = yearEnd;
    y.taxDepreciation = value(row.currentTax);
    y.bookDepreciation = value(row.currentBook);
    closeAssetRow(row);
    y.taxAccumulated = value(row.priorAccumTax);
    y.bookAccumulated = value(row.priorAccumBook);
    y.taxRemaining = roundCents(taxBasis(row) - y.taxAccumulated);
    y.bookRemaining = roundCents(bookBasis(row) - y.bookAccumulated);
    return y;
}

// Figures summed exactly, in ten-thousandths, per projected year.
class Totals {
  public:
    explicit Totals(const std::vector<Date>& yearEnds) : yearEnds_(yearEnds) { clear(); }
    void add(const std::vector<ScheduleYear>& years) {
        for (std::size_t i = 0; i < years.size(); ++i) {
            const ScheduleYear& y = years[i];
            const double figures[] = {y.taxDepreciation,  y.taxAccumulated,  y.taxRemaining,
                                      y.bookDepreciation, y.bookAccumulated, y.bookRemaining};
            for (std::size_t f = 0; f < 6; ++f) units_[i][f] += money::toUnits(figures[f]);
        }
    }
    std::vector<ScheduleYear> years() const {
        std::vector<ScheduleYear> years(yearEnds_.size());
        for (std::size_t i = 0; i < years.size(); ++i) {
            auto dollars = [&](std::size_t f) {
                return static_cast<double>(units_[i][f]) / money::kUnitsPerDollar;
            };
            years[i] = {yearEnds_[i], dollars(0), dollars(1), dollars(2),
                        dollars(3),   dollars(4), dollars(5)};
        }
        return years;
    }
    void clear() { units_.assign(yearEnds_.size(), {}); }

  private:
    const std::vector<Date>& yearEnds_;
    std::vector<std::array<std::int64_t, 6>> units_;
};

// Passes an asset's error reports on to the run's gathering, each kind once
// per asset however many of the projected years raise it. Set while it lives.
class OncePerAsset : public ReportCollector {
  public:
    explicit OncePerAsset(RowReports& reports)
        : reports_(reports), previous_(trail::setCollector(this)) {}
    ~OncePerAsset() override { trail::setCollector(previous_); }
    OncePerAsset(const OncePerAsset&) = delete;
    OncePerAsset& operator=(const OncePerAsset&) = delete;

    void startAsset(const Asset* row) {
        reports_.setRow(row);
        seen_.clear();
    }
    void collect(const TrailSlots& slots, std::string_view description, int number) override {
        std::string kind = std::string(slots.current) + '\n' + std::string(description) + '\n' +
                           std::to_string(number);
        for (const std::string& seen : seen_)
            if (seen == kind) return;
        seen_.push_back(std::move(kind));
        reports_.collect(slots, description, number);
    }

  private:
    RowReports& reports_;
    ReportCollector* previous_;
    std::vector<std::string> seen_;
};

// The mid-quarter outcome of the fiscal year ending `yearEnd`, from the
// assets placed in service in its calendar year, by the run's own test.
bool midQuarterOutcome(Connection& connection, const Company& company, const Date& yearEnd) {
    Company then = company;
    then.yearEnd = yearEnd;
    MidQrtCheck check(then);
    const int year = yearOf(yearEnd);
    forEachAssetPlacedBetween(connection, company.number, std::to_string(year) + "-01-01",
                              std::to_string(year + 1) + "-01-01", [&](Asset& asset) {
                                  if (asset.unreadable == 0) check.visit(asset);
                              });
    return check.finish();
}

bool fullyDepreciated(const Company& company, const ScheduleYear& y) {
    return (!company.regularFederal || y.taxRemaining < 0.005) &&
           (!company.book || y.bookRemaining < 0.005);
}

}  // namespace

std::vector<ScheduleYear> assetSchedule(const Company& company, const Asset& asset) {
    std::vector<ScheduleYear> schedule;
    if (!company.yearEnd || asset.unreadable != 0 || !hasServiceDates(asset)) return schedule;
    const bool tax = company.regularFederal;
    const bool book = company.book;
    const Date current = *company.yearEnd;
    const int firstYear = yearOf(*asset.yrpis);
    const bool storedMidQuarter = !asset.midQrtAsset.empty();

    // Years before the current one start from placement, with nothing
    // accumulated and no override.
    Asset row = asset;
    Date yearEnd = current;
    if (firstYear < yearOf(current)) {
        yearEnd = addYearsClamped(current, firstYear - yearOf(current));
        row.priorAccumTax = row.priorAccumBook = row.priorNonBusAccum = 0.0;
        row.currentTax = row.currentBook = row.nonBusDprn = 0.0;
        row.taxOverride = row.bookOverride = false;
    }
    for (int computed = 0; schedule.size() < kScheduleYears && computed < 200; ++computed) {
        const bool isCurrent = yearOf(yearEnd) == yearOf(current);
        if (isCurrent) {
            // The stored row is the current year as the register holds it.
            row = asset;
            if (asset.assetChanged)
                computeRow(fiscalYear(company, current, company.midQrtYRTax), row, tax, book);
        } else {
            computeRow(fiscalYear(company, yearEnd, storedMidQuarter), row, tax, book);
        }
        const Date thisYearEnd = isCurrent ? current : yearEnd;
        ScheduleYear y = closeAndRecord(row, thisYearEnd);
        yearEnd = nextYearEnd(thisYearEnd);
        if (yearOf(y.yearEnd) < firstYear) continue;
        const bool nothing = y.taxDepreciation == 0 && y.bookDepreciation == 0;
        const bool later = !schedule.empty();
        schedule.push_back(y);
        if ((asset.disposed && *asset.disposed <= y.yearEnd) || fullyDepreciated(company, y) ||
            (later && nothing))
            break;
    }
    return schedule;
}

void projectCompany(Connection& connection, int years, ProjectionSink& sink) {
    if (years < 1 || years > kMaxProjectionYears)
        throw Error(kInvalidArgument, "A projection looks 1 to " +
                                          std::to_string(kMaxProjectionYears) + " years ahead.");
    const Company company = readCompany(connection);
    if (!company.yearEnd)
        throw Error(errors::kInvalidUseOfNull, "The company has no year end to project from.");
    const bool tax = company.regularFederal;
    const bool book = company.book;

    // The current year as a run would compute it now, then each year after
    // a close. The mid-quarter outcomes depend only on each year's new
    // assets, read through their index before the walk.
    std::vector<FiscalYear> fiscalYears;
    std::vector<Date> yearEnds;
    Date yearEnd = *company.yearEnd;
    for (int k = 0; k <= years; ++k) {
        const bool midQuarter = tax && midQuarterOutcome(connection, company, yearEnd);
        fiscalYears.push_back(fiscalYear(company, yearEnd, midQuarter));
        if (k > 0) yearEnds.push_back(yearEnd);
        yearEnd = nextYearEnd(yearEnd);
    }
    // The run recomputes every tax row when the year's outcome differs from
    // the stored one, and otherwise the flagged rows only.
    const bool midQuarterChanged = tax && fiscalYears[0].midQuarter != company.midQrtYRTax;

    sink.begin(company, yearEnds);
    RowReports reports;
    try {
        OncePerAsset once(reports);
        Totals group(yearEnds), grand(yearEnds);
        std::optional<std::string> groupName;
        std::vector<ScheduleYear> figures(yearEnds.size());
        forEachAssetInReportOrder(connection, company.number, [&](Asset& asset) {
            if (groupName && *groupName != asset.groupName) {
                sink.groupTotal(*groupName, group.years());
                group.clear();
            }
            groupName = asset.groupName;
            Asset row = asset;
            once.startAsset(&row);
            computeRow(fiscalYears[0], row, tax && (asset.assetChanged || midQuarterChanged),
                       book && asset.assetChanged);
            closeAssetRow(row);
            for (int k = 1; k <= years; ++k) {
                computeRow(fiscalYears[k], row, tax, book);
                figures[k - 1] = closeAndRecord(row, yearEnds[k - 1]);
            }
            once.startAsset(nullptr);
            sink.asset(asset, figures);
            group.add(figures);
            grand.add(figures);
        });
        if (groupName) sink.groupTotal(*groupName, group.years());
        sink.grandTotal(grand.years());
    } catch (...) {
        reports.deliver();
        throw;
    }
    reports.deliver();
}

}  // namespace czx
