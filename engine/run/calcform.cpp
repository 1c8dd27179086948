#include "engine/run/calcform.h"

#include <charconv>
#include <cmath>

#include "base/trail.h"

namespace czx {

std::optional<double> lifeNumber(std::string_view life) {
    while (!life.empty() && life.front() == ' ') life.remove_prefix(1);
    while (!life.empty() && life.back() == ' ') life.remove_suffix(1);
    if (life.empty()) return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(life.data(), life.data() + life.size(), value);
    if (ec != std::errc() || ptr != life.data() + life.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

double divisorLife(std::string_view life) {
    auto value = lifeNumber(life);
    if (!value && life.find_first_not_of(' ') != std::string_view::npos)
        throw Error(errors::kTypeMismatch, "Type mismatch");
    if (!value || *value == 0) throw Error(errors::kDivisionByZero, "Division by zero");
    return *value;
}

int quarterOfPlacement(int yearEndMonth, int placedMonth) {
    const int Y = yearEndMonth, P = placedMonth;
    if ((Y - 3 < P && P <= Y) || P > Y + 9) return 4;
    if ((Y - 6 < P && P <= Y - 3) || (Y + 6 < P && P <= Y + 9)) return 3;
    if ((Y - 9 < P && P <= Y - 6) || (Y + 3 < P && P <= Y + 6)) return 2;
    return 1;
}

int storedQuarter(std::string_view code) {
    return code.size() == 1 && code[0] >= '1' && code[0] <= '4' ? code[0] - '0' : 0;
}

}  // namespace czx
