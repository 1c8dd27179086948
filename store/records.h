#pragma once
// The asset and company records as the engine sees them: typed values of one
// row of `assets` and of `Defaults`. Empty money is an empty optional (NULL in
// the file); an empty business use is empty whether the file holds NULL or
// the empty text.
#include <cstdint>
#include <optional>
#include <string>

#include "base/dates.h"

namespace czx {

using Money = std::optional<double>;

struct Company {
    std::int64_t number = 1;
    std::string name;
    std::optional<Date> yearEnd;
    bool regularFederal = false;
    bool book = false;
    bool midQrtYRTax = false;
    bool operator==(const Company&) const = default;
};

struct Asset {
    std::int64_t rowId = 0;  // the row's key in the file, not one of the 36 columns
    std::int64_t companyNumber = 1;
    std::string groupName;
    std::string description;
    std::optional<Date> placedInService;  // "Date Placed in Service"
    std::optional<Date> disposed;         // "Date Disposed"
    std::string methodTax;                // "Dprn Method - Tax"
    std::string midQrtAsset;              // "MidQrtAsset": "1" to "4" or empty
    std::string lifeTax;                  // "Dprn Life - Tax", as the catalogue lists it
    std::string methodBook;               // "Dprn Method - Book"
    std::string lifeBook;                 // "Dprn Life - Book"
    Money costTax;                        // "Asset Cost - Tax"
    Money costBook;                       // "Asset Cost - Book"
    Money sec179;                         // "SecOneSevenNine"
    Money bonus;                          // "FirstYR30%Deduction"
    Money postSecBasis;                   // "PostSecBasis"
    Money post30Basis;                    // "Post30%DeductionBasis"
    Money priorAccumTax;                  // "Prior Accumulated Dprn - Tax"
    Money currentTax;                     // "Current Dprn - Tax"
    Money priorAccumBook;                 // "Prior Accumulated Dprn - Book"
    Money currentBook;                    // "Current Dprn - Book"
    std::optional<Date> yrpis;            // "YRPIS"
    std::optional<double> busUseTax;      // "Business Use Percentage - Tax"
    std::optional<double> busUseBook;     // "Business Use Percentage - Book"
    Money nonBusDprn;                     // "Non Bus Dprn"
    Money priorNonBusAccum;               // "Prior Non Bus Accm Dprn"
    bool listedProperty = false;          // "Listed Property"
    bool passengerAuto = false;           // "Passenger Automobile"
    Money line24eBasis;                   // "Line24eBasis"
    bool bookOverride = false;            // "Book Dprn Override"
    bool taxOverride = false;             // "Tax Dprn Override"
    Money itcAdjustment;                  // "ITC Basis Adjustment"
    Money salvageBook;                    // "Salvage Value - Book"
    Money costLessItc;                    // "Cost Less ITC Adj"
    bool assetChanged = false;            // "assetchng"
    Money salvageTax;                     // "Salvage Value - Tax"
    bool truckVanBonus = false;           // "Truck & Van Bonus - Tax"

    // Columns whose stored text is no value of the column's kind ("$5000" as
    // a cost, "06/15/2012" as a date, "Yes" as a yes/no): bit i stands for
    // kAssetFields[i] (store/asset_fields.h). Such a column reads as empty;
    // the run computes no row that has one.
    std::uint64_t unreadable = 0;

    bool operator==(const Asset&) const = default;
};

}  // namespace czx
