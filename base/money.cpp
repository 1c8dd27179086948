#include "base/money.h"

#include <bit>
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
// count of ten-thousandths. A finite double is exactly m x 2^e with a whole
// m below 2^53, so amount x 10^4 = (m x 10^4) x 2^e is computed exactly in
// 128-bit integers: the quotient by 2^-e, and the remainder against half.
std::int64_t tenThousandths(double amount) {
    if (!std::isfinite(amount) || std::fabs(amount) >= kLimit) throw Error(6, "Overflow");
    const auto bits = std::bit_cast<std::uint64_t>(amount);
    const bool negative = bits >> 63;
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent;
    if (biasedExponent == 0) {
        exponent = -1074;  // subnormal
    } else {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 10000u;
    unsigned __int128 units;
    if (exponent >= 0) {
        units = scaled << exponent;  // below kLimit x 10^4, so no overflow
    } else if (exponent < -100) {
        units = 0;  // scaled < 2^67 is below half of 2^-exponent
    } else {
        const int shift = -exponent;
        units = scaled >> shift;
        const unsigned __int128 rest = scaled - (units << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (units & 1) != 0)) ++units;
    }
    const auto magnitude = static_cast<std::int64_t>(units);
    return negative ? -magnitude : magnitude;
}

}  // namespace

std::int64_t toUnits(double amount) {
    return tenThousandths(amount);
}

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

std::string withThousands(std::int64_t number) {
    const std::string digits = std::to_string(number < 0 ? -number : number);
    std::string text = number < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string format(double amount, Separators separators) {
    std::int64_t cents = toUnits(roundCents(amount)) / 100;
    const bool negative = cents < 0;
    if (negative) cents = -cents;
    const std::int64_t dollars = cents / 100;
    const int rest = static_cast<int>(cents % 100);
    std::string text =
        separators == Separators::Thousands ? withThousands(dollars) : std::to_string(dollars);
    text += rest < 10 ? ".0" : ".";
    text += std::to_string(rest);
    return negative ? "-" + text : text;
}

std::optional<double> parse(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    if (text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() == '-') return std::nullopt;
    }
    std::string plain;
    for (char c : text)
        if (c != ',') plain += c;
    double amount = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, amount);
    if (error != std::errc() || stop != end || !std::isfinite(amount)) return std::nullopt;
    return amount;
}

}  // namespace czx::money
