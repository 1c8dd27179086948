#include "base/dates.h"

#include <gtest/gtest.h>

namespace czx {
namespace {

TEST(Dates, ReadsAndWritesTheStoredAndShownForms) {
    auto d = parseIsoDate("2012-03-05");
    ASSERT_TRUE(d);
    EXPECT_EQ(isoDate(*d), "2012-03-05");
    EXPECT_EQ(shortDate(*d), "3/5/2012");
    EXPECT_EQ(paddedDate(*d), "03/05/2012");
    EXPECT_EQ(parseUsDate("3/5/2012"), d);
    EXPECT_EQ(parseUsDate("03/05/2012"), d);
    EXPECT_EQ(parseIsoDate("2012-03-05 00:00:00"), d);
}

TEST(Dates, RefusesImpossibleAndMalformedDates) {
    for (const char* text : {"", "2011-02-29", "2012-13-01", "2012-00-10", "12-03-05", "2012/03/05",
                             "2012-3-5", "abcd-ef-gh"})
        EXPECT_FALSE(parseIsoDate(text)) << text;
    for (const char* text : {"", "2/30/2012", "13/1/2012", "3/5/12", "3-5-2012", "3/5/2012x"})
        EXPECT_FALSE(parseUsDate(text)) << text;
}

TEST(Dates, AddingYearsClampsTheLeapDay) {
    struct Case {
        const char* from;
        int years;
        const char* to;
    };
    const Case cases[] = {
        {"2012-02-29", 1, "2013-02-28"},  {"2012-02-29", -1, "2011-02-28"},
        {"2012-02-29", 4, "2016-02-29"},  {"2012-12-31", 1, "2013-12-31"},
        {"2013-02-28", -1, "2012-02-28"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isoDate(addYearsClamped(*parseIsoDate(c.from), c.years)), c.to) << c.from;
}

TEST(Dates, CountsDaysAndMonthLengths) {
    EXPECT_EQ(daysBetween(*parseIsoDate("2011-12-31"), *parseIsoDate("2012-12-31")), 366);
    EXPECT_EQ(daysBetween(*parseIsoDate("2012-06-30"), *parseIsoDate("2013-06-30")), 365);
    EXPECT_EQ(daysInMonth(2, false), 28);
    EXPECT_EQ(daysInMonth(2, true), 29);
    EXPECT_EQ(daysInMonth(9, false), 30);
    EXPECT_EQ(daysInMonth(12, false), 31);
}

}  // namespace
}  // namespace czx
