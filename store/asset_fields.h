#pragma once
// Which member of `Asset` each column of `assets` is read into and written
// from, and how the column's value is read. Every reader and writer of asset
// rows goes through this one table; its order is the order of the columns
// when the program lists or copies them, and the bit of a column in
// `Asset::unreadable` is its place here.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "store/columns.h"
#include "store/database.h"
#include "store/records.h"

namespace czx {

struct AssetField {
    enum class Kind {
        Number,  // a whole number, read as SQLite gives it
        Text,    // text; empty reads as the empty text
        Date,    // 'YYYY-MM-DD' text, or empty
        Money,   // a number, or text holding one; empty or the empty text is empty
        Flag,    // yes/no: a number (0 is No), "True" or "False"; empty is No
    };

    constexpr AssetField(std::string_view c, std::int64_t Asset::*m)
        : column(c), kind(Kind::Number), number(m) {}
    constexpr AssetField(std::string_view c, std::string Asset::*m)
        : column(c), kind(Kind::Text), text(m) {}
    constexpr AssetField(std::string_view c, std::optional<Date> Asset::*m)
        : column(c), kind(Kind::Date), date(m) {}
    constexpr AssetField(std::string_view c, Money Asset::*m)
        : column(c), kind(Kind::Money), money(m) {}
    constexpr AssetField(std::string_view c, bool Asset::*m)
        : column(c), kind(Kind::Flag), flag(m) {}

    std::string_view column;
    Kind kind;
    // The member of the field's kind; the others are null.
    std::int64_t Asset::*number = nullptr;
    std::string Asset::*text = nullptr;
    std::optional<Date> Asset::*date = nullptr;
    Money Asset::*money = nullptr;
    bool Asset::*flag = nullptr;
};

inline constexpr std::array<AssetField, 36> kAssetFields = {{
    {col::CompanyNumber, &Asset::companyNumber},
    {col::GroupName, &Asset::groupName},
    {col::Description, &Asset::description},
    {col::PlacedInService, &Asset::placedInService},
    {col::Disposed, &Asset::disposed},
    {col::MethodTax, &Asset::methodTax},
    {col::MidQrtAsset, &Asset::midQrtAsset},
    {col::LifeTax, &Asset::lifeTax},
    {col::MethodBook, &Asset::methodBook},
    {col::LifeBook, &Asset::lifeBook},
    {col::CostTax, &Asset::costTax},
    {col::CostBook, &Asset::costBook},
    {col::Sec179, &Asset::sec179},
    {col::Bonus, &Asset::bonus},
    {col::PostSecBasis, &Asset::postSecBasis},
    {col::Post30Basis, &Asset::post30Basis},
    {col::PriorAccumTax, &Asset::priorAccumTax},
    {col::CurrentTax, &Asset::currentTax},
    {col::PriorAccumBook, &Asset::priorAccumBook},
    {col::CurrentBook, &Asset::currentBook},
    {col::YRPIS, &Asset::yrpis},
    {col::BusUseTax, &Asset::busUseTax},
    {col::BusUseBook, &Asset::busUseBook},
    {col::NonBusDprn, &Asset::nonBusDprn},
    {col::PriorNonBusAccum, &Asset::priorNonBusAccum},
    {col::ListedProperty, &Asset::listedProperty},
    {col::PassengerAuto, &Asset::passengerAuto},
    {col::Line24eBasis, &Asset::line24eBasis},
    {col::BookOverride, &Asset::bookOverride},
    {col::TaxOverride, &Asset::taxOverride},
    {col::ItcAdjustment, &Asset::itcAdjustment},
    {col::SalvageBook, &Asset::salvageBook},
    {col::CostLessItc, &Asset::costLessItc},
    {col::AssetChanged, &Asset::assetChanged},
    {col::SalvageTax, &Asset::salvageTax},
    {col::TruckVanBonus, &Asset::truckVanBonus},
}};
static_assert(kAssetFields.size() <= 64, "Asset::unreadable has a bit for each field");

// The place of a column in kAssetFields; -1 for a name that is none of them.
constexpr int assetFieldIndex(std::string_view column) {
    for (std::size_t i = 0; i < kAssetFields.size(); ++i)
        if (kAssetFields[i].column == column) return static_cast<int>(i);
    return -1;
}

// The places in kAssetFields of the given columns, for the statements that
// read or write only some of them.
template <std::size_t N>
constexpr std::array<int, N> assetFieldIndexes(const std::array<std::string_view, N>& columns) {
    std::array<int, N> indexes{};
    for (std::size_t i = 0; i < N; ++i) indexes[i] = assetFieldIndex(columns[i]);
    return indexes;
}

// "[a], [b]" or, with a suffix " = ?", "[a] = ?, [b] = ?": the columns of
// the fields as SQL text.
std::string assetColumnSql(std::span<const int> fields, std::string_view suffix = {});

// Reads a row of `statement` into `asset`: its column 0 is the rowid, and
// its column i + 1 the field kAssetFields[fields[i]]. A column whose stored
// value is no value of its field's kind ("$5000" as money, "06/15/2012" as a
// date, "Yes" as a flag) reads as empty and sets the field's bit in
// `asset.unreadable`; no other bit is set. Per column SQLite is asked for
// its kind once and then for the value: the run reads a million rows so.
void readAssetFields(const Statement& statement, Asset& asset, std::span<const int> fields);

// What the file holds once field `field` (its place in kAssetFields) of the
// asset is written: a date as 'YYYY-MM-DD' text, empty money or dates as
// NULL, a flag as 1 or 0. For windows that bind their fields by column name.
Value assetValue(const Asset& asset, int field);
// Sets field `field` of the asset from a value as the file would hold it,
// by the rules the rows are read by, and clears its bit in `unreadable`;
// for a value that is no value of the field's kind, the member is left
// empty, its bit is set, and the result is false.
bool setAssetValue(Asset& asset, int field, const Value& value);

// Binds the value of `asset`'s field to parameter `index`: a date as
// 'YYYY-MM-DD', empty money or dates as NULL, a flag as 1 or 0.
void bindAssetField(Statement& statement, int index, const Asset& asset, const AssetField& field);

// Whether two assets hold the same value in a field.
bool sameField(const AssetField& field, const Asset& a, const Asset& b);

namespace col {

// The columns of `assets`, in the order of kAssetFields.
inline constexpr std::array<std::string_view, kAssetFields.size()> AssetColumns = [] {
    std::array<std::string_view, kAssetFields.size()> names{};
    for (std::size_t i = 0; i < kAssetFields.size(); ++i) names[i] = kAssetFields[i].column;
    return names;
}();

}  // namespace col
}  // namespace czx
