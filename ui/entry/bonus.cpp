#include "ui/entry/bonus.h"

namespace czx::ui {
namespace {

using namespace std::chrono;

constexpr Date d(int y, unsigned m, unsigned day) {
    return Date{year{y}, month{m}, std::chrono::day{day}};
}

}  // namespace

BonusRate bonusRateFor(const Date& placed) {
    if (placed <= d(2001, 9, 10)) return {BonusOutcome::Zero, 0};
    if (placed <= d(2003, 5, 5)) return {BonusOutcome::Rate, 0.30};
    if (placed <= d(2004, 12, 31)) return {BonusOutcome::Rate, 0.50};
    if (placed <= d(2007, 12, 31)) return {BonusOutcome::Unchanged, 0};
    if (placed <= d(2010, 9, 8)) return {BonusOutcome::Rate, 0.50};
    if (placed <= d(2011, 12, 31)) return {BonusOutcome::Rate, 1.00};
    if (placed <= d(2012, 12, 31)) return {BonusOutcome::Rate, 0.50};
    return {BonusOutcome::Unchanged, 0};
}

double bonusAmount(double cost, double businessUse, double section179, double rate) {
    return (cost * businessUse - section179) * rate;
}

}  // namespace czx::ui
