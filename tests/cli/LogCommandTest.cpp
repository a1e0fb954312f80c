// qdx log and qdx check, and the examiner's name of a run (--examiner, QDX_EXAMINER).
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace qdx::test {
namespace {

const std::string kChart = "4 3 2b 1b 2b 1 1 1 1 1 1 1 1 3 3 4 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6";

class LogCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("log.qdx");
        ASSERT_EQ(runQdx({"new", path}).exitCode, 0);
        unsetenv("QDX_EXAMINER");
    }
    void TearDown() override { unsetenv("QDX_EXAMINER"); }
    // The log's lines without the heading, each split at its tabs.
    std::vector<std::vector<std::string>> logRows(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"log", path});
        const QdxResult r = runQdx(options);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::vector<std::vector<std::string>> rows;
        const std::vector<std::string> lines = outputLines(r.out);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            std::vector<std::string> cells;
            std::size_t start = 0;
            for (;;) {
                const std::size_t tab = lines[i].find('\t', start);
                cells.push_back(lines[i].substr(start, tab - start));
                if (tab == std::string::npos)
                    break;
                start = tab + 1;
            }
            rows.push_back(cells);
        }
        return rows;
    }

    TempDir dir;
    std::string path;
};

TEST_F(LogCommandTest, TheExaminerComesFromTheOptionOrTheEnvironment) {
    ASSERT_EQ(runQdx({"add", path, "--side", "pm", "--upper", "T01", "--lower", "1", "--chart",
                      kChart, "--examiner", "佐藤"})
                  .exitCode,
              0);
    setenv("QDX_EXAMINER", "鈴木", 1);
    ASSERT_EQ(runQdx({"edit", path, "--side", "pm", "--id", "T01-00001", "--sex", "2"}).exitCode,
              0);
    // The option wins over the environment.
    ASSERT_EQ(runQdx({"edit", path, "--side", "pm", "--id", "T01-00001", "--age", "3", "--examiner",
                      "田中"})
                  .exitCode,
              0);
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][1], "田中");
    EXPECT_EQ(rows[0][3], "修正");
    EXPECT_EQ(rows[0][8], "年令 不明→20代") << rows[0][8];
    EXPECT_EQ(rows[1][1], "鈴木");
    EXPECT_EQ(rows[1][8], "性別 不明→女性");
    EXPECT_EQ(rows[2][1], "佐藤");
    EXPECT_EQ(rows[2][5], "T01-00001");
    EXPECT_EQ(rows[2][8].rfind("右上8 5→4, 右上7 5→3, 右上6 5→2b", 0), 0u) << rows[2][8];
    EXPECT_FALSE(rows[2][2].empty()); // the login name
    // A change that is not saved leaves no row.
    ASSERT_EQ(runQdx({"edit", path, "--side", "pm", "--id", "T01-00001", "--sex", "1", "--no-save"})
                  .exitCode,
              0);
    EXPECT_EQ(logRows().size(), 3u);
}

TEST_F(LogCommandTest, CheckFollowsTheRuleAndTheLogListsWhatIsNotYetChecked) {
    ASSERT_EQ(runQdx({"add", path, "--side", "pm", "--upper", "T01", "--lower", "1", "--chart",
                      kChart, "--examiner", "佐藤"})
                  .exitCode,
              0);
    ASSERT_EQ(runQdx({"add", path, "--side", "am", "--upper", "D01", "--lower", "1", "--examiner",
                      "佐藤"})
                  .exitCode,
              0);
    QdxResult r =
        runQdx({"check", path, "--side", "pm", "--id", "T01-00001", "--examiner", "佐藤"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              "最後に歯式を変更した担当者は確認できません。別の担当者が確認してください。\n");
    r = runQdx(
        {"check", path, "--side", "pm", "--id", "T01-00001", "--examiner", "鈴木", "--no-save"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(logRows({"--unchecked"}).size(), 2u);
    r = runQdx({"check", path, "--side", "pm", "--id", "T01-00001", "--examiner", "鈴木"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("T01-00001\t確認済み（鈴木 ", 0), 0u) << r.out;
    r = runQdx({"check", path, "--side", "pm", "--id", "T01-00001", "--examiner", "田中"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "この歯式は既に確認済みです。\n");

    const auto unchecked = logRows({"--unchecked"});
    ASSERT_EQ(unchecked.size(), 1u);
    EXPECT_EQ(unchecked[0][5], "D01-00001");
    const auto one = logRows({"--side", "pm", "--id", "T01-00001"});
    ASSERT_EQ(one.size(), 2u);
    EXPECT_EQ(one[0][3], "歯式確認");
    EXPECT_EQ(one[0][6], "確認済み");
    EXPECT_EQ(logRows({"--by", "鈴木"}).size(), 1u);
    EXPECT_EQ(logRows({"--kind", "ADD"}).size(), 2u);

    // A chart change clears it.
    ASSERT_EQ(runQdx({"edit", path, "--side", "pm", "--id", "T01-00001", "--chart",
                      "1 3 2b 1b 2b 1 1 1 1 1 1 1 1 3 3 4 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6 6",
                      "--examiner", "田中"})
                  .exitCode,
              0);
    EXPECT_EQ(logRows({"--unchecked"}).size(), 4u);

    EXPECT_EQ(runQdx({"check", path, "--side", "pm", "--id", "T09-00001"}).exitCode, 1);
    EXPECT_EQ(runQdx({"log", path, "--side", "pm"}).exitCode, 1);
    EXPECT_EQ(runQdx({"log", path, "--kind", "NOPE"}).exitCode, 1);
    EXPECT_EQ(runQdx({"check", path, "--side", "xx", "--id", "T01-00001"}).exitCode, 2);
}

TEST_F(LogCommandTest, TheExportStaysAsItWasWhateverTheHistoryHolds) {
    ASSERT_EQ(runQdx({"add", path, "--side", "pm", "--upper", "T01", "--lower", "1"}).exitCode, 0);
    ASSERT_EQ(runQdx({"export", path, dir.file("a1.csv"), dir.file("a2.csv"), dir.file("a3.csv")})
                  .exitCode,
              0);
    ASSERT_EQ(
        runQdx({"check", path, "--side", "pm", "--id", "T01-00001", "--examiner", "x"}).exitCode,
        0);
    ASSERT_EQ(runQdx({"export", path, dir.file("b1.csv"), dir.file("b2.csv"), dir.file("b3.csv")})
                  .exitCode,
              0);
    for (const char* n : {"1", "2", "3"})
        EXPECT_EQ(readBytes(dir.file(std::string("a") + n + ".csv")),
                  readBytes(dir.file(std::string("b") + n + ".csv")));
}

} // namespace
} // namespace qdx::test
