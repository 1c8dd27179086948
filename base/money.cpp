#include "base/money.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "base/trail.h"

namespace czx::money {
namespace {

// Largest amount whose ten-thousandths fit comfortably in 64 bits.
constexpr double kLimit = 9.0e14;

// The exact decimal value of `amount`, rounded half to even at 4 places, as a
// count of ten-thousandths. std::to_chars with a precision rounds the exact
// binary value correctly, ties to even.
std::int64_t tenThousandths(double amount) {
    if (!std::isfinite(amount) || std::fabs(amount) >= kLimit)
        throw Error(6, "Overflow");
    std::array<char, 64> text{};
    auto [end, ec] = std::to_chars(text.data(), text.data() + text.size(), amount,
                                   std::chars_format::fixed, 4);
    if (ec != std::errc()) throw Error(6, "Overflow");
    bool negative = text[0] == '-';
    std::int64_t units = 0;
    for (const char* p = text.data() + (negative ? 1 : 0); p != end; ++p)
        if (*p != '.') units = units * 10 + (*p - '0');
    return negative ? -units : units;
}

}  // namespace

std::int64_t toUnits(double amount) { return tenThousandths(amount); }

double toCurrency(double amount) {
    return static_cast<double>(tenThousandths(amount)) / 10000.0;
}

double roundCents(double amount) {
    std::int64_t units = tenThousandths(amount);
    std::int64_t cents = units / 100;  // truncated toward zero
    std::int64_t rest = units % 100;   // same sign as units
    std::int64_t magnitude = rest < 0 ? -rest : rest;
    int step = units < 0 ? -1 : 1;
    if (magnitude > 50 || (magnitude == 50 && cents % 2 != 0)) cents += step;
    return static_cast<double>(cents) / 100.0;
}

}  // namespace czx::money
