#pragma once
// Company files for the store tests: a fresh file of the current layout
// holding one company, and whole-table snapshots to prove a file unchanged.
#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "tests/support/testing.h"

namespace czx::testing {

// A company file of the current layout at `file` holding company 1.
inline Connection makeCompanyFile(const std::filesystem::path& file,
                                  const std::string& name = "Test Company",
                                  const std::string& yearEnd = "2012-12-31") {
    Connection connection = Connection::create(file);
    // A test file need not survive a power cut.
    connection.execute("PRAGMA synchronous = OFF");
    connection.execute(sourceFile("data/schema.sql"));
    connection.execute(
        "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book) "
        "VALUES (1, ?, ?, 1, 1)",
        {Value(name), Value(yearEnd)});
    return connection;
}

using Rows = std::vector<std::vector<Value>>;

// Every row and column of a table, in key order.
inline Rows tableRows(Connection& connection, const std::string& table) {
    Rows rows;
    Statement query(connection, "SELECT * FROM " + bracket(table) + " ORDER BY rowid");
    while (query.step()) {
        auto& row = rows.emplace_back();
        for (int i = 0; i < query.columnCount(); ++i) row.push_back(query.column(i));
    }
    return rows;
}

// The three company tables, to compare a file before and after.
inline std::vector<Rows> companySnapshot(Connection& connection) {
    return {tableRows(connection, "Defaults"), tableRows(connection, "assets"),
            tableRows(connection, "groups")};
}

}  // namespace czx::testing
