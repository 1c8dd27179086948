#pragma once
// Typed access to the company record and the asset rows, for the engine and
// the command-line tool. The depreciation run reads the assets in pages in
// the order of their keys and writes back only the columns the run computes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/database.h"
#include "store/records.h"

namespace czx {

// The company the file holds: the first row of `Defaults` (one company per file).
Company readCompany(Connection& connection);
void writeMidQrtFlag(Connection& connection, const Company& company, bool midQuarter);

// The names of the columns of an asset's `unreadable` mask, comma-separated.
std::string unreadableColumns(std::uint64_t mask);

// Reads the company's assets a page at a time, in key order: every asset,
// or only those whose "assetchng" is set (found through their own index, so
// that one changed asset among a million is read without the others).
class AssetReader {
  public:
    enum class Rows { All, Changed };
    AssetReader(Connection& connection, std::int64_t companyNumber, Rows rows = Rows::All,
                int pageSize = 2048);
    // Fills `page` with the next rows; false when none are left.
    bool next(std::vector<Asset>& page);

  private:
    Statement query_;
    std::int64_t companyNumber_;
    std::int64_t lastKey_ = -1;
    int pageSize_;
};

// The largest asset key of the file (0 when it holds none).
std::int64_t lastAssetKey(Connection& connection);

// Marks every asset of the company changed, for the next run to compute.
void flagEveryAsset(Connection& connection);

// Creates, in a file made before them, the indexes through which a run
// reaches only the rows it needs: the changed rows, the year's new assets,
// and the rows each check after the run warns of; and the table of the
// figures a run keeps for the next.
void ensureRunIndexes(Connection& connection);

// Clearing a row's flag deletes the row from the index of flagged rows, one
// index search a row. When a walk is about to clear the flags of at least
// half the file's rows, it is cheaper to drop that index before the walk and
// let `ensureRunIndexes` build it again after it, in one scan. Drops the
// index in that case and says whether it did; the caller's transaction
// brings the index back if the walk fails. In a file of more than 4,096
// keys, half is judged from 1,024 keys spread evenly over it: either way
// the run stores the same, only its speed differs.
bool dropFlagIndexBeforeWalk(Connection& connection, std::int64_t companyNumber);

// What the checks after a run warn of, for one asset.
struct QuestionableRow {
    std::int64_t key = 0;
    std::string description;
    std::optional<Date> placedInService;
    bool accumTax = false;      // accumulated plus current above tax cost by over a dollar
    bool accumBook = false;     // the same against book cost
    bool yearMismatch = false;  // "YRPIS" and "Date Placed in Service" in different years
    bool placedAfter = false;   // placed in service after its "YRPIS"
};
// The company's rows that one check or more warns of, in key order, read
// through the indexes that hold only such rows. Stored amounts carry at most
// 4 places, so "more than one dollar over" is "at least 1.0001 over"; empty
// amounts count as 0. The date checks concern rows whose two dates are both
// in the form YYYY-MM-DD.
std::vector<QuestionableRow> questionableRows(Connection& connection, std::int64_t companyNumber);

// The year's new assets (their "YRPIS" in [from, to), 'YYYY-MM-DD') as
// their index knows them: how many, and the sum of their keys.
struct YearRows {
    std::int64_t count = 0;
    std::int64_t keySum = 0;
    bool operator==(const YearRows&) const = default;
};
YearRows yearRowsBetween(Connection& connection, std::int64_t companyNumber,
                         const std::string& from, const std::string& to);
// Whether a changed row ("assetchng" set) is among the year's new assets.
bool changedRowBetween(Connection& connection, std::int64_t companyNumber, const std::string& from,
                       const std::string& to);

// What a run found over the year's new assets, kept for the next run: when
// the same assets are there and none of them changed, the next run takes
// these figures instead of reading every new asset again.
struct YearFigures {
    std::string yearEnd;  // 'YYYY-MM-DD'
    YearRows rows;
    bool midQuarter = false;
    std::int64_t readable = 0;  // new assets the checks could read
    std::int64_t sec179 = 0;    // the sums of the limit checks, in ten-thousandths
    std::int64_t bonus = 0;
    std::int64_t basis = 0;
};
std::optional<YearFigures> readYearFigures(Connection& connection, std::int64_t companyNumber);
void writeYearFigures(Connection& connection, std::int64_t companyNumber,
                      const YearFigures& figures);
// Drops the kept figures of every company: for changes that replace assets
// without marking them changed (a company copied in, every asset deleted).
void forgetYearFigures(Connection& connection);

// The year's "Current Dprn - Tax" and "Current Dprn - Book" over every asset
// of the company, summed exactly; empty amounts count for nothing.
struct YearTotals {
    double tax = 0;
    double book = 0;
};
YearTotals yearTotals(Connection& connection, const Company& company);

// Calls `visit` with only the columns the checks read (SQLite decodes far
// less of each row) of every asset of the company whose "YRPIS" lies in
// [from, to) ('YYYY-MM-DD'), in the order of their index. The table must not
// be written while the walk is under way.
void forEachAssetPlacedBetween(Connection& connection, std::int64_t companyNumber,
                               const std::string& from, const std::string& to,
                               const std::function<void(Asset&)>& visit);

// Calls `visit` with every asset of the company, whole rows, in the order of
// the depreciation reports (reportQuery, store/report.h): by group name,
// assets without a group (NULL or empty) first, within a group by "Date
// Placed in Service", then by key. The table must not be written while the
// walk is under way.
void forEachAssetInReportOrder(Connection& connection, std::int64_t companyNumber,
                               const std::function<void(Asset&)>& visit);

// Writes the columns the depreciation run computed for a row, and its flag
// "assetchng": the tax pass's columns, the book pass's "Current Dprn - Book",
// both or neither. A column the run did not compute is never written.
class AssetResultWriter {
  public:
    explicit AssetResultWriter(Connection& connection);
    void write(const Asset& asset, bool taxColumns, bool bookColumns);

  private:
    Statement both_, tax_, book_, flag_;
};

// Writes "Cost Less ITC Adj" and "PostSecBasis" alone (rows read for the checks).
class AssetBasisWriter {
  public:
    explicit AssetBasisWriter(Connection& connection);
    void write(const Asset& asset);

  private:
    Statement update_;
};

// Full-row access for the programs and the tests. A row that is not there
// is empty for findAsset and an error (3021) for readAsset.
std::optional<Asset> findAsset(Connection& connection, std::int64_t rowId);
Asset readAsset(Connection& connection, std::int64_t rowId);
std::int64_t insertAsset(Connection& connection, const Asset& asset);

}  // namespace czx
