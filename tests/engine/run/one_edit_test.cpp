// The run after an edit reads only what the edit concerns: the changed rows
// through their own index, the rows the checks warn of through theirs, and
// the year's new assets only when one of them, or their number, changed.
// Whatever it skips, it must store and say exactly what a run over every
// asset stores and says. Each step edits two equal companies alike; one is
// depreciated as after an edit, the other with every asset recomputed.
#include <gtest/gtest.h>

#include "engine/run/run.h"
#include "store/assets.h"
#include "store/close_year.h"
#include "store/company_files.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::makeAsset;

struct Step {
    const char* what;
    const char* sql;  // applied to both companies
    // Times the edited company's run read the year's new assets: 0 when it
    // kept last run's figures; 1 when its walk read every row (the mid-quarter
    // outcome changed, or most rows were flagged) and counted them there.
    int yearVisits;
    bool closeYearFirst = false;
};

// Keys 1-4 are inserted in this order by the fixture.
const Step kSteps[] = {
    {"an earlier year's asset edited",
     "UPDATE assets SET [Asset Cost - Tax] = 9000, assetchng = 1 WHERE rowid = 3", 0},
    {"a new asset raised past 40 % of the year's basis in the last quarter",
     "UPDATE assets SET [Asset Cost - Tax] = 20000, assetchng = 1 WHERE rowid = 2", 1},
    {"an earlier asset edited while the year is mid-quarter",
     "UPDATE assets SET [Asset Cost - Tax] = 9500, assetchng = 1 WHERE rowid = 3", 0},
    {"a new asset deleted, which flags nothing", "DELETE FROM assets WHERE rowid = 2", 1},
    {"an earlier asset over-depreciated by hand, unflagged",
     "UPDATE assets SET [Prior Accumulated Dprn - Tax] = 9400 WHERE rowid = 3", 0},
    {"a new asset's Section 179 expense above the year's limit",
     "UPDATE assets SET [SecOneSevenNine] = 600000, [Asset Cost - Tax] = 700000, "
     "assetchng = 1 WHERE rowid = 1",
     2},
    {"an earlier asset edited while the limit is exceeded",
     "UPDATE assets SET [Asset Cost - Tax] = 9600, assetchng = 1 WHERE rowid = 4", 0},
    {"the mid-quarter flag changed by hand", "UPDATE Defaults SET [Mid Qrt YR Tax] = 1", 1},
    {"nothing changed", "SELECT 1", 0},
    {"the year closed", "SELECT 1", 1, true},
    {"an asset of the new year's added",
     "INSERT INTO assets (companynumber, [Asset Description], [Dprn Method - Tax], "
     "[Dprn Life - Tax], [Asset Cost - Tax], [Dprn Method - Book], [Dprn Life - Book], "
     "[Asset Cost - Book], [Business Use Percentage - Tax], [Business Use Percentage - Book], "
     "[Date Placed in Service], YRPIS, assetchng) VALUES (1, 'Van', 'MACRS', '5', 30000, "
     "'SL - Book', '5', 30000, 1, 1, '2013-11-20', '2013-12-31', 1)",
     1},
};

// Two of the year's new assets, one in its first quarter and one in its last,
// and two of earlier years.
Connection company() {
    const struct {
        const char* description;
        const char* method;
        const char* life;
        double cost;
        const char* placed;
        const char* yrpis;
    } seeds[] = {{"Spring press", "MACRS", "5", 10000.0, "2012-03-10", "2012-12-31"},
                 {"Autumn lathe", "MACRS", "7", 5000.0, "2012-11-15", "2012-12-31"},
                 {"Old drill", "MACRS", "5", 8000.0, "2010-06-01", "2010-12-31"},
                 {"Shed", "MACRS", "39", 100000.0, "2011-02-01", "2011-12-31"}};
    Connection db = testing::makeCompany();
    for (const auto& seed : seeds) {
        Asset asset = makeAsset(seed.method, seed.life, seed.cost, seed.placed, seed.yrpis);
        asset.description = seed.description;
        insertAsset(db, asset);
    }
    return db;
}

