#include "store/report.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>

#include "base/money.h"
#include "store/assets.h"

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

std::string amountText(const Money& amount) {
    return amount ? money::format(*amount) : "";
}

// Two decimals, no separators, for a spreadsheet to read as a number.
std::string plainAmount(const Money& amount) {
    return amount ? money::format(*amount, money::Separators::None) : "";
}

std::string dateText(const std::optional<Date>& date) {
    return date ? paddedDate(*date) : "";
}

// ---- text layout ----

constexpr int kWidths[kReportTextColumns] = {32, 10, 13, 5};
constexpr int kAmountWidth = 14;

int widthOf(size_t column) {
    return column < kReportTextColumns ? kWidths[column] : kAmountWidth;
}

// The words of a caption filled into lines of at most `width` characters
// (a word longer than the width gets a line of its own).
std::vector<std::string> wrap(const std::string& caption, int width) {
    std::vector<std::string> lines;
    std::istringstream words(caption);
    std::string word;
    while (words >> word) {
        if (!lines.empty() && static_cast<int>(lines.back().size() + 1 + word.size()) <= width)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    }
    return lines;
}

std::string fit(const std::string& text, int width, bool right) {
    std::string cell = text.substr(0, static_cast<size_t>(width));
    std::string pad(static_cast<size_t>(width) - cell.size(), ' ');
    return right ? pad + cell : cell + pad;
}

// One line of cells; trailing blanks are dropped.
void writeCells(std::ostream& out, const std::vector<std::string>& cells) {
    std::string line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) line += ' ';
        line += fit(cells[i], widthOf(i), i >= kReportTextColumns);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
}

std::vector<std::string> totalCells(const std::string& label, const std::vector<Money>& totals) {
    std::vector<std::string> cells(kReportTextColumns);
    cells[0] = label;
    for (const auto& t : totals) cells.push_back(amountText(t));
    return cells;
}

int lineWidth(size_t columns) {
    int width = 0;
    for (size_t i = 0; i < columns; ++i) width += widthOf(i) + (i ? 1 : 0);
    return width;
}

// ---- CSV ----

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) out << (i ? "," : "") << csvField(fields[i]);
    out << '\n';
}

void writeCsvTotals(std::ostream& out, const std::string& kind, const std::string& group,
                    const std::vector<Money>& totals) {
    std::vector<std::string> fields = {kind, group};
    fields.resize(2 + kReportTextColumns);
    for (const auto& t : totals) fields.push_back(plainAmount(t));
    writeCsvRow(out, fields);
}

}  // namespace

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

DepreciationReport buildDepreciationReport(Connection& connection, ReportKind kind,
                                           const Date& today) {
    const Company company = readCompany(connection);
    const bool tax = kind == ReportKind::Tax;

    DepreciationReport report;
    report.kind = kind;
    report.title = company.name + "  for the year ending  " +
                   (company.yearEnd ? shortDate(*company.yearEnd) : std::string());
    report.asOf = today;
    report.heading = tax ? kTaxReportHeading : kBookReportHeading;
    report.captions = reportCaptions(kind);

    const size_t amountCount = report.captions.size() - kReportTextColumns;
    Sums grand(amountCount);
    std::optional<Sums> group;
    auto closeGroup = [&] {
        if (group) report.groups.back().totals = group->totals();
    };

    Statement query(connection, reportQuery());
    query.bind(1, company.number);
    while (query.step()) {
        const std::string groupName = query.columnText(qGroupName);
        if (report.groups.empty() || report.groups.back().name != groupName) {
            closeGroup();
            report.groups.push_back(ReportGroup{groupName, {}, {}});
            group.emplace(amountCount);
        }
        ReportLine line;
        line.description = query.columnText(qDescription);
        line.placedInService =
            query.isNull(qPlaced) ? std::nullopt : parseIsoDate(query.columnTextView(qPlaced));
        line.method = query.columnText(tax ? qMethodTax : qMethodBook);
        line.life = asText(query.column(tax ? qLifeTax : qLifeBook));
        if (tax)
            for (QueryColumn c : kTaxAmounts) line.amounts.push_back(readAmount(query, c));
        else
            for (QueryColumn c : kBookAmounts) line.amounts.push_back(readAmount(query, c));
        group->add(line.amounts);
        grand.add(line.amounts);
        report.groups.back().lines.push_back(std::move(line));
    }
    closeGroup();
    report.grandTotals = grand.totals();
    return report;
}

void renderReportText(const DepreciationReport& report, std::ostream& out) {
    const size_t columns = report.captions.size();
    out << report.title << '\n'
        << kAsOfLabel << ' ' << shortDate(report.asOf) << '\n'
        << report.heading << "\n\n";

    std::vector<std::vector<std::string>> captionLines;
    size_t depth = 0;
    for (size_t i = 0; i < columns; ++i) {
        captionLines.push_back(wrap(report.captions[i], widthOf(i)));
        depth = std::max(depth, captionLines.back().size());
    }
    for (size_t row = 0; row < depth; ++row) {
        std::vector<std::string> cells;
        for (const auto& lines : captionLines)
            cells.push_back(row < lines.size() ? lines[row] : "");
        writeCells(out, cells);
    }
    const std::string rule(static_cast<size_t>(lineWidth(columns)), '-');
    out << rule << '\n';

    for (const auto& group : report.groups) {
        out << '\n' << (group.name.empty() ? "(no group)" : group.name) << '\n';
        for (const auto& line : group.lines) {
            std::vector<std::string> cells = {
                "  " + line.description, dateText(line.placedInService), line.method, line.life};
            for (const auto& a : line.amounts) cells.push_back(amountText(a));
            writeCells(out, cells);
        }
        writeCells(out, totalCells("  Group Total", group.totals));
    }
    out << '\n' << std::string(rule.size(), '=') << '\n';
    writeCells(out, totalCells("Grand Total", report.grandTotals));
}

void renderReportCsv(const DepreciationReport& report, std::ostream& out) {
    writeCsvRow(out, {report.title});
    writeCsvRow(out, {kAsOfLabel, shortDate(report.asOf)});
    writeCsvRow(out, {report.heading});
    out << '\n';
    std::vector<std::string> header = {"Line", "Group"};
    header.insert(header.end(), report.captions.begin(), report.captions.end());
    writeCsvRow(out, header);
    for (const auto& group : report.groups) {
        for (const auto& line : group.lines) {
            std::vector<std::string> fields = {"Asset",          group.name,
                                               line.description, dateText(line.placedInService),
                                               line.method,      line.life};
            for (const auto& a : line.amounts) fields.push_back(plainAmount(a));
            writeCsvRow(out, fields);
        }
        writeCsvTotals(out, "Group Total", group.name, group.totals);
    }
    writeCsvTotals(out, "Grand Total", "", report.grandTotals);
}

}  // namespace czx
