// The asset list on a company of 100,000 assets: every sort order, filters,
// the group selector, totals, paging in any order, and the position of an
// asset. Each answer is checked against the same rows sorted and filtered in
// the test by the rules the list states.
#include "store/asset_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <random>
#include <sstream>

#include "base/money.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::makeCompanyFile;
using testing::TempDir;

constexpr long kAssets = 100'000;

struct Method {
    const char* name;
    const char* life;
};
const Method kMethods[] = {{"MACRS", "5"},          {"MACRS", "7"},          {"MACRS", "27.5"},
                           {"MACRS-150%", "15"},    {"MACRS SL-PP", "5"},    {"MACRS SL-RP", "39"},
                           {"MACRS-Auto", "5"},     {"Amortization", "180"}, {"SL-Old", "10"},
                           {"Non-Depreciable", "0"}};
const char* const kThings[] = {"Truck",    "forklift",    "Office Desk",     "LAPTOP",
                               "Building", "roof repair", "Lathe",           "server rack",
                               "Van",      "chair",       "Bonus 100% item", "spare_part"};
// nullptr: no group (NULL); "" an empty group name.
const char* const kGroups[] = {"Vehicles", "Office", "Buildings", nullptr, "", "Machines"};

using Row = std::array<Value, kListColumnCount>;
struct ListedAsset {
    std::int64_t key;
    Row values;
};

