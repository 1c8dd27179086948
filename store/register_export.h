#pragma once
// The company's asset register as CSV, for a spreadsheet or another system.
#include <cstdint>
#include <ostream>
#include <string>

#include "store/database.h"
#include "store/records.h"

namespace czx {

// Writes a header row of the 36 columns of `assets` by their names in the
// file, then one row per asset of the company in key order: dates
// 'YYYY-MM-DD', amounts with a dot and no thousands separators holding every
// digit the file holds, yes/no as 1 or 0. A stored value that is no value of
// its column ("$5000" as a cost) is written as the text the file holds, so
// nothing is lost. Returns the number of assets written.
std::int64_t exportRegister(Connection& connection, std::ostream& out);

// An amount as the register file writes it: to the cent ("1234.50") when
// the value is a whole number of cents, otherwise the shortest decimal that
// reads back as the same value ("1234.5678").
std::string registerAmount(double amount);

}  // namespace czx
