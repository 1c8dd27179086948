// Declining balance at 125 %, 150 % and 200 %, book and old-law tax.
#include <gtest/gtest.h>

#include "engine/formulas/calculators.h"
#include "tests/engine/asset_desk.h"

namespace czx {
namespace {

using testing::AssetDesk;
using testing::Calculator;
using testing::expectSchedule;
using testing::ymd;

struct Variant {
    const char* procedure;
    Calculator calculator;
    bool book;
};

const Variant kVariants[] = {
    {"Calcform.CalcDDB125Book", CalcDDB125Book, true},
    {"Calcform.CalcDDB150Book", CalcDDB150Book, true},
    {"Calcform.CalcDDB200Book", CalcDDB200Book, true},
    {"Calcform.CalcDDB125OldTax", CalcDDB125OldTax, false},
    {"Calcform.CalcDDB150OldTax", CalcDDB150OldTax, false},
    {"Calcform.CalcDDB200OldTax", CalcDDB200OldTax, false},
};

// Cost 10,000 over 5 years on both sides.
void tenThousandOverFive(AssetDesk& d) {
    d.asset.costBook = d.asset.costTax = 10000;
    d.asset.busUseBook = d.asset.busUseTax = 1;
    d.asset.lifeBook = d.asset.lifeTax = "5";
}

TEST(DecliningBalance, FirstYearOfEachRate) {
    // Placed January 5: the first month counts, a full first year.
    const double expected[] = {2500, 3000, 4000, 2500, 3000, 4000};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(kVariants[i].procedure);
        AssetDesk d(ymd(2012, 12, 31), ymd(2012, 1, 5));
        tenThousandOverFive(d);
        const Variant& v = kVariants[i];
        EXPECT_NEAR(v.book ? d.runBook(v.calculator) : d.runTax(v.calculator), expected[i], 1e-6);
    }
}

// Each year takes the larger of the declining balance and the straight line
// over the months left, and the schedule recovers the whole cost.
TEST(DecliningBalance, TwoHundredPercentSwitchesToStraightLine) {
    struct Case {
        const char* name;
        const Variant& variant;
        Date yearEnd;
        Date placed;
        std::vector<double> schedule;
    };
    const Case cases[] = {
        // Year 4: declining balance 864 is below the straight line 2,160 ÷ 2.
        {"200 % book, January 5",
         kVariants[2],
         ymd(2012, 12, 31),
         ymd(2012, 1, 5),
         {4000, 2400, 1440, 1080, 1080, 0}},
        {"200 % tax, January 5",
         kVariants[5],
         ymd(2012, 12, 31),
         ymd(2012, 1, 5),
         {4000, 2400, 1440, 1080, 1080, 0}},
        // July 20 (past the middle): 5 months in year 1; months left at the
        // start of years 2 to 6: 55, 43, 31, 19, 7.
        //   3,333.33 = 8,333.33 × 0.4;  2,000 = 5,000 × 0.4;  1,200 = 3,000 × 0.4
        //   1,136.84 = 1,800 × 12 ÷ 19 (more than 720);  663.16 what is left.
        {"200 %, July 20",
         kVariants[2],
         ymd(2012, 12, 31),
         ymd(2012, 7, 20),
         {1666.67, 3333.33, 2000, 1200, 1136.84, 663.16, 0}},
        // 150 %: 2,100 = 7,000 × 0.3;  1,633.33 = 4,900 ÷ 3 (more than 1,470);
        // 1,633.335 to the even cent 1,633.34;  the rest 1,633.33.
        {"150 %, January 5",
         kVariants[4],
         ymd(2012, 12, 31),
         ymd(2012, 1, 5),
         {3000, 2100, 1633.33, 1633.34, 1633.33, 0}},
        // June year end, placed September 10, 2011 (fiscal month 3, counts):
        // 10 months in year 1; months left at the start of years 2 to 6: 50,
        // 38, 26, 14, 2.
        //   2,666.67 = 6,666.67 × 0.4;  1,600 = 4,000 × 0.4 (straight line
        //   1,263.16);  1,107.69 = 2,400 × 12 ÷ 26 (more than 960);
        //   1,107.69 = 1,292.31 × 12 ÷ 14;  184.62 what is left.
        {"200 %, June year end",
         kVariants[5],
         ymd(2012, 6, 30),
         ymd(2011, 9, 10),
         {3333.33, 2666.67, 1600, 1107.69, 1107.69, 184.62, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AssetDesk d(c.yearEnd, c.placed);
        tenThousandOverFive(d);
        const auto stored =
            d.schedule(c.variant.calculator, static_cast<int>(c.schedule.size()), c.variant.book);
        expectSchedule(stored, c.schedule);
        EXPECT_NEAR(testing::sum(stored), 10000, 1e-6);
    }
}

TEST(DecliningBalance, BusinessUseSalvageAndOverDepreciation) {
    struct Case {
        const char* name;
        double businessUse;
        double salvage;
        double prior;
        int recoveryYear;
        double expected;
    };
    const Case cases[] = {
        {"60 % business use depreciates 6,000", 0.6, 0, 0, 1, 2400},
        {"salvage value plays no part", 1, 5000, 0, 1, 4000},
        {"more taken than the business cost: negative", 1, 0, 10500, 3, -500},
        {"more taken in the first year: negative", 1, 0, 10500, 1, -500},
        {"exactly 12 months left: all the rest", 1, 0, 8920, 5, 1080},
    };
    for (const Variant& v : {kVariants[2], kVariants[5]}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(::testing::Message() << v.procedure << ": " << c.name);
            AssetDesk d(ymd(2012, 12, 31), ymd(2012, 1, 5));
            tenThousandOverFive(d);
            d.asset.busUseBook = d.asset.busUseTax = c.businessUse;
            d.asset.salvageBook = d.asset.salvageTax = c.salvage;
            d.asset.priorAccumBook = d.asset.priorAccumTax = c.prior;
            d.atRecoveryYear(c.recoveryYear);
            EXPECT_NEAR(v.book ? d.runBook(v.calculator) : d.runTax(v.calculator), c.expected,
                        1e-6);
        }
    }
}

}  // namespace
}  // namespace czx
