#include "engine/projection/projection_report.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/money.h"
#include "base/text_columns.h"
#include "base/trail.h"
#include "engine/projection/projection.h"
#include "store/csv.h"
#include "store/report.h"

namespace czx {
namespace {

double taxOf(const ScheduleYear& y) {
    return y.taxDepreciation;
}
double bookOf(const ScheduleYear& y) {
    return y.bookDepreciation;
}

// One section of the text: the tax or the book depreciation of each year, in
// the columns of the tax and book reports, one amount per year.
class TextSection {
  public:
    TextSection(const char* heading, double (*amount)(const ScheduleYear&), bool tax)
        : heading_(heading), amount_(amount), tax_(tax) {}

    std::string begin(const std::vector<Date>& yearEnds) const {
        std::vector<std::string> captions = {"Asset Description", "Placed", "Method", "Life"};
        for (const Date& end : yearEnds) captions.push_back(shortDate(end));
        return std::string(heading_) + "\n\n" + reportTextLine(captions) +
               std::string(reportLineWidth(captions.size()), '-') + '\n';
    }

    std::string asset(const Asset& a, const std::vector<ScheduleYear>& years) {
        std::string text;
        if (!inGroup_) text = '\n' + groupDisplayName(a.groupName) + '\n';
        inGroup_ = true;
        std::vector<std::string> cells = {"  " + a.description, text::dateText(a.placedInService),
                                          tax_ ? a.methodTax : a.methodBook,
                                          tax_ ? a.lifeTax : a.lifeBook};
        for (const Money& amount : amounts(years)) cells.push_back(text::amountText(amount));
        return text + reportTextLine(cells);
    }

    std::string groupTotal(const std::string& group, const std::vector<ScheduleYear>& totals) {
        inGroup_ = false;
        return reportTotalLine("  " + groupTotalLabel(group), amounts(totals));
    }

    std::string grandTotal(const std::vector<ScheduleYear>& totals) const {
        return '\n' + std::string(reportLineWidth(kReportTextColumns + totals.size()), '=') + '\n' +
               reportTotalLine(kGrandTotalLabel, amounts(totals));
    }

  private:
    std::vector<Money> amounts(const std::vector<ScheduleYear>& years) const {
        std::vector<Money> amounts;
        for (const ScheduleYear& y : years) amounts.push_back(amount_(y));
        return amounts;
    }

    const char* heading_;
    double (*amount_)(const ScheduleYear&);
    bool tax_;
    bool inGroup_ = false;
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The tax section goes straight to the output; the book section, which
// follows it, waits in a temporary file until the tax section is complete.
class TextSink : public ProjectionSink {
  public:
    TextSink(std::ostream& out, const Date& today) : out_(out), today_(today) {}

    void begin(const Company& company, const std::vector<Date>& yearEnds) override {
        book_.reset(std::tmpfile());
        if (!book_) throw Error(errors::kUnexpected, "No temporary file could be made.");
        out_ << company.name << "  projected from the year ending  "
             << (company.yearEnd ? shortDate(*company.yearEnd) : std::string()) << '\n'
             << kAsOfLabel << ' ' << shortDate(today_) << '\n'
             << tax_.begin(yearEnds);
        keep(book_.get(), bookSection_.begin(yearEnds));
    }

    void asset(const Asset& asset, const std::vector<ScheduleYear>& years) override {
        out_ << tax_.asset(asset, years);
        keep(book_.get(), bookSection_.asset(asset, years));
    }

    void groupTotal(const std::string& group, const std::vector<ScheduleYear>& totals) override {
        out_ << tax_.groupTotal(group, totals);
        keep(book_.get(), bookSection_.groupTotal(group, totals));
    }

    void grandTotal(const std::vector<ScheduleYear>& totals) override {
        out_ << tax_.grandTotal(totals) << '\n';
        keep(book_.get(), bookSection_.grandTotal(totals));
        std::rewind(book_.get());
        char buffer[1 << 16];
        std::size_t read;
        while ((read = std::fread(buffer, 1, sizeof buffer, book_.get())) > 0)
            out_.write(buffer, static_cast<std::streamsize>(read));
        if (std::ferror(book_.get()))
            throw Error(errors::kUnexpected, "The temporary file could not be read.");
    }

  private:
    static void keep(std::FILE* file, const std::string& text) {
        if (std::fwrite(text.data(), 1, text.size(), file) != text.size())
            throw Error(errors::kUnexpected, "The temporary file could not be written.");
    }

    std::ostream& out_;
    Date today_;
    TextSection tax_{"Tax Depreciation by Year", taxOf, true};
    TextSection bookSection_{"Book Depreciation by Year", bookOf, false};
    std::unique_ptr<std::FILE, FileCloser> book_;
};

class CsvSink : public ProjectionSink {
  public:
    explicit CsvSink(std::ostream& out) : out_(out) {}

    void begin(const Company&, const std::vector<Date>&) override {
        writeCsvRow(out_, {"Line", "Group", "Asset Description", "Date Placed in Service",
                           "Tax Method", "Tax Life", "Book Method", "Book Life", "Year Ending",
                           "Tax Depreciation", "Tax Accumulated", "Tax Remaining",
                           "Book Depreciation", "Book Accumulated", "Book Remaining"});
    }

    void asset(const Asset& a, const std::vector<ScheduleYear>& years) override {
        for (const ScheduleYear& y : years) {
            fields_.assign({"Asset", a.groupName, a.description, text::dateText(a.placedInService),
                            a.methodTax, a.lifeTax, a.methodBook, a.lifeBook});
            writeYear(y);
        }
    }

    void groupTotal(const std::string& group, const std::vector<ScheduleYear>& totals) override {
        for (const ScheduleYear& y : totals) {
            fields_.assign({"Group Total", group});
            fields_.resize(8);
            writeYear(y);
        }
    }

    void grandTotal(const std::vector<ScheduleYear>& totals) override {
        for (const ScheduleYear& y : totals) {
            fields_.assign({"Grand Total"});
            fields_.resize(8);
            writeYear(y);
        }
    }

  private:
    void writeYear(const ScheduleYear& y) {
        fields_.push_back(paddedDate(y.yearEnd));
        for (double amount : {y.taxDepreciation, y.taxAccumulated, y.taxRemaining,
                              y.bookDepreciation, y.bookAccumulated, y.bookRemaining})
            fields_.push_back(money::format(amount, money::Separators::None));
        writeCsvRow(out_, fields_);
    }

    std::ostream& out_;
    std::vector<std::string> fields_;
};

}  // namespace

void writeProjectionText(Connection& connection, int years, const Date& today, std::ostream& out) {
    TextSink sink(out, today);
    projectCompany(connection, years, sink);
}

void writeProjectionCsv(Connection& connection, int years, std::ostream& out) {
    CsvSink sink(out);
    projectCompany(connection, years, sink);
}

}  // namespace czx
