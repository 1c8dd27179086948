#include "engine/transfer/register_import.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <map>
#include <set>

#include "base/money.h"
#include "engine/rules/life_lists.h"
#include "engine/rules/record_check.h"
#include "store/asset_fields.h"
#include "store/asset_repository.h"
#include "store/assets.h"
#include "store/catalogue.h"
#include "store/company_repository.h"
#include "store/csv.h"

namespace czx {

Date fiscalYearEndFor(const Date& placed, const Date& yearEnd) {
    using namespace std::chrono;
    // A year end on the last day of February ends every year on its last
    // day: 2/28 in 2011, 2/29 in 2012.
    const bool endOfFebruary =
        yearEnd.month() == February &&
        yearEnd.day() == year_month_day_last(yearEnd.year(), month_day_last(February)).day();
    auto endIn = [&](year y) -> Date {
        if (endOfFebruary) return year_month_day{year_month_day_last(y, month_day_last(February))};
        return year_month_day{y, yearEnd.month(), yearEnd.day()};
    };
    Date end = endIn(placed.year());
    if (end < placed) end = endIn(placed.year() + years{1});
    return end;
}

namespace {

constexpr std::array<std::string_view, 5> kRequired = {col::Description, col::PlacedInService,
                                                       col::MethodTax, col::LifeTax, col::CostTax};

std::string trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return std::string(text);
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<Date> parseDate(const std::string& text) {
    if (auto date = parseIsoDate(text)) return date;
    return parseUsDate(text);
}

std::optional<bool> parseFlag(const std::string& text) {
    const std::string word = lower(text);
    if (word.empty() || word == "0" || word == "false" || word == "no") return false;
    if (word == "1" || word == "true" || word == "yes") return true;
    return std::nullopt;
}

bool shareColumn(std::string_view column) {
    return column == col::BusUseTax || column == col::BusUseBook;
}

bool listed(const std::vector<std::string>& list, const std::string& entry) {
    return std::find(list.begin(), list.end(), entry) != list.end();
}

class RowChecker {
  public:
    RowChecker(Connection& connection, const std::filesystem::path& catalogue)
        : catalogue_(catalogue) {
        company_ = readCompany(connection);
        for (const Group& group : GroupRepository(connection).list()) groups_.insert(group.name);
        taxMethods_ = catalogueEntries(catalogue, "Methods", "Method-Tax");
        bookMethods_ = catalogueEntries(catalogue, "Methods", "Method-Book");
    }

    bool knownGroup(const std::string& name) const { return groups_.count(name) > 0; }

    // Reads the cells of one row into `asset`, adding a problem for each
    // cell that is no value of its column, then applies the record check.
    void check(int line, const std::vector<int>& columns, const std::vector<std::string>& cells,
               Asset& asset, std::vector<std::string>& problems) {
        const std::size_t before = problems.size();
        auto problem = [&](std::string_view column, const std::string& what) {
            problems.push_back("line " + std::to_string(line) + ", column " + std::string(column) +
                               ": " + what);
        };
        asset = Asset{};
        asset.companyNumber = company_.number;
        asset.busUseTax = 1;
        asset.busUseBook = 1;
        std::uint64_t given = 0;  // bit i: the cell of kAssetFields[i] holds text
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const AssetField& field = kAssetFields[columns[i]];
            const std::string text = trim(cells[i]);
            if (!text.empty()) given |= std::uint64_t{1} << columns[i];
            const std::string quoted = "\"" + text + "\"";
            switch (field.kind) {
                case AssetField::Kind::Number: {
                    // The company is the file's: the row goes to this file's company.
                    std::int64_t number = 0;
                    auto [end, ec] =
                        std::from_chars(text.data(), text.data() + text.size(), number);
                    if (!text.empty() && (ec != std::errc() || end != text.data() + text.size()))
                        problem(field.column, quoted + " is not a whole number");
                    break;
                }
                case AssetField::Kind::Text:
                    // A description keeps its spaces; names are matched without them.
                    asset.*field.text = field.column == col::Description ? cells[i] : text;
                    break;
                case AssetField::Kind::Date:
                    if (text.empty()) break;
                    if (auto date = parseDate(text))
                        asset.*field.date = date;
                    else
                        problem(field.column, quoted + " is not a date (YYYY-MM-DD or M/D/YYYY)");
                    break;
                case AssetField::Kind::Money: {
                    asset.*field.money = std::nullopt;
                    if (text.empty()) break;
                    auto amount = money::parse(text);
                    if (!amount)
                        problem(field.column, quoted + " is not a number");
                    else if (shareColumn(field.column) && (*amount < 0 || *amount > 1))
                        problem(field.column,
                                quoted + " is not a business use from 0 to 1 (1 is 100 %)");
                    else
                        asset.*field.money = amount;
                    break;
                }
                case AssetField::Kind::Flag:
                    if (auto flag = parseFlag(text))
                        asset.*field.flag = *flag;
                    else
                        problem(field.column, quoted + " is not yes or no (1 or 0)");
                    break;
            }
        }
        asset.assetChanged = true;

