#include "base/money.h"

#include <gtest/gtest.h>

#include "base/trail.h"

namespace czx {
namespace {

struct RoundingCase {
    double input;
    double currency;  // half to even at 4 places
    double cents;     // then half to even at 2 places
};

TEST(Money, RoundsTheExactDecimalValueHalfToEven) {
    const RoundingCase cases[] = {
        {0.0, 0.0, 0.0},
        {1.005, 1.005, 1.0},          // 1.00499999... as a double, yet 1.0050 at 4 places: a tie, even cent
        {1.015, 1.015, 1.02},         // 1.01499999..., 1.0150: a tie, 2 is even
        {2.675, 2.675, 2.68},         // 2.67499999..., 2.6750 at 4 places, tie to the even 8
        {1.0049, 1.0049, 1.0},
        {1.0051, 1.0051, 1.01},
        {0.125, 0.125, 0.12},         // exact tie at the cent
        {0.135, 0.135, 0.14},
        {-0.125, -0.125, -0.12},
        {-0.135, -0.135, -0.14},
        {-1.0051, -1.0051, -1.01},
        {0.00005, 0.0001, 0.0},       // stored just above the tie: 0.0001, then 0.00
        {1234567.895, 1234567.895, 1234567.9},
        {130000.125, 130000.125, 130000.12},
        {99.99999, 100.0, 100.0},
        {12.34564999, 12.3456, 12.35},  // 4 places first, then 2: 12.3456 -> 12.35
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(money::toCurrency(c.input), c.currency) << c.input;
        EXPECT_DOUBLE_EQ(money::roundCents(c.input), c.cents) << c.input;
    }
}

TEST(Money, TwoStepsDifferFromOneWhereTheFourthPlaceCarries) {
    // 0.004999 rounds to 0.0050 at 4 places, a tie at the cent: even 0.00.
    EXPECT_DOUBLE_EQ(money::roundCents(0.004999), 0.0);
    // 0.014999 -> 0.0150 -> tie -> 0.02.
    EXPECT_DOUBLE_EQ(money::roundCents(0.014999), 0.02);
}

TEST(Money, EmptyStaysEmptyAndCountsAsZero) {
    EXPECT_FALSE(money::roundCents(std::optional<double>{}).has_value());
    EXPECT_DOUBLE_EQ(money::value(std::nullopt), 0.0);
}

TEST(Money, RefusesAmountsItCannotHold) {
    EXPECT_THROW(money::roundCents(1e300), Error);
    EXPECT_THROW(money::roundCents(std::numeric_limits<double>::quiet_NaN()), Error);
    EXPECT_THROW(money::roundCents(std::numeric_limits<double>::infinity()), Error);
}

}  // namespace
}  // namespace czx
