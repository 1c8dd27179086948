#pragma once
// Conversions between what an entry field shows and what the asset row
// stores: money "#,##0.00", dates "MM/dd/yyyy" (stored 'YYYY-MM-DD'),
// business-use shares ".00" (stored rounded to 2 decimals).
#include <QString>
#include <optional>

#include "store/value.h"

namespace czx::ui {

enum class FieldKind { Text, Date, Money, Share };

// The field's text for a stored value.
QString displayText(FieldKind kind, const Value& stored);
// The stored value for a field's text; the empty text stores empty (NULL).
// Text that is not a number or not a date throws a type mismatch, as a
// bound field's store does.
Value storedValue(FieldKind kind, const QString& text);

// "#,##0.00": 1234.5 -> "1,234.50".
QString formatMoney(double amount);
// ".00": 1 -> "1.00", .5 -> ".50".
QString formatShare(double share);
// A number typed with or without thousands separators; nothing for other text.
std::optional<double> parseNumber(const QString& text);

// What a field named `name` takes, said plainly, when `text` is not such a
// value: "Asset Cost - Tax takes an amount, such as 1234.56 or -250.
// "123.4-5" is not an amount." Empty when the field can take `text` (a
// blank field takes nothing and stores none).
QString typoMessage(FieldKind kind, const QString& name, const QString& text);
// The same for a field that must not be blank and is: "... It is blank."
QString blankMessage(FieldKind kind, const QString& name);

}  // namespace czx::ui
