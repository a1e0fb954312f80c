#include "cli/CommandSearch.h"

#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

namespace qdx::cli {
namespace {

TEST(DisplayCount, TopIsClampedElseTheStoredIndexFollowsTheWindowRule) {
    // A stored index below c stays; otherwise TOP 3, or every candidate when fewer than 3.
    EXPECT_EQ(displayCountFor(std::nullopt, -1, 60), 3);
    EXPECT_EQ(displayCountFor(std::nullopt, 1, 60), 2);
    EXPECT_EQ(displayCountFor(std::nullopt, 5, 4), 3);
    EXPECT_EQ(displayCountFor(std::nullopt, -1, 2), 2);
    EXPECT_EQ(displayCountFor(std::nullopt, 2, 2), 2);
    EXPECT_EQ(displayCountFor(std::nullopt, -1, 1), 1);
    // The list has at most 50 items; a stored index beyond them takes the last.
    EXPECT_EQ(displayCountFor(std::nullopt, 49, 80), 50);
    EXPECT_EQ(displayCountFor(std::nullopt, 70, 80), 50);
    EXPECT_EQ(displayCountFor(std::nullopt, 3, 0), 0);
    // An explicit count is clamped to 1 .. min(c, 50).
    EXPECT_EQ(displayCountFor(7, -1, 5), 5);
    EXPECT_EQ(displayCountFor(-3, 4, 5), 1);
    EXPECT_EQ(displayCountFor(60, -1, 100), 50);
    EXPECT_EQ(displayCountFor(4, -1, 0), 0);
}

// Options left out come from the project's stored search conditions.
TEST(StoredConditions, AreUsedWhenNoOptionIsGiven) {
    test::TempDir dir;
    const std::string project = dir.file("p.qdx");
    test::writeProject(project,
                       {test::chartRecord("P-00001", std::string(32, '1')),
                        test::chartRecord("P-00002", std::string(32, '2')),
                        test::chartRecord("P-00003", "12" + std::string(30, '3'))},
                       {test::chartRecord("A-00001", std::string(32, '2')),
                        test::chartRecord("A-00002", std::string(32, '3')),
                        test::chartRecord("A-00003", "21" + std::string(30, '1')),
                        test::chartRecord("A-00004", std::string(32, '1'))},
                       {test::matchRow(1, 4, "1"), test::matchRow(2, 2, "4")});
    {
        ProjectModel model;
        openProjectFile(model, splitProjectPath(project));
        model.settings().conditions = {1, 1, 3, 1};
        model.saveSettings5(SettingsWrite::Update);
        model.saveSettings6(SettingsWrite::Update);
        model.save();
        model.close(true);
    }
    const auto info = test::runQdx({"info", project});
    EXPECT_NE(info.out.find("search direction\t1 死後→生前\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("display count index\t1\n"), std::string::npos);
    EXPECT_NE(info.out.find("rank key\t3 スコア\n"), std::string::npos);
    EXPECT_NE(info.out.find("hide excluded\t1\n"), std::string::npos);

    const auto stored = test::runQdx({"search", project});
    const auto explicitOptions = test::runQdx({"search", project, "--direction", "1", "--rank-key",
                                               "3", "--top", "2", "--hide-excluded", "1"});
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_EQ(stored.out, explicitOptions.out);
    // P-00001 is identified and hidden; the other rows show two candidates each.
    EXPECT_EQ(stored.out.find("P-00001\t"), std::string::npos) << stored.out;
    EXPECT_NE(stored.out.find("\tTop 2\t"), std::string::npos);
    EXPECT_EQ(stored.out.find("\tTop 3\t"), std::string::npos);
    const auto other = test::runQdx({"search", project, "--direction", "0"});
    EXPECT_NE(other.out, stored.out);
}

} // namespace
} // namespace qdx::cli
