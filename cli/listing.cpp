#include "cli/listing.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "base/money.h"
#include "store/assets.h"
#include "store/report.h"

namespace czx {

std::string formatMoney(double amount) {
    return formatAmount(amount);
}

void printTaxListing(Connection& connection, std::ostream& out) {
    Company company = readCompany(connection);
    out << company.name << "\nTax depreciation for the year ending "
        << (company.yearEnd ? paddedDate(*company.yearEnd) : std::string("(no year end)"))
        << "\n\n";
    char line[256];
    std::snprintf(line, sizeof line, "%-34s %-10s %-13s %-5s %14s %14s %14s\n", "Asset", "Placed",
                  "Method", "Life", "Cost", "Prior Accum", "Current");
    out << line << std::string(110, '-') << '\n';
    AssetReader reader(connection, company.number);
    std::vector<Asset> page;
    std::int64_t cost = 0, prior = 0, current = 0;
    auto units = [](const Money& m) { return m ? money::toUnits(*m) : 0; };
    auto text = [](const Money& m) { return m ? formatMoney(*m) : std::string(); };
    while (reader.next(page)) {
        for (const Asset& a : page) {
            std::snprintf(line, sizeof line, "%-34.34s %-10s %-13.13s %-5.5s %14s %14s %14s\n",
                          a.description.c_str(),
                          a.placedInService ? paddedDate(*a.placedInService).c_str() : "",
                          a.methodTax.c_str(), a.lifeTax.c_str(), text(a.costTax).c_str(),
                          text(a.priorAccumTax).c_str(), text(a.currentTax).c_str());
            out << line;
            cost += units(a.costTax);
            prior += units(a.priorAccumTax);
            current += units(a.currentTax);
        }
    }
    out << std::string(110, '-') << '\n';
    auto dollars = [](std::int64_t u) { return formatMoney(static_cast<double>(u) / 10000.0); };
    std::snprintf(line, sizeof line, "%-66s %14s %14s %14s\n", "Grand Total", dollars(cost).c_str(),
                  dollars(prior).c_str(), dollars(current).c_str());
    out << line;
}

}  // namespace czx
