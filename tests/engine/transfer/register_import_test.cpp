// The asset register brought in from CSV and written out again.
#include "engine/transfer/register_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "store/asset_repository.h"
#include "store/assets.h"
#include "store/company_repository.h"
#include "store/register_export.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

using testing::ymd;

ImportResult import(Connection& db, const std::string& csv, ImportOptions options = {}) {
    std::istringstream in(csv);
    return importRegister(db, testing::builtDataFile("czxdmthd.mdb"), in, options);
}

std::vector<Asset> assetsOf(Connection& db) {
    AssetRepository repository(db);
    std::vector<Asset> assets;
    for (auto key : repository.keys(1)) {
        assets.push_back(*repository.find(key));
        assets.back().rowId = 0;
    }
    return assets;
}

const std::string kHeader =
    "Asset Description,Date Placed in Service,Dprn Method - Tax,Dprn Life - Tax,"
    "Asset Cost - Tax,Dprn Method - Book,Dprn Life - Book,groupname,"
    "Business Use Percentage - Tax\n";

TEST(RegisterImport, ListsEveryProblemWithItsLineAndImportsNothing) {
    Connection db = testing::makeCompany();
    GroupRepository(db).add("Vehicles");
    const auto before = testing::companySnapshot(db);
    // Line 5's description holds a line break, so the rows after it start
    // one line further on: the chair on line 7, the short row on line 8.
    const std::string csv = kHeader +
                            "Lathe,3/15/2012,MACRS,7,24000,SL - Book,7,,1\n"
                            "Press,2012-13-01,MACRS,7,9000,SL - Book,7,,1\n"
                            "Truck,2012-05-01,MACRS,4,$9000,SL - Book,5,Vans,1\n"
                            "\"Desk,\noak\",2012-02-01,MACRS,7,800,SL - Book,7,Vehicles,1.5\n"
                            "Chair,2012-02-01,MACRS-Foo,7,500,,,,1\n"
                            "short,row\n";
    const ImportResult result = import(db, csv);
    const std::vector<std::string> expected = {
        "line 3, column Date Placed in Service: \"2012-13-01\" is not a date (YYYY-MM-DD or "
        "M/D/YYYY)",
        "line 4, column Asset Cost - Tax: \"$9000\" is not a number",
        "line 4, column Dprn Life - Tax: \"4\" is not a life the method MACRS takes",
        "line 4, column groupname: no group is named \"Vans\"",
        "line 5, column Business Use Percentage - Tax: \"1.5\" is not a business use from 0 to "
        "1 (1 is 100 %)",
        "line 7, column Dprn Method - Tax: \"MACRS-Foo\" is not a method of the catalogue",
        "line 8: 2 fields, but the header names 9 columns",
    };
    EXPECT_EQ(result.problems, expected);
    EXPECT_FALSE(result.written);
    EXPECT_EQ(testing::companySnapshot(db), before);

    // The header is checked first: a name that is no column, one named
    // twice, a required column left out.
    const ImportResult header =
        import(db,
               "Asset Description,Colour,Dprn Method - Tax,dprn method - tax,Dprn Life - Tax,"
               "Asset Cost - Tax\n");
    EXPECT_EQ(header.problems, (std::vector<std::string>{
                                   "line 1, column Colour: no column of the asset register has "
                                   "this name",
                                   "line 1, column Dprn Method - Tax: the column is named twice",
                                   "line 1, column Date Placed in Service: the file must have "
                                   "this column"}));
}

TEST(RegisterImport, YrpisDefaultsToTheFiscalYearEndOnOrAfterPlacement) {
    // A 6/30 year end: placed 7/1/2012 falls in the year ending 6/30/2013,
    // placed 6/30/2012 ends its own year; a YRPIS given is kept.
    Connection db = testing::makeCompany("June", "2013-06-30");
    const ImportResult result = import(db, kHeader +
                                               "A,7/1/2012,MACRS,7,100,SL - Book,7,,1\n"
                                               "B,2013-01-15,MACRS,7,100,SL - Book,7,,1\n"
                                               "C,2012-06-30,MACRS,7,100,SL - Book,7,,1\n");
    ASSERT_TRUE(result.problems.empty()) << result.problems.front();
    const auto assets = assetsOf(db);
    ASSERT_EQ(assets.size(), 3u);
    EXPECT_EQ(assets[0].yrpis, ymd(2013, 6, 30));
    EXPECT_EQ(assets[1].yrpis, ymd(2013, 6, 30));
    EXPECT_EQ(assets[2].yrpis, ymd(2012, 6, 30));

    // A year end on the last day of February is the last day every year.
    EXPECT_EQ(fiscalYearEndFor(ymd(2013, 1, 10), ymd(2012, 2, 29)), ymd(2013, 2, 28));
    EXPECT_EQ(fiscalYearEndFor(ymd(2012, 2, 29), ymd(2011, 2, 28)), ymd(2012, 2, 29));
    EXPECT_EQ(fiscalYearEndFor(ymd(2012, 3, 1), ymd(2011, 2, 28)), ymd(2013, 2, 28));
}

