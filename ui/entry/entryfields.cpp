#include "ui/entry/entryfields.h"

#include "engine/tables/federal_law.h"
#include "store/columns.h"

namespace czx::ui {
namespace {

const char* const kOverrideTip =
    "Check this box to override the program's calculated depreciation amount in the field to "
    "the left and manually enter depreciation for the current year.";
const char* const kUseTip = "For 100% enter 1; for 50% enter .5. Do not enter % symbol.";
const char* const kTruckTip =
    "For trucks and vans subject to the passenger auto rules and put in service after 2002, "
    "check here to apply the truck and van annual limit instead of the passenger auto limit.";

}  // namespace

std::array<EntryField, FieldCount> entryFields() {
    using K = FieldKind;
    using S = ColumnSet;
    const QString yrpisTip =
        "Tax year end that the asset is first placed in service in mm/dd/yyyy format. There must "
        "be a date in this field with the \"/\" marks or the asset record will not save and you "
        "may receive an error message.  ";
    const QString placedTip =
        "Enter the date the asset is placed in service in mm/dd/yyyy format. You must put a date "
        "here with the \"/\" marks or the asset record will not save and you may receive an "
        "error message.  ";
    const QString midTip =
        "No entry is necessary for new assets, it will be calculated for you. For assets "
        "acquired in prior mid-quarter years, enter 1, 2, 3, or 4 for quarter asset was "
        "acquired in.";
    std::array<EntryField, FieldCount> fields = {{
        {"Asset Description", "Asset Description", col::Description, "", K::Text, S::Both, true,
         ""},
        {"      Year End Of Year Asset Was Originally Placed In Service ",
         "Year End Of Year Asset Was Originally Placed In Service", col::YRPIS, "", K::Date,
         S::Both, true, yrpisTip},
        {"* Actual Date In Service", "* Actual Date In Service", col::PlacedInService, "", K::Date,
         S::Both, true, placedTip},
        {"Group", "Group", col::GroupName, "", K::Text, S::Both, false, ""},
        {"Asset Cost", "Asset Cost - Tax", col::CostTax, "Num", K::Money, S::Tax, true, ""},
        {"Dprn Method", "Dprn Method - Tax", col::MethodTax, "", K::Text, S::Tax, false, ""},
        {"Dprn Life", "Dprn Life - Tax", col::LifeTax, "", K::Text, S::Tax, false, ""},
        {"Business Use %", "Business Use % - Tax", col::BusUseTax, "Num3", K::Share, S::Tax, true,
         kUseTip},
        {"Mid Qrt Conv", "Mid Qrt Conv", col::MidQrtAsset, "Num4", K::Text, S::Tax, true, midTip},
        {"Section 179", "Section 179", col::Sec179, "Num", K::Money, S::Tax, true, ""},
        {"30, 50, 100%  Deduct", "30, 50, 100%  Deduct", col::Bonus, "Num", K::Money, S::Tax, true,
         QString::fromStdString(law::bonusToolTip())},
        {"ITC Basis Adj", "ITC Basis Adj", col::ItcAdjustment, "Num", K::Money, S::Tax, true, ""},
        {"Salvage Value", "Salvage Value - Tax", col::SalvageTax, "Num", K::Money, S::Tax, true,
         ""},
        {"Prior Dprn", "Prior Dprn - Tax", col::PriorAccumTax, "Num", K::Money, S::Tax, true, ""},
        {"Current Dprn", "Current Dprn - Tax", col::CurrentTax, "Num", K::Money, S::Tax, true, ""},
        {"Asset Cost", "Asset Cost - Book", col::CostBook, "Num", K::Money, S::Book, true, ""},
        {"Dprn Method", "Dprn Method - Book", col::MethodBook, "", K::Text, S::Book, false, ""},
        {"Dprn Life", "Dprn Life - Book", col::LifeBook, "", K::Text, S::Book, false, ""},
        {"Business Use %", "Business Use % - Book", col::BusUseBook, "Num3", K::Share, S::Book,
         true, kUseTip},
        {"Salvage Value", "Salvage Value - Book", col::SalvageBook, "Num", K::Money, S::Book, true,
         ""},
        {"Prior Dprn", "Prior Dprn - Book", col::PriorAccumBook, "Num", K::Money, S::Book, true,
         ""},
        {"Current Dprn", "Current Dprn - Book", col::CurrentBook, "Num", K::Money, S::Book, true,
         ""},
        {"Date Sold/Disposed", "Date Sold/Disposed", col::Disposed, "", K::Date, S::Both, true, ""},
    }};
    return fields;
}

std::array<EntryCheck, CheckCount> entryChecks() {
    using S = ColumnSet;
    std::array<EntryCheck, CheckCount> checks = {{
        {"Listed", "Listed", col::ListedProperty, S::Tax, false, ""},
        {"Auto", "Auto", col::PassengerAuto, S::Tax, false, ""},
        {"Truck or Van", "Truck or Van", col::TruckVanBonus, S::Tax, false, kTruckTip},
        {"Over  Ride", "Over  Ride - Tax", col::TaxOverride, S::Tax, true, kOverrideTip},
        {"Over  Ride", "Over  Ride - Book", col::BookOverride, S::Book, true, kOverrideTip},
    }};
    return checks;
}

QString truckVanTip() {
    return kTruckTip;
}

}  // namespace czx::ui
