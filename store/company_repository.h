#pragma once
// The company record (`Defaults`) and the group list (`groups`) as the
// desktop's windows reach them, typed, with the SQL kept here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/database.h"
#include "store/records.h"

namespace czx {

struct CompanyRecord {
    std::int64_t key = 0;  // the row's key in `Defaults`
    Company company;
    // The year end as the file holds it: what the company window shows
    // when it is no date (and `company.yearEnd` is empty).
    std::string storedYearEnd;
};

class CompanyRepository {
  public:
    explicit CompanyRepository(Connection& connection) : connection_(connection) {}

    // The company: the first row of `Defaults` in key order (one company a
    // file), read as the run reads it; empty when the file holds none.
    std::optional<CompanyRecord> load();
    // Writes to the company's row the members of `after` that differ from
    // `before.company`: the year end as 'YYYY-MM-DD', yes/no as 1 or 0. A
    // year end that was no date and is still empty keeps its stored text.
    // Returns the number of columns written.
    int update(const CompanyRecord& before, const Company& after);
    // The value of a `Defaults` column of row `key` as the file holds it,
    // as text; empty for NULL.
    std::string storedText(std::int64_t key, std::string_view column);

  private:
    Connection& connection_;
};

struct Group {
    std::int64_t key = 0;  // the row's key in `groups`
    std::string name;
    bool operator==(const Group&) const = default;
};

class GroupRepository {
  public:
    explicit GroupRepository(Connection& connection) : connection_(connection) {}

    // Every group by name (as SQLite orders text: byte by byte, a group
    // without a name first), groups of the same name in key order.
    std::vector<Group> list();
    // Returns the new group's key.
    std::int64_t add(std::string_view name);
    // False when no group has the key.
    bool rename(std::int64_t key, std::string_view name);
    bool remove(std::int64_t key);

  private:
    Connection& connection_;
};

}  // namespace czx
