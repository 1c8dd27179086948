#include "ui/entry/bonus.h"

namespace czx::ui {
double bonusAmount(double cost, double businessUse, double section179, double rate) {
    return (cost * businessUse - section179) * rate;
}

}  // namespace czx::ui
