#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/StoreError.h"

#include "support/ProjectFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

namespace qdx {
namespace {

void storeNewRecord(ProjectModel& model, const std::string& upper, const std::string& lower) {
    model.clearEntry();
    model.entry().side = PostMortem;
    model.entry().upperIdPart = upper;
    model.entry().lowerIdPart = lower;
    model.storeEntry();
}

bool runs(const ProjectModel& model, const std::string& sql) {
    return sqlite3_exec(model.database().connection(), sql.c_str(), nullptr, nullptr, nullptr) ==
           SQLITE_OK;
}

// Most failed writes end only their statement; one that rolls the whole transaction back (a
// full disk, an I/O error, here a trigger raising ROLLBACK) takes every unsaved change with it
// and leaves the file unheld. The store tells the two apart and opens the file again.
TEST(TransactionLoss, OnlyARolledBackTransactionCountsAsLostAndReopeningHoldsTheFileAgain) {
    test::TempDir dir;
    const std::string path = dir.file("p.qdx");
    test::writeEnteredProject(path, {{"A", "00001"}}, {});
    ASSERT_TRUE(test::rollBackInsertsOnDisk(path, "TB_AFTER"));
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    EXPECT_FALSE(model.transactionLost());

    ASSERT_TRUE(runs(model, "CREATE TEMP TRIGGER refuse_match BEFORE INSERT ON TB_MATCH "
                            "BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
    EXPECT_FALSE(runs(model, "INSERT INTO TB_MATCH (KIND) VALUES ('3')"));
    EXPECT_FALSE(model.transactionLost());

    model.deleteRecord(PostMortem, 1);
    EXPECT_TRUE(model.anyChanged());
    EXPECT_THROW(storeNewRecord(model, "B", "00002"), StoreError);
    EXPECT_TRUE(model.isOpen());
    EXPECT_TRUE(model.transactionLost());
    // The deleted record is back on disk, and another connection can read the file.
    EXPECT_EQ(test::countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), 1);

    model.reopenAtLastSave();
    EXPECT_TRUE(model.isOpen());
    EXPECT_FALSE(model.transactionLost());
    EXPECT_FALSE(model.anyChanged());
    EXPECT_EQ(model.loadRecordList(PostMortem).size(), 1u);
    EXPECT_EQ(test::countOnDisk(path, "SELECT COUNT(*) FROM TB_AFTER"), -1);
    model.close(false);
    EXPECT_FALSE(model.transactionLost());
}

} // namespace
} // namespace qdx
