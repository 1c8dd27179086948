#include "ui/entry/keyfilter.h"

#include "base/trail.h"

namespace czx::ui {
namespace {

bool isDigit(int c) {
    return c >= '0' && c <= '9';
}

int filter(int c, const QString& tag) {
    if (c == 8) return c;
    if (tag == "Num") return isDigit(c) || c == '.' || c == '-' ? c : 0;
    if (tag == "Num3" || tag == "Amt") return isDigit(c) || c == '.' ? c : 0;
    if (tag == "Num4") return c >= '1' && c <= '4' ? c : 0;
    if (tag == "Chr") {
        if (c == ' ') return c;
        if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
        if (c >= 'A' && c <= 'Z') return c;
        return 0;
    }
    if (tag == "Cbo") return 0;
    return c;
}

}  // namespace

int filterTypedKey(int keyAscii, const QString& tag) {
    int result = keyAscii;
    procedure("GlobalModule.DataEntryValidation", [&] { result = filter(keyAscii, tag); });
    return result;
}

}  // namespace czx::ui
