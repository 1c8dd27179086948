#pragma once
// The catalogue file of depreciation methods and lives the pickers offer.
#include <filesystem>
#include <string>
#include <vector>

namespace czx {

// The entries of `column` of `table` in the catalogue file, in their order.
// The catalogue shares one table between lists of different lengths: a
// shorter list's tail holds empty entries, which are no choices and are left out.
std::vector<std::string> catalogueEntries(const std::filesystem::path& file,
                                          const std::string& table, const std::string& column);

}  // namespace czx
