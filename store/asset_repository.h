#pragma once
// The asset rows as the desktop reaches them: one typed `Asset` at a time by
// its key, read and written through the same binding of members to columns
// as the run (store/asset_fields.h).
//
// What the file holds is never lost through it. A stored value the typed row
// cannot hold ("$5000" as a cost) reads as empty with its bit set in
// `Asset::unreadable`, and `storedText` gives the text as the file holds it
// for the screen to show. An update writes only the columns the caller
// changed, so such a value stays in the file until the user replaces it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "store/records.h"

namespace czx {

class AssetRepository {
  public:
    explicit AssetRepository(Connection& connection) : connection_(connection) {}

    // The keys of the company's assets in key order, the order the asset
    // screen browses them.
    std::vector<std::int64_t> keys(std::int64_t companyNumber);
    // The asset of `key`; empty when no row has the key (deleted meanwhile).
    std::optional<Asset> find(std::int64_t key);
    // Inserts every column of the asset; returns the new row's key.
    std::int64_t insert(const Asset& asset);
    // Writes to row `key` the members in which `after` differs from
    // `before` (the asset as it was loaded), and the columns unreadable in
    // `before` whose bit the caller cleared in `after` (it replaced the
    // stored text, even by an empty value). Nothing else is written: an
    // unreadable column the user did not touch keeps its stored text.
    // The fields whose bit is set in `rewrite` (bit i for kAssetFields[i]:
    // the ones the caller set) are written even when unchanged, so that
    // storing what was set always reaches the file.
    // Returns the number of columns written. A row that is gone while a
    // column is to be written is an error (3021).
    int update(std::int64_t key, const Asset& before, const Asset& after,
               std::uint64_t rewrite = 0);
    // Deletes row `key`; false when there was no such row.
    bool remove(std::int64_t key);
    // The value of one asset column of row `key` as the file holds it, as
    // text: what the screen shows for a column that reads as unreadable.
    // Empty for NULL. A name that is no asset column is an error.
    std::string storedText(std::int64_t key, std::string_view column);

  private:
    Connection& connection_;
};

}  // namespace czx