Value& at(Row& row, ListColumn c) {
    return row[static_cast<size_t>(c)];
}
const Value& at(const Row& row, ListColumn c) {
    return row[static_cast<size_t>(c)];
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The list's sort keys: empty texts sort as '', empty amounts as 0, lives as
// numbers, descriptions without regard to case, and any text in an amount
// column after every number.
struct Key {
    int kind = 0;  // 0 number, 1 text
    double number = 0;
    std::string text;
    auto operator<=>(const Key&) const = default;
};

Key sortKey(const Row& row, ListColumn c) {
    const Value& v = at(row, c);
    switch (c) {
        case ListColumn::Description:
            return {1, 0, lower(asText(v))};
        case ListColumn::Group:
        case ListColumn::PlacedInService:
        case ListColumn::Disposed:
        case ListColumn::MethodTax:
            return {1, 0, asText(v)};
        case ListColumn::LifeTax:
            return {0, asNumber(v).value_or(0), ""};
        default:
            if (auto s = std::get_if<std::string>(&v)) return {1, 0, *s};
            return {0, asNumber(v).value_or(0), ""};
    }
}

// A company of kAssets assets of company 1 and a few of company 2, which the
// list of company 1 never shows.
class AssetListTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        db_ = new Connection(makeCompanyFile(*dir_ / "czxdprnd.mdb"));
        std::mt19937 random(20121231);
        auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        auto cents = [&](int dollars) { return static_cast<double>(pick(dollars * 100)) / 100.0; };
        Transaction transaction(*db_);
        Statement insert(*db_,
                         "INSERT INTO assets (companynumber, groupname, [Asset Description], "
                         "[Date Placed in Service], [Date Disposed], [Dprn Method - Tax], "
                         "[Dprn Life - Tax], [Asset Cost - Tax], [Prior Accumulated Dprn - Tax], "
                         "[Current Dprn - Tax], [Current Dprn - Book]) "
                         "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (long i = 0; i < kAssets + 50; ++i) {
            const bool other = i % 2001 == 17;  // company 2
            Row row;
            if (const char* group = kGroups[pick(std::size(kGroups))])
                at(row, ListColumn::Group) = std::string(group);
            std::string description = kThings[pick(std::size(kThings))];
            if (pick(3) == 0) description = lower(description);
            at(row, ListColumn::Description) = description + " " + std::to_string(pick(5000));
            char date[48];
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", 1995 + pick(18), 1 + pick(12),
                          1 + pick(28));
            at(row, ListColumn::PlacedInService) = std::string(date);
            if (pick(10) == 0) {
                std::snprintf(date, sizeof date, "2012-%02d-%02d", 1 + pick(12), 1 + pick(28));
                at(row, ListColumn::Disposed) = std::string(date);
            }
            const Method& m = kMethods[pick(std::size(kMethods))];
            at(row, ListColumn::MethodTax) = std::string(m.name);
            at(row, ListColumn::LifeTax) = std::string(m.life);
            // Some amounts are empty, a few hold text a person typed.
            if (pick(200) == 0)
                at(row, ListColumn::CostTax) = std::string("$5000");
            else if (pick(50) != 0)
                at(row, ListColumn::CostTax) = cents(250000);
            if (pick(4) != 0) at(row, ListColumn::PriorTax) = cents(20000);
            at(row, ListColumn::CurrentTax) = cents(9000);
            if (pick(30) != 0) at(row, ListColumn::CurrentBook) = cents(9000);

            insert.bind(1, std::int64_t{other ? 2 : 1});
            for (int c = 0; c < kListColumnCount; ++c) {
                // Columns in the insert's order: group first, then description.
                static constexpr ListColumn order[] = {
                    ListColumn::Group,      ListColumn::Description, ListColumn::PlacedInService,
                    ListColumn::Disposed,   ListColumn::MethodTax,   ListColumn::LifeTax,
                    ListColumn::CostTax,    ListColumn::PriorTax,    ListColumn::CurrentTax,
                    ListColumn::CurrentBook};
                insert.bind(2 + c, at(row, order[c]));
            }
            insert.run();
            if (!other) assets_->push_back({db_->lastInsertRowId(), row});
        }
        transaction.commit();
    }
    static void TearDownTestSuite() {
        delete db_;
        delete dir_;
        assets_->clear();
    }

    // The assets the view shows, in its order.
    static std::vector<ListedAsset> expected(const AssetListView& view) {
        std::vector<std::string> words;
        {
            std::istringstream in(lower(view.filter));
            for (std::string w; in >> w;) words.push_back(w);
        }
        std::vector<ListedAsset> shown;
        for (const ListedAsset& a : *assets_) {
            if (view.group && asText(at(a.values, ListColumn::Group)) != *view.group) continue;
            const std::string d = lower(asText(at(a.values, ListColumn::Description)));
            const std::string g = lower(asText(at(a.values, ListColumn::Group)));
            const std::string m = lower(asText(at(a.values, ListColumn::MethodTax)));
            const bool all = std::all_of(words.begin(), words.end(), [&](const std::string& w) {
                return d.find(w) != std::string::npos || g.find(w) != std::string::npos ||
                       m.find(w) != std::string::npos;
            });
            if (all) shown.push_back(a);
        }
        if (view.sortColumn)
            std::stable_sort(shown.begin(), shown.end(),
                             [&](const ListedAsset& x, const ListedAsset& y) {
                                 return sortKey(x.values, *view.sortColumn) <
                                        sortKey(y.values, *view.sortColumn);
                             });
        if (view.descending) std::reverse(shown.begin(), shown.end());
        return shown;
    }

    static AssetListTotals expectedTotals(const std::vector<ListedAsset>& shown) {
        AssetListTotals t;
        t.count = static_cast<std::int64_t>(shown.size());
        auto add = [](std::int64_t& sum, const Value& v) {
            if (auto d = std::get_if<double>(&v)) sum += money::toUnits(*d);
        };
        for (const ListedAsset& a : shown) {
            add(t.costTax, at(a.values, ListColumn::CostTax));
            add(t.priorTax, at(a.values, ListColumn::PriorTax));
            add(t.currentTax, at(a.values, ListColumn::CurrentTax));
            add(t.currentBook, at(a.values, ListColumn::CurrentBook));
        }
        return t;
    }

    static void expectTotals(const AssetListTotals& got, const AssetListTotals& want) {
        EXPECT_EQ(got.count, want.count);
        EXPECT_EQ(got.costTax, want.costTax);
        EXPECT_EQ(got.priorTax, want.priorTax);
        EXPECT_EQ(got.currentTax, want.currentTax);
        EXPECT_EQ(got.currentBook, want.currentBook);
    }

    // The rows of the view equal the expected rows: every row read front to
    // back, or, `sampled`, the first and last pages and rows scattered between
    // them, read in that order.
    static void expectRows(PagedAssetList& list, const std::vector<ListedAsset>& want,
                           bool sampled = false) {
        const auto n = static_cast<std::int64_t>(want.size());
        ASSERT_EQ(list.count(), n);
        const std::int64_t ends = sampled ? 3 * PagedAssetList::kPageRows : n;
        std::vector<std::int64_t> positions;
        for (std::int64_t p = 0; p < std::min(n, ends); ++p) positions.push_back(p);
        if (sampled) {
            for (std::int64_t p = std::max<std::int64_t>(0, n - ends); p < n; ++p)
                positions.push_back(p);
            std::mt19937 random(3);
            for (int i = 0; i < 60; ++i) {
                const auto p = static_cast<std::int64_t>(random() % n);
                for (auto q = std::max<std::int64_t>(0, p - 1); q <= std::min(n - 1, p + 1); ++q)
                    positions.push_back(q);
            }
        }
        for (std::int64_t p : positions) {
            const AssetListRow row = list.row(p);
            ASSERT_EQ(row.key, want[static_cast<size_t>(p)].key) << "row " << p;
            ASSERT_EQ(row.values, want[static_cast<size_t>(p)].values) << "row " << p;
        }
    }

    static TempDir* dir_;
    static Connection* db_;
    static std::vector<ListedAsset>* assets_;
};

