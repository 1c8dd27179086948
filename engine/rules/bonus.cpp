#include "engine/rules/bonus.h"

namespace czx {

double bonusAmount(double cost, double businessUse, double section179, double rate) {
    return (cost * businessUse - section179) * rate;
}

bool automobileLimitsMayCutBonus(double cost, std::string_view methodTax, const Date& placed) {
    using namespace std::chrono;
    const Date bonusStart{year{2001}, month{9}, day{10}};
    return cost > kAutoNoticeCost && methodTax == "MACRS-Auto" && placed > bonusStart;
}

}  // namespace czx
