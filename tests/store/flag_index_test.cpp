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

// `count` assets; those whose key satisfies `flaggedWhere` are flagged.
Connection company(int count, const char* flaggedWhere) {
    Connection db = testing::makeCompany();
    ensureRunIndexes(db);
    Transaction transaction(db);
    for (int i = 0; i < count; ++i)
        insertAsset(db, testing::makeAsset("MACRS", "5", 1000.0, "2012-03-10", "2012-12-31"));
    db.execute(std::string("UPDATE assets SET assetchng = (") + flaggedWhere + ")");
    transaction.commit();
    return db;
}

TEST(FlagIndex, IsSetAsideOnlyWhenAWalkClearsHalfTheRowsOrMore) {
    const struct {
        int assets;
        const char* flagged;
        bool dropped;
    } cases[] = {
        // Counted: half of ten is five.
        {10, "0", false},
        {10, "rowid = 1", false},
        {10, "rowid <= 4", false},
        {10, "rowid <= 5", true},
        {10, "1", true},
        // Judged from keys spread over the file.
        {5000, "0", false},
        {5000, "rowid % 4 = 0", false},
        {5000, "rowid <= 2000", false},
        {5000, "rowid % 4 <> 0", true},
        {5000, "rowid > 1000", true},
        {5000, "1", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.assets) + " assets, flagged where " + c.flagged);
        Connection db = company(c.assets, c.flagged);
        Transaction transaction(db);
        EXPECT_EQ(dropFlagIndexBeforeWalk(db, 1), c.dropped);
        EXPECT_EQ(flagIndexExists(db), !c.dropped);
        // Another company's rows do not count towards this one's half.
        EXPECT_FALSE(dropFlagIndexBeforeWalk(db, 2));
    }
}

TEST(FlagIndex, ComesBackHoldingTheRowsStillFlagged) {
    Connection db = company(10, "1");
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
