#pragma once
// Passenger automobiles and heavy sport-utility vehicles: the method an
// automobile must take, and when the Section 179 cap of a heavy vehicle may
// apply.
#include <string_view>

#include "base/dates.h"

namespace czx {

// A passenger automobile takes the automobile method above 50 % business use
// and MACRS straight line at 50 % or less, whatever method was chosen.
std::string_view automobileMethod(double businessUse);

// An asset depreciated by the automobile method is a passenger automobile.
bool isAutomobileMethod(std::string_view methodTax);

// A 5-year MACRS asset placed in service after 10/22/2004 may be a heavy
// sport-utility vehicle, whose Section 179 is capped by the year's cap
// (law::heavyVehicleSection179Cap).
bool heavyVehicleCapMayApply(const Date& placed, std::string_view methodTax,
                             std::string_view lifeTax);

}  // namespace czx