TempDir* AssetListTest::dir_ = nullptr;
Connection* AssetListTest::db_ = nullptr;
std::vector<ListedAsset>* AssetListTest::assets_ = new std::vector<ListedAsset>;

struct SortCase {
    ListColumn column;
    const char* name;
};
const SortCase kSorts[] = {
    {ListColumn::Description, "Description"}, {ListColumn::Group, "Group"},
    {ListColumn::PlacedInService, "Placed"},  {ListColumn::Disposed, "Disposed"},
    {ListColumn::MethodTax, "MethodTax"},     {ListColumn::LifeTax, "LifeTax"},
    {ListColumn::CostTax, "CostTax"},         {ListColumn::PriorTax, "PriorTax"},
    {ListColumn::CurrentTax, "CurrentTax"},   {ListColumn::CurrentBook, "CurrentBook"},
};

// Rows are read as a user scrolls: the first pages, the last, and pages
// scattered between them (reading all of them would repeat the same steps).
class AssetListSort : public AssetListTest,
                      public ::testing::WithParamInterface<std::tuple<SortCase, bool>> {};

TEST_P(AssetListSort, ReadsEveryRowInOrderAndKeepsTheTotals) {
    const auto [sort, descending] = GetParam();
    PagedAssetList list(*db_, 1);
    AssetListView view;
    view.sortColumn = sort.column;
    view.descending = descending;
    list.setView(view);
    const auto want = expected(view);
    expectTotals(list.totals(), expectedTotals(want));
    expectRows(list, want, true);
}

INSTANTIATE_TEST_SUITE_P(EveryColumn, AssetListSort,
                         ::testing::Combine(::testing::ValuesIn(kSorts), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "Descending" : "Ascending");
                         });

struct FilterCase {
    const char* name;
    const char* filter;
    const char* group;  // nullptr: every group
    std::optional<ListColumn> sort;
    bool descending;
};
const FilterCase kFilters[] = {
    {"WordOfDescriptionInAnyCase", "TRUCK", nullptr, std::nullopt, false},
    {"WordOfGroup", "vehic", nullptr, ListColumn::CostTax, false},
    {"WordOfMethod", "sl-rp", nullptr, ListColumn::Description, true},
    {"EveryWordSomewhere", "van vehicles", nullptr, ListColumn::PlacedInService, false},
    {"PercentIsAPercentSign", "100%", nullptr, std::nullopt, false},
    {"UnderscoreIsAnUnderscore", "_", nullptr, ListColumn::LifeTax, false},
    {"FewRows", "rack 4999", nullptr, ListColumn::Description, false},
    {"NoRow", "zeppelin", nullptr, ListColumn::Description, false},
    {"OneGroup", "", "Office", ListColumn::CurrentTax, true},
    {"AssetsWithoutAGroup", "", "", ListColumn::Group, false},
    {"GroupAndWord", "chair", "Machines", ListColumn::Disposed, true},
};

class AssetListFilter : public AssetListTest, public ::testing::WithParamInterface<FilterCase> {};