TEST(RegisterImport, PartDepreciatedAssetsKeepTheirPriorAmountsAndNewGroupsAreCreated) {
    Connection db = testing::makeCompany();
    ensureRunIndexes(db);
    YearFigures kept;
    kept.yearEnd = "2012-12-31";
    writeYearFigures(db, 1, kept);
    const std::string csv =
        "Asset Description,Date Placed in Service,YRPIS,Dprn Method - Tax,Dprn Life - Tax,"
        "Asset Cost - Tax,Prior Accumulated Dprn - Tax,Dprn Method - Book,Dprn Life - Book,"
        "Prior Accumulated Dprn - Book,Prior Non Bus Accm Dprn,groupname\n"
        "Van,6/1/2010,12/31/2010,MACRS,5,\"30,000.00\",15600,SL - Book,5,9500,0,Vans\n"
        "Car,2011-03-01,2011-12-31,MACRS,5,20000,4000,SL - Book,5,3333.33,250,Vans\n";

    // A dry run checks and counts, and writes nothing.
    const auto before = testing::companySnapshot(db);
    ImportResult dry = import(db, csv, {.createGroups = true, .dryRun = true});
    EXPECT_TRUE(dry.problems.empty());
    EXPECT_EQ(dry.rows, 2);
    EXPECT_FALSE(dry.written);
    EXPECT_EQ(testing::companySnapshot(db), before);
    EXPECT_EQ(importSummary(dry, true),
              "Checked 2 assets: they can be imported, nothing was written; would create 1 "
              "group: Vans.");

    ImportResult result = import(db, csv, {.createGroups = true});
    EXPECT_TRUE(result.written);
    EXPECT_EQ(importSummary(result, false), "Imported 2 assets; created 1 group: Vans.");
    EXPECT_EQ(testing::groupNames(db), std::vector<std::string>{"Vans"});
    EXPECT_FALSE(readYearFigures(db, 1));
    const auto assets = assetsOf(db);
    ASSERT_EQ(assets.size(), 2u);
    // The van, 5-year MACRS on 30,000: 2010 and 2011 took 20 % + 32 % =
    // 15,600; book straight line 6,000 a year from June 2010: 7/12 of it
    // (3,500) + 6,000 = 9,500. The car, 20,000 from March 2011: 20 % =
    // 4,000 tax, 10/12 of 4,000 = 3,333.33 book. All come in as given.
    EXPECT_EQ(assets[0].costTax, 30000.0);
    EXPECT_EQ(assets[0].priorAccumTax, 15600.0);
    EXPECT_EQ(assets[0].priorAccumBook, 9500.0);
    EXPECT_EQ(assets[1].priorAccumTax, 4000.0);
    EXPECT_EQ(assets[1].priorAccumBook, 3333.33);
    EXPECT_EQ(assets[1].priorNonBusAccum, 250.0);
    EXPECT_EQ(assets[1].groupName, "Vans");
    EXPECT_EQ(assets[1].busUseTax, 1.0);  // left out: 100 %, as a new asset
    EXPECT_TRUE(assets[0].assetChanged && assets[1].assetChanged);
}

TEST(RegisterImport, TheSampleCompanyExportedAndImportedGivesBackTheSameRows) {
    testing::TempDir dir;
    std::filesystem::copy_file(testing::builtDataFile("czxdprnd.mdb"), dir / "sample.mdb");
    Connection sample = Connection::open(dir / "sample.mdb");
    std::ostringstream exported;
    const std::int64_t count = exportRegister(sample, exported);
    ASSERT_GT(count, 10);

    Connection empty = testing::makeCompany();
    const ImportResult result = import(empty, exported.str(), {.createGroups = true});
    ASSERT_TRUE(result.problems.empty()) << result.problems.front();
    EXPECT_EQ(result.rows, count);
    EXPECT_EQ(assetsOf(empty), assetsOf(sample));
    std::ostringstream again;
    exportRegister(empty, again);
    EXPECT_EQ(again.str(), exported.str());

    // Text the typed row cannot hold is written as the file holds it.
    sample.execute("UPDATE assets SET [Asset Cost - Tax] = '$5000' WHERE AssetID = 1");
    std::ostringstream kept;
    exportRegister(sample, kept);
    EXPECT_NE(kept.str().find(",$5000,"), std::string::npos);
}

TEST(RegisterExport, AmountsKeepEveryDigitTheFileHolds) {
    EXPECT_EQ(registerAmount(1234.5), "1234.50");
    EXPECT_EQ(registerAmount(-0.25), "-0.25");
    EXPECT_EQ(registerAmount(1234.5678), "1234.5678");  // a basis column's four places
    EXPECT_EQ(registerAmount(1.0 / 3), "0.3333333333333333");
}

}  // namespace
}  // namespace czx
