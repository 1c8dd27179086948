#pragma once
// Company databases for the store tests: a fresh one of the current layout
// holding one company, in a file or in memory, and whole-table snapshots to
// prove a database unchanged.
#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "tests/support/testing.h"

namespace czx::testing {

// Gives `connection` the current layout and company 1.
inline Connection withCompany(Connection connection, const std::string& name,
                              const std::string& yearEnd) {
    connection.execute(sourceFile("data/schema.sql"));
    connection.execute(
        "INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular federal], Book) "
        "VALUES (1, ?, ?, 1, 1)",
        {Value(name), Value(yearEnd)});
    return connection;
}

// A company file of the current layout at `file` holding company 1.
inline Connection makeCompanyFile(const std::filesystem::path& file,
                                  const std::string& name = "Test Company",
                                  const std::string& yearEnd = "2012-12-31") {
    Connection connection = Connection::create(file);
    // A test file need not survive a power cut.
    connection.execute("PRAGMA synchronous = OFF");
    return withCompany(std::move(connection), name, yearEnd);
}

// The same company in memory, for tests where the file is not the point.
inline Connection makeCompany(const std::string& name = "Test Company",
                              const std::string& yearEnd = "2012-12-31") {
    return withCompany(Connection::inMemory(), name, yearEnd);
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

// The group list, in order of entry.
inline std::vector<std::string> groupNames(Connection& connection) {
    std::vector<std::string> names;
    Statement query(connection, "SELECT groupname FROM groups ORDER BY rowid");
    while (query.step()) names.push_back(query.columnText(0));
    return names;
}

// The three company tables, to compare a database before and after.
inline std::vector<Rows> companySnapshot(Connection& connection) {
    return {tableRows(connection, "Defaults"), tableRows(connection, "assets"),
            tableRows(connection, "groups")};
}

}  // namespace czx::testing
