#pragma once
// Which list of lives in the method catalogue a depreciation method draws
// its life from: a MACRS method the recovery periods of its table, an old
// method the useful lives, amortization its periods in months.
#include <optional>
#include <string_view>

namespace czx {

// A table of the catalogue file and its column.
struct LifeList {
    const char* table;
    const char* column;
};

// None for a method that names no list.
std::optional<LifeList> taxLifeList(std::string_view methodTax);
std::optional<LifeList> bookLifeList(std::string_view methodBook);

}  // namespace czx
