#pragma once
// The tax and book depreciation reports: the company's assets by group, in
// order of "Date Placed in Service", with group totals and grand totals of
// the amounts the last depreciation run stored. The query is walked once and
// each line handed to a sink as it comes: the text and CSV forms write it
// straight out, so a report of a million assets never sits in memory; the
// desktop's print preview collects the model and pages it.
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

// What a report says before its lines: the company and year, the date of
// printing, the kind and the column captions.
struct ReportHeading {
    ReportKind kind = ReportKind::Tax;
    std::string title;                  // "<company name>  for the year ending  <m/d/yyyy>"
    Date asOf;                          // the date of printing
    std::string heading;                // "Tax Depreciation" or "Book Depreciation"
    std::vector<std::string> captions;  // every column, text columns first
};

struct DepreciationReport : ReportHeading {
    std::vector<ReportGroup> groups;  // one per group name, ordered by name
    std::vector<Money> grandTotals;   // as a group's totals, over all lines
};

// Receives a report as the query walks it, so that no form of the report has
// to hold it whole: begin() once, then each group's lines in order followed
// by that group's totals, and the grand totals last. A group has at least
// one line; a report without assets has no group and grand totals that are
// all empty.
class ReportSink {
  public:
    virtual ~ReportSink() = default;
    virtual void begin(const ReportHeading& heading) = 0;
    virtual void line(const std::string& group, const ReportLine& line) = 0;
    virtual void groupTotal(const std::string& group, const std::vector<Money>& totals) = 0;
    virtual void grandTotal(const std::vector<Money>& totals) = 0;
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

// The label of a group's total line ("Total Vehicles", "Total (no group)")
// and of the grand total line, in the text report and on the printed page.
std::string groupTotalLabel(const std::string& group);
inline constexpr const char* kGrandTotalLabel = "Grand total";
// A group's name as its block shows it: "(no group)" for assets without one.
std::string groupDisplayName(const std::string& group);

// The text report's lines, which the projection's text shares: the text
// columns in 32, 10, 13 and 5 characters, each amount right-aligned in 14,
// one blank between columns. A total's label spans the text columns; the
// rules under the captions and over the grand totals are a line's width.
std::string reportTextLine(const std::vector<std::string>& cells);
std::string reportTotalLine(const std::string& label, const std::vector<Money>& totals);
size_t reportLineWidth(size_t columns);

// Walks the query once for the company the file holds and hands the report
// as of `today` to `sink` line by line. Sums are exact: every amount counts
// as its value rounded to ten-thousandths of a dollar.
void streamDepreciationReport(Connection& connection, ReportKind kind, const Date& today,
                              ReportSink& sink);

// The whole report in memory, for the print preview, which pages it.
DepreciationReport buildDepreciationReport(Connection& connection, ReportKind kind,
                                           const Date& today);

// Plain text for a terminal or a text file: title, "As of" date, heading,
// captions, one block per group with its totals, and the grand totals.
void writeReportText(Connection& connection, ReportKind kind, const Date& today, std::ostream& out);

// Comma-separated values for a spreadsheet: a header row of one-line column
// names, "Line,Group,<captions>", then one row per asset ("Asset"), per group
// total ("Group Total") and the grand total ("Grand Total"). Amounts are plain
// numbers with two decimals. The title, "As of" and heading lines belong to
// the text and printed forms only.
void writeReportCsv(Connection& connection, ReportKind kind, const Date& today, std::ostream& out);

}  // namespace czx
