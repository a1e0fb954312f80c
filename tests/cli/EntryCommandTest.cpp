#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

namespace qdx::test {
namespace {

const std::string kChart = "1 2 3 4 5 6 1b 2b 3d 4d 5 6 1 1 1 1 "
                           "2,2,2,2,2,2,2,2,2,2,2,2,2,2,2,2";

// The record stored under an ID, read back through the model.
DentalRecord storedRecord(const std::string& path, int side, const std::string& displayId) {
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    long long key = 0;
    DentalRecord record;
    if (!model.isIdFree(side, displayId, key))
        record = model.getRecordWithMatch(side, key);
    model.close(false);
    return record;
}

class EntryCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        DentalRecord imported = chartRecord("IMPORTT02-00005", std::string(32, '3'));
        imported.valid = "2";
        imported.place = "大船渡";
        DentalRecord am = chartRecord("D1-00007", std::string(32, '2'));
        am.name = "佐藤";
        MatchRow pending = matchRow(0, 1, "3");
        pending.I_MATCHID = "1T03-00042"; // waits for post-mortem T03-00042
        writeProject(m_path, {chartRecord("T01-00001", std::string(32, '1')), imported}, {am},
                     {pending});
    }

    QdxResult add(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"add", m_path});
        return runQdx(arguments);
    }
    QdxResult edit(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"edit", m_path});
        return runQdx(arguments);
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("p.qdx");
};

