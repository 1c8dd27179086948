#include "ui/entry/fieldformat.h"

#include "base/dates.h"
#include "base/money.h"
#include "base/trail.h"

namespace czx::ui {

QString formatMoney(double amount) {
    return QString::fromStdString(money::format(amount));
}

QString formatShare(double share) {
    QString text = QString::number(money::roundCents(share), 'f', 2);
    // ".00" has no digit before the point when the whole part is 0.
    if (text.startsWith("0."))
        text.remove(0, 1);
    else if (text.startsWith("-0."))
        text.remove(1, 1);
    return text;
}

std::optional<double> parseNumber(const QString& text) {
    return money::parse(text.toStdString());
}

namespace {

// "Asset Cost - Tax takes an amount, such as 1234.56 or -250."
QString whatItTakes(FieldKind kind, const QString& name) {
    switch (kind) {
        case FieldKind::Text:
            return {};
        case FieldKind::Date:
            return QString("%1 takes a date as mm/dd/yyyy, such as 06/15/2012.").arg(name);
        case FieldKind::Money:
            return QString("%1 takes an amount, such as 1234.56 or -250.").arg(name);
        case FieldKind::Share:
            return QString("%1 takes the business-use share: 1 for 100%, .5 for 50%.").arg(name);
    }
    return {};
}

}  // namespace

QString typoMessage(FieldKind kind, const QString& name, const QString& text) {
    const QString typed = text.trimmed();
    if (typed.isEmpty()) return {};
    switch (kind) {
        case FieldKind::Text:
            return {};
        case FieldKind::Date:
            if (parseUsDate(typed.toStdString())) return {};
            return whatItTakes(kind, name) + QString(" \"%1\" is not a date.").arg(typed);
        case FieldKind::Money:
            if (parseNumber(typed)) return {};
            return whatItTakes(kind, name) + QString(" \"%1\" is not an amount.").arg(typed);
        case FieldKind::Share:
            if (parseNumber(typed)) return {};
            return whatItTakes(kind, name) + QString(" \"%1\" is not a share.").arg(typed);
    }
    return {};
}

QString blankMessage(FieldKind kind, const QString& name) {
    return whatItTakes(kind, name) + " It is blank.";
}

QString displayText(FieldKind kind, const Value& stored) {
    if (isNull(stored)) return {};
    switch (kind) {
        case FieldKind::Text:
            return QString::fromStdString(asText(stored));
        case FieldKind::Date: {
            std::string text = asText(stored);
            if (auto date = parseIsoDate(text)) return QString::fromStdString(paddedDate(*date));
            return QString::fromStdString(text);
        }
        case FieldKind::Money:
            if (auto n = asNumber(stored)) return formatMoney(*n);
            return QString::fromStdString(asText(stored));
        case FieldKind::Share:
            if (auto n = asNumber(stored)) return formatShare(*n);
            return QString::fromStdString(asText(stored));
    }
    return {};
}

Value storedValue(FieldKind kind, const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return Value{};
    switch (kind) {
        case FieldKind::Text:
            return Value(text.toStdString());
        case FieldKind::Date: {
            auto date = parseUsDate(trimmed.toStdString());
            if (!date)
                throw Error(errors::kTypeMismatch,
                            "Type mismatch: \"" + trimmed.toStdString() + "\" is not a date");
            return Value(isoDate(*date));
        }
        case FieldKind::Money:
        case FieldKind::Share: {
            auto number = parseNumber(trimmed);
            if (!number)
                throw Error(errors::kTypeMismatch,
                            "Type mismatch: \"" + trimmed.toStdString() + "\" is not a number");
            return Value(kind == FieldKind::Share ? money::roundCents(*number) : *number);
        }
    }
    return Value{};
}

}  // namespace czx::ui
