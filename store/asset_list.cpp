#include "store/asset_list.h"

#include <sqlite3.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <sstream>
#include <thread>

#include "base/money.h"
#include "store/assets.h"
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

constexpr const char* kScanPointer = "czx_list_scan";

// An amount as a whole number of ten-thousandths, as every sum of the
// program counts it; nothing for an empty amount or text that is no number.
std::optional<std::int64_t> moneyUnits(const Value& value) {
    auto number = asNumber(value);
    if (!number) return std::nullopt;
    return money::toUnits(*number);
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

// A row's place in a view found by one pass, compared as SQLite compares the
// sort keys: numbers, then texts (by the column's collation), then blobs;
// ties by key.
struct Placed {
    double number;
    std::int64_t key;
    std::uint32_t text;  // into the pass's texts
    std::uint8_t rank;   // 0 number, 1 text, 2 blob
};

// SQLite's NOCASE: ASCII letters folded to lower case, byte by byte.
int compareNoCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto fold = [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
        };
        if (int d = fold(a[i]) - fold(b[i])) return d;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

// What one pass over a view gathers: the count and the totals, and when
// asked the place of each row.
struct ListScan {
    AssetListTotals totals;
    bool place = false;
    size_t limit = SIZE_MAX;  // places kept at most
    bool tooMany = false;
    // In the order of entry the keys alone place the rows.
    bool keysOnly = false;
    std::vector<std::int64_t> keys;
    std::vector<Placed> placed;
    std::vector<std::string> texts;

    void add(sqlite3_value** argv) {
        ++totals.count;
        std::int64_t* sums[] = {&totals.costTax, &totals.priorTax, &totals.currentTax,
                                &totals.currentBook};
        for (int i = 0; i < 4; ++i) *sums[i] += units(argv[3 + i]);
        if (!place || tooMany) return;
        if (keysOnly) {
            keys.push_back(sqlite3_value_int64(argv[1]));
            return;
        }
        if (placed.size() >= limit) {
            tooMany = true;
            placed = {};
            texts = {};
            return;
        }
        Placed& p = placed.emplace_back(Placed{0, sqlite3_value_int64(argv[1]), 0, 0});
        switch (sqlite3_value_type(argv[2])) {
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                p.number = sqlite3_value_double(argv[2]);
                break;
            case SQLITE_NULL:  // the sort keys are never NULL; kept apart all the same
                p.number = -std::numeric_limits<double>::infinity();
                break;
            default:
                p.rank = sqlite3_value_type(argv[2]) == SQLITE_TEXT ? 1 : 2;
                p.text = static_cast<std::uint32_t>(texts.size());
                texts.emplace_back(static_cast<const char*>(sqlite3_value_blob(argv[2])),
                                   static_cast<size_t>(sqlite3_value_bytes(argv[2])));
        }
    }

    // An amount as ten-thousandths, as moneyUnits counts it.
    static std::int64_t units(sqlite3_value* value) {
        switch (sqlite3_value_type(value)) {
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                return money::toUnits(sqlite3_value_double(value));
            case SQLITE_TEXT:
                return moneyUnits(
                           std::string(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                       static_cast<size_t>(sqlite3_value_bytes(value))))
                    .value_or(0);
            default:
                return 0;
        }
    }

    // A pass over the same view that found nothing yet.
    ListScan emptyLike() const {
        ListScan empty;
        empty.place = place;
        empty.limit = limit;
        empty.keysOnly = keysOnly;
        return empty;
    }

    // Adds what a pass over later keys found.
    void append(ListScan&& later) {
        totals.count += later.totals.count;
        totals.costTax += later.totals.costTax;
        totals.priorTax += later.totals.priorTax;
        totals.currentTax += later.totals.currentTax;
        totals.currentBook += later.totals.currentBook;
        keys.insert(keys.end(), later.keys.begin(), later.keys.end());
        tooMany = tooMany || later.tooMany || placed.size() + later.placed.size() > limit;
        if (tooMany) {
            placed = {};
            texts = {};
            return;
        }
        const auto offset = static_cast<std::uint32_t>(texts.size());
        for (Placed& p : later.placed) {
            if (p.rank != 0) p.text += offset;
            placed.push_back(p);
        }
        std::move(later.texts.begin(), later.texts.end(), std::back_inserter(texts));
    }

    // The keys in the view's order.
    std::vector<std::int64_t> keysInOrder(bool noCase, bool descending) {
        if (keysOnly) {
            if (!std::is_sorted(keys.begin(), keys.end())) std::sort(keys.begin(), keys.end());
            if (descending) std::reverse(keys.begin(), keys.end());
            return std::move(keys);
        }
        auto before = [&](const Placed& a, const Placed& b) {
            if (a.rank != b.rank) return a.rank < b.rank;
            if (a.rank == 0) {
                if (a.number != b.number) return a.number < b.number;
            } else if (int d = noCase && a.rank == 1 ? compareNoCase(texts[a.text], texts[b.text])
                                                     : texts[a.text].compare(texts[b.text])) {
                return d < 0;
            }
            return a.key < b.key;
        };
        if (descending)
            std::sort(placed.begin(), placed.end(),
                      [&](const Placed& a, const Placed& b) { return before(b, a); });
        else if (!std::is_sorted(placed.begin(), placed.end(), before))
            std::sort(placed.begin(), placed.end(), before);
        std::vector<std::int64_t> keys;
        keys.reserve(placed.size());
        for (const Placed& p : placed) keys.push_back(p.key);
        return keys;
    }
};

namespace {

// czx_list_scan(scan, key, sort key, cost, prior, current, book): gathers
// each row of a view into the Scan bound as its first argument.
void scanStep(sqlite3_context* context, int, sqlite3_value** argv) {
    auto* scan = static_cast<ListScan*>(sqlite3_value_pointer(argv[0], kScanPointer));
    if (!scan) return sqlite3_result_error(context, "czx_list_scan: no scan", -1);
    try {
        scan->add(argv);
    } catch (const Error& e) {
        sqlite3_result_error(context, e.what(), -1);
    } catch (const std::bad_alloc&) {
        sqlite3_result_error_nomem(context);
    }
}

void scanFinal(sqlite3_context* context) {
    sqlite3_result_null(context);
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

namespace {

void addScanFunction(Connection& connection) {
    int rc = sqlite3_create_function_v2(connection.handle(), "czx_list_scan", 7,
                                        SQLITE_UTF8 | SQLITE_DIRECTONLY, nullptr, nullptr, scanStep,
                                        scanFinal, nullptr);
    if (rc != SQLITE_OK) connection.fail(rc, "czx_list_scan");
}

// A company with fewer keys is read in one pass: a second one would not pay
// for its thread.
constexpr std::int64_t kSplitFrom = 20'000;

}  // namespace

PagedAssetList::PagedAssetList(Connection& connection, std::int64_t companyNumber,
                               size_t sortInMemory)
    : connection_(connection), company_(companyNumber), sortInMemory_(sortInMemory) {
    addScanFunction(connection);
    setView({});
}

PagedAssetList::~PagedAssetList() = default;

// The second connection to the company file, opened once; nothing for a
// company in memory or a file that cannot be opened again.
Connection* PagedAssetList::secondReader() {
    if (!secondTried_) {
        secondTried_ = true;
        if (!connection_.file().empty() && connection_.file() != ":memory:") {
            try {
                second_ = std::make_unique<Connection>(Connection::open(connection_.file()));
                addScanFunction(*second_);
            } catch (const StoreError&) {
                second_.reset();
            }
        }
    }
    return second_.get();
}

bool PagedAssetList::filtered() const {
    return view_.group || !wordsOf(view_.filter).empty();
}

// The order of entry, or of a column with an index.
bool PagedAssetList::indexedOrder() const {
    return !view_.sortColumn || kColumns[static_cast<size_t>(*view_.sortColumn)].index;
}

std::string PagedAssetList::sortKey() const {
    return view_.sortColumn ? kColumns[static_cast<size_t>(*view_.sortColumn)].sortKey : kKeyOrder;
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
    const std::string sortKey = this->sortKey();
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

// Rows `start` to `start + rows` of a view whose keys the list holds.
std::vector<AssetListRow> PagedAssetList::readKeyedRows(std::int64_t start, std::int64_t rows) {
    std::string sql =
        "SELECT [AssetID], " + sortKey() + selectList() + " FROM assets WHERE [AssetID] IN (";
    for (std::int64_t i = 0; i < rows; ++i) sql += i ? ", ?" : "?";
    Statement query(connection_, sql + ")");
    for (std::int64_t i = 0; i < rows; ++i)
        query.bind(static_cast<int>(i + 1), (*keys_)[static_cast<size_t>(start + i)]);
    ++queries_;
    std::map<std::int64_t, AssetListRow> found;
    while (query.step()) {
        AssetListRow row;
        row.key = query.columnInt(0);
        row.sortKey = query.column(1);
        for (int i = 0; i < kListColumnCount; ++i) row.values[i] = query.column(2 + i);
        found[row.key] = std::move(row);
    }
    // A row deleted since the view was found reads as an empty row.
    std::vector<AssetListRow> result(static_cast<size_t>(rows));
    for (std::int64_t i = 0; i < rows; ++i)
        if (auto it = found.find((*keys_)[static_cast<size_t>(start + i)]); it != found.end())
            result[static_cast<size_t>(i)] = std::move(it->second);
    return result;
}

void PagedAssetList::dropPages() {
    pages_.clear();
}

// One pass over the view's rows, in the order of the file. The unary plus
// keeps SQLite reading the table straight through rather than finding each
// row from the company's index, which costs half as much again. A large
// company is read in two halves of its keys at once, the later half by a
// thread on a second connection; not while this connection holds changes
// of its own, which the second could not see.
void PagedAssetList::scanView(ListScan& scan) {
    const std::string sql = "SELECT czx_list_scan(?, [AssetID], " + sortKey() +
                            ", [Asset Cost - Tax], [Prior Accumulated Dprn - Tax], "
                            "[Current Dprn - Tax], [Current Dprn - Book]) FROM assets WHERE +" +
                            whereClause() + " AND [AssetID] >= ? AND [AssetID] < ?";
    auto pass = [&](Connection& connection, ListScan& into, std::int64_t from, std::int64_t to) {
        Statement query(connection, sql);
        query.bindPointer(1, &into, kScanPointer);
        int parameter = 2;
        bindWhere(query, parameter);
        query.bind(parameter++, from);
        query.bind(parameter, to);
        query.step();
    };
    ++queries_;
    constexpr std::int64_t kFirst = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t kEnd = std::numeric_limits<std::int64_t>::max();
    const std::int64_t last = lastAssetKey(connection_);
    Connection* second =
        last >= kSplitFrom && !connection_.inTransaction() ? secondReader() : nullptr;
    if (!second) {
        pass(connection_, scan, kFirst, kEnd);
        return;
    }
    const std::int64_t middle = last / 2;
    ListScan later = scan.emptyLike();
    std::exception_ptr failed;
    std::thread worker([&] {
        try {
            pass(*second, later, middle, kEnd);
        } catch (...) {
            failed = std::current_exception();
        }
    });
    try {
        pass(connection_, scan, kFirst, middle);
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (failed) std::rethrow_exception(failed);
    scan.append(std::move(later));
}

void PagedAssetList::setView(const AssetListView& view) {
    const bool sameRows = view.filter == view_.filter && view.group == view_.group;
    view_ = view;
    const bool indexed = indexedOrder();
    if (!sameRows || !opened_ || filtered() || !indexed) {
        reload();
        return;
    }
    // The whole company in a new indexed order: the count and the totals stand.
    dropPages();
    keys_.reset();
    std::vector<AssetListRow> first = readRows(std::nullopt, false, 0, kPageRows);
    if (!first.empty()) pages_[0] = Page{std::move(first), ++useClock_};
}

void PagedAssetList::reload() {
    opened_ = true;
    dropPages();
    keys_.reset();
    const bool indexed = indexedOrder();
    ListScan scan;
    if (filtered() || !indexed) {
        // One pass finds the rows, their totals and their order.
        scan.place = true;
        scan.keysOnly = !view_.sortColumn;
        if (filtered() && view_.sortColumn && indexed) scan.limit = sortInMemory_;
        scanView(scan);
        totals_ = scan.totals;
        if (!scan.tooMany)
            keys_ = scan.keysInOrder(view_.sortColumn == ListColumn::Description, view_.descending);
        if (count() > 0) loadPage(0);
        return;
    }
    // The whole company in an indexed order. A company shorter than a page is
    // read whole by its first page, which then gives the totals too.
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
        scanView(scan);
        totals_ = scan.totals;
    }
    if (!first.empty()) pages_[0] = Page{std::move(first), ++useClock_};
}

// Reads page `page` from the nearest place the list knows: the start, the
// end, or a row of a page it holds, so that scrolling on from a page, or
// jumping to the end, passes over few rows.
void PagedAssetList::loadPage(std::int64_t page) {
    const std::int64_t start = page * kPageRows;
    const std::int64_t rows = std::min<std::int64_t>(kPageRows, count() - start);
    if (pages_.size() >= kHeldPages) {
        auto oldest = std::min_element(
            pages_.begin(), pages_.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        pages_.erase(oldest);
    }
    if (keys_) {
        pages_[page] = Page{readKeyedRows(start, rows), ++useClock_};
        return;
    }
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
    pages_[page] = Page{readRows(anchor, reverse, skip, rows), ++useClock_};
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
    if (keys_) {
        auto it = std::find(keys_->begin(), keys_->end(), key);
        if (it == keys_->end()) return std::nullopt;
        return static_cast<std::int64_t>(it - keys_->begin());
    }

    const std::string sortKey = this->sortKey();
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
