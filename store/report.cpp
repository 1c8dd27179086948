#include "store/report.h"

#include <cstdint>
#include <cstdio>

#include "base/money.h"
#include "base/text_columns.h"
#include "store/assets.h"
#include "store/csv.h"

namespace czx {
namespace {

// Result columns of reportQuery().
enum QueryColumn {
    qCompanyNumber,
    qName,
    qYearEnd,
    qDescription,
    qPlaced,
    qMethodTax,
    qLifeTax,
    qPriorTax,
    qCurrentTax,
    qGroupName,
    qSec179,
    qTotal,
    qTotalBk,
    qCurrentBook,
    qLifeBook,
    qMethodBook,
    qPriorBook,
    qCostTax,
    qCostBook,
    qBonus
};

// The amount columns of each report, in caption order.
constexpr QueryColumn kTaxAmounts[] = {qCostTax, qPriorTax, qCurrentTax, qSec179, qTotal, qBonus};
constexpr QueryColumn kBookAmounts[] = {qCostBook, qPriorBook, qCurrentBook, qTotalBk};

Money readAmount(const Statement& row, int column) {
    if (row.isNull(column)) return std::nullopt;
    return asNumber(row.column(column));
}

// Sums of amount columns in ten-thousandths; a column stays empty until it
// meets its first amount.
class Sums {
  public:
    explicit Sums(size_t columns) : units_(columns) {}
    void add(const std::vector<Money>& amounts) {
        for (size_t i = 0; i < amounts.size(); ++i)
            if (amounts[i]) units_[i] = units_[i].value_or(0) + money::toUnits(*amounts[i]);
    }
    std::vector<Money> totals() const {
        std::vector<Money> result;
        for (const auto& u : units_)
            result.push_back(u ? Money(static_cast<double>(*u) / money::kUnitsPerDollar)
                               : std::nullopt);
        return result;
    }

  private:
    std::vector<std::optional<std::int64_t>> units_;
};

using text::amountText;
using text::dateText;
using text::plainAmount;

// ---- text layout ----

constexpr int kWidths[kReportTextColumns] = {32, 10, 13, 5};
constexpr int kAmountWidth = 14;

int widthOf(size_t column) {
    return column < kReportTextColumns ? kWidths[column] : kAmountWidth;
}

// A caption on one line: its runs of blanks, there to break it in a narrow
// column, become one blank ("Prior Depreciation").
std::string oneLine(const std::string& caption) {
    std::string text;
    for (const auto& word : text::wrap(caption, 0)) text += (text.empty() ? "" : " ") + word;
    return text;
}

}  // namespace

std::string reportTextLine(const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? " " : "") + text::fit(cells[i], widthOf(i), i >= kReportTextColumns);
    return text::endLine(line);
}

std::string reportTotalLine(const std::string& label, const std::vector<Money>& totals) {
    std::string line = text::fit(label, static_cast<int>(reportLineWidth(kReportTextColumns)));
    for (const auto& t : totals) line += ' ' + text::fit(amountText(t), kAmountWidth, true);
    return text::endLine(line);
}

size_t reportLineWidth(size_t columns) {
    size_t width = 0;
    for (size_t i = 0; i < columns; ++i) width += static_cast<size_t>(widthOf(i)) + (i ? 1 : 0);
    return width;
}

const std::string& reportQuery() {
    static const std::string query =
        "SELECT Defaults.companynumber, Defaults.Name, Defaults.YearEnd, "
        "assets.[Asset Description], assets.[Date Placed in Service], "
        "assets.[Dprn Method - Tax], assets.[Dprn Life - Tax], "
        "assets.[Prior Accumulated Dprn - Tax], assets.[Current Dprn - Tax], assets.groupname, "
        "assets.SecOneSevenNine, "
        "assets.[Prior Accumulated Dprn - Tax] + assets.[Current Dprn - Tax] AS Total, "
        "assets.[Prior Accumulated Dprn - Book] + assets.[Current Dprn - Book] AS TotalBk, "
        "assets.[Current Dprn - Book], assets.[Dprn Life - Book], assets.[Dprn Method - Book], "
        "assets.[Prior Accumulated Dprn - Book], assets.[Asset Cost - Tax], "
        "assets.[Asset Cost - Book], assets.[FirstYR30%Deduction] "
        "FROM assets, Defaults "
        "WHERE assets.companynumber = Defaults.companynumber AND (Defaults.companynumber = ?) "
        "ORDER BY COALESCE(assets.groupname, ''), assets.[Date Placed in Service], assets.rowid";
    return query;
}

