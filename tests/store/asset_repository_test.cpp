// The asset screen's way to the rows: round trips, and no stored value lost
// through a load-change-save (the browse order is the asset source's test).
#include "store/asset_repository.h"

#include <gtest/gtest.h>

#include <functional>

#include "store/assets.h"
#include "store/columns.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

Asset sampleAsset() {
    return testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31");
}

struct UnreadableCase {
    const char* column;
    const char* sql;     // what the file holds, as SQL
    const char* stored;  // the text the screen shows for it
    // How the user replaces it (nothing: by an empty value), and the text
    // the file then holds.
    std::function<void(Asset&)> replace;
    const char* replaced;
};

TEST(AssetRepository, StoredTextTheRowCannotHoldSurvivesAnEditOfAnotherColumn) {
    const UnreadableCase cases[] = {
        {"Asset Cost - Tax", "'$5000'", "$5000", [](Asset& a) { a.costTax = 5000.0; }, "5000"},
        {"Business Use Percentage - Tax", "'50%'", "50%", [](Asset& a) { a.busUseTax = 0.5; },
         "0.5"},
        {"Date Disposed", "'06/15/2012'", "06/15/2012",
         [](Asset& a) { a.disposed = parseIsoDate("2012-06-15"); }, "2012-06-15"},
        {"Date Disposed", "'06/15/2012'", "06/15/2012", [](Asset&) {}, ""},
        {"Tax Dprn Override", "'Yes'", "Yes", [](Asset& a) { a.taxOverride = true; }, "1"},
        {"YRPIS", "41075", "41075", [](Asset&) {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.column) + " = " + c.sql);
        Connection db = testing::makeCompany();
        AssetRepository assets(db);
        const auto key = assets.insert(sampleAsset());
        db.execute(std::string("UPDATE assets SET ") + bracket(c.column) + " = " + c.sql);

        const Asset before = *assets.find(key);
        EXPECT_EQ(unreadableColumns(before.unreadable), c.column);
        EXPECT_EQ(assets.storedText(key, c.column), c.stored);

        Asset after = before;
        after.description = "Forklift";
        EXPECT_EQ(assets.update(key, before, after), 1);
        const Asset edited = *assets.find(key);
        EXPECT_EQ(edited.description, "Forklift");
        EXPECT_EQ(edited.unreadable, before.unreadable);
        EXPECT_EQ(assets.storedText(key, c.column), c.stored);

        Asset replaced = edited;
        replaced.unreadable = 0;
        c.replace(replaced);
        EXPECT_EQ(assets.update(key, edited, replaced), 1);
        EXPECT_EQ(*assets.find(key), replaced);
        EXPECT_EQ(assets.storedText(key, c.column), c.replaced);
    }
}

struct EditCase {
    const char* what;
    std::function<void(Asset&)> edit;
    int columnsWritten;
};

TEST(AssetRepository, WhatIsSavedIsWhatLoadsAgainAndOnlyChangesAreWritten) {
    const EditCase cases[] = {
        {"nothing", [](Asset&) {}, 0},
        {"text", [](Asset& a) { a.groupName = "Vehicles"; }, 1},
        {"money emptied", [](Asset& a) { a.costBook.reset(); }, 1},
        {"money set", [](Asset& a) { a.salvageTax = 125.5; }, 1},
        {"dates",
         [](Asset& a) {
             a.disposed = parseIsoDate("2013-02-28");
             a.placedInService = parseIsoDate("2012-04-01");
         },
         2},
        {"date emptied", [](Asset& a) { a.yrpis.reset(); }, 1},
        {"flags",
         [](Asset& a) {
             a.listedProperty = true;
             a.assetChanged = false;
         },
         2},
    };
    Connection db = testing::makeCompany();
    AssetRepository assets(db);
    Asset asset = sampleAsset();
    asset.groupName = "Office";
    asset.midQrtAsset = "3";
    asset.passengerAuto = true;
    asset.line24eBasis = 800.25;
    const auto key = assets.insert(asset);
    asset.rowId = key;
    ASSERT_EQ(assets.find(key), asset);

    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Asset after = asset;
        c.edit(after);
        // What another writer stores meanwhile in a column this edit leaves alone.
        db.execute("UPDATE assets SET [Current Dprn - Tax] = 77.5 WHERE rowid = ?", {Value(key)});
        after.currentTax = asset.currentTax;
        EXPECT_EQ(assets.update(key, asset, after), c.columnsWritten);
        after.currentTax = 77.5;
        EXPECT_EQ(assets.find(key), after);
        asset = after;
    }

    EXPECT_TRUE(assets.remove(key));
    EXPECT_FALSE(assets.find(key));
    EXPECT_FALSE(assets.remove(key));
    Asset changed = asset;
    changed.description = "gone";
    try {
        assets.update(key, asset, changed);
        ADD_FAILURE() << "an update of a deleted row was taken";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 3021);
    }
}

TEST(AssetRepository, StoredTextIsOnlyForAssetColumns) {
    Connection db = testing::makeCompany();
    AssetRepository assets(db);
    const auto key = assets.insert(sampleAsset());
    EXPECT_EQ(assets.storedText(key, col::LifeTax), "5");
    EXPECT_EQ(assets.storedText(key, col::Disposed), "");
    EXPECT_THROW(assets.storedText(key, "rowid) FROM assets; --"), Error);
    EXPECT_THROW(assets.storedText(key + 1, col::LifeTax), Error);
}

}  // namespace
}  // namespace czx
