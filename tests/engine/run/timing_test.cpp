#include "engine/run/timing.h"

#include <gtest/gtest.h>

namespace czx {
namespace {

struct TimingCase {
    const char* yearEnd;
    const char* placed;
    const char* yrpis;
    double recoveryYear;
    int firstYearMonths;
    int placedFiscalMonth;
    int serviceMonthIndex;
    double placedMonthFraction;
    int daysInYear;  // from the prior year end, clamped on February 29
};

TEST(ServiceCalc, TimesTheRowInTheFiscalYear) {
    const TimingCase cases[] = {
        // Calendar-year company, placed 3/15/2012.
        {"2012-12-31", "2012-03-15", "2012-12-31", 1, 10, 3, 3, 15.0 / 31, 366},
        {"2014-12-31", "2012-03-15", "2012-12-31", 3, 10, 3, 27, 15.0 / 31, 365},
        // June year end: July is the first fiscal month, June the last.
        {"2012-06-30", "2011-07-01", "2012-06-30", 1, 12, 1, 1, 1.0 / 31, 366},
        {"2012-06-30", "2012-06-30", "2012-06-30", 1, 1, 12, 12, 1.0, 366},
        // Placed on February 29 in a fiscal year of 365 days: the month has 28.
        {"2013-06-30", "2012-02-29", "2012-06-30", 2, 5, 8, 20, 29.0 / 28, 365},
        // ... and 29 days in a fiscal year of 366.
        {"2012-12-31", "2012-02-10", "2012-12-31", 1, 11, 2, 2, 10.0 / 29, 366},
        // A February year end after a leap day: 2/28/2012 to 2/28/2013 is 366 days.
        {"2013-02-28", "2012-02-10", "2013-02-28", 1, 1, 12, 12, 10.0 / 29, 366},
        // Placed after the year end: recovery year 0.
        {"2012-12-31", "2013-01-05", "2013-12-31", 0, 12, 1, -11, 5.0 / 31, 366},
    };
    for (const auto& c : cases) {
        Company company;
        company.yearEnd = parseIsoDate(c.yearEnd);
        Asset asset;
        asset.placedInService = parseIsoDate(c.placed);
        asset.yrpis = parseIsoDate(c.yrpis);
        SCOPED_TRACE(std::string(c.yearEnd) + " " + c.placed);
        const int daysInYear = daysInFiscalYear(company);
        EXPECT_EQ(daysInYear, c.daysInYear);
        const Timing t = serviceCalc(company, asset, daysInYear);
        EXPECT_EQ(t.recoveryYear, c.recoveryYear);
        EXPECT_EQ(monthInServiceFunction(company, asset), c.firstYearMonths);
        EXPECT_EQ(t.placedFiscalMonth, c.placedFiscalMonth);
        EXPECT_EQ(t.serviceMonthIndex, c.serviceMonthIndex);
        EXPECT_DOUBLE_EQ(t.placedMonthFraction, c.placedMonthFraction);
        EXPECT_EQ(t.daysInYear, c.daysInYear);
    }
}

TEST(CalcMD, PositionsTheDisposalMonthInTheFiscalYear) {
    struct Case {
        const char* yearEnd;
        const char* disposed;
        int month;
    };
    const Case cases[] = {
        {"2012-06-30", "2012-03-10", 9},  {"2012-06-30", "2011-07-31", 1},
        {"2012-06-30", "2012-06-01", 12}, {"2012-12-31", "2012-05-20", 5},
        {"2013-02-28", "2012-12-01", 10},
    };
    for (const auto& c : cases) {
        Company company;
        company.yearEnd = parseIsoDate(c.yearEnd);
        Asset asset;
        asset.disposed = parseIsoDate(c.disposed);
        EXPECT_EQ(calcMD(company, asset), c.month) << c.yearEnd << " " << c.disposed;
    }
}

}  // namespace
}  // namespace czx
