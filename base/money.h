#pragma once
// Money in this program is a double holding dollars. Every amount that is
// stored goes through exactly one rounding rule:
//
//   1. take the exact decimal value of the double and round it half to even
//      to 4 decimal places (a currency amount, as a ledger keeps it);
//   2. for amounts kept in cents, round that 4-place value half to even to
//      2 decimal places.
//
// Rounding the exact decimal value (not x * 100) matters: 2.675 is stored by
// the machine as 2.67499999..., which rounds to 2.67, while the currency value
// 1.0050 is an exact tie and rounds to the even cent 1.00.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace czx::money {

// The exact decimal value rounded half to even at 4 places, as a whole number
// of ten-thousandths of a dollar. Sums and comparisons of stored amounts are
// made in these units, so that 500,000.00 of expense is never 500,000.0000001.
std::int64_t toUnits(double amount);
constexpr std::int64_t kUnitsPerDollar = 10000;

// Step 1 alone: half to even at 4 places. Basis columns keep this precision.
double toCurrency(double amount);

// Steps 1 and 2: half to even at 4 places, then half to even at 2.
double roundCents(double amount);

inline std::optional<double> toCurrency(std::optional<double> amount) {
    if (!amount) return std::nullopt;
    return toCurrency(*amount);
}
inline std::optional<double> roundCents(std::optional<double> amount) {
    if (!amount) return std::nullopt;
    return roundCents(*amount);
}

// How amounts are written, everywhere: rounded to the cent as above, a minus
// sign before a negative amount and none before one that rounds to zero;
// with thousands separators for people ("-1,234.50"), without them for a
// spreadsheet or a file another program reads ("-1234.50").
enum class Separators { Thousands, None };
std::string format(double amount, Separators separators = Separators::Thousands);
// A whole number of dollars or assets, with thousands separators ("12,345").
std::string withThousands(std::int64_t number);

// An amount as a person types it: blanks around it, thousands commas and a
// leading sign allowed ("12,500.00", " -250", "+3"). Empty when the text is
// no finite number.
std::optional<double> parse(std::string_view text);

// An empty amount counts as zero in arithmetic.
inline double value(const std::optional<double>& amount) {
    return amount.value_or(0.0);
}

}  // namespace czx::money
