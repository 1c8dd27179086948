// The index of flagged rows is set aside only when a walk clears most flags,
// and comes back, holding the rows still flagged, whether the walk ends in a
// commit or a rollback.
#include <gtest/gtest.h>

#include "store/assets.h"
#include "tests/store/company_db.h"

namespace czx {
namespace {

bool flagIndexExists(Connection& db) {
    Statement query(db, "SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ?");
    query.bind(1, std::string_view("assets_changed"));
    return query.step();
}

// The flagged keys as the run finds them: through the index.
std::vector<std::int64_t> flaggedThroughIndex(Connection& db) {
    Statement query(db,
                    "SELECT rowid FROM assets INDEXED BY assets_changed WHERE companynumber = 1 "
                    "AND assetchng <> 0 ORDER BY rowid");
    std::vector<std::int64_t> keys;
    while (query.step()) keys.push_back(query.columnInt(0));
    return keys;
}

Connection companyOfTen(int flagged) {
    Connection db = testing::makeCompany();
    ensureRunIndexes(db);
    for (int i = 0; i < 10; ++i)
        insertAsset(db, testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31"));
    db.execute("UPDATE assets SET assetchng = (rowid <= ?)", {Value(std::int64_t{flagged})});
    return db;
}

TEST(FlagIndex, IsSetAsideOnlyWhenAWalkClearsHalfTheRowsOrMore) {
    const struct {
        int flagged;
        bool dropped;
    } cases[] = {{0, false}, {1, false}, {4, false}, {5, true}, {10, true}};
    for (const auto& c : cases) {
        Connection db = companyOfTen(c.flagged);
        Transaction transaction(db);
        EXPECT_EQ(dropFlagIndexBeforeWalk(db, 1), c.dropped) << c.flagged << " flagged";
        EXPECT_EQ(flagIndexExists(db), !c.dropped) << c.flagged << " flagged";
        // Another company's rows do not count towards this one's half.
        EXPECT_FALSE(c.dropped && dropFlagIndexBeforeWalk(db, 2));
    }
}

TEST(FlagIndex, ComesBackHoldingTheRowsStillFlagged) {
    Connection db = companyOfTen(10);
    {
        Transaction transaction(db);
        ASSERT_TRUE(dropFlagIndexBeforeWalk(db, 1));
        db.execute("UPDATE assets SET assetchng = 0 WHERE rowid <> 7");
        ensureRunIndexes(db);
        transaction.commit();
    }
    EXPECT_EQ(flaggedThroughIndex(db), std::vector<std::int64_t>{7});

    db.execute("UPDATE assets SET assetchng = 1");
    {
        // A walk that fails leaves the file as it was, index included.
        Transaction transaction(db);
        ASSERT_TRUE(dropFlagIndexBeforeWalk(db, 1));
        db.execute("UPDATE assets SET assetchng = 0");
    }
    EXPECT_EQ(flaggedThroughIndex(db).size(), 10u);
}

}  // namespace
}  // namespace czx
