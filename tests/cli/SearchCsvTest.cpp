#include "io/TextCodec.h"

#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

namespace qdx::test {
namespace {

std::string fives(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += ",5";
    return text;
}

std::string chart(const std::string& firstFour) {
    return firstFour + std::string(28, '5');
}

// Four informative teeth per chart, so every count and score below is worked out by hand
// from the default weights (only positions where both sides have information weigh anything).
//   post-mortem: 12-00003 3341, 2-00003 3342, X-00001 1234 (female), Y-00002 2226 (6 = present)
//   ante-mortem: 12-00003 3341, "A,B-00001" 1234 (male), Z-00009 2222
// Match rows: Y-00002 and Z-00009 identified by chart; 2-00003 / 12-00003 other person;
// X-00001 / "A,B-00001" under examination.
class SearchCsv : public ::testing::Test {
protected:
    void SetUp() override {
        m_project = m_dir.file("p.qdx");
        writeProject(
            m_project,
            {chartRecord("12-00003", chart("3341")), chartRecord("2-00003", chart("3342")),
             chartRecord("X-00001", chart("1234"), "2"), chartRecord("Y-00002", chart("2226"))},
            {chartRecord("12-00003", chart("3341")), chartRecord("A,B-00001", chart("1234"), "1"),
             chartRecord("Z-00009", chart("2222"))},
            {matchRow(4, 3, "1"), matchRow(2, 1, "4"), matchRow(3, 2, "3")});
    }