// Each case both sorted in memory and, as a view too large for that, read
// from the index.
TEST_P(AssetListFilter, ShowsTheMatchingRowsAndTheirTotals) {
    const FilterCase& c = GetParam();
    AssetListView view;
    view.filter = c.filter;
    if (c.group) view.group = c.group;
    view.sortColumn = c.sort;
    view.descending = c.descending;
    const auto want = expected(view);
    for (size_t sortInMemory : {PagedAssetList::kSortInMemory, size_t{0}}) {
        SCOPED_TRACE(sortInMemory);
        PagedAssetList list(*db_, 1, sortInMemory);
        list.setView(view);
        expectTotals(list.totals(), expectedTotals(want));
        expectRows(list, want);
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, AssetListFilter, ::testing::ValuesIn(kFilters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AssetListTest, ReadsPagesInAnyOrderAndEachPageOnce) {
    PagedAssetList list(*db_, 1);
    AssetListView view;
    view.sortColumn = ListColumn::Description;
    list.setView(view);
    const auto want = expected(view);
    const std::int64_t n = list.count();
    // The end first, then the middle, then scattered rows, as a scroll bar jumps.
    std::vector<std::int64_t> positions = {n - 1, n / 2, n / 2 - 1, 0,
                                           n - PagedAssetList::kPageRows};
    std::mt19937 random(7);
    for (int i = 0; i < 300; ++i) positions.push_back(static_cast<std::int64_t>(random() % n));
    for (std::int64_t p : positions) {
        const AssetListRow row = list.row(p);
        ASSERT_EQ(row.key, want[static_cast<size_t>(p)].key) << "row " << p;
    }
    // Rows of a page held are read without a query.
    list.row(n - 1);
    const long before = list.queries();
    for (std::int64_t p = n - 1;
         p >= (n - 1) / PagedAssetList::kPageRows * PagedAssetList::kPageRows; --p)
        list.row(p);
    EXPECT_EQ(list.queries(), before);
    list.row(n - 1 - PagedAssetList::kPageRows);
    EXPECT_EQ(list.queries(), before + 1);
    EXPECT_THROW(list.row(n), Error);
    EXPECT_THROW(list.row(-1), Error);
}

TEST_F(AssetListTest, ANewOrderReadsOnlyItsFirstPage) {
    PagedAssetList list(*db_, 1);
    const AssetListTotals totals = list.totals();
    const long before = list.queries();
    AssetListView view;
    view.sortColumn = ListColumn::CostTax;
    view.descending = true;
    list.setView(view);
    EXPECT_EQ(list.queries(), before + 1);
    expectTotals(list.totals(), totals);
    EXPECT_EQ(list.row(0).key, expected(view)[0].key);
    view.filter = "truck";
    list.setView(view);
    expectTotals(list.totals(), expectedTotals(expected(view)));
}

TEST_F(AssetListTest, FindsThePositionOfAnAssetInTheView) {
    PagedAssetList list(*db_, 1);
    for (const AssetListView& view :
         {AssetListView{}, AssetListView{"", std::nullopt, ListColumn::CostTax, true},
          AssetListView{"truck", std::nullopt, ListColumn::PlacedInService, false},
          AssetListView{"", std::nullopt, ListColumn::CurrentBook, true},
          AssetListView{"", std::string("Office"), ListColumn::Description, false}}) {
        list.setView(view);
        const auto want = expected(view);
        std::map<std::int64_t, std::int64_t> positions;
        for (size_t i = 0; i < want.size(); ++i)
            positions[want[i].key] = static_cast<std::int64_t>(i);
        std::mt19937 random(11);
        for (int i = 0; i < 40; ++i) {
            const ListedAsset& a = (*assets_)[random() % assets_->size()];
            auto it = positions.find(a.key);
            if (it == positions.end())
                EXPECT_EQ(list.positionOf(a.key), std::nullopt) << a.key;
            else
                EXPECT_EQ(list.positionOf(a.key), it->second) << a.key;
        }
    }
    // An asset of another company is in no view of company 1.
    Statement other(*db_, "SELECT AssetID FROM assets WHERE companynumber = 2");
    ASSERT_TRUE(other.step());
    list.setView({});
    EXPECT_EQ(list.positionOf(other.columnInt(0)), std::nullopt);
}

TEST_F(AssetListTest, ListsTheGroupsOfTheAssets) {
    PagedAssetList list(*db_, 1);
    EXPECT_EQ(list.groupNames(),
              (std::vector<std::string>{"", "Buildings", "Machines", "Office", "Vehicles"}));
}

TEST_F(AssetListTest, ReloadShowsRowsChangedSinceTheListOpened) {
    PagedAssetList list(*db_, 1);
    AssetListView view;
    view.filter = "zeppelin";
    list.setView(view);
    EXPECT_EQ(list.count(), 0);
    db_->execute(
        "INSERT INTO assets (companynumber, [Asset Description], [Asset Cost - Tax]) "
        "VALUES (1, 'Zeppelin hangar', 1234.5)");
    const std::int64_t key = db_->lastInsertRowId();
    list.reload();
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.totals().costTax, 12'345'000);
    EXPECT_EQ(list.row(0).key, key);
    db_->execute("DELETE FROM assets WHERE AssetID = ?", {Value(key)});
    list.reload();
    EXPECT_EQ(list.count(), 0);
}

// The query plans SQLite picks for the list's statements.
std::string plan(Connection& db, const std::string& sql) {
    Statement query(db, "EXPLAIN QUERY PLAN " + sql);
    std::string text;
    while (query.step()) text += query.columnText(3) + "\n";
    return text;
}

// A file made before the list: its schema lacks the list's indexes.
Connection olderFile(const std::filesystem::path& file) {
    std::string older;
    std::istringstream in(testing::sourceFile("data/schema.sql"));
    for (std::string line; std::getline(in, line);)
        if (line.find("CREATE INDEX assets_list_") == std::string::npos) older += line + "\n";
    Connection db = Connection::create(file);
    db.execute(older);
    return db;
}

TEST(AssetListIndexes, AFileWithoutThemGetsThemWhenOpened) {
    TempDir dir;
    Connection db = olderFile(dir / "old.mdb");
    const std::string sorted =
        "SELECT AssetID FROM assets WHERE companynumber = 1 ORDER BY ifnull([Date Placed in "
        "Service], '') DESC, AssetID DESC LIMIT 10";
    EXPECT_NE(plan(db, sorted).find("TEMP B-TREE"), std::string::npos);

    EXPECT_TRUE(ensureListIndexes(db));
    EXPECT_EQ(plan(db, sorted).find("TEMP B-TREE"), std::string::npos) << plan(db, sorted);
    EXPECT_NE(plan(db, sorted).find("assets_list_placed"), std::string::npos);

    // A new file has every index the list would make.
    Connection fresh = Connection::create(dir / "new.mdb");
    fresh.execute(testing::sourceFile("data/schema.sql"));
    auto indexes = [](Connection& c) {
        std::vector<std::string> names;
        Statement q(c, "SELECT name, sql FROM sqlite_master WHERE type = 'index' ORDER BY name");
        while (q.step()) names.push_back(q.columnText(0));
        return names;
    };
    const auto before = indexes(fresh);
    EXPECT_TRUE(ensureListIndexes(fresh));
    EXPECT_EQ(indexes(fresh), before);
    EXPECT_EQ(indexes(fresh), indexes(db));
}

TEST(AssetListIndexes, AFileAnotherProgramIsWritingIsListedWithoutThem) {
    TempDir dir;
    Connection db = olderFile(dir / "old.mdb");
    db.execute(
        "INSERT INTO assets (companynumber, [Asset Description], [Asset Cost - Tax]) "
        "VALUES (1, 'Press', 10), (1, 'Drill', 5.25)");
    Connection writer = Connection::open(dir / "old.mdb");
    {
        Transaction writing(writer);
        EXPECT_FALSE(ensureListIndexes(db));
        EXPECT_FALSE(db.inTransaction());
        PagedAssetList list(db, 1);
        list.setView({"", std::nullopt, ListColumn::Description, false});
        EXPECT_EQ(list.count(), 2);
        EXPECT_EQ(asText(list.row(0).values[0]), "Drill");
        EXPECT_EQ(list.totals().costTax, 152'500);
    }
    Statement count(db, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'assets_list_%'");
    count.step();
    EXPECT_EQ(count.columnInt(0), 0);
}

}  // namespace
}  // namespace czx