        auto blank = [&](std::string_view column) {
            return !(given & (std::uint64_t{1} << assetFieldIndex(column)));
        };
        if (blank(col::PlacedInService))
            problem(col::PlacedInService, "the date placed in service is blank");
        if (blank(col::CostTax)) problem(col::CostTax, "the cost is blank");
        if (!asset.midQrtAsset.empty() &&
            (asset.midQrtAsset.size() != 1 || asset.midQrtAsset[0] < '1' ||
             asset.midQrtAsset[0] > '4'))
            problem(col::MidQrtAsset, "\"" + asset.midQrtAsset + "\" is not a quarter 1 to 4");
        checkCatalogue(asset, problem);

        if (blank(col::YRPIS) && asset.placedInService) {
            if (company_.yearEnd)
                asset.yrpis = fiscalYearEndFor(*asset.placedInService, *company_.yearEnd);
            else
                problem(col::YRPIS, "blank, and the company has no year end to take it from");
        }
        if (asset.placedInService && asset.yrpis) {
            const PlacedDatesCheck dates = checkPlacedDates(*asset.placedInService, *asset.yrpis);
            if (dates.placedAfterYrpis)
                problem(col::YRPIS, "the date placed in service is after the YRPIS");
            else if (dates.moreThanAYearApart)
                problem(col::YRPIS, "a year or more after the date placed in service");
        }
        if (asset.placedInService && asset.disposed && *asset.disposed < *asset.placedInService)
            problem(col::Disposed, "the asset is disposed of before it was placed in service");

        // The record check names one fault a row; a row with a cell that
        // did not read is not checked, so the one fault is not told twice.
        if (problems.size() == before) checkRow(asset, problem);
    }

  private:
    template <class Problem>
    void checkCatalogue(const Asset& asset, Problem& problem) {
        auto checkSet = [&](const std::string& method, const std::string& life,
                            const std::vector<std::string>& methods, std::string_view methodColumn,
                            std::string_view lifeColumn, std::optional<LifeList> list) {
            if (method.empty()) return;
            if (!listed(methods, method)) {
                problem(methodColumn, "\"" + method + "\" is not a method of the catalogue");
                return;
            }
            if (life.empty() || !list) return;
            if (!listed(lives(*list), life))
                problem(lifeColumn,
                        "\"" + life + "\" is not a life the method " + method + " takes");
        };
        checkSet(asset.methodTax, asset.lifeTax, taxMethods_, col::MethodTax, col::LifeTax,
                 taxLifeList(asset.methodTax));
        checkSet(asset.methodBook, asset.lifeBook, bookMethods_, col::MethodBook, col::LifeBook,
                 bookLifeList(asset.methodBook));
    }

    template <class Problem>
    void checkRow(const Asset& asset, Problem& problem) {
        RecordCheckInput in;
        in.regularFederal = company_.regularFederal;
        in.book = company_.book;
        in.methodTax = asset.methodTax;
        in.lifeTax = asset.lifeTax;
        in.methodBook = asset.methodBook;
        in.lifeBook = asset.lifeBook;
        in.useTax = asset.busUseTax.value_or(0);
        in.useTaxBlank = !asset.busUseTax;
        in.useBookBlank = !asset.busUseBook;
        in.listedOrAuto = asset.listedProperty || asset.passengerAuto;
        in.placedThisYear = asset.yrpis && company_.yearEnd && *asset.yrpis == *company_.yearEnd;
        in.section179 = asset.sec179.value_or(0);
        // Which set a blank method or life is missing from: the tax set is
        // checked first.
        const bool taxSet = company_.regularFederal;
        switch (checkRecord(in)) {
            case RecordWarning::None:
                break;
            case RecordWarning::UseOver100:
                problem(col::BusUseTax, "the business use is above 100 % (1 is 100 %)");
                break;
            case RecordWarning::UseMethodSLPP:
                problem(col::MethodTax,
                        "listed property used 50 % or less for business must take MACRS SL-PP");
                break;
            case RecordWarning::UseNoSection179:
                problem(col::Sec179,
                        "listed property used 50 % or less for business cannot take Section "
                        "179 in its first year");
                break;
            case RecordWarning::MethodMissing:
                problem(taxSet && asset.methodTax.empty() ? col::MethodTax : col::MethodBook,
                        "the method is blank");
                break;
            case RecordWarning::LifeMissing:
                problem(taxSet && asset.lifeTax.empty() ? col::LifeTax : col::LifeBook,
                        "the life is blank");
                break;
            case RecordWarning::UseTaxMissing:
                problem(col::BusUseTax, "the business use is blank");
                break;
            case RecordWarning::UseBookMissing:
                problem(col::BusUseBook, "the business use is blank");
                break;
        }
    }