const std::vector<std::string>& reportCaptions(ReportKind kind) {
    static const std::vector<std::string> tax = {"Asset Description",
                                                 "Date Placed In Service",
                                                 "Depreciation Method",
                                                 "Life",
                                                 "Asset Cost",
                                                 "Prior         Depreciation",
                                                 "Current Depreciation",
                                                 "Sec. 179",
                                                 "Total          Depreciation",
                                                 "1st YR 30/50%  Deduction"};
    static const std::vector<std::string> book = {
        "Asset Description",    "Date Placed In Service",
        "Depreciation Method",  "Life",
        "Asset Cost",           "Prior         Depreciation",
        "Current Depreciation", "Total          Depreciation"};
    return kind == ReportKind::Tax ? tax : book;
}

std::string groupDisplayName(const std::string& group) {
    return group.empty() ? "(no group)" : group;
}

std::string groupTotalLabel(const std::string& group) {
    return "Total " + groupDisplayName(group);
}

void streamDepreciationReport(Connection& connection, ReportKind kind, const Date& today,
                              ReportSink& sink) {
    const Company company = readCompany(connection);
    const bool tax = kind == ReportKind::Tax;

    ReportHeading heading;
    heading.kind = kind;
    heading.title = company.name + "  for the year ending  " +
                    (company.yearEnd ? shortDate(*company.yearEnd) : std::string());
    heading.asOf = today;
    heading.heading = tax ? kTaxReportHeading : kBookReportHeading;
    heading.captions = reportCaptions(kind);
    sink.begin(heading);

    const size_t amountCount = heading.captions.size() - kReportTextColumns;
    Sums grand(amountCount);
    std::optional<Sums> group;
    std::string groupName;

    // One line object refilled for every row: its strings keep their room.
    ReportLine line;
    line.amounts.resize(amountCount);
    Statement query(connection, reportQuery());
    query.bind(1, company.number);
    while (query.step()) {
        const std::string_view name = query.columnTextView(qGroupName);
        if (!group || groupName != name) {
            if (group) sink.groupTotal(groupName, group->totals());
            groupName = name;
            group.emplace(amountCount);
        }
        line.description = query.columnTextView(qDescription);
        line.placedInService =
            query.isNull(qPlaced) ? std::nullopt : parseIsoDate(query.columnTextView(qPlaced));
        line.method = query.columnTextView(tax ? qMethodTax : qMethodBook);
        line.life = asText(query.column(tax ? qLifeTax : qLifeBook));
        const QueryColumn* columns = tax ? kTaxAmounts : kBookAmounts;
        for (size_t i = 0; i < amountCount; ++i) line.amounts[i] = readAmount(query, columns[i]);
        group->add(line.amounts);
        grand.add(line.amounts);
        sink.line(groupName, line);
    }
    if (group) sink.groupTotal(groupName, group->totals());
    sink.grandTotal(grand.totals());
}

namespace {

class ReportModelSink : public ReportSink {
  public:
    explicit ReportModelSink(DepreciationReport& report) : report_(report) {}
    void begin(const ReportHeading& heading) override {
        static_cast<ReportHeading&>(report_) = heading;
    }
    void line(const std::string& group, const ReportLine& line) override {
        if (report_.groups.empty() || report_.groups.back().name != group)
            report_.groups.push_back(ReportGroup{group, {}, {}});
        report_.groups.back().lines.push_back(line);
    }
    void groupTotal(const std::string&, const std::vector<Money>& totals) override {
        report_.groups.back().totals = totals;
    }
    void grandTotal(const std::vector<Money>& totals) override { report_.grandTotals = totals; }

