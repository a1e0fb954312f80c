#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qdx::test {
namespace {

class SettingsCommand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runQdx({"new", m_path}).exitCode, 0); }

    QdxResult settings(std::vector<std::string> options) {
        options.insert(options.begin(), {"settings", m_path});
        return runQdx(options);
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("kamaishi.qdx");
};

TEST_F(SettingsCommand, ListsTheFieldsAsTheWindowShowsThemInStorageOrder) {
    const QdxResult shown = settings({});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const std::vector<std::string> lines = outputLines(shown.out);
    ASSERT_EQ(lines.size(), 124u);
    EXPECT_EQ(lines[0], "プロジェクト名\tkamaishi");
    EXPECT_EQ(lines[1], "照合優先度の係数\t2");
    EXPECT_EQ(lines[2], "am-pm5:1:1\t0.0621");
    EXPECT_EQ(lines[3], "am-pm5:1:2\t0.0000");
    EXPECT_EQ(lines[2 + 13], "am-pm5:3:4\t-0.9950");
    EXPECT_EQ(lines[2 + 25], "pm-am5:1:1\t0.2452");
    EXPECT_EQ(lines[2 + 50 + 5], "am-pm6:1:6\t0.4902");
    EXPECT_EQ(lines[2 + 50 + 6], "am-pm6:2:1\t0.0144");
    EXPECT_EQ(lines[2 + 86 + 30], "pm-am6:6:1\t0.4902");
    EXPECT_EQ(lines[123], "pm-am6:6:6\t0.4936");
}

TEST_F(SettingsCommand, StoresCheckedTextsInBothTablesAndCommits) {
    const QdxResult stored =
        settings({"--name", "釜石 2026", "--factor", " 7", "--cell", "am-pm5:3:4=-1", "--cell",
                  "pm-am6:6:1=0.5", "--cell", "am-pm6:2:3=", "--cell", "pm-am5:5:5=1e-4"});
    ASSERT_EQ(stored.exitCode, 0) << stored.err;
    EXPECT_EQ(textOnDisk(m_path, "SELECT PROJECTNAME FROM TB_SETUP WHERE ID=1"), "釜石 2026");
    EXPECT_EQ(textOnDisk(m_path, "SELECT PROJECTNAME FROM TB_SETUP WHERE ID=2"), "2");
    EXPECT_EQ(textOnDisk(m_path, "SELECT FACTOR FROM TB_SETUP_PRO WHERE ID=2"), "7");
    EXPECT_EQ(textOnDisk(m_path, "SELECT SCORE14 FROM TB_SETUP WHERE ID=1"), "-1.0");
    EXPECT_EQ(textOnDisk(m_path, "SELECT SCORE25 FROM TB_SETUP WHERE ID=2"), "0.0001");
    EXPECT_EQ(textOnDisk(m_path, "SELECT SCORE31 FROM TB_SETUP_PRO WHERE ID=2"), "0.5");
    EXPECT_EQ(textOnDisk(m_path, "SELECT SCORE9 FROM TB_SETUP_PRO WHERE ID=1"), "0.0");

    const std::vector<std::string> lines = outputLines(settings({}).out);
    EXPECT_EQ(lines[0], "プロジェクト名\t釜石 2026");
    EXPECT_EQ(lines[1], "照合優先度の係数\t7");
    EXPECT_EQ(lines[2 + 86 + 30], "pm-am6:6:1\t0.5000");
}

TEST_F(SettingsCommand, UnchangedValuesAreWrittenBackAsShown) {
    ASSERT_EQ(settings({"--cell", "am-pm6:1:1=0.123456"}).exitCode, 1); // 153, nothing stored
    ASSERT_EQ(settings({"--factor", "2"}).exitCode, 0);
    EXPECT_EQ(textOnDisk(m_path, "SELECT SCORE1 FROM TB_SETUP WHERE ID=1"), "0.0621");
    EXPECT_EQ(textOnDisk(m_path, "SELECT typeof(SCORE1) FROM TB_SETUP_PRO WHERE ID=2"), "real");
}

TEST_F(SettingsCommand, TheFirstFailureIsReportedAndNothingIsStored) {
    const std::string before = readBytes(m_path);
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        {{"--name", "", "--factor", "0"}, "1文字以上、100文字以内で指定してください。"},
        {{"--name", std::string(101, 'n')}, "1文字以上、100文字以内で指定してください。"},
        {{"--factor", "7.0"}, "数字以外が指定されています。"},
        {{"--factor", "65536"}, "1～65535で指定して下さい。"},
        {{"--factor", ""}, "1～65535で指定して下さい。"},
        {{"--factor", "inf"}, "数字以外が指定されています。"},
        // The left six-class grid comes before the right one, column 1 before column 2.
        {{"--cell", "pm-am6:1:1=abc", "--cell", "am-pm6:2:1=1.5", "--cell", "am-pm6:1:6=10000"},
         "小数点以下は第４位まで指定できます。"},
        {{"--cell", "pm-am5:1:1=nan"}, "数字以外が指定されています。"},
        {{"--cell", "am-pm5:1:1=infinity"}, "数字以外が指定されています。"},
        {{"--cell", "am-pm5:5:5=1.5", "--factor", "3"}, "-1.0000～1.0000の範囲で指定して下さい。"},
    };
    for (const Case& c : cases) {
        const QdxResult refused = settings(c.options);
        EXPECT_EQ(refused.exitCode, 1) << c.options[0];
        EXPECT_EQ(refused.err, c.message + "\n");
    }
    EXPECT_EQ(readBytes(m_path), before);
}

TEST_F(SettingsCommand, AcceptsTheLimitsAndLeavesTheFileAloneWithoutSaving) {
    ASSERT_EQ(settings({"--name", std::string(100, 'n'), "--factor", "65535"}).exitCode, 0);
    EXPECT_EQ(textOnDisk(m_path, "SELECT FACTOR FROM TB_SETUP WHERE ID=1"), "65535");

    const std::string before = readBytes(m_path);
    const QdxResult unsaved = settings({"--factor", "1e3", "--no-save"});
    EXPECT_EQ(unsaved.exitCode, 0) << unsaved.err;
    EXPECT_EQ(readBytes(m_path), before);
    ASSERT_EQ(settings({"--factor", "1e3"}).exitCode, 0);
    EXPECT_EQ(textOnDisk(m_path, "SELECT FACTOR FROM TB_SETUP WHERE ID=2"), "1");
}

TEST_F(SettingsCommand, MalformedOptionsAreUsageErrors) {
    const std::string before = readBytes(m_path);
    for (const char* cell : {"am-pm5:6:1=0", "am-pm6:0:1=0", "am-pm7:1:1=0", "am-pm5:1:1",
                             "am-pm5:1=0", "am-pm5:1:1:1=0"})
        EXPECT_EQ(settings({"--cell", cell}).exitCode, 2) << cell;
    const QdxResult notText = settings({"--name", "\xff\xfe"});
    EXPECT_EQ(notText.exitCode, 1);
    EXPECT_NE(notText.err.find("UTF-8"), std::string::npos) << notText.err;
    EXPECT_EQ(runQdx({"settings", m_dir.file("missing")}).exitCode, 1);
    EXPECT_EQ(readBytes(m_path), before);
}

} // namespace
} // namespace qdx::test