TEST(OneEditRun, StoresAndSaysWhatARunOverEveryAssetDoes) {
    Connection edited = company();
    Connection reference = company();
    testing::RecordingFeedback first;
    ASSERT_TRUE(depreciateAssets(edited, first).completed);
    ASSERT_TRUE(depreciateAssets(reference, first, true).completed);

    for (const Step& step : kSteps) {
        SCOPED_TRACE(step.what);
        for (Connection* db : {&edited, &reference}) {
            if (step.closeYearFirst) {
                ASSERT_EQ(closeYear(*db).assetsClosed, 3);
            }
            db->execute(step.sql);
        }
        testing::RecordingFeedback editedSays, referenceSays;
        const RunSummary summary = depreciateAssets(edited, editedSays);
        ASSERT_TRUE(summary.completed);
        ASSERT_TRUE(depreciateAssets(reference, referenceSays, true).completed);
        EXPECT_EQ(summary.yearVisits, step.yearVisits);
        EXPECT_EQ(testing::tableRows(edited, "assets"), testing::tableRows(reference, "assets"));
        EXPECT_EQ(testing::tableRows(edited, "Defaults"),
                  testing::tableRows(reference, "Defaults"));
        EXPECT_EQ(editedSays.messages, referenceSays.messages);
    }
}

// The checks find the rows they warn of through the indexes that hold only
// those: accumulated plus current depreciation more than a dollar above cost
// on either side, and the two dates in different years or in the wrong order.
TEST(OneEditRun, TheChecksFindTheRowsTheyConcern) {
    Connection db = company();
    testing::RecordingFeedback says;
    ASSERT_TRUE(depreciateAssets(db, says).completed);
    // A dollar over is tolerated, a cent more is not.
    db.execute(
        "UPDATE assets SET [Prior Accumulated Dprn - Tax] = [Asset Cost - Tax] - "
        "[Current Dprn - Tax] + 1.00, [Prior Accumulated Dprn - Book] = 9000 WHERE rowid = 3");
    db.execute(
        "UPDATE assets SET [Prior Accumulated Dprn - Tax] = [Asset Cost - Tax] - "
        "[Current Dprn - Tax] + 1.01 WHERE rowid = 4");
    db.execute("UPDATE assets SET [Date Placed in Service] = '2013-01-05' WHERE rowid = 1");
    db.execute("UPDATE assets SET [Date Placed in Service] = '2011-01-05' WHERE rowid = 2");
    struct Expected {
        const char* description;
        bool accumTax, accumBook, yearMismatch, placedAfter;
    };
    const Expected expected[] = {{"Spring press", false, false, true, true},
                                 {"Autumn lathe", false, false, true, false},
                                 {"Old drill", false, true, false, false},
                                 {"Shed", true, false, false, false}};
    const std::vector<QuestionableRow> rows = questionableRows(db, 1);
    ASSERT_EQ(rows.size(), std::size(expected));
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].description);
        EXPECT_EQ(rows[i].description, expected[i].description);
        EXPECT_EQ(rows[i].accumTax, expected[i].accumTax);
        EXPECT_EQ(rows[i].accumBook, expected[i].accumBook);
        EXPECT_EQ(rows[i].yearMismatch, expected[i].yearMismatch);
        EXPECT_EQ(rows[i].placedAfter, expected[i].placedAfter);
    }
}

TEST(OneEditRun, ReplacingTheAssetsForgetsTheKeptFigures) {
    Connection db = company();
    testing::RecordingFeedback says;
    ASSERT_TRUE(depreciateAssets(db, says).completed);
    ASSERT_TRUE(readYearFigures(db, 1).has_value());
    deleteAllAssets(db);
    EXPECT_FALSE(readYearFigures(db, 1).has_value());
}

}  // namespace
}  // namespace czx
