// The record check an asset's row must pass before it is stored or left,
// and the checks of its first-year dates.
#include "engine/rules/record_check.h"

#include <gtest/gtest.h>

#include "tests/support/testing.h"

namespace czx {
namespace {

using testing::ymd;

// A complete row of a company that keeps both column sets: 100 % business
// use, MACRS 5 for tax, straight line 5 for book.
RecordCheckInput complete() {
    RecordCheckInput in;
    in.regularFederal = in.book = true;
    in.methodTax = "MACRS";
    in.lifeTax = "5";
    in.methodBook = "SL - Book";
    in.lifeBook = "5";
    in.useTax = 1;
    return in;
}

TEST(CheckRecord, NamesTheFirstRuleTheRowBreaks) {
    struct Case {
        const char* name;
        void (*shape)(RecordCheckInput&);
        RecordWarning expected;
    };
    const Case cases[] = {
        {"complete", [](RecordCheckInput&) {}, RecordWarning::None},
        {"no tax method", [](RecordCheckInput& in) { in.methodTax = ""; },
         RecordWarning::MethodMissing},
        {"tax method of spaces", [](RecordCheckInput& in) { in.methodTax = "  "; },
         RecordWarning::MethodMissing},
        {"no tax life", [](RecordCheckInput& in) { in.lifeTax = ""; }, RecordWarning::LifeMissing},
        {"no tax method nor life: the method first",
         [](RecordCheckInput& in) { in.methodTax = in.lifeTax = ""; },
         RecordWarning::MethodMissing},
        {"blank tax share", [](RecordCheckInput& in) { in.useTaxBlank = true; },
         RecordWarning::UseTaxMissing},
        {"tax share over 100 %", [](RecordCheckInput& in) { in.useTax = 1.5; },
         RecordWarning::UseOver100},
        {"no book method", [](RecordCheckInput& in) { in.methodBook = ""; },
         RecordWarning::MethodMissing},
        {"no book life", [](RecordCheckInput& in) { in.lifeBook = ""; },
         RecordWarning::LifeMissing},
        {"blank book share", [](RecordCheckInput& in) { in.useBookBlank = true; },
         RecordWarning::UseBookMissing},
        {"the tax set first",
         [](RecordCheckInput& in) {
             in.useTax = 1.5;
             in.methodBook = "";
         },
         RecordWarning::UseOver100},
        {"no tax set: its columns are not checked",
         [](RecordCheckInput& in) {
             in.regularFederal = false;
             in.methodTax = in.lifeTax = "";
             in.useTaxBlank = true;
             in.useTax = 3;
         },
         RecordWarning::None},
        {"no book set: its columns are not checked",
         [](RecordCheckInput& in) {
             in.book = false;
             in.methodBook = in.lifeBook = "";
             in.useBookBlank = true;
         },
         RecordWarning::None},
    };
    for (const Case& c : cases) {
        RecordCheckInput in = complete();
        c.shape(in);
        EXPECT_EQ(checkRecord(in), c.expected) << c.name;
    }
}

// Listed property or a passenger automobile at 50 % business use or less must
// take straight line, and may take no Section 179 expense in its first year.
TEST(CheckRecord, ListedPropertyAtHalfBusinessUseOrLess) {
    struct Case {
        bool listed;
        double use;
        const char* method;
        bool placedThisYear;
        double section179;
        RecordWarning expected;
    };
    const char* sl = "MACRS SL-PP";
    const Case cases[] = {
        {true, 0.4, "MACRS", false, 0, RecordWarning::UseMethodSLPP},
        {true, 0.5, "MACRS", false, 0, RecordWarning::UseMethodSLPP},
        {true, 0.51, "MACRS", false, 0, RecordWarning::None},
        {true, 0.4, sl, false, 0, RecordWarning::None},
        {true, 0.4, "MACRS", true, 1000, RecordWarning::UseNoSection179},
        {true, 0.4, sl, true, 1000, RecordWarning::UseNoSection179},
        {true, 0.4, sl, false, 1000, RecordWarning::None},  // Section 179 of an earlier year
        {false, 0.4, "MACRS", false, 0, RecordWarning::None},
    };
    for (const Case& c : cases) {
        RecordCheckInput in = complete();
        in.listedOrAuto = c.listed;
        in.useTax = c.use;
        in.methodTax = c.method;
        in.placedThisYear = c.placedThisYear;
        in.section179 = c.section179;
        EXPECT_EQ(checkRecord(in), c.expected)
            << c.listed << " " << c.use << " " << c.method << " " << c.section179;
    }
}

TEST(IsCompanyYearEnd, SameMonthAndDayOrTheLastOfFebruary) {
    struct Case {
        Date yrpis, yearEnd;
        bool expected;
    };
    const Case cases[] = {
        {ymd(2012, 12, 31), ymd(2012, 12, 31), true},
        {ymd(1998, 12, 31), ymd(2012, 12, 31), true},
        {ymd(2012, 6, 30), ymd(2012, 12, 31), false},
        {ymd(2012, 12, 30), ymd(2012, 12, 31), false},
        {ymd(2011, 6, 30), ymd(2013, 6, 30), true},
        // The last of February in a leap year and in another year.
        {ymd(2012, 2, 29), ymd(2013, 2, 28), true},
        {ymd(2013, 2, 28), ymd(2012, 2, 29), true},
        {ymd(2012, 2, 28), ymd(2013, 2, 28), true},
        // The 28th of a leap February is not its last day.
        {ymd(2012, 2, 28), ymd(2012, 2, 29), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isCompanyYearEnd(c.yrpis, c.yearEnd), c.expected)
            << shortDate(c.yrpis) << " against " << shortDate(c.yearEnd);
}

TEST(CheckPlacedDates, PlacedWithinTheYearEndingOnYrpis) {
    struct Case {
        Date placed, yrpis;
        bool apart, after;
    };
    const Case cases[] = {
        {ymd(2012, 6, 1), ymd(2012, 12, 31), false, false},
        {ymd(2012, 12, 31), ymd(2012, 12, 31), false, false},
        {ymd(2012, 1, 1), ymd(2012, 12, 31), false, false},
        // 2012 is a leap year: 366 days from 12/31/2011.
        {ymd(2011, 12, 31), ymd(2012, 12, 31), true, false},
        {ymd(2011, 1, 1), ymd(2012, 12, 31), true, false},
        {ymd(2013, 1, 1), ymd(2012, 12, 31), false, true},
        {ymd(2012, 7, 1), ymd(2012, 6, 30), false, true},
        {ymd(2011, 7, 1), ymd(2012, 6, 30), false, false},
        {ymd(2011, 6, 30), ymd(2012, 6, 30), true, false},
    };
    for (const Case& c : cases) {
        const PlacedDatesCheck check = checkPlacedDates(c.placed, c.yrpis);
        EXPECT_EQ(check.moreThanAYearApart, c.apart)
            << shortDate(c.placed) << " in " << shortDate(c.yrpis);
        EXPECT_EQ(check.placedAfterYrpis, c.after)
            << shortDate(c.placed) << " in " << shortDate(c.yrpis);
    }
}

}  // namespace
}  // namespace czx
