#include "store/register_export.h"

#include <charconv>
#include <vector>

#include "base/money.h"
#include "store/asset_fields.h"
#include "store/assets.h"
#include "store/csv.h"

namespace czx {

std::string registerAmount(double amount) {
    if (money::roundCents(amount) == amount) return money::format(amount, money::Separators::None);
    char buffer[64];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, amount).ptr;
    return std::string(buffer, end);
}

namespace {

// The text of field `field` of a row that read it.
std::string fieldText(const Asset& asset, const AssetField& field) {
    switch (field.kind) {
        case AssetField::Kind::Number:
            return std::to_string(asset.*field.number);
        case AssetField::Kind::Text:
            return asset.*field.text;
        case AssetField::Kind::Date:
            return (asset.*field.date) ? isoDate(*(asset.*field.date)) : std::string();
        case AssetField::Kind::Money:
            return (asset.*field.money) ? registerAmount(*(asset.*field.money)) : std::string();
        case AssetField::Kind::Flag:
            return (asset.*field.flag) ? "1" : "0";
    }
    return {};
}

}  // namespace

std::int64_t exportRegister(Connection& connection, std::ostream& out) {
    const Company company = readCompany(connection);
    std::vector<std::string> row(col::AssetColumns.begin(), col::AssetColumns.end());
    writeCsvRow(out, row);

    std::vector<int> all(kAssetFields.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    Statement query(connection, "SELECT " + assetColumnSql(all) +
                                    " FROM assets WHERE companynumber = ? ORDER BY AssetID");
    query.bind(1, company.number);
    std::int64_t count = 0;
    while (query.step()) {
        for (std::size_t i = 0; i < kAssetFields.size(); ++i) {
            const Value stored = query.column(static_cast<int>(i));
            Asset asset;
            // Text columns keep what the file holds, a number stored in one included.
            const bool asStored = kAssetFields[i].kind == AssetField::Kind::Text ||
                                  !setAssetValue(asset, static_cast<int>(i), stored);
            row[i] = asStored ? asText(stored) : fieldText(asset, kAssetFields[i]);
        }
        writeCsvRow(out, row);
        ++count;
    }
    return count;
}

}  // namespace czx
