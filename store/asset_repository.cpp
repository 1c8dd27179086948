#include "store/asset_repository.h"

#include "store/asset_fields.h"
#include "store/assets.h"

namespace czx {
namespace {

constexpr int kNoCurrentRecord = 3021;
constexpr int kItemNotFound = 3265;

bool isSet(std::uint64_t mask, std::size_t field) {
    return (mask & (std::uint64_t{1} << field)) != 0;
}

}  // namespace

std::vector<std::int64_t> AssetRepository::keys(std::int64_t companyNumber) {
    Statement query(connection_, "SELECT rowid FROM assets WHERE companynumber = ? ORDER BY rowid");
    query.bind(1, companyNumber);
    std::vector<std::int64_t> keys;
    while (query.step()) keys.push_back(query.columnInt(0));
    return keys;
}

std::optional<Asset> AssetRepository::find(std::int64_t key) {
    return findAsset(connection_, key);
}

std::int64_t AssetRepository::insert(const Asset& asset) {
    return insertAsset(connection_, asset);
}

int AssetRepository::update(std::int64_t key, const Asset& before, const Asset& after,
                            std::uint64_t rewrite) {
    std::vector<int> changed;
    for (std::size_t i = 0; i < kAssetFields.size(); ++i) {
        const bool replaced = isSet(before.unreadable, i) && !isSet(after.unreadable, i);
        if (replaced || isSet(rewrite, i) || !sameField(kAssetFields[i], before, after))
            changed.push_back(static_cast<int>(i));
    }
    if (changed.empty()) return 0;
    Statement write(connection_,
                    "UPDATE assets SET " + assetColumnSql(changed, " = ?") + " WHERE rowid = ?");
    int parameter = 1;
    for (int field : changed) bindAssetField(write, parameter++, after, kAssetFields[field]);
    write.bind(parameter, key);
    write.run();
    if (connection_.changes() == 0)
        throw Error(kNoCurrentRecord, "No asset row " + std::to_string(key) + " to update.");
    return static_cast<int>(changed.size());
}

bool AssetRepository::remove(std::int64_t key) {
    connection_.execute("DELETE FROM assets WHERE rowid = ?", {Value(key)});
    return connection_.changes() > 0;
}

std::string AssetRepository::storedText(std::int64_t key, std::string_view column) {
    const int field = assetFieldIndex(column);
    if (field < 0) throw Error(kItemNotFound, "No asset column \"" + std::string(column) + "\".");
    Statement query(connection_,
                    "SELECT " + assetColumnSql({&field, 1}) + " FROM assets WHERE rowid = ?");
    query.bind(1, key);
    if (!query.step()) throw Error(kNoCurrentRecord, "No asset row " + std::to_string(key));
    return asText(query.column(0));
}

}  // namespace czx