    const std::vector<std::string>& lives(const LifeList& list) {
        const std::string key = std::string(list.table) + "\n" + list.column;
        auto found = lives_.find(key);
        if (found == lives_.end())
            found =
                lives_.emplace(key, catalogueEntries(catalogue_, list.table, list.column)).first;
        return found->second;
    }

    std::filesystem::path catalogue_;
    Company company_;
    std::set<std::string> groups_;
    std::vector<std::string> taxMethods_, bookMethods_;
    std::map<std::string, std::vector<std::string>> lives_;
};

// The places in kAssetFields of the header's columns; problems for names
// that are none of them, named twice, and required columns left out.
std::vector<int> readHeader(const CsvRecord& header, std::vector<std::string>& problems) {
    auto problem = [&](std::string_view column, const std::string& what) {
        problems.push_back("line " + std::to_string(header.line) + ", column " +
                           std::string(column) + ": " + what);
    };
    std::vector<int> columns;
    for (const std::string& cell : header.fields) {
        const std::string name = lower(trim(cell));
        int found = -1;
        for (std::size_t i = 0; i < kAssetFields.size(); ++i)
            if (lower(kAssetFields[i].column) == name) found = static_cast<int>(i);
        if (found < 0)
            problem(trim(cell), "no column of the asset register has this name");
        else if (std::find(columns.begin(), columns.end(), found) != columns.end())
            problem(kAssetFields[found].column, "the column is named twice");
        columns.push_back(found);
    }
    for (std::string_view required : kRequired)
        if (std::find(columns.begin(), columns.end(), assetFieldIndex(required)) == columns.end())
            problem(required, "the file must have this column");
    return columns;
}

bool blankRecord(const CsvRecord& record) {
    return record.fields.size() == 1 && trim(record.fields[0]).empty();
}

}  // namespace

ImportResult importRegister(Connection& connection, const std::filesystem::path& catalogue,
                            std::istream& in, const ImportOptions& options) {
    ImportResult result;
    CsvReader reader(in);
    std::optional<CsvRecord> header = reader.next();
    while (header && blankRecord(*header)) header = reader.next();
    if (!header) {
        if (const auto& error = reader.error())
            result.problems.push_back("line " + std::to_string(error->line) + ": " +
                                      error->message);
        else
            result.problems.push_back("line 1: the file has no header row");
        return result;
    }
    const std::vector<int> columns = readHeader(*header, result.problems);
    const bool headerRead =
        std::find(columns.begin(), columns.end(), -1) == columns.end() && result.problems.empty();

    RowChecker checker(connection, catalogue);
    std::vector<Asset> assets;
    std::set<std::string> creating;
    while (auto record = reader.next()) {
        if (blankRecord(*record)) continue;
        if (record->fields.size() != header->fields.size()) {
            result.problems.push_back("line " + std::to_string(record->line) + ": " +
                                      std::to_string(record->fields.size()) +
                                      " fields, but the header names " +
                                      std::to_string(header->fields.size()) + " columns");
            continue;
        }
        if (!headerRead) continue;
        Asset asset;
        checker.check(record->line, columns, record->fields, asset, result.problems);
        if (!asset.groupName.empty() && !checker.knownGroup(asset.groupName) &&
            !creating.count(asset.groupName)) {
            if (options.createGroups) {
                creating.insert(asset.groupName);
                result.groupsCreated.push_back(asset.groupName);
            } else {
                result.problems.push_back("line " + std::to_string(record->line) + ", column " +
                                          std::string(col::GroupName) + ": no group is named \"" +
                                          asset.groupName + "\"");
            }
        }
        assets.push_back(std::move(asset));
    }
    if (const auto& error = reader.error())
        result.problems.push_back("line " + std::to_string(error->line) + ": " + error->message);
    if (!result.problems.empty()) {
        result.groupsCreated.clear();
        return result;
    }
    result.rows = static_cast<std::int64_t>(assets.size());
    if (options.dryRun) return result;

    Transaction transaction(connection);
    GroupRepository groups(connection);
    for (const std::string& name : result.groupsCreated) groups.add(name);
    AssetRepository repository(connection);
    for (const Asset& asset : assets) repository.insert(asset);
    forgetYearFigures(connection);
    transaction.commit();
    result.written = true;
    return result;
}

std::string importSummary(const ImportResult& result, bool dryRun) {
    std::string text = dryRun ? "Checked " + std::to_string(result.rows) +
                                    " assets: they can be imported, nothing was written"
                              : "Imported " + std::to_string(result.rows) + " assets";
    if (!result.groupsCreated.empty()) {
        text += dryRun ? "; would create " : "; created ";
        text += std::to_string(result.groupsCreated.size()) +
                (result.groupsCreated.size() == 1 ? " group: " : " groups: ");
        for (std::size_t i = 0; i < result.groupsCreated.size(); ++i)
            text += (i ? ", " : "") + result.groupsCreated[i];
    }
    return text + ".";
}

}  // namespace czx
