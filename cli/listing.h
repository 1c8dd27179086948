#pragma once
// A plain text listing of the company's tax depreciation, for the terminal.
#include <ostream>
#include <string>

#include "store/database.h"

namespace czx {

// "#,##0.00".
std::string formatMoney(double amount);
void printTaxListing(Connection& connection, std::ostream& out);

}  // namespace czx
