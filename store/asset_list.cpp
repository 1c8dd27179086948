#include "store/asset_list.h"

#include <sqlite3.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "base/money.h"
#include "store/columns.h"

namespace czx {
namespace {

struct ColumnSql {
    std::string_view column;
    // The sort key: the expression of the column's index, word for word, so
    // that SQLite reads the rows in order from the index.
    const char* sortKey;
    // Nothing for the amounts every depreciation run or close of year
    // rewrites in every row: keeping an index of them in order would slow
    // the run more than it speeds the list, which sorts them by reading the
    // company once.
    const char* index;
};

// In the order of ListColumn.
constexpr std::array<ColumnSql, kListColumnCount> kColumns = {{
    {col::Description, "ifnull([Asset Description], '') COLLATE NOCASE", "assets_list_description"},
    {col::GroupName, "ifnull([groupname], '')", "assets_list_group"},
    {col::PlacedInService, "ifnull([Date Placed in Service], '')", "assets_list_placed"},
    {col::Disposed, "ifnull([Date Disposed], '')", "assets_list_disposed"},
    {col::MethodTax, "ifnull([Dprn Method - Tax], '')", "assets_list_method_tax"},
    // Lives are texts ("5", "27.5"); they sort as numbers.
    {col::LifeTax, "ifnull(CAST([Dprn Life - Tax] AS REAL), 0)", "assets_list_life_tax"},
    {col::CostTax, "ifnull([Asset Cost - Tax], 0)", "assets_list_cost_tax"},
    {col::PriorAccumTax, "ifnull([Prior Accumulated Dprn - Tax], 0)", nullptr},
    {col::CurrentTax, "ifnull([Current Dprn - Tax], 0)", nullptr},
    {col::CurrentBook, "ifnull([Current Dprn - Book], 0)", nullptr},
}};

constexpr const char* kKeyOrder = "[AssetID]";

// Pages held at once: enough for a screen and the scrolling around it.
constexpr size_t kHeldPages = 64;

// An amount as a whole number of ten-thousandths, as every sum of the
// program counts it; nothing for an empty amount or text that is no number.
std::optional<std::int64_t> moneyUnits(const Value& value) {
    auto number = asNumber(value);
    if (!number) return std::nullopt;
    return money::toUnits(*number);
}

// czx_money_units(x): moneyUnits for SQL, so that the totals are summed
// exactly by sum() over whole numbers.
void moneyUnitsFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    Value value;
    switch (sqlite3_value_type(argv[0])) {
        case SQLITE_INTEGER:
            value = static_cast<std::int64_t>(sqlite3_value_int64(argv[0]));
            break;
        case SQLITE_FLOAT:
            value = sqlite3_value_double(argv[0]);
            break;
        case SQLITE_TEXT:
            value = std::string(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                                static_cast<size_t>(sqlite3_value_bytes(argv[0])));
            break;
        default:
            break;
    }
    try {
        if (auto units = moneyUnits(value))
            sqlite3_result_int64(context, *units);
        else
            sqlite3_result_null(context);
    } catch (const Error& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

// A LIKE pattern finding `word` anywhere; '\' escapes the wildcards.
std::string containsPattern(std::string_view word) {
    std::string pattern = "%";
    for (char c : word) {
        if (c == '%' || c == '_' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern + "%";
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

std::string selectList() {
    std::string list;
    for (const ColumnSql& c : kColumns) list += ", " + bracket(c.column);
    return list;
}

}  // namespace

bool ensureListIndexes(Connection& connection) {
    if (sqlite3_db_readonly(connection.handle(), "main") == 1) return false;
    try {
        Transaction transaction(connection);
        for (const ColumnSql& c : kColumns)
            if (c.index)
                connection.execute(std::string("CREATE INDEX IF NOT EXISTS ") + c.index +
                                   " ON assets (companynumber, " + c.sortKey + ")");
        transaction.commit();
    } catch (const StoreError& e) {
        if (e.code() == SQLITE_READONLY || e.code() == SQLITE_BUSY || e.code() == SQLITE_LOCKED)
            return false;
        throw;
    }
    return true;
}

PagedAssetList::PagedAssetList(Connection& connection, std::int64_t companyNumber)
    : connection_(connection), company_(companyNumber) {
    int rc = sqlite3_create_function_v2(connection.handle(), "czx_money_units", 1,
                                        SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                        moneyUnitsFunction, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) connection.fail(rc, "czx_money_units");
    setView({});
}

std::string PagedAssetList::whereClause() const {
    std::string where = "[companynumber] = ?";
    if (view_.group) where += " AND ifnull([groupname], '') = ?";
    for (size_t i = 0, n = wordsOf(view_.filter).size(); i < n; ++i)
        where +=
            " AND ([Asset Description] LIKE ? ESCAPE '\\' OR [groupname] LIKE ? ESCAPE '\\' "
            "OR [Dprn Method - Tax] LIKE ? ESCAPE '\\')";
    return where;
}

void PagedAssetList::bindWhere(Statement& statement, int& parameter) const {
    statement.bind(parameter++, company_);
    if (view_.group) statement.bind(parameter++, std::string_view(*view_.group));
    for (const std::string& word : wordsOf(view_.filter)) {
        const std::string pattern = containsPattern(word);
        for (int i = 0; i < 3; ++i) statement.bind(parameter++, std::string_view(pattern));
    }
}

// Rows of the view after `anchor` (or from its start), or, `reverse`, the
// rows before `anchor` (or from its end) walking backwards; `skip` rows are
// passed over first.
std::vector<AssetListRow> PagedAssetList::readRows(const std::optional<Anchor>& anchor,
                                                   bool reverse, std::int64_t skip,
                                                   std::int64_t rows) {
    const bool descending = view_.descending != reverse;
    const std::string direction = descending ? " DESC" : "";
    const std::string sortKey =
        view_.sortColumn ? kColumns[static_cast<size_t>(*view_.sortColumn)].sortKey : kKeyOrder;
    std::string sql =
        "SELECT [AssetID], " + sortKey + selectList() + " FROM assets WHERE " + whereClause();
    if (anchor) {
        // The first condition lets SQLite start in the index at the anchor.
        const char* past = descending ? "<" : ">";
        if (view_.sortColumn)
            sql += " AND " + sortKey + (descending ? " <= ?" : " >= ?") + " AND (" + sortKey +
                   ", [AssetID]) " + past + " (?, ?)";
        else
            sql += std::string(" AND [AssetID] ") + past + " ?";
    }
    sql += " ORDER BY " + sortKey + direction;
    if (view_.sortColumn) sql += ", [AssetID]" + direction;
    sql += " LIMIT ? OFFSET ?";

    Statement query(connection_, sql);
    int parameter = 1;
    bindWhere(query, parameter);
    if (anchor) {
        if (view_.sortColumn) {
            query.bind(parameter++, anchor->sortKey);
            query.bind(parameter++, anchor->sortKey);
        }
        query.bind(parameter++, anchor->key);
    }
    query.bind(parameter++, rows);
    query.bind(parameter++, skip);
    ++queries_;
    std::vector<AssetListRow> result;
    while (query.step()) {
        AssetListRow& row = result.emplace_back();
        row.key = query.columnInt(0);
        row.sortKey = query.column(1);
        for (int i = 0; i < kListColumnCount; ++i) row.values[i] = query.column(2 + i);
    }
    if (reverse) std::reverse(result.begin(), result.end());
    return result;
}

void PagedAssetList::dropPages() {
    pages_.clear();
}

void PagedAssetList::setView(const AssetListView& view) {
    const bool sameRows = view.filter == view_.filter && view.group == view_.group;
    view_ = view;
    if (!sameRows || !opened_) {
        reload();
        return;
    }
    // A new order of the same rows: the count and the totals stand.
    dropPages();
    std::vector<AssetListRow> first = readRows(std::nullopt, false, 0, kPageRows);
    if (!first.empty()) pages_[0] = Page{std::move(first), ++useClock_};
}

void PagedAssetList::reload() {
    opened_ = true;
    dropPages();
    // A view shorter than a page is read whole by its first page, which then
    // gives the count and the totals without a second pass over the file.
    std::vector<AssetListRow> first = readRows(std::nullopt, false, 0, kPageRows);
    if (first.size() < static_cast<size_t>(kPageRows)) {
        totals_ = {};
        totals_.count = static_cast<std::int64_t>(first.size());
        auto add = [](std::int64_t& sum, const Value& value) {
            sum += moneyUnits(value).value_or(0);
        };
        for (const AssetListRow& row : first) {
            add(totals_.costTax, row.values[static_cast<size_t>(ListColumn::CostTax)]);
            add(totals_.priorTax, row.values[static_cast<size_t>(ListColumn::PriorTax)]);
            add(totals_.currentTax, row.values[static_cast<size_t>(ListColumn::CurrentTax)]);
            add(totals_.currentBook, row.values[static_cast<size_t>(ListColumn::CurrentBook)]);
        }
    } else {
        readTotals();
    }
    if (!first.empty()) pages_[0] = Page{std::move(first), ++useClock_};
}

void PagedAssetList::readTotals() {
    std::string sql = "SELECT count(*)";
    for (ListColumn c : {ListColumn::CostTax, ListColumn::PriorTax, ListColumn::CurrentTax,
                         ListColumn::CurrentBook})
        sql += ", ifnull(sum(czx_money_units(" + bracket(kColumns[static_cast<size_t>(c)].column) +
               ")), 0)";
    sql += " FROM assets WHERE " + whereClause();
    Statement query(connection_, sql);
    int parameter = 1;
    bindWhere(query, parameter);
    ++queries_;
    query.step();
    totals_.count = query.columnInt(0);
    totals_.costTax = query.columnInt(1);
    totals_.priorTax = query.columnInt(2);
    totals_.currentTax = query.columnInt(3);
    totals_.currentBook = query.columnInt(4);
}

// Reads page `page` from the nearest place the list knows: the start, the
// end, or a row of a page it holds, so that scrolling on from a page, or
// jumping to the end, passes over few rows.
void PagedAssetList::loadPage(std::int64_t page) {
    const std::int64_t start = page * kPageRows;
    const std::int64_t rows = std::min<std::int64_t>(kPageRows, count() - start);
    const std::int64_t end = start + rows;  // one past the page
    std::optional<Anchor> anchor;
    bool reverse = false;
    std::int64_t skip = start;
    if (count() - end < skip) {
        reverse = true;
        skip = count() - end;
    }
    for (const auto& [number, held] : pages_) {
        const std::int64_t first = number * kPageRows;
        const std::int64_t last = first + static_cast<std::int64_t>(held.rows.size()) - 1;
        if (last < start && start - last - 1 < skip) {
            skip = start - last - 1;
            reverse = false;
            anchor = Anchor{last, held.rows.back().sortKey, held.rows.back().key};
        }
        if (first >= end && first - end < skip) {
            skip = first - end;
            reverse = true;
            anchor = Anchor{first, held.rows.front().sortKey, held.rows.front().key};
        }
    }
    std::vector<AssetListRow> read = readRows(anchor, reverse, skip, rows);
    if (pages_.size() >= kHeldPages) {
        auto oldest = std::min_element(
            pages_.begin(), pages_.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        pages_.erase(oldest);
    }
    pages_[page] = Page{std::move(read), ++useClock_};
}

AssetListRow PagedAssetList::row(std::int64_t position) {
    if (position < 0 || position >= count())
        throw Error(9, "Subscript out of range: no row " + std::to_string(position) +
                           " in a list of " + std::to_string(count()));
    const std::int64_t page = position / kPageRows;
    auto it = pages_.find(page);
    if (it == pages_.end()) {
        loadPage(page);
        it = pages_.find(page);
    }
    it->second.lastUse = ++useClock_;
    const size_t index = static_cast<size_t>(position - page * kPageRows);
    // The rows changed underneath since the count was read.
    if (index >= it->second.rows.size()) return AssetListRow{};
    return it->second.rows[index];
}

std::optional<std::int64_t> PagedAssetList::positionOf(std::int64_t key) {
    for (const auto& [number, held] : pages_)
        for (size_t i = 0; i < held.rows.size(); ++i)
            if (held.rows[i].key == key) return number * kPageRows + static_cast<std::int64_t>(i);

    const std::string sortKey =
        view_.sortColumn ? kColumns[static_cast<size_t>(*view_.sortColumn)].sortKey : kKeyOrder;
    Statement find(connection_,
                   "SELECT " + sortKey + " FROM assets WHERE [AssetID] = ? AND " + whereClause());
    find.bind(1, key);
    int parameter = 2;
    bindWhere(find, parameter);
    ++queries_;
    if (!find.step()) return std::nullopt;
    const Value mark = find.column(0);

    const bool descending = view_.descending;
    std::string sql = "SELECT count(*) FROM assets WHERE " + whereClause();
    if (view_.sortColumn)
        sql += " AND " + sortKey + (descending ? " >= ?" : " <= ?") + " AND (" + sortKey +
               ", [AssetID]) " + (descending ? ">" : "<") + " (?, ?)";
    else
        sql += std::string(" AND [AssetID] ") + (descending ? ">" : "<") + " ?";
    Statement before(connection_, sql);
    parameter = 1;
    bindWhere(before, parameter);
    if (view_.sortColumn) {
        before.bind(parameter++, mark);
        before.bind(parameter++, mark);
    }
    before.bind(parameter++, key);
    ++queries_;
    before.step();
    return before.columnInt(0);
}

std::vector<std::string> PagedAssetList::groupNames() {
    Statement query(connection_,
                    "SELECT DISTINCT ifnull([groupname], '') FROM assets WHERE [companynumber] = ? "
                    "ORDER BY 1");
    query.bind(1, company_);
    ++queries_;
    std::vector<std::string> names;
    while (query.step()) names.push_back(query.columnText(0));
    return names;
}

}  // namespace czx