  private:
    DepreciationReport& report_;
};

class TextSink : public ReportSink {
  public:
    explicit TextSink(std::ostream& out) : out_(out) {}

    void begin(const ReportHeading& heading) override {
        const size_t columns = heading.captions.size();
        out_ << heading.title << '\n'
             << kAsOfLabel << ' ' << shortDate(heading.asOf) << '\n'
             << heading.heading << "\n\n";
        std::vector<int> widths;
        for (size_t i = 0; i < columns; ++i) widths.push_back(widthOf(i));
        for (const auto& cells : text::captionRows(heading.captions, widths))
            out_ << reportTextLine(cells);
        ruleWidth_ = reportLineWidth(columns);
        out_ << std::string(ruleWidth_, '-') << '\n';
    }

    void line(const std::string& group, const ReportLine& line) override {
        if (!inGroup_) out_ << '\n' << groupDisplayName(group) << '\n';
        inGroup_ = true;
        cells_.assign(
            {"  " + line.description, dateText(line.placedInService), line.method, line.life});
        for (const auto& a : line.amounts) cells_.push_back(amountText(a));
        out_ << reportTextLine(cells_);
    }

    void groupTotal(const std::string& group, const std::vector<Money>& totals) override {
        out_ << reportTotalLine("  " + groupTotalLabel(group), totals);
        inGroup_ = false;
    }

    void grandTotal(const std::vector<Money>& totals) override {
        out_ << '\n' << std::string(ruleWidth_, '=') << '\n';
        out_ << reportTotalLine(kGrandTotalLabel, totals);
    }

  private:
    std::ostream& out_;
    std::vector<std::string> cells_;
    size_t ruleWidth_ = 0;
    bool inGroup_ = false;
};

class CsvSink : public ReportSink {
  public:
    explicit CsvSink(std::ostream& out) : out_(out) {}

    void begin(const ReportHeading& heading) override {
        fields_ = {"Line", "Group"};
        for (const auto& caption : heading.captions) fields_.push_back(oneLine(caption));
        writeCsvRow(out_, fields_);
    }

    void line(const std::string& group, const ReportLine& line) override {
        fields_.assign({"Asset", group, line.description, dateText(line.placedInService),
                        line.method, line.life});
        for (const auto& a : line.amounts) fields_.push_back(plainAmount(a));
        writeCsvRow(out_, fields_);
    }

    void groupTotal(const std::string& group, const std::vector<Money>& totals) override {
        writeTotals("Group Total", group, totals);
    }

    void grandTotal(const std::vector<Money>& totals) override {
        writeTotals("Grand Total", "", totals);
    }

  private:
    void writeTotals(const char* kind, const std::string& group, const std::vector<Money>& totals) {
        fields_.assign({kind, group});
        fields_.resize(2 + kReportTextColumns);
        for (const auto& t : totals) fields_.push_back(plainAmount(t));
        writeCsvRow(out_, fields_);
    }

    std::ostream& out_;
    std::vector<std::string> fields_;
};

}  // namespace

DepreciationReport buildDepreciationReport(Connection& connection, ReportKind kind,
                                           const Date& today) {
    DepreciationReport report;
    ReportModelSink collector(report);
    streamDepreciationReport(connection, kind, today, collector);
    return report;
}

void writeReportText(Connection& connection, ReportKind kind, const Date& today,
                     std::ostream& out) {
    TextSink sink(out);
    streamDepreciationReport(connection, kind, today, sink);
}

void writeReportCsv(Connection& connection, ReportKind kind, const Date& today, std::ostream& out) {
    CsvSink sink(out);
    streamDepreciationReport(connection, kind, today, sink);
}

}  // namespace czx
