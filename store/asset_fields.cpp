#include "store/asset_fields.h"

#include <cmath>

namespace czx {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// A value held in memory, read through the calls a statement's column is
// read through, so that the readings below serve both.
class ValueColumn {
  public:
    explicit ValueColumn(const Value& value) : value_(value) {}
    Statement::Kind columnKind(int) const {
        if (std::holds_alternative<std::int64_t>(value_)) return Statement::Kind::Integer;
        if (std::holds_alternative<double>(value_)) return Statement::Kind::Real;
        if (std::holds_alternative<std::string>(value_)) return Statement::Kind::Text;
        return Statement::Kind::Null;
    }
    std::int64_t columnInt(int) const {
        if (auto i = std::get_if<std::int64_t>(&value_)) return *i;
        return static_cast<std::int64_t>(asNumber(value_).value_or(0));
    }
    double columnDouble(int) const { return asNumber(value_).value_or(0); }
    std::string_view columnTextView(int) const {
        if (auto s = std::get_if<std::string>(&value_)) return *s;
        return {};
    }

  private:
    const Value& value_;
};

// Each reading returns false for a stored value that is no value of the kind.

// Empty, a number, or text holding a number; the empty text is empty too.
template <class Columns>
bool readMoney(const Columns& s, int i, Money& out) {
    out.reset();
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return true;
        case Statement::Kind::Integer:
            out = static_cast<double>(s.columnInt(i));
            return true;
        case Statement::Kind::Real: {
            double value = s.columnDouble(i);
            if (!std::isfinite(value)) return false;
            out = value;
            return true;
        }
        case Statement::Kind::Text: {
            std::string_view text = trimmed(s.columnTextView(i));
            if (text.empty()) return true;
            auto value = asNumber(Value(std::string(text)));
            if (!value || !std::isfinite(*value)) return false;
            out = value;
            return true;
        }
        case Statement::Kind::Blob:
            break;
    }
    return false;
}

// Empty, or a date written 'YYYY-MM-DD'.
template <class Columns>
bool readDate(const Columns& s, int i, std::optional<Date>& out) {
    out.reset();
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return true;
        case Statement::Kind::Text: {
            std::string_view text = trimmed(s.columnTextView(i));
            if (text.empty()) return true;
            out = parseIsoDate(text);
            return out.has_value();
        }
        default:
            return false;
    }
}

// Empty (No), a number (0 is No), or the text "True" or "False".
template <class Columns>
bool readFlag(const Columns& s, int i, bool& out) {
    out = false;
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return true;
        case Statement::Kind::Integer:
            out = s.columnInt(i) != 0;
            return true;
        case Statement::Kind::Real:
            out = s.columnDouble(i) != 0;
            return true;
        case Statement::Kind::Text: {
            std::string_view text = trimmed(s.columnTextView(i));
            if (text.empty() || text == "False" || text == "false") return true;
            if (text == "True" || text == "true") {
                out = true;
                return true;
            }
            auto value = asNumber(Value(std::string(text)));
            if (!value) return false;
            out = *value != 0;
            return true;
        }
        case Statement::Kind::Blob:
            break;
    }
    return false;
}

// Reads column `i` of `s` into the field's member; false when it is no value
// of the field's kind (the member is then empty).
template <class Columns>
bool readField(const Columns& s, int i, Asset& a, const AssetField& f) {
    switch (f.kind) {
        case AssetField::Kind::Number:
            a.*f.number = s.columnInt(i);
            return true;
        case AssetField::Kind::Text:
            a.*f.text = s.columnTextView(i);
            return true;
        case AssetField::Kind::Date:
            return readDate(s, i, a.*f.date);
        case AssetField::Kind::Money:
            return readMoney(s, i, a.*f.money);
        case AssetField::Kind::Flag:
            return readFlag(s, i, a.*f.flag);
    }
    return true;
}

}  // namespace

std::string assetColumnSql(std::span<const int> fields, std::string_view suffix) {
    std::string sql;
    for (int field : fields) {
        if (!sql.empty()) sql += ", ";
        sql += bracket(kAssetFields[field].column);
        sql += suffix;
    }
    return sql;
}

void readAssetFields(const Statement& s, Asset& a, std::span<const int> fields) {
    a.rowId = s.columnInt(0);
    a.unreadable = 0;
    int i = 1;
    for (int field : fields) {
        const bool read = readField(s, i++, a, kAssetFields[field]);
        if (!read) a.unreadable |= std::uint64_t{1} << field;
    }
}

bool setAssetValue(Asset& a, int field, const Value& value) {
    const std::uint64_t bit = std::uint64_t{1} << field;
    const bool read = readField(ValueColumn(value), 0, a, kAssetFields[field]);
    a.unreadable = read ? a.unreadable & ~bit : a.unreadable | bit;
    return read;
}

Value assetValue(const Asset& a, int field) {
    const AssetField& f = kAssetFields[field];
    switch (f.kind) {
        case AssetField::Kind::Number:
            return a.*f.number;
        case AssetField::Kind::Text:
            return a.*f.text;
        case AssetField::Kind::Date:
            if (const auto& d = a.*f.date) return isoDate(*d);
            return {};
        case AssetField::Kind::Money:
            if (const auto& m = a.*f.money) return *m;
            return {};
        case AssetField::Kind::Flag:
            return std::int64_t{a.*f.flag ? 1 : 0};
    }
    return {};
}

void bindAssetField(Statement& s, int index, const Asset& a, const AssetField& f) {
    switch (f.kind) {
        case AssetField::Kind::Number:
            s.bind(index, a.*f.number);
            return;
        case AssetField::Kind::Text:
            s.bind(index, std::string_view(a.*f.text));
            return;
        case AssetField::Kind::Date:
            if (const auto& d = a.*f.date)
                s.bind(index, std::string_view(isoDate(*d)));
            else
                s.bindNull(index);
            return;
        case AssetField::Kind::Money:
            if (const auto& m = a.*f.money)
                s.bind(index, *m);
            else
                s.bindNull(index);
            return;
        case AssetField::Kind::Flag:
            s.bind(index, std::int64_t{a.*f.flag ? 1 : 0});
            return;
    }
}

bool sameField(const AssetField& f, const Asset& a, const Asset& b) {
    switch (f.kind) {
        case AssetField::Kind::Number:
            return a.*f.number == b.*f.number;
        case AssetField::Kind::Text:
            return a.*f.text == b.*f.text;
        case AssetField::Kind::Date:
            return a.*f.date == b.*f.date;
        case AssetField::Kind::Money:
            return a.*f.money == b.*f.money;
        case AssetField::Kind::Flag:
            return a.*f.flag == b.*f.flag;
    }
    return false;
}

}  // namespace czx
