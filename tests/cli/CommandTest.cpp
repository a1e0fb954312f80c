#include "ProjectFixture.h"
#include "QdxRunner.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace qdx::test {
namespace {

TEST(QdxCommands, NewCreatesTheProjectOnceAndAppendsTheExtension) {
    TempDir dir;
    const QdxResult created = runQdx({"new", dir.file("alpha")});
    EXPECT_EQ(created.exitCode, 0) << created.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("alpha.qdx")));

    const QdxResult again = runQdx({"new", dir.file("alpha.qdx")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("exists"), std::string::npos) << again.err;

    const QdxResult info = runQdx({"info", dir.file("alpha")});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("project name\talpha\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("post-mortem records\t0\n"), std::string::npos);
    EXPECT_NE(info.out.find("display count index\t-1\n"), std::string::npos);
}

} // namespace
} // namespace qdx::test
