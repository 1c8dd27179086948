#pragma once
// Typed access to the company record and the asset rows, for the engine and
// the command-line tool. The depreciation run reads the assets in pages in
// the order of their keys and writes back only the columns the run computes.
#include <cstdint>
#include <functional>
#include <vector>

#include "store/database.h"
#include "store/records.h"

namespace czx {

// The company the file holds: the first row of `Defaults` (one company per file).
Company readCompany(Connection& connection);
void writeMidQrtFlag(Connection& connection, const Company& company, bool midQuarter);

// The names of the columns of an asset's `unreadable` mask, comma-separated.
std::string unreadableColumns(std::uint64_t mask);

// The "select * from assets where companynumber =" query of a company.
std::string assetQuery(const Company& company);

// Reads the company's assets a page at a time, in key order. `filter` is an
// optional SQL condition on the row (for example "assetchng <> 0") whose
// parameters follow the reader's own.
class AssetReader {
  public:
    AssetReader(Connection& connection, std::int64_t companyNumber, std::string filter = {},
                std::vector<Value> filterParameters = {}, int pageSize = 2048);
    // Fills `page` with the next rows; false when none are left.
    bool next(std::vector<Asset>& page);

  private:
    Statement query_;
    std::int64_t companyNumber_;
    std::vector<Value> filterParameters_;
    std::int64_t lastKey_ = -1;
    int pageSize_;
};

// The year's "Current Dprn - Tax" and "Current Dprn - Book" over every asset
// of the company, summed exactly; empty amounts count for nothing.
struct YearTotals {
    double tax = 0;
    double book = 0;
};
YearTotals yearTotals(Connection& connection, const Company& company);

// Calls `visit` with only the columns the checks read (SQLite decodes far
// less of each row) of
// every asset of the company whose "YRPIS" lies in [from, to) ('YYYY-MM-DD'),
// in the order the "YRPIS" index gives. The table must not be written while
// the walk is under way.
void forEachAssetPlacedBetween(Connection& connection, std::int64_t companyNumber,
                               const std::string& from, const std::string& to,
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

// Full-row access for the programs and the tests.
Asset readAsset(Connection& connection, std::int64_t rowId);
std::int64_t insertAsset(Connection& connection, const Asset& asset);

}  // namespace czx