    // Runs qdx with --csv and returns the file's bytes; expects success.
    std::string csvOf(std::vector<std::string> arguments) {
        const std::string file = m_dir.file("out.csv");
        std::remove(file.c_str());
        arguments.insert(arguments.begin() + 1, m_project);
        arguments.push_back("--csv");
        arguments.push_back(file);
        const QdxResult result = runQdx(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return readBytes(file);
    }

    static std::string file(const std::vector<std::string>& utf8Lines) {
        std::string text;
        for (const std::string& line : utf8Lines)
            text += line + "\r\n";
        return TextCodec::toCp932(text);
    }

    static std::string fullHeader(int n) {
        std::string line = ",  ";
        for (int k = 1; k <= n; ++k)
            line += ",,Top " + std::to_string(k) +
                    ",検索数,完全一致数,全修復・欠損一致数,矛盾なし一致数,スコア";
        return line;
    }

    TempDir m_dir;
    std::string m_project;
};

TEST_F(SearchCsv, FullSearchWithStoredConditionsMarksContainedIdsAndQuotes) {
    const std::string before = readBytes(m_project);
    // Stored: direction 0, no display count chosen (TOP 3 of 4 candidates), exact matches.
    const std::string bytes = csvOf({"search"});
    EXPECT_EQ(bytes, file({fullHeader(3),
                           "12-00003,2,★, 12-00003,4,4,3,4,0.4339,★, 2-00003,4,3,3,4,0.4339, "
                           ",X-00001,4,0,0,1,0.0947",
                           "\"A,B-00001\",-1, ,Y-00002,4,1,0,3,0.1886, ,12-00003,4,0,0,3,0.0480, "
                           ",2-00003,4,0,0,3,0.0495",
                           "Z-00009,3, ,Y-00002,4,3,0,4,0.5400, ,2-00003,4,1,0,4,0.2325, "
                           ",X-00001,4,1,0,3,0.2321"}));
    EXPECT_NE(bytes.find("\x81\x9A, 12-00003"), std::string::npos); // "★" in CP932
    EXPECT_EQ(readBytes(m_project), before);
}

TEST_F(SearchCsv, HidingDropsIdentifiedChartsAndRecordedCandidates) {
    // The identified Z-00009 gets no row; candidates with any outcome are skipped and do not
    // count towards N; the priority is the one over candidates without an outcome.
    EXPECT_EQ(csvOf({"search", "--hide-excluded", "1", "--top", "3"}),
              file({fullHeader(3), "12-00003,8,★, 12-00003,4,4,3,4,0.4339, ,X-00001,4,0,0,1,0.0947",
                    "\"A,B-00001\",-4, ,12-00003,4,0,0,3,0.0480, ,2-00003,4,0,0,3,0.0495"}));
}

TEST_F(SearchCsv, PostMortemSideSearchingByScore) {
    EXPECT_EQ(csvOf({"search", "--direction", "1", "--rank-key", "3", "--top", "2"}),
              file({fullHeader(2), "12-00003,8,★, 12-00003,4,4,3,4,0.4339, ,Z-00009,4,0,0,3,0.1411",
                    "2-00003,3, ,12-00003,4,3,3,4,0.4339, ,Z-00009,4,1,0,4,0.2325",
                    "X-00001,-1, ,Z-00009,4,1,0,3,0.2321, ,12-00003,4,0,0,1,0.0947",
                    "Y-00002,3, ,Z-00009,4,3,0,4,0.5400, ,\"A,B-00001\",4,1,0,3,0.1886"}));
}

TEST_F(SearchCsv, DisplayCountIsClampedToTheCandidates) {
    const std::string all = csvOf({"search", "--top", "99"});
    EXPECT_EQ(all.substr(0, all.find("\r\n") + 2), file({fullHeader(4)}));
    const std::string one = csvOf({"search", "--top", "0"});
    EXPECT_EQ(one.substr(0, one.find("\r\n") + 2), file({fullHeader(1)}));
}

TEST_F(SearchCsv, IndividualSearchMarksAgreeingDigitsExceptAcrossSexes) {
    const std::string heading =
        ",,検索数,完全一致数,全修復・欠損一致数,矛盾なし一致数,スコア,右上8,右上7,右上6,右上5,"
        "右上4,右上3,右上2,右上1,左上1,左上2,左上3,左上4,左上5,左上6,左上7,左上8,左下8,左下7,"
        "左下6,左下5,左下4,左下3,左下2,左下1,右下1,右下2,右下3,右下4,右下5,右下6,右下7,右下8";
    EXPECT_EQ(csvOf({"individual", "--target", "A,B-00001", "--top", "9"}),
              file({heading, "u,\"A,B-00001\",,,,,,1,2,3,4" + fives(28),
                    "*,Y-00002,4,1,0,3,0.1886,2,2*,2,5" + fives(28),
                    ",12-00003,4,0,0,3,0.0480,3,3,4,1" + fives(28),
                    ",2-00003,4,0,0,3,0.0495,3,3,4,2" + fives(28),
                    "u,X-00001,0,0,0,0,0.0000,1,2,3,4" + fives(28)}));
    EXPECT_EQ(csvOf({"individual", "--target", "A,B-00001", "--hide-excluded", "1"}),
              file({heading, "u,\"A,B-00001\",,,,,,1,2,3,4" + fives(28),
                    ",12-00003,4,0,0,3,0.0480,3,3,4,1" + fives(28),
                    ",2-00003,4,0,0,3,0.0495,3,3,4,2" + fives(28)}));
    EXPECT_EQ(csvOf({"individual", "--target", "X-00001", "--direction", "1", "--top", "1"}),
              file({heading, "u,X-00001,,,,,,1,2,3,4" + fives(28),
                    "*,Z-00009,4,1,0,3,0.2321,2,2*,2,2" + fives(28)}));
}

TEST_F(SearchCsv, RefusedTargetsAndUnwritableFilesFailWithoutAFile) {
    // Identified while hiding, not on the searching side, or unknown: not in the target list.
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"individual", m_project, "--target", "Z-00009", "--hide-excluded", "1"},
             {"individual", m_project, "--target", "Y-00002"},
             {"individual", m_project, "--target", "nobody"}}) {
        const QdxResult result = runQdx(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments[3];
        EXPECT_FALSE(result.err.empty());
    }
    const QdxResult unwritable =
        runQdx({"search", m_project, "--csv", m_dir.file("no/such/folder/out.csv")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err.rfind("ファイルをオープンできませんでした。\n", 0), 0u)
        << unwritable.err;
}

TEST_F(SearchCsv, ReadableTablesShowTheSameRows) {
    const QdxResult full = runQdx({"search", m_project, "--hide-excluded", "1", "--top", "2"});
    ASSERT_EQ(full.exitCode, 0) << full.err;
    EXPECT_NE(full.out.find("\t12-00003\t8\t\t12-00003\t4\t4\t3\t4\t0.4339\t\tX-00001\t"),
              std::string::npos)
        << full.out;
    EXPECT_EQ(full.out.find("Z-00009"), std::string::npos);

    // The individual list adds the grey rows (under examination, other person) when hiding.
    const QdxResult single = runQdx(
        {"individual", m_project, "--target", "A,B-00001", "--hide-excluded", "1", "--top", "3"});
    ASSERT_EQ(single.exitCode, 0) << single.err;
    EXPECT_NE(single.out.find("u\tX-00001\t0\t0\t0\t0\t0.0000\t1\t2\t3\t4\t5"), std::string::npos)
        << single.out;
    EXPECT_NE(single.out.find("\t2-00003\t4\t0\t0\t3\t0.0495\t3\t3\t4\t2\t5"), std::string::npos);
    EXPECT_EQ(single.out.find("Y-00002"), std::string::npos);
}

// A pair marked as other persons: with hiding, the individual list shows the candidate only as
// a grey row, which is enough for the window to save (a file without candidate lines); the full
// search row keeps its ID and a priority of 0.
TEST(SearchCsvOtherPerson, GreyRowsAloneStillGiveAFile) {
    TempDir dir;
    const std::string project = dir.file("p.qdx");
    writeProject(project, {chartRecord("P-00001", std::string(32, '1'))},
                 {chartRecord("A-00001", std::string(32, '1'))}, {matchRow(1, 1, "4")});
    const std::string csv = dir.file("out.csv");
    const QdxResult single = runQdx(
        {"individual", project, "--target", "A-00001", "--hide-excluded", "1", "--csv", csv});
    ASSERT_EQ(single.exitCode, 0) << single.err;
    const std::string bytes = readBytes(csv);
    EXPECT_EQ(bytes.substr(bytes.find("\r\n") + 2),
              ",A-00001,,,,,,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1\r\n");
    const QdxResult full = runQdx({"search", project, "--hide-excluded", "1", "--csv", csv});
    ASSERT_EQ(full.exitCode, 0) << full.err;
    EXPECT_EQ(readBytes(csv), TextCodec::toCp932(",  ,,Top 1,検索数,完全一致数,全修復・欠損一致数,"
                                                 "矛盾なし一致数,スコア\r\nA-00001,0\r\n"));
}

} // namespace
} // namespace qdx::test
