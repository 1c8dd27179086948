#pragma once
// The tax and book depreciation reports: the company's assets by group, in
// order of "Date Placed in Service", with group totals and grand totals of
// the amounts the last depreciation run stored. The report model is built
// here; the command-line tool renders it as text or CSV and the desktop
// program as a printed page.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/dates.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

enum class ReportKind { Tax, Book };

// One asset of the report.
struct ReportLine {
    std::string description;              // "Asset Description"
    std::optional<Date> placedInService;  // "Date Placed in Service"
    std::string method;                   // "Dprn Method - Tax" / "- Book"
    std::string life;                     // "Dprn Life - Tax" / "- Book"
    // The amount columns of the kind, in caption order (see reportCaptions).
    // "Total" is prior + current, empty when either is empty.
    std::vector<Money> amounts;
};

struct ReportGroup {
    std::string name;  // "groupname"; empty for assets without a group
    std::vector<ReportLine> lines;
    // Per amount column: the sum of the lines' amounts, skipping empty ones;
    // empty when every amount of the column is empty.
    std::vector<Money> totals;
};

struct DepreciationReport {
    ReportKind kind = ReportKind::Tax;
    std::string title;                  // "<company name>  for the year ending  <m/d/yyyy>"
    Date asOf;                          // the date of printing
    std::string heading;                // "Tax Depreciation" or "Book Depreciation"
    std::vector<std::string> captions;  // every column, text columns first
    std::vector<ReportGroup> groups;    // one per group name, ordered by name
    std::vector<Money> grandTotals;     // as a group's totals, over all lines
};

inline constexpr const char* kAsOfLabel = "As of";
inline constexpr const char* kTaxReportHeading = "Tax Depreciation";
inline constexpr const char* kBookReportHeading = "Book Depreciation";
// The columns before the amounts: description, date, method, life.
inline constexpr int kReportTextColumns = 4;

// The report's query; its one parameter is the company number. One row per
// asset of the company, ordered by group name (assets without a group, NULL
// or empty, together first) and within a group by "Date Placed in Service".
const std::string& reportQuery();

// The column captions of a report, text columns first. Captions keep their
// runs of blanks (they break into two lines in a narrow column).
const std::vector<std::string>& reportCaptions(ReportKind kind);

// Runs the query for the company the file holds and builds the report as of
// `today`. Sums are exact: every amount counts as its value rounded to
// ten-thousandths of a dollar.
DepreciationReport buildDepreciationReport(Connection& connection, ReportKind kind,
                                           const Date& today);

// Plain text for a terminal or a text file: title, "As of" date, heading,
// captions, one block per group with its totals, and the grand totals.
void renderReportText(const DepreciationReport& report, std::ostream& out);

// Comma-separated values for a spreadsheet: the title, "As of" and heading
// lines, a blank line, then a header row "Line,Group,<captions>" and one row
// per asset ("Asset"), per group total ("Group Total") and the grand total
// ("Grand Total"). Amounts are written as plain numbers with two decimals.
void renderReportCsv(const DepreciationReport& report, std::ostream& out);

}  // namespace czx
