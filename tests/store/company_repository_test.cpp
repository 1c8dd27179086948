// The company window's and the group window's way to their rows.
#include "store/company_repository.h"

#include <gtest/gtest.h>

#include "store/assets.h"
#include "store/columns.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

struct StoredCompany {
    const char* values;  // companynumber, Name, YearEnd, the three yes/no, as SQL
    Company expected;
    const char* storedYearEnd;
};

TEST(CompanyRepository, ReadsTheCompanyAsTheRunDoes) {
    const StoredCompany cases[] = {
        {"1, 'Acme', '2012-12-31', 1, 0, 0",
         {1, "Acme", parseIsoDate("2012-12-31"), true, false, false},
         "2012-12-31"},
        {"2, 'Old', '12/31/2012', 'True', '1', 'False'",
         {2, "Old", std::nullopt, true, true, false},
         "12/31/2012"},
        {"3, NULL, NULL, 0.0, 2, 'Yes'", {3, "", std::nullopt, false, true, false}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values);
        Connection db = testing::makeCompany();
        db.execute("DELETE FROM Defaults");
        db.execute(std::string("INSERT INTO Defaults (companynumber, Name, YearEnd, [Regular "
                               "federal], Book, [Mid Qrt YR Tax]) VALUES (") +
                   c.values + ")");
        auto record = CompanyRepository(db).load();
        ASSERT_TRUE(record);
        EXPECT_EQ(record->company, c.expected);
        EXPECT_EQ(record->storedYearEnd, c.storedYearEnd);
        EXPECT_EQ(readCompany(db), record->company);
    }
}

TEST(CompanyRepository, ASavedEditLoadsAgainAndAYearEndThatIsNoDateSurvivesOtherEdits) {
    Connection db = testing::makeCompany("Acme", "12/31/2012");
    CompanyRepository company(db);
    const CompanyRecord before = *company.load();
    EXPECT_FALSE(before.company.yearEnd);

    Company renamed = before.company;
    renamed.name = "Acme Tools";
    renamed.book = false;
    EXPECT_EQ(company.update(before, renamed), 2);
    CompanyRecord now = *company.load();
    EXPECT_EQ(now.company, renamed);
    EXPECT_EQ(now.storedYearEnd, "12/31/2012");
    EXPECT_EQ(company.storedText(now.key, col::Book), "0");

    Company dated = now.company;
    dated.yearEnd = parseIsoDate("2013-06-30");
    dated.midQrtYRTax = true;
    EXPECT_EQ(company.update(now, dated), 2);
    now = *company.load();
    EXPECT_EQ(now.company, dated);
    EXPECT_EQ(now.storedYearEnd, "2013-06-30");
    EXPECT_EQ(company.update(now, dated), 0);

    EXPECT_THROW(company.storedText(now.key, "assetchng"), Error);
    db.execute("DELETE FROM Defaults");
    EXPECT_FALSE(company.load());
}

// The group window walks the groups in this order: by name, as SQLite orders
// text, a group without a name first.
TEST(GroupRepository, ListsByNameAndAddsRenamesAndDeletes) {
    Connection db = testing::makeCompany();
    GroupRepository groups(db);
    std::vector<std::int64_t> keys;
    for (const char* name : {"Vehicles", "Buildings", "vans", "", "Buildings", "Office"})
        keys.push_back(groups.add(name));
    db.execute("INSERT INTO groups (groupname) VALUES (NULL)");
    const std::int64_t unnamed = db.lastInsertRowId();

    auto listed = [&] {
        std::vector<std::pair<std::int64_t, std::string>> pairs;
        for (const auto& g : groups.list()) pairs.emplace_back(g.key, g.name);
        return pairs;
    };
    const std::vector<std::pair<std::int64_t, std::string>> byName = {
        {unnamed, ""},       {keys[3], ""},         {keys[1], "Buildings"}, {keys[4], "Buildings"},
        {keys[5], "Office"}, {keys[0], "Vehicles"}, {keys[2], "vans"}};
    EXPECT_EQ(listed(), byName);

    EXPECT_TRUE(groups.rename(keys[0], "Autos"));
    EXPECT_TRUE(groups.remove(keys[4]));
    EXPECT_FALSE(groups.remove(keys[4]));
    EXPECT_FALSE(groups.rename(keys[4], "gone"));
    const std::vector<std::pair<std::int64_t, std::string>> after = {
        {unnamed, ""},          {keys[3], ""},       {keys[0], "Autos"},
        {keys[1], "Buildings"}, {keys[5], "Office"}, {keys[2], "vans"}};
    EXPECT_EQ(listed(), after);
}

}  // namespace
}  // namespace czx
