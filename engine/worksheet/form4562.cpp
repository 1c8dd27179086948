#include "engine/worksheet/form4562.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>

#include "base/money.h"
#include "base/text_columns.h"
#include "base/trail.h"
#include "engine/run/calcform.h"
#include "engine/run/methods.h"
#include "engine/run/passes.h"
#include "engine/tables/federal_law.h"
#include "store/assets.h"
#include "store/csv.h"

namespace czx {
namespace {

using method::Method;
using Units = std::int64_t;  // ten-thousandths of a dollar: every sum is exact

// The error number of the refusal while assets wait for a depreciation run.
constexpr int kNotDepreciated = 5;

Units units(const Money& amount) {
    return amount ? money::toUnits(*amount) : 0;
}

double dollars(Units u) {
    return static_cast<double>(u) / money::kUnitsPerDollar;
}

bool isMacrs(Method m) {
    return m == Method::MACRS || m == Method::MACRS150 || m == Method::MACRSAuto ||
           m == Method::SLPersonal || m == Method::SLReal;
}

bool lifeIs(const Asset& a, double life) {
    auto number = lifeNumber(a.lifeTax);
    return number && *number == life;
}

bool isRealProperty(const Asset& a) {
    const Method m = method::methodOf(a.methodTax);
    return m == Method::SLReal ||
           (m == Method::MACRS && (lifeIs(a, 27.5) || lifeIs(a, 31.5) || lifeIs(a, 39)));
}

// Section 179 property, as line 2 counts it: the MACRS personal-property
// methods (MACRS and MACRS-150% with a life below 27.5, MACRS-Auto, MACRS SL-PP).
bool isSection179Method(const Asset& a) {
    switch (method::methodOf(a.methodTax)) {
        case Method::MACRS:
        case Method::MACRS150: {
            auto life = lifeNumber(a.lifeTax);
            return life && *life < 27.5;
        }
        case Method::MACRSAuto:
        case Method::SLPersonal:
            return true;
        default:
            return false;
    }
}

// The form's code of a MACRS method: MACRS takes 200 % declining balance but
// for 15- and 20-year property (150 %) and real property (straight line).
std::string methodCode(const Asset& a) {
    switch (method::methodOf(a.methodTax)) {
        case Method::MACRS:
            if (isRealProperty(a)) return "S/L";
            return lifeIs(a, 15) || lifeIs(a, 20) ? "150DB" : "200DB";
        case Method::MACRS150:
            return "150DB";
        case Method::MACRSAuto:
            return "200DB";
        case Method::SLPersonal:
        case Method::SLReal:
            return "S/L";
        default:
            return a.methodTax;
    }
}

// Real property takes mid-month; personal property mid-quarter in a year the
// run found the mid-quarter test met, half-year otherwise.
std::string conventionCode(const Asset& a, const Company& company) {
    if (!isMacrs(method::methodOf(a.methodTax))) return "";
    if (isRealProperty(a)) return "MM";
    return company.midQrtYRTax ? "MQ" : "HY";
}

// The line of Part III a new MACRS asset (not listed property) goes to:
// 19a-19g by its class, 19h residential rental (27.5), 19i nonresidential
// real property (39, and 31.5 of the old rule); SL-RP is the 40-year
// alternative system (20c); a straight-line period of 12 years is 20b and any
// other period that is no class of the general system is a class life (20a).
std::string classLine(const Asset& a) {
    const Method m = method::methodOf(a.methodTax);
    if (m == Method::SLReal) return "20c";
    if (m == Method::MACRS && lifeIs(a, 27.5)) return "19h";
    if (m == Method::MACRS && (lifeIs(a, 39) || lifeIs(a, 31.5))) return "19i";
    static constexpr std::pair<double, const char*> kClasses[] = {
        {3, "19a"}, {5, "19b"}, {7, "19c"}, {10, "19d"}, {15, "19e"}, {20, "19f"}, {25, "19g"}};
    for (const auto& [life, line] : kClasses)
        if (lifeIs(a, life)) return line;
    if (m == Method::SLPersonal && lifeIs(a, 12)) return "20b";
    return "20a";
}

// A line and its running sums while the assets are walked.
struct LineSums {
    Form4562Line line;
    Units amount = 0;
    Units basis = 0;
};

class Builder {
  public:
    Builder(const Company& company, int taxYear) : company_(company), taxYear_(taxYear) {}

