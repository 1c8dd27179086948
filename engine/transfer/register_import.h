#pragma once
// Assets taken into the company from a CSV file, as a spreadsheet or another
// system writes its register: part-depreciated assets come in with the
// depreciation they already carry.
//
// The header row names the columns, by the names of the columns of `assets`
// (any order, any of them, letter case ignored). "Asset Description",
// "Date Placed in Service", "Dprn Method - Tax", "Dprn Life - Tax" and
// "Asset Cost - Tax" are required. A column the file leaves out takes the
// value a new asset takes: empty, No, a business use of 1 (100 %), and a
// "YRPIS" of the company's year end on or after the date placed in service.
//
// Every row is checked as the asset screen checks it before storing it. One
// problem anywhere and nothing is imported: every problem is listed, one a
// line, "line N, column X: what is wrong", N the line of the file the row
// starts on (the header is line 1).
#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "base/dates.h"
#include "store/database.h"

namespace czx {

struct ImportOptions {
    bool createGroups = false;  // a group the list lacks is created, not refused
    bool dryRun = false;        // check and report, write nothing
};

struct ImportResult {
    std::vector<std::string> problems;  // empty when the rows were (or would be) imported
    std::int64_t rows = 0;              // assets imported, or that a dry run would import
    std::vector<std::string> groupsCreated;
    bool written = false;  // the assets are in the file
};

// Reads the CSV text of `in` and imports its rows into the company of
// `connection`, in one transaction, each flagged for the next run; the run
// figures the company keeps are forgotten. `catalogue` is the method
// catalogue file the methods and lives are checked against.
ImportResult importRegister(Connection& connection, const std::filesystem::path& catalogue,
                            std::istream& in, const ImportOptions& options);

// "Imported 12 assets; created 2 groups: Tools, Vans." (or, for a dry run,
// "Checked 12 assets: they can be imported; ..."), for the programs to show.
std::string importSummary(const ImportResult& result, bool dryRun);

// The end of the company's fiscal year on or after `placed`: the month and
// day of `yearEnd`, a year end on the last day of February meaning the last
// day of February of every year.
Date fiscalYearEndFor(const Date& placed, const Date& yearEnd);

}  // namespace czx
