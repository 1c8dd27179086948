// Reading asset rows: what the file holds, and what is no value of its column.
#include "store/assets.h"

#include <gtest/gtest.h>

#include "store/asset_fields.h"
#include "store/columns.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

struct StoredCase {
    const char* column;
    const char* sql;  // the value as SQL, written into the column
    bool unreadable;
};

TEST(AssetReading, TextThatIsNoValueOfItsColumnIsMarkedNotGuessed) {
    const StoredCase cases[] = {
        {"Asset Cost - Tax", "12000", false},
        {"Asset Cost - Tax", "'12000.50'", false},
        {"Asset Cost - Tax", "' 5000 '", false},
        {"Asset Cost - Tax", "''", false},
        {"Asset Cost - Tax", "NULL", false},
        {"Asset Cost - Tax", "'12,000.00'", true},
        {"Asset Cost - Tax", "'$5000'", true},
        {"Asset Cost - Tax", "x'3132'", true},
        {"Business Use Percentage - Tax", "'.5'", false},
        {"Business Use Percentage - Tax", "'50%'", true},
        {"Date Disposed", "'2012-06-15'", false},
        {"Date Disposed", "''", false},
        {"Date Disposed", "'06/15/2012'", true},
        {"Date Disposed", "'2012-02-30'", true},
        {"Date Disposed", "41075", true},
        {"Tax Dprn Override", "1", false},
        {"Tax Dprn Override", "'True'", false},
        {"Tax Dprn Override", "'False'", false},
        {"Tax Dprn Override", "'Yes'", true},
        {"Tax Dprn Override", "x'01'", true},
    };
    Connection db = testing::makeCompany();
    const auto id =
        insertAsset(db, testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31"));
    for (const auto& c : cases) {
        db.execute(
            "UPDATE assets SET [Asset Cost - Tax] = 1000, [Date Disposed] = NULL, "
            "[Tax Dprn Override] = 0, [Business Use Percentage - Tax] = 1");
        db.execute(std::string("UPDATE assets SET [") + c.column + "] = " + c.sql);
        Asset a = readAsset(db, id);
        EXPECT_EQ(unreadableColumns(a.unreadable), c.unreadable ? c.column : "")
            << c.column << " = " << c.sql;

        // A window that holds the column's value reads it by the same rules.
        if (c.sql[0] == 'x') continue;  // a value in memory is never a blob
        Statement stored(db, "SELECT " + bracket(c.column) + " FROM assets");
        ASSERT_TRUE(stored.step());
        Asset set = a;
        set.unreadable = 0;
        EXPECT_EQ(setAssetValue(set, assetFieldIndex(c.column), stored.column(0)), !c.unreadable)
            << c.column << " = " << c.sql;
        EXPECT_EQ(set, a) << c.column << " = " << c.sql;
    }
}

// Every field's value, as a window sees it, is what the file holds, and
// setting the fields from those values gives the asset back.
TEST(AssetReading, EachFieldsValueIsTheStoredOne) {
    Connection db = testing::makeCompany();
    Asset asset = testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31");
    asset.groupName = "Office";
    asset.disposed = parseIsoDate("2014-01-31");
    asset.costBook.reset();
    asset.listedProperty = true;
    asset.companyNumber = 7;
    asset.rowId = insertAsset(db, asset);
    Statement stored(db, "SELECT * FROM assets");
    ASSERT_TRUE(stored.step());
    Asset set;
    set.rowId = asset.rowId;
    for (int field = 0; field < static_cast<int>(kAssetFields.size()); ++field) {
        const Value value = stored.column(field + 1);  // after AssetID
        EXPECT_EQ(stored.columnName(field + 1), kAssetFields[field].column);
        EXPECT_EQ(assetValue(asset, field), value) << kAssetFields[field].column;
        EXPECT_TRUE(setAssetValue(set, field, value)) << kAssetFields[field].column;
    }
    EXPECT_EQ(set, asset);
}

TEST(AssetReading, ReadValuesAreTheStoredOnes) {
    Connection db = testing::makeCompany();
    const auto id =
        insertAsset(db, testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31"));
    db.execute(
        "UPDATE assets SET [Asset Cost - Tax] = ' 5000.25 ', [Tax Dprn Override] = 'True', "
        "[Date Disposed] = '2012-06-15', [Asset Cost - Book] = ''");
    Asset a = readAsset(db, id);
    EXPECT_EQ(a.unreadable, 0u);
    EXPECT_EQ(a.costTax, 5000.25);
    EXPECT_FALSE(a.costBook);
    EXPECT_TRUE(a.taxOverride);
    EXPECT_EQ(a.disposed, parseIsoDate("2012-06-15"));
}

}  // namespace
}  // namespace czx
