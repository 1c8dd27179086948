#pragma once
// Exact table and column names of the company database. Column names carry
// blanks and punctuation; SQL text writes them in square brackets.
#include <array>
#include <string_view>

namespace czx::col {

// Table `Defaults`, the company record.
inline constexpr std::string_view CompanyNumber = "companynumber";
inline constexpr std::string_view Name = "Name";
inline constexpr std::string_view YearEnd = "YearEnd";
inline constexpr std::string_view RegularFederal = "Regular federal";
inline constexpr std::string_view Book = "Book";
inline constexpr std::string_view MidQrtYRTax = "Mid Qrt YR Tax";

// Table `assets`.
inline constexpr std::string_view GroupName = "groupname";
inline constexpr std::string_view Description = "Asset Description";
inline constexpr std::string_view PlacedInService = "Date Placed in Service";
inline constexpr std::string_view Disposed = "Date Disposed";
inline constexpr std::string_view MethodTax = "Dprn Method - Tax";
inline constexpr std::string_view MidQrtAsset = "MidQrtAsset";
inline constexpr std::string_view LifeTax = "Dprn Life - Tax";
inline constexpr std::string_view MethodBook = "Dprn Method - Book";
inline constexpr std::string_view LifeBook = "Dprn Life - Book";
inline constexpr std::string_view CostTax = "Asset Cost - Tax";
inline constexpr std::string_view CostBook = "Asset Cost - Book";
inline constexpr std::string_view Sec179 = "SecOneSevenNine";
inline constexpr std::string_view Bonus = "FirstYR30%Deduction";
inline constexpr std::string_view PostSecBasis = "PostSecBasis";
inline constexpr std::string_view Post30Basis = "Post30%DeductionBasis";
inline constexpr std::string_view PriorAccumTax = "Prior Accumulated Dprn - Tax";
inline constexpr std::string_view CurrentTax = "Current Dprn - Tax";
inline constexpr std::string_view PriorAccumBook = "Prior Accumulated Dprn - Book";
inline constexpr std::string_view CurrentBook = "Current Dprn - Book";
inline constexpr std::string_view YRPIS = "YRPIS";
inline constexpr std::string_view BusUseTax = "Business Use Percentage - Tax";
inline constexpr std::string_view BusUseBook = "Business Use Percentage - Book";
inline constexpr std::string_view NonBusDprn = "Non Bus Dprn";
inline constexpr std::string_view PriorNonBusAccum = "Prior Non Bus Accm Dprn";
inline constexpr std::string_view ListedProperty = "Listed Property";
inline constexpr std::string_view PassengerAuto = "Passenger Automobile";
inline constexpr std::string_view Line24eBasis = "Line24eBasis";
inline constexpr std::string_view BookOverride = "Book Dprn Override";
inline constexpr std::string_view TaxOverride = "Tax Dprn Override";
inline constexpr std::string_view ItcAdjustment = "ITC Basis Adjustment";
inline constexpr std::string_view SalvageBook = "Salvage Value - Book";
inline constexpr std::string_view CostLessItc = "Cost Less ITC Adj";
inline constexpr std::string_view AssetChanged = "assetchng";
inline constexpr std::string_view SalvageTax = "Salvage Value - Tax";
inline constexpr std::string_view TruckVanBonus = "Truck & Van Bonus - Tax";

// The list of all 36 in their order is col::AssetColumns, in
// store/asset_fields.h beside the member each is read into.

}  // namespace czx::col
