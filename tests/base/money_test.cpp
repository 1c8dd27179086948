#include "base/money.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>
#include <string>

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
        {1.005, 1.005, 1.0},  // 1.00499999... as a double, yet 1.0050 at 4 places: a tie, even cent
        {1.015, 1.015, 1.02},  // 1.01499999..., 1.0150: a tie, 2 is even
        {2.675, 2.675, 2.68},  // 2.67499999..., 2.6750 at 4 places, tie to the even 8
        {1.0049, 1.0049, 1.0},
        {1.0051, 1.0051, 1.01},
        {0.125, 0.125, 0.12},  // exact tie at the cent
        {0.135, 0.135, 0.14},
        {-0.125, -0.125, -0.12},
        {-0.135, -0.135, -0.14},
        {-1.0051, -1.0051, -1.01},
        {0.00005, 0.0001, 0.0},  // stored just above the tie: 0.0001, then 0.00
        {1234567.895, 1234567.895, 1234567.9},
        {130000.125, 130000.125, 130000.12},
        {99.99999, 100.0, 100.0},
        {12.34564999, 12.3456, 12.35},  // 4 places first, then 2: 12.3456 -> 12.35
        // Two steps differ from one where the fourth place carries into a tie.
        {0.004999, 0.005, 0.0},
        {0.014999, 0.015, 0.02},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(money::toCurrency(c.input), c.currency) << c.input;
        EXPECT_DOUBLE_EQ(money::roundCents(c.input), c.cents) << c.input;
    }
}

// The exact decimal value rounded at 4 places, as printf-style formatting of
// the library rounds it (exactly, ties to even): the reference for toUnits.
std::int64_t referenceUnits(double amount) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, amount, std::chars_format::fixed, 4);
    std::string digits;
    for (char* p = text; p != end; ++p)
        if (*p != '.' && *p != '-') digits += *p;
    std::int64_t units = std::stoll(digits);
    return text[0] == '-' ? -units : units;
}

TEST(Money, AgreesWithExactDecimalFormattingEverywhere) {
    std::mt19937_64 random(20121231);
    std::uniform_real_distribution<double> wide(-5e8, 5e8);
    std::uniform_int_distribution<std::int64_t> cents(-5'000'000'000, 5'000'000'000);
    for (int i = 0; i < 200000; ++i) {
        // Arbitrary amounts, cent amounts, and amounts on the half of the 4th place.
        double arbitrary = wide(random);
        double cent = static_cast<double>(cents(random)) / 100.0;
        double tie = static_cast<double>(cents(random)) / 20000.0;
        for (double x : {arbitrary, cent, tie, arbitrary / 1e6, tie * 0.125})
            ASSERT_EQ(money::toUnits(x), referenceUnits(x)) << std::hexfloat << x;
    }
}

TEST(Money, EmptyStaysEmptyAndWhatCannotBeHeldIsRefused) {
    EXPECT_FALSE(money::roundCents(std::optional<double>{}).has_value());
    EXPECT_DOUBLE_EQ(money::value(std::nullopt), 0.0);
    for (double amount :
         {1e300, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(money::roundCents(amount), Error) << amount;
}

// What a person types, on the asset screen, in an import file or in a
// report's options, reads as one amount or as none.
TEST(Money, ReadsAnAmountAsAPersonTypesIt) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12,500.00", 12500.0},
        {" -250 ", -250.0},
        {"+3", 3.0},
        {".5", 0.5},
        {"1,2,3", 123.0},
        {"", std::nullopt},
        {" ", std::nullopt},
        {",", std::nullopt},
        {"$5000", std::nullopt},
        {"12 500", std::nullopt},
        {"12a", std::nullopt},
        {"+-5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
    };
    for (const auto& [text, amount] : cases) EXPECT_EQ(money::parse(text), amount) << text;
}

}  // namespace
}  // namespace czx
