#include "store/company_repository.h"

#include "store/columns.h"

namespace czx {
namespace {

constexpr int kItemNotFound = 3265;

// Empty is No; a number or text holding one is No when 0; the text "True"
// is Yes.
bool readFlag(const Statement& s, int i) {
    switch (s.columnKind(i)) {
        case Statement::Kind::Null:
            return false;
        case Statement::Kind::Integer:
            return s.columnInt(i) != 0;
        default:
            return asBool(s.column(i));
    }
}

bool isCompanyColumn(std::string_view column) {
    for (auto name : {col::CompanyNumber, col::Name, col::YearEnd, col::RegularFederal, col::Book,
                      col::MidQrtYRTax})
        if (name == column) return true;
    return false;
}

}  // namespace

std::optional<CompanyRecord> CompanyRepository::load() {
    Statement query(connection_,
                    "SELECT rowid, companynumber, Name, YearEnd, [Regular federal], Book, "
                    "[Mid Qrt YR Tax] FROM Defaults ORDER BY rowid LIMIT 1");
    if (!query.step()) return std::nullopt;
    CompanyRecord r;
    r.key = query.columnInt(0);
    Company& c = r.company;
    c.number = query.columnInt(1);
    c.name = query.columnText(2);
    r.storedYearEnd = asText(query.column(3));
    c.yearEnd = query.isNull(3) ? std::nullopt : parseIsoDate(query.columnTextView(3));
    c.regularFederal = readFlag(query, 4);
    c.book = readFlag(query, 5);
    c.midQrtYRTax = readFlag(query, 6);
    return r;
}

int CompanyRepository::update(const CompanyRecord& before, const Company& after) {
    const Company& was = before.company;
    std::string assignments;
    std::vector<Value> values;
    auto write = [&](std::string_view column, const Value& value) {
        if (!assignments.empty()) assignments += ", ";
        assignments += bracket(column) + " = ?";
        values.push_back(value);
    };
    auto flag = [](bool yes) { return Value(std::int64_t{yes ? 1 : 0}); };
    if (after.number != was.number) write(col::CompanyNumber, Value(after.number));
    if (after.name != was.name) write(col::Name, Value(after.name));
    if (after.yearEnd != was.yearEnd)
        write(col::YearEnd, after.yearEnd ? Value(isoDate(*after.yearEnd)) : Value());
    if (after.regularFederal != was.regularFederal)
        write(col::RegularFederal, flag(after.regularFederal));
    if (after.book != was.book) write(col::Book, flag(after.book));
    if (after.midQrtYRTax != was.midQrtYRTax) write(col::MidQrtYRTax, flag(after.midQrtYRTax));
    if (values.empty()) return 0;
    Statement statement(connection_, "UPDATE Defaults SET " + assignments + " WHERE rowid = ?");
    int parameter = 1;
    for (const Value& value : values) statement.bind(parameter++, value);
    statement.bind(parameter, before.key);
    statement.run();
    return static_cast<int>(values.size());
}

std::string CompanyRepository::storedText(std::int64_t key, std::string_view column) {
    if (!isCompanyColumn(column))
        throw Error(kItemNotFound, "No company column \"" + std::string(column) + "\".");
    Statement query(connection_, "SELECT " + bracket(column) + " FROM Defaults WHERE rowid = ?");
    query.bind(1, key);
    return query.step() ? asText(query.column(0)) : std::string();
}

std::vector<Group> GroupRepository::list() {
    Statement query(connection_, "SELECT rowid, groupname FROM groups ORDER BY groupname, rowid");
    std::vector<Group> groups;
    while (query.step()) groups.push_back({query.columnInt(0), query.columnText(1)});
    return groups;
}

std::int64_t GroupRepository::add(std::string_view name) {
    connection_.execute("INSERT INTO groups (groupname) VALUES (?)", {Value(std::string(name))});
    return connection_.lastInsertRowId();
}

bool GroupRepository::rename(std::int64_t key, std::string_view name) {
    connection_.execute("UPDATE groups SET groupname = ? WHERE rowid = ?",
                        {Value(std::string(name)), Value(key)});
    return connection_.changes() > 0;
}

bool GroupRepository::remove(std::int64_t key) {
    connection_.execute("DELETE FROM groups WHERE rowid = ?", {Value(key)});
    return connection_.changes() > 0;
}

}  // namespace czx