    void add(const Asset& a);
    Form4562 finish(const Form4562Options& options);

  private:
    LineSums& line(const std::string& number, ItemKind kind) {
        LineSums& sums = lines_[number];
        sums.line.number = number;
        sums.line.kind = kind;
        return sums;
    }
    Form4562Item item(const Asset& a) const;

    const Company& company_;
    const int taxYear_;
    std::map<std::string, LineSums> lines_;
    Units section179Cost_ = 0;  // line 2
    Units bonusListed_ = 0;     // line 25
    Units bonusOther_ = 0;      // line 14
    Units elected_ = 0;         // line 8
    bool disposedNew_ = false;  // a new asset disposed of in its first year
};

Form4562Item Builder::item(const Asset& a) const {
    Form4562Item it;
    it.description = a.description;
    it.placedInService = a.placedInService;
    it.businessUse = a.busUseTax;
    it.cost = a.costTax;
    it.basis = a.line24eBasis;
    it.period = a.lifeTax;
    it.convention = conventionCode(a, company_);
    it.method = methodCode(a);
    return it;
}

void Builder::add(const Asset& a) {
    // Not yet in service in this tax year: the run gives it nothing.
    if (placedAfterYearEnd(a, *company_.yearEnd)) return;
    const Method m = method::methodOf(a.methodTax);
    // A passenger automobile is listed property whether or not the row says so.
    const bool listed = a.listedProperty || a.passengerAuto;
    const bool firstYear = a.yrpis && yearOf(*a.yrpis) == taxYear_;
    const Disposal disposal = disposalOf(company_, a);
    // The run adds the Section 179 expense and the bonus to the first year's
    // current depreciation of an asset in service at the year end with a
    // business use; only then do lines 6-12, 14 and 25 claim them.
    const bool claims = firstYear && a.busUseTax && disposal == Disposal::None;
    if (firstYear && disposal == Disposal::ThisYear &&
        (units(a.sec179) != 0 || units(a.bonus) != 0))
        disposedNew_ = true;
    const Units sec179 = claims ? units(a.sec179) : 0;
    const Units bonus = claims ? units(a.bonus) : 0;
    // What this asset's line claims besides: never the Section 179 or bonus twice.
    const Units rest = units(a.currentTax) - sec179 - bonus;
    const Units businessCost =
        money::toUnits(money::toCurrency(money::value(a.costTax) * money::value(a.busUseTax)));

    if (firstYear && isSection179Method(a)) {
        section179Cost_ += businessCost;
        Form4562Item it = item(a);
        it.cost = dollars(businessCost);
        it.section179 = dollars(sec179);
        line("2", ItemKind::Section179).line.items.push_back(std::move(it));
    }
    if (sec179 != 0) {
        LineSums& l = line(listed ? "7" : "6", ItemKind::Section179);
        Form4562Item it = item(a);
        it.cost = dollars(businessCost);
        it.section179 = dollars(sec179);
        l.line.items.push_back(std::move(it));
        l.amount += sec179;
        elected_ += sec179;
    }
    (listed ? bonusListed_ : bonusOther_) += bonus;
    const bool nothing = rest == 0 && sec179 == 0 && bonus == 0;

    std::string number;
    ItemKind kind = ItemKind::Deduction;
    if (m == Method::Amortization) {
        number = firstYear ? "42" : "43";
        kind = ItemKind::Amortization;
    } else if (listed) {
        number = a.busUseTax && *a.busUseTax > 0.5 ? "26" : "27";
        kind = ItemKind::Listed;
    } else if (!isMacrs(m)) {
        number = "16";
    } else if (!firstYear) {
        number = "17";
    } else {
        number = classLine(a);
        kind = ItemKind::Class;
    }
    LineSums& l = line(number, kind);
    l.amount += rest;
    if (kind == ItemKind::Class) l.basis += units(a.line24eBasis);
    // Lines of earlier years list only the assets that have something this year.
    if (nothing && !firstYear) return;
    Form4562Item it = item(a);
    it.deduction = dollars(rest);
    it.section179 = dollars(sec179);
    l.line.items.push_back(std::move(it));
}

Form4562 Builder::finish(const Form4562Options& options) {
    const std::string year = std::to_string(taxYear_);
    Form4562 form;
    form.title = company_.name + "  for the tax year ending  " + shortDate(*company_.yearEnd);
    form.taxYear = taxYear_;

    auto take = [&](const std::string& number, ItemKind kind, std::string text) {
        LineSums& sums = line(number, kind);
        sums.line.text = std::move(text);
        std::stable_sort(sums.line.items.begin(), sums.line.items.end(),
                         [](const Form4562Item& x, const Form4562Item& y) {
                             return x.placedInService < y.placedInService;
                         });
        return std::move(sums);
    };
    auto figure = [&](const std::string& number, std::string text, std::optional<Units> amount) {
        Form4562Line l = take(number, ItemKind::None, std::move(text)).line;
        if (amount) l.amount = dollars(*amount);
        return l;
    };
    auto itemized = [&](const std::string& number, ItemKind kind, std::string text) {
        LineSums sums = take(number, kind, std::move(text));
        sums.line.amount = dollars(sums.amount);
        if (kind == ItemKind::Class) sums.line.basis = dollars(sums.basis);
        return sums.line;
    };

    // ---- Part I ----
    const law::Section179Year* law179 = law::section179(taxYear_);
    std::optional<Units> limit, threshold, reduction, limitation;
    if (law179) {
        limit = law179->limit * money::kUnitsPerDollar;
        threshold = law179->threshold * money::kUnitsPerDollar;
        // Line 4: the cost over the threshold, never below zero; line 5: the
        // limit less that reduction, never below zero.
        reduction = std::max<Units>(0, section179Cost_ - *threshold);
        limitation = std::max<Units>(0, *limit - *reduction);
    } else {
        form.notes.push_back(law::unknownYearMessage(taxYear_) +
                             " Lines 1, 3, 4 and 5 are empty; line 9 takes line 8.");
    }
    const Units tentative = limitation ? std::min(*limitation, elected_) : elected_;  // line 9
    const Units carryover = money::toUnits(options.carryover);                        // line 10
    std::optional<Units> income;                                                      // line 11
    if (options.incomeLimit) income = std::max<Units>(0, money::toUnits(*options.incomeLimit));
    const Units deduction =
        income ? std::min(tentative + carryover, *income) : tentative + carryover;  // line 12

    Form4562Part part1{"Part I  Election To Expense Certain Property Under Section 179", {}};
    part1.lines.push_back(figure("1", "Maximum amount (the dollar limit of " + year + ")", limit));
    Form4562Line line2 = take("2", ItemKind::Section179,
                              "Total cost of section 179 property placed in service (business-use "
                              "cost of the year's MACRS personal property)")
                             .line;
    line2.amount = dollars(section179Cost_);
    part1.lines.push_back(std::move(line2));
    part1.lines.push_back(figure(
        "3", "Threshold cost of section 179 property before reduction in limitation", threshold));
    part1.lines.push_back(
        figure("4", "Reduction in limitation (line 2 less line 3, not below zero)", reduction));
    part1.lines.push_back(
        figure("5", "Dollar limitation for the tax year (line 1 less line 4, not below zero)",
               limitation));
    part1.lines.push_back(
        itemized("6", ItemKind::Section179,
                 "Section 179 property other than listed property: elected cost"));
    part1.lines.push_back(itemized("7", ItemKind::Section179, "Listed property: elected cost"));
    part1.lines.push_back(
        figure("8", "Total elected cost of section 179 property (lines 6 and 7)", elected_));
    part1.lines.push_back(
        figure("9", "Tentative deduction (the smaller of line 5 and line 8)", tentative));
    part1.lines.push_back(
        figure("10", "Carryover of disallowed deduction from last year", carryover));
    part1.lines.push_back(figure(
        "11", income ? "Business income limitation" : "Business income limitation (not limited)",
        income));
    part1.lines.push_back(
        figure("12", "Section 179 expense deduction (the smaller of lines 9 + 10 and line 11)",
               deduction));
    part1.lines.push_back(
        figure("13", "Carryover of disallowed deduction to next year (lines 9 + 10 less line 12)",
               tentative + carryover - deduction));

    // ---- Part II ----
    Form4562Part part2{"Part II  Special Depreciation Allowance and Other Depreciation", {}};
    part2.lines.push_back(figure("14",
                                 "Special depreciation allowance for property (other than listed "
                                 "property) placed in service during the tax year",
                                 bonusOther_));
    Form4562Line line16 = itemized("16", ItemKind::Deduction,
                                   "Other depreciation (ACRS and the methods before MACRS)");
    part2.lines.push_back(line16);

    // ---- Part III ----
    Form4562Part part3{"Part III  MACRS Depreciation", {}};
    Form4562Line line17 = itemized(
        "17", ItemKind::Deduction,
        "MACRS deductions for assets placed in service in tax years beginning before " + year);
    part3.lines.push_back(line17);
    static constexpr std::pair<const char*, const char*> kClassLines[] = {
        {"19a", "3-year property"},
        {"19b", "5-year property"},
        {"19c", "7-year property"},
        {"19d", "10-year property"},
        {"19e", "15-year property"},
        {"19f", "20-year property"},
        {"19g", "25-year property"},
        {"19h", "Residential rental property"},
        {"19i", "Nonresidential real property"},
        {"20a", "Alternative depreciation system: class life"},
        {"20b", "Alternative depreciation system: 12-year"},
        {"20c", "Alternative depreciation system: 40-year"},
    };
    Units classTotal = 0;
    for (const auto& [number, text] : kClassLines) {
        Form4562Line l = itemized(number, ItemKind::Class, text);
        classTotal += units(l.amount);
        part3.lines.push_back(std::move(l));
    }

    // ---- Part V (before Part IV, which takes line 28) ----
    Form4562Part part5{"Part V  Listed Property", {}};
    part5.lines.push_back(figure("25",
                                 "Special depreciation allowance for qualified listed property "
                                 "placed in service during the tax year",
                                 bonusListed_));
    Form4562Line line26 =
        itemized("26", ItemKind::Listed, "Property used more than 50% in a qualified business use");
    Form4562Line line27 =
        itemized("27", ItemKind::Listed, "Property used 50% or less in a qualified business use");
    Units elected26 = 0;
    for (const auto& it : line26.items) elected26 += units(it.section179);
    const Units listed = bonusListed_ + units(line26.amount) + units(line27.amount);  // line 28
    part5.lines.push_back(line26);
    part5.lines.push_back(line27);
    part5.lines.push_back(
        figure("28", "Total of column (h), lines 25 through 27 (to line 21)", listed));
    part5.lines.push_back(figure(
        "29", "Total of column (i), line 26 (elected section 179 cost, to line 7)", elected26));

    // ---- Part IV ----
    Form4562Part part4{"Part IV  Summary", {}};
    part4.lines.push_back(figure("21", "Listed property (line 28)", listed));
    part4.lines.push_back(figure("22",
                                 "Total (lines 12, 14 through 17, 19 and 20 in column (g), and 21)",
                                 deduction + bonusOther_ + units(line16.amount) +
                                     units(line17.amount) + classTotal + listed));

    // ---- Part VI ----
    Form4562Part part6{"Part VI  Amortization", {}};
    Form4562Line line42 =
        itemized("42", ItemKind::Amortization,
                 "Amortization of costs that begins during the " + year + " tax year");
    Form4562Line line43 =
        itemized("43", ItemKind::Amortization,
                 "Amortization of costs that began before the " + year + " tax year");
    const Units amortization = units(line42.amount) + units(line43.amount);
    part6.lines.push_back(std::move(line42));
    part6.lines.push_back(std::move(line43));
    part6.lines.push_back(figure("44", "Total amortization", amortization));

    form.parts = {std::move(part1), std::move(part2), std::move(part3),
                  std::move(part4), std::move(part5), std::move(part6)};

    form.notes.push_back(
        "Line 2 counts the business-use cost (cost times business use) of the assets placed in "
        "service in " +
        year +
        " under MACRS or MACRS-150% with a life below 27.5 years, MACRS-Auto and MACRS SL-PP.");
    form.notes.push_back(
        "The first year's current depreciation holds the Section 179 expense and the bonus. "
        "Lines 12, 14 and 25 claim them, so an asset's deduction on lines 16 through 20, 26, 27, "
        "42 and 43 is its current depreciation less its Section 179 expense and bonus: each "
        "amount counts once. With no carryover, no income limit and line 8 within line 5, line "
        "22 plus line 44 is the year's total current tax depreciation.");
    form.notes.push_back(
        "The basis for depreciation is the business-use cost less the Section 179 expense and "
        "the bonus (Line24eBasis). Listed property is in Part V whatever its year; lines 16, 17 "
        "and 43 list only the assets with depreciation this year.");
    if (elected_ != deduction)
        form.notes.push_back(
            "Line 12 is below the elected cost on line 8: the assets' current depreciation holds "
            "the whole elected cost, so line 22 is below the year's total current tax "
            "depreciation by the difference.");
    if (disposedNew_)
        form.notes.push_back(
            "An asset placed in service and disposed of in " + year +
            " claims no Section 179 expense or bonus here: its current depreciation holds none.");
    return form;
}

// ---- rendering ----

using text::amountText;
using text::dateText;
using text::plainAmount;

std::string percentText(const std::optional<double>& use) {
    if (!use) return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", *use * 100);
    return text;
}

constexpr int kItemIndent = 9;
constexpr int kNumberWidth = 5;
constexpr int kLineTextWidth = 72;
constexpr int kAmountWidth = 16;

// One row of item cells: the description left, the others right.
void writeItemRow(std::ostream& out, const std::vector<int>& widths,
                  const std::vector<std::string>& cells) {
    std::string line(kItemIndent, ' ');
    for (size_t i = 0; i < cells.size(); ++i)
        line += (i ? " " : "") + text::fit(cells[i], widths[i], i > 0);
    out << text::endLine(line);
}

void writeItems(std::ostream& out, const Form4562Line& line) {
    const std::vector<int> widths = itemWidths(line.kind);
    for (const auto& cells : text::captionRows(itemCaptions(line.kind), widths))
        writeItemRow(out, widths, cells);
    for (const auto& item : line.items) writeItemRow(out, widths, itemCells(line.kind, item));
}

// The CSV columns: the line number, what the row is ("Line" or "Asset"), the
// asset's columns, and the line's figure last.
const std::vector<std::string> kCsvHeader = {"Line",
                                             "Row",
                                             "Description",
                                             "Date Placed in Service",
                                             "Business Use %",
                                             "Cost",
                                             "Basis for Depreciation",
                                             "Recovery Period",
                                             "Convention",
                                             "Method",
                                             "Deduction",
                                             "Section 179 Elected",
                                             "Amount"};

}  // namespace

const Form4562Line* findLine(const Form4562& form, std::string_view number) {
    for (const auto& part : form.parts)
        for (const auto& line : part.lines)
            if (line.number == number) return &line;
    return nullptr;
}

std::string changedAssetsMessage(long count) {
    return std::to_string(count) + (count == 1 ? " asset has" : " assets have") +
           " changed since the last depreciation run. Depreciate first, then print the Form "
           "4562 worksheet.";
}

Form4562 buildForm4562(Connection& connection, const Form4562Options& options) {
    const Company company = readCompany(connection);
    if (!company.yearEnd) throw Error(errors::kInvalidUseOfNull, "The company has no year end.");
    long changed = 0;
    std::vector<Asset> page;
    AssetReader flagged(connection, company.number, AssetReader::Rows::Changed);
    while (flagged.next(page)) changed += static_cast<long>(page.size());
    if (changed > 0) throw Refusal(kNotDepreciated, changedAssetsMessage(changed));

    Builder builder(company, yearOf(*company.yearEnd));
    AssetReader all(connection, company.number);
    while (all.next(page))
        for (const Asset& a : page) builder.add(a);
    return builder.finish(options);
}

}  // namespace czx

