#include "engine/rules/vehicles.h"

namespace czx {

std::string_view automobileMethod(double businessUse) {
    return businessUse > 0.5 ? "MACRS-Auto" : "MACRS SL-PP";
}

bool isAutomobileMethod(std::string_view methodTax) {
    return methodTax == "MACRS-Auto";
}

bool heavyVehicleCapMayApply(const Date& placed, std::string_view methodTax,
                             std::string_view lifeTax) {
    using namespace std::chrono;
    const Date heavySuvStart{year{2004}, month{10}, day{22}};
    return placed > heavySuvStart && lifeTax == "5" && methodTax == "MACRS";
}

}  // namespace czx
