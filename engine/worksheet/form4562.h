#pragma once
// The Form 4562 worksheet: federal Form 4562 (Depreciation and Amortization)
// for the tax year that ends on the company's "YearEnd", line by line, each
// line with the assets behind it. Every figure is read from the columns the
// last depreciation run stored; the yearly Section 179 figures come from the
// law tables.
//
// Each amount of the year is counted once. In the first year the run stores
// the Section 179 expense and the bonus inside "Current Dprn - Tax"; the form
// claims them on lines 12, 14 and 25, so the deduction column of an asset on
// lines 16, 17, 19, 20, 26, 27, 42 and 43 is its current depreciation less
// the Section 179 and bonus those lines already count. With no carryover,
// no income limit and the Section 179 total within the dollar limitation,
// line 22 plus line 44 is the total current tax depreciation.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/dates.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

struct Form4562Options {
    double carryover = 0;               // line 10: disallowed deduction carried from last year
    std::optional<double> incomeLimit;  // line 11; empty: not limited
};

// One asset behind a line. Which columns a line fills depends on its kind.
struct Form4562Item {
    std::string description;
    std::optional<Date> placedInService;
    std::optional<double> businessUse;  // 0.6 for 60 %
    Money cost;          // business-use cost (Part I), cost (Part V), amount amortized (Part VI)
    Money basis;         // basis for depreciation: business use, after Section 179 and bonus
    std::string period;  // recovery or amortization period as stored ("7", "180")
    std::string convention;  // "HY", "MQ", "MM"
    std::string method;      // "200DB", "150DB", "S/L"; the stored method on line 16 and 17
    Money deduction;         // this year's amount the line claims for the asset
    Money section179;        // elected Section 179 cost
};

// What the items of a line show.
enum class ItemKind {
    None,
    Section179,    // description, business-use cost, elected cost (lines 6 and 7)
    Deduction,     // description, date, method, life, deduction (lines 16, 17)
    Class,         // description, date, basis, period, convention, method, deduction (19, 20)
    Listed,        // every column of Part V (lines 26 and 27)
    Amortization,  // description, date, amount, period, deduction (lines 42 and 43)
};

struct Form4562Line {
    std::string number;  // "1", "19a", "26"
    std::string text;
    Money amount;  // the line's figure (column (g) or (h) where the form has columns)
    Money basis;   // lines 19 and 20: the total basis for depreciation
    ItemKind kind = ItemKind::None;
    std::vector<Form4562Item> items;
};

struct Form4562Part {
    std::string title;  // "Part I  Election To Expense Certain Property Under Section 179"
    std::vector<Form4562Line> lines;
};

struct Form4562 {
    std::string title;  // "<company name>  for the tax year ending  <m/d/yyyy>"
    int taxYear = 0;
    std::vector<Form4562Part> parts;
    std::vector<std::string> notes;  // how the figures were found
};

// The line numbered `number`; null when the worksheet has none.
const Form4562Line* findLine(const Form4562& form, std::string_view number);

// "3 assets have changed since the last depreciation run. Depreciate first,
// then print the Form 4562 worksheet."
std::string changedAssetsMessage(long count);

// Builds the worksheet of the company the file holds. Refuses (Refusal, with
// changedAssetsMessage) while any asset of the company is flagged changed:
// its stored amounts are not this year's yet.
Form4562 buildForm4562(Connection& connection, const Form4562Options& options);

// The column captions of the items of a line of `kind`, and one item's
// cells in the same order (none for ItemKind::None): the text and the
// printed page show the same columns.
std::vector<std::string> itemCaptions(ItemKind kind);
std::vector<std::string> itemCells(ItemKind kind, const Form4562Item& item);
// How many characters each column takes in plain text; the first is the
// description's.
std::vector<int> itemWidths(ItemKind kind);

// Plain text: the title, then part by part each line with its figure and
// its assets, then the notes.
void renderForm4562Text(const Form4562& form, std::ostream& out);

// Comma-separated values: one header row, then one row per line ("Line") and
// per asset behind it ("Asset"), the line number in the first column.
void renderForm4562Csv(const Form4562& form, std::ostream& out);

}  // namespace czx
