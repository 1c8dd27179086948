#pragma once
// The asset screen's fields and check boxes as a table: one row per field
// with its caption, the name screen readers and the tests use, its column of
// the asset row, its kind and its column set. The window makes one widget per
// row and binds it to the row's column; nothing else names a column.
#include <QString>
#include <array>
#include <string_view>

#include "ui/entry/fieldformat.h"

class QCheckBox;
class QLineEdit;

namespace czx::ui {

enum class ColumnSet { Both, Tax, Book };

// The entry fields, in tab order.
enum Field {
    FDescription,
    FYrpis,
    FPlaced,
    FGroup,
    FCostTax,
    FMethodTax,
    FLifeTax,
    FUseTax,
    FMidQrt,
    FSec179,
    FBonus,
    FItc,
    FSalvageTax,
    FPriorTax,
    FCurrentTax,
    FCostBook,
    FMethodBook,
    FLifeBook,
    FUseBook,
    FSalvageBook,
    FPriorBook,
    FCurrentBook,
    FDisposed,
    FieldCount
};

enum CheckField { CListed, CAuto, CTruck, CTaxOverride, CBookOverride, CheckCount };

struct EntryField {
    QString label;       // the label on screen
    QString accessible;  // the name screen readers and automation use
    std::string_view column;
    QString tag;  // selects the key filter
    FieldKind kind;
    ColumnSet set;
    bool typed;  // false: filled by a picker or a button
    QString toolTip;
    QLineEdit* edit = nullptr;
    bool dirty = false;  // typed into since the row was shown
};

struct EntryCheck {
    QString caption;
    QString accessible;
    std::string_view column;
    ColumnSet set;
    bool direct;  // false: only its flag button sets it
    QString toolTip;
    QCheckBox* box = nullptr;
};

std::array<EntryField, FieldCount> entryFields();
std::array<EntryCheck, CheckCount> entryChecks();

// The tip of the truck and van box and of the button that sets it.
QString truckVanTip();

}  // namespace czx::ui