TEST_F(EntryCommandTest, AddStoresTheRecordAsTheDialogSavesIt) {
    const QdxResult r =
        add({"--side", "pm", "--upper", "T03", "--lower", "42", "--chart", kChart, "--sex", "1",
             "--age", "4", "--place", "気仙沼", "--summary", "左頬\nに傷"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "3\tT03-00042\n");
    const DentalRecord stored = storedRecord(m_path, PostMortem, "T03-00042");
    EXPECT_EQ(stored.classChart, "1234551234551111" + std::string(16, '2'));
    EXPECT_EQ(stored.presentChart, "0000010000010000" + std::string(16, '0'));
    EXPECT_EQ(stored.bridgeChart, "0000001100000000" + std::string(16, '0'));
    EXPECT_EQ(stored.deciduousChart, "0000000011000000" + std::string(16, '0'));
    EXPECT_EQ(stored.sex, "1");
    EXPECT_EQ(stored.agegroup, "4");
    EXPECT_EQ(stored.place, "気仙沼");
    EXPECT_EQ(stored.summary, "左頬\nに傷");
    EXPECT_EQ(stored.valid, "1");
    EXPECT_EQ(stored.UpdateTime, DentalRecord::todayText());
    // The row that waited for this ID now names it.
    EXPECT_EQ(stored.MATCH_KIND, MatchKind::UnderInvestigation);
    EXPECT_EQ(stored.Match_ID, "D1-00007");

    const QdxResult plain = add({"--side", "am", "--upper", "T03", "--lower", "00042"});
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    const DentalRecord defaults = storedRecord(m_path, AnteMortem, "T03-00042");
    EXPECT_EQ(defaults.classChart, std::string(32, '5'));
    EXPECT_EQ(defaults.sex, "0");
    EXPECT_EQ(defaults.agegroup, "0");
}

TEST_F(EntryCommandTest, AddRefusesBadIdsAndStoresNothing) {
    const std::string before = readBytes(m_path);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--upper", "", "--lower", "1"}, "ID上位部が指定されていません。"},
        {{"--upper", "A-1", "--lower", "1"}, "ID上位部に\"-\"(ハイフン)は指定できません。"},
        {{"--upper", "A", "--lower", ""}, "ID下位部が指定されていません。"},
        {{"--upper", "A", "--lower", "12a"}, "ID下位部に数字以外が指定されています。"},
        {{"--upper", "A", "--lower", "１２"}, "ID下位部に数字以外が指定されています。"},
        {{"--upper", "A", "--lower", "100000"}, "ID下位部は0～99999で指定してください。"},
        {{"--upper", "T01", "--lower", "1"}, "IDはすでに登録されています。"},
    };
    for (const auto& [arguments, message] : cases) {
        std::vector<std::string> all = {"--side", "pm"};
        all.insert(all.end(), arguments.begin(), arguments.end());
        const QdxResult r = add(all);
        EXPECT_EQ(r.exitCode, 1) << message;
        EXPECT_EQ(r.err, message + "\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(readBytes(m_path), before);
}

TEST_F(EntryCommandTest, AddUsageErrors) {
    const std::string before = readBytes(m_path);
    const std::vector<std::vector<std::string>> cases = {
        {"--side", "pm", "--upper", "A", "--lower", "1", "--name", "x"},
        {"--side", "am", "--upper", "A", "--lower", "1", "--place", "x"},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--chart", "1 2 3"},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--chart", "7" + kChart.substr(1)},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--chart", "1d" + kChart.substr(1)},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--chart", "1x" + kChart.substr(1)},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--sex", "3"},
        {"--side", "pm", "--upper", "A", "--lower", "1", "--age", "12"},
        {"--side", "xx", "--upper", "A", "--lower", "1"},
        {"--side", "pm", "--upper", "A"},
    };
    for (const auto& arguments : cases) {
        const QdxResult r = add(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments[arguments.size() - 1] << "\n" << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    // --no-save runs the checks and the store, then rolls back.
    const QdxResult unsaved = add({"--side", "pm", "--upper", "A", "--lower", "1", "--no-save"});
    EXPECT_EQ(unsaved.exitCode, 0) << unsaved.err;
    EXPECT_EQ(readBytes(m_path), before);
    EXPECT_EQ(runQdx({"add", m_dir.file("missing"), "--side", "pm", "--upper", "A", "--lower", "1"})
                  .exitCode,
              1);
}

TEST_F(EntryCommandTest, EditKeepsWhatIsLeftOut) {
    const QdxResult r =
        edit({"--side", "am", "--id", "D1-00007", "--summary", "追記", "--age", "9"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "1\tD1-00007\n");
    const DentalRecord stored = storedRecord(m_path, AnteMortem, "D1-00007");
    EXPECT_EQ(stored.summary, "追記");
    EXPECT_EQ(stored.agegroup, "9");
    EXPECT_EQ(stored.name, "佐藤");
    EXPECT_EQ(stored.classChart, std::string(32, '2'));
    EXPECT_EQ(stored.UpdateTime, "2026-03-11");

    const QdxResult chart = edit({"--side", "am", "--id", "D1-00007", "--chart", kChart});
    ASSERT_EQ(chart.exitCode, 0) << chart.err;
    EXPECT_EQ(storedRecord(m_path, AnteMortem, "D1-00007").bridgeChart,
              "0000001100000000" + std::string(16, '0'));

    const std::string before = readBytes(m_path);
    EXPECT_EQ(edit({"--side", "am", "--id", "D1-00007", "--upper", "D2"}).exitCode, 2);
    EXPECT_EQ(edit({"--side", "pm", "--id", "T01-00001", "--name", "x"}).exitCode, 2);
    const QdxResult missing = edit({"--side", "pm", "--id", "D1-00007"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("D1-00007"), std::string::npos);
    EXPECT_EQ(readBytes(m_path), before);
}

TEST_F(EntryCommandTest, EditOfAnImportedIdChecksItAgain) {
    const std::string before = readBytes(m_path);
    const QdxResult kept = edit({"--side", "pm", "--id", "IMPORTT02-00005"});
    EXPECT_EQ(kept.exitCode, 1);
    EXPECT_EQ(
        kept.err,
        "インポート時ID上位部の先頭に追加された「IMPORT」が残っています。修正してください。\n");
    const QdxResult taken =
        edit({"--side", "pm", "--id", "IMPORTT02-00005", "--upper", "T01", "--lower", "1"});
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_EQ(taken.err, "IDはすでに登録されています。\n");
    EXPECT_EQ(readBytes(m_path), before);

    const QdxResult fixed = edit({"--side", "pm", "--id", "IMPORTT02-00005", "--upper", "T02"});
    ASSERT_EQ(fixed.exitCode, 0) << fixed.err;
    EXPECT_EQ(fixed.out, "2\tT02-00005\n");
    const DentalRecord stored = storedRecord(m_path, PostMortem, "T02-00005");
    EXPECT_EQ(stored.valid, "1");
    EXPECT_EQ(stored.place, "大船渡");
    EXPECT_EQ(stored.classChart, std::string(32, '3'));
    // A normal record again: its ID can no longer be changed.
    EXPECT_EQ(edit({"--side", "pm", "--id", "T02-00005", "--lower", "6"}).exitCode, 2);
}

} // namespace
} // namespace qdx::test