namespace czx {

std::vector<std::string> itemCaptions(ItemKind kind) {
    switch (kind) {
        case ItemKind::Section179:
            return {"Description of property", "Business-use cost", "Elected cost"};
        case ItemKind::Deduction:
            return {"Description", "Placed in service", "Method", "Life", "Deduction"};
        case ItemKind::Class:
            return {"Description",
                    "Placed in service",
                    "Basis for depreciation",
                    "Recovery period",
                    "Conv.",
                    "Method",
                    "Deduction"};
        case ItemKind::Listed:
            return {"Type of property",
                    "Placed in service",
                    "Business use",
                    "Cost",
                    "Basis for depreciation",
                    "Recovery period",
                    "Method/ Convention",
                    "Depreciation deduction",
                    "Elected section 179 cost"};
        case ItemKind::Amortization:
            return {"Description of costs", "Amortization begins", "Amortizable amount",
                    "Period (months)", "Amortization for this year"};
        case ItemKind::None:
            break;
    }
    return {};
}

std::vector<std::string> itemCells(ItemKind kind, const Form4562Item& it) {
    switch (kind) {
        case ItemKind::Section179:
            return {it.description, amountText(it.cost), amountText(it.section179)};
        case ItemKind::Deduction:
            return {it.description, dateText(it.placedInService), it.method, it.period,
                    amountText(it.deduction)};
        case ItemKind::Class:
            return {it.description,          dateText(it.placedInService),
                    amountText(it.basis),    it.period,
                    it.convention,           it.method,
                    amountText(it.deduction)};
        case ItemKind::Listed:
            return {it.description,
                    dateText(it.placedInService),
                    percentText(it.businessUse),
                    amountText(it.cost),
                    amountText(it.basis),
                    it.period,
                    it.convention.empty() ? it.method : it.method + "/" + it.convention,
                    amountText(it.deduction),
                    amountText(it.section179)};
        case ItemKind::Amortization:
            return {it.description, dateText(it.placedInService), amountText(it.cost), it.period,
                    amountText(it.deduction)};
        case ItemKind::None:
            break;
    }
    return {};
}

std::vector<int> itemWidths(ItemKind kind) {
    switch (kind) {
        case ItemKind::Section179:
            return {44, 16, 16};
        case ItemKind::Deduction:
            return {40, 10, 13, 6, 16};
        case ItemKind::Class:
            return {30, 10, 15, 8, 5, 6, 15};
        case ItemKind::Listed:
            return {24, 10, 8, 13, 13, 8, 10, 13, 13};
        case ItemKind::Amortization:
            return {36, 12, 15, 8, 15};
        case ItemKind::None:
            break;
    }
    return {};
}

void renderForm4562Text(const Form4562& form, std::ostream& out) {
    out << "Form 4562 Worksheet: Depreciation and Amortization\n" << form.title << '\n';
    for (const auto& part : form.parts) {
        out << '\n' << part.title << '\n' << std::string(part.title.size(), '-') << '\n';
        for (const auto& line : part.lines) {
            const std::vector<std::string> words = text::wrap(line.text, kLineTextWidth);
            for (size_t i = 0; i < words.size(); ++i)
                out << text::endLine(text::fit(i ? "" : line.number, kNumberWidth, true) + "  " +
                                     text::fit(words[i], kLineTextWidth, false) +
                                     (i + 1 == words.size()
                                          ? text::fit(amountText(line.amount), kAmountWidth, true)
                                          : std::string()));
            if (line.kind == ItemKind::None || line.items.empty()) continue;
            writeItems(out, line);
            if (line.kind == ItemKind::Class)
                writeItemRow(
                    out, itemWidths(line.kind),
                    {"Total", "", amountText(line.basis), "", "", "", amountText(line.amount)});
            out << '\n';
        }
    }
    out << "\nNotes\n";
    for (const auto& note : form.notes) {
        const std::vector<std::string> words = text::wrap(note, kLineTextWidth + 14);
        for (size_t i = 0; i < words.size(); ++i) out << (i ? "  " : "- ") << words[i] << '\n';
    }
}

void renderForm4562Csv(const Form4562& form, std::ostream& out) {
    writeCsvRow(out, kCsvHeader);
    for (const auto& part : form.parts) {
        for (const auto& line : part.lines) {
            std::vector<std::string> fields(kCsvHeader.size());
            fields[0] = line.number;
            fields[1] = "Line";
            fields[2] = line.text;
            fields[6] = plainAmount(line.basis);
            fields[12] = plainAmount(line.amount);
            writeCsvRow(out, fields);
            for (const auto& it : line.items) {
                writeCsvRow(
                    out, {line.number, "Asset", it.description, dateText(it.placedInService),
                          percentText(it.businessUse), plainAmount(it.cost), plainAmount(it.basis),
                          it.period, it.convention, it.method, plainAmount(it.deduction),
                          plainAmount(it.section179), ""});
            }
        }
    }
}

}  // namespace czx
