#pragma once
// The asset list: a company's assets as the rows of a table, sorted and
// filtered by SQLite and read a page at a time, so that a company of a
// million assets opens, filters and sorts without reading every row.
//
// The sort keys are never NULL (an empty text sorts as '', an empty amount
// as 0), so that a row's place can be compared as the pair (sort key,
// AssetID); ties are broken by AssetID, the order in which the assets were
// entered. Most columns have an index on (companynumber, sort key): the
// whole company in such an order is read a page at a time from the index.
// A filtered view, or an order by an amount every run rewrites, is found in
// one pass over the company that also sums its totals; the list then holds
// the view's keys in order and reads each page by its keys.
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/database.h"

namespace czx {

// The list's columns, left to right.
enum class ListColumn {
    Description,
    Group,
    PlacedInService,
    Disposed,
    MethodTax,
    LifeTax,
    CostTax,
    PriorTax,
    CurrentTax,
    CurrentBook,
};
inline constexpr int kListColumnCount = 10;

// What the list shows, in which order.
struct AssetListView {
    // Words looked for, in any case, in the description, the group and the
    // tax method: a row is shown when each word is found in one of them.
    std::string filter;
    // Only the assets of this group; the empty name selects the assets that
    // have no group. Nothing: every group.
    std::optional<std::string> group;
    // Nothing: the order in which the assets were entered (their key).
    std::optional<ListColumn> sortColumn;
    bool descending = false;
};

struct AssetListRow {
    std::int64_t key = 0;  // AssetID
    Value sortKey;         // the row's sort key in the view it was read for
    std::array<Value, kListColumnCount> values;
};

// Sums of the shown rows, exact in ten-thousandths of a dollar (an empty
// amount counts as nothing).
struct AssetListTotals {
    std::int64_t count = 0;
    std::int64_t costTax = 0;
    std::int64_t priorTax = 0;
    std::int64_t currentTax = 0;
    std::int64_t currentBook = 0;
};

struct ListScan;  // one pass over a view, in asset_list.cpp

class PagedAssetList {
  public:
    static constexpr int kPageRows = 200;
    // A filtered view in the order of an indexed column is sorted in memory
    // when it has at most this many rows; a larger one is read a page at a
    // time from the index, where its rows lie close together.
    static constexpr size_t kSortInMemory = 100'000;

    // Opens the list of company `companyNumber` in the order of entry, with
    // no filter. The connection must outlive the list.
    PagedAssetList(Connection& connection, std::int64_t companyNumber,
                   size_t sortInMemory = kSortInMemory);
    ~PagedAssetList();

    // Shows `view`: reads the first page, and the count and the totals unless
    // only the order changed.
    void setView(const AssetListView& view);
    const AssetListView& view() const { return view_; }
    // Reads the same view again, after the rows changed.
    void reload();

    std::int64_t count() const { return totals_.count; }
    const AssetListTotals& totals() const { return totals_; }
    // The row at `position` (0-based) of the view; reads its page when it is
    // not held. A position outside the view is an error.
    AssetListRow row(std::int64_t position);
    // The position of the asset `key` in the view; nothing when the view
    // does not show it.
    std::optional<std::int64_t> positionOf(std::int64_t key);

    // The group names the company's assets carry, sorted; "" stands for the
    // assets without a group.
    std::vector<std::string> groupNames();

    // Statements run since the list was opened (pages, counts, positions),
    // for tests that prove a page is read once.
    long queries() const { return queries_; }

  private:
    struct Page {
        std::vector<AssetListRow> rows;
        long lastUse = 0;
    };
    struct Anchor {
        std::int64_t position;
        Value sortKey;
        std::int64_t key;
    };
    bool filtered() const;
    bool indexedOrder() const;
    std::string sortKey() const;
    std::string whereClause() const;
    void bindWhere(Statement& statement, int& parameter) const;
    std::vector<AssetListRow> readRows(const std::optional<Anchor>& anchor, bool reverse,
                                       std::int64_t skip, std::int64_t rows);
    std::vector<AssetListRow> readKeyedRows(std::int64_t start, std::int64_t rows);
    void loadPage(std::int64_t page);
    void scanView(ListScan& scan);
    Connection* secondReader();
    void dropPages();

    Connection& connection_;
    std::int64_t company_;
    size_t sortInMemory_;
    AssetListView view_;
    AssetListTotals totals_;
    std::map<std::int64_t, Page> pages_;
    // The view's keys in its order, when it was found by one pass.
    std::optional<std::vector<std::int64_t>> keys_;
    // A second connection to the file, for the later half of a large pass.
    std::unique_ptr<Connection> second_;
    bool secondTried_ = false;
    long useClock_ = 0;
    bool opened_ = false;
    long queries_ = 0;
};

// Creates the indexes the list sorts and filters with in a file that lacks
// them (files made before the list). Returns false, and changes nothing, when
// the file cannot take them now (read-only or locked): the list then works
// without them, only slower.
bool ensureListIndexes(Connection& connection);

}  // namespace czx
