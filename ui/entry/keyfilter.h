#pragma once
// The key filter of the entry screen: which typed characters a field takes,
// chosen by the field's tag. Returns the character code to use; 0 discards
// the key. Backspace (8) always passes.
//   "Num"  digits, ".", "-"        (money)
//   "Num3" digits, "."             (business-use share)
//   "Num4" "1" to "4"              (mid-quarter of acquisition)
//   "Amt"  digits, "."
//   "Chr"  space and letters, letters turned to capitals
//   "Cbo"  nothing
//   any other tag, or none: every key unchanged
#include <QString>

namespace czx::ui {

int filterTypedKey(int keyAscii, const QString& tag);

}  // namespace czx::ui
