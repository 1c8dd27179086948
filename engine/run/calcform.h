#pragma once
// What every step of a pass and every calculator works on: the company row,
// the current asset row and the work area. A calculator reads the row and the
// work area, may write the row columns its rules name, and leaves its result
// in CurrentDprnTax or CurrentDprnBook.
#include <optional>
#include <string_view>

#include "engine/run/workarea.h"
#include "store/records.h"

namespace czx {

class Feedback;

struct Calcform {
    const Company& company;
    Asset& asset;
    WorkArea& work;
};

// Lives are stored as text ("5", "27.5"). The dispatch compares them as
// numbers; the calculators' class selection compares the exact text, so
// "5.0" selects no table. An empty or non-numeric life has no number.
std::optional<double> lifeNumber(std::string_view life);

// A life used as a divisor: empty or zero is a failure of the calculator
// (error 11, "Division by zero"), text that is no number error 13 ("Type
// mismatch"); never an infinity in a column.
double divisorLife(std::string_view life);

// Quarter (1 to 4) of the fiscal year ending in month `yearEndMonth` in
// which calendar month `placedMonth` falls; quarter 4 ends with the
// year-end month itself. Shared by every mid-quarter calculator.
int QuarterOfPlacement(int yearEndMonth, int placedMonth);

}  // namespace czx
