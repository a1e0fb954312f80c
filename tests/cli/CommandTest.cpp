#include "io/ProjectExport.h"
#include "store/TableStatement.h"
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <sstream>

namespace qdx::test {
namespace {

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos;
         tab = line.find('\t', start)) {
        result.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    result.push_back(line.substr(start));
    return result;
}

TEST(QdxCommands, NewCreatesTheProjectOnceAndAppendsTheExtension) {
    TempDir dir;
    const QdxResult created = runQdx({"new", dir.file("alpha")});
    EXPECT_EQ(created.exitCode, 0) << created.err;
    EXPECT_TRUE(std::filesystem::exists(dir.file("alpha.qdx")));

    const std::string before = readBytes(dir.file("alpha.qdx"));
    const QdxResult again = runQdx({"new", dir.file("alpha.qdx")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find("exists"), std::string::npos) << again.err;
    EXPECT_EQ(readBytes(dir.file("alpha.qdx")), before);

    const QdxResult info = runQdx({"info", dir.file("alpha")});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("project name\talpha\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("post-mortem records\t0\n"), std::string::npos);
    EXPECT_NE(info.out.find("display count index\t-1\n"), std::string::npos);
    EXPECT_NE(info.out.find("rank key\t0 完全一致数\n"), std::string::npos);
}

TEST(QdxCommands, InfoCountsRecordsAndMatchRows) {
    TempDir dir;
    const std::string path = dir.file("p.qdx");
    writeProject(path, {chartRecord("A-00001", std::string(32, '1'))},
                 {chartRecord("B-00001", std::string(32, '1')),
                  chartRecord("B-00002", std::string(32, '2'))},
                 {matchRow(1, 2, "3"), matchRow(1, 1, "4")});
    const QdxResult info = runQdx({"info", path});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("post-mortem records\t1\n"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("ante-mortem records\t2\n"), std::string::npos);
    EXPECT_NE(info.out.find("match rows\t2 (0 pending)\n"), std::string::npos);
}

TEST(QdxCommands, ListShowsMarkIdCellsAndKeyInListOrder) {
    TempDir dir;
    const std::string path = dir.file("p.qdx");
    DentalRecord bridged = chartRecord("B-00002", "34" + std::string(28, '1') + "66");
    bridged.bridgeChart = "11" + std::string(30, '0');
    writeProject(path,
                 {bridged, chartRecord("A-00010", std::string(32, '5')),
                  chartRecord("A-00002", std::string(32, '2'))},
                 {chartRecord("Z-00001", std::string(32, '1')),
                  chartRecord("Z-00002", std::string(32, '1'))},
                 {matchRow(2, 1, "1"), matchRow(3, 2, "4"), matchRow(1, 2, "3")});

    const QdxResult pm = runQdx({"list", path, "--side", "pm"});
    ASSERT_EQ(pm.exitCode, 0) << pm.err;
    const auto rows = outputLines(pm.out);
    ASSERT_EQ(rows.size(), 3u);
    const auto first = fields(rows[0]);
    ASSERT_EQ(first.size(), 35u);
    // Ordered by ID; the identified record is marked, the other-person one is not.
    EXPECT_EQ(first[0], "");
    EXPECT_EQ(first[1], "A-00002");
    EXPECT_EQ(first[2], "2 ");
    EXPECT_EQ(first[34], "3");
    const auto second = fields(rows[1]);
    EXPECT_EQ(second[0], "*");
    EXPECT_EQ(second[1], "A-00010");
    EXPECT_EQ(second[34], "2");
    const auto third = fields(rows[2]);
    EXPECT_EQ(third[0], "u");
    EXPECT_EQ(third[2], "3b");
    EXPECT_EQ(third[3], "4b");
    EXPECT_EQ(third[4], "1 ");
    EXPECT_EQ(third[33], "6 ");
    EXPECT_EQ(third[34], "1");

    const QdxResult am = runQdx({"list", path, "--side", "am"});
    ASSERT_EQ(am.exitCode, 0) << am.err;
    EXPECT_EQ(outputLines(am.out).size(), 2u);
}

TEST(QdxCommands, UsageErrorsExitWithTwo) {
    TempDir dir;
    runQdx({"new", dir.file("p")});
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {},
             {"bogus", dir.file("p")},
             {"info"},
             {"list", dir.file("p")},
             {"list", dir.file("p"), "--side", "xx"},
             {"info", dir.file("p"), "--unknown"},
             {"demo", dir.file("d"), "--pm", "ten", "--am", "1"},
             {"demo", dir.file("d"), "--pm", "-1", "--am", "1"}}) {
        const QdxResult result = runQdx(arguments);
        EXPECT_EQ(result.exitCode, 2) << (arguments.empty() ? "" : arguments[0]) << result.err;
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("d.qdx")));
    EXPECT_EQ(runQdx({"--help"}).exitCode, 0);
}

TEST(QdxCommands, VersionIsTheExportedOneAndTheFullHelpNamesEveryCommand) {
    const QdxResult version = runQdx({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "qdx (Quendix Free) " + std::string(kProductVersion) + "\n");
    // The manual page is made from this text.
    const QdxResult help = runQdx({"--help-all"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* command : {"new", "info", "list", "search", "individual", "demo", "import-pen",
                                "import-oes", "export", "merge"})
        EXPECT_NE(help.out.find(std::string("\n") + command), std::string::npos) << command;
    EXPECT_NE(help.out.find("--rank-key"), std::string::npos);
}

TEST(QdxCommands, MissingLockedAndForeignProjectsFailWithoutChangingAnything) {
    TempDir dir;
    const QdxResult missing = runQdx({"info", dir.file("nothing")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("nothing.qdx")));

    const std::string path = dir.file("held.qdx");
    writeProject(path, {chartRecord("A-00001", std::string(32, '1'))}, {});
    {
        ProjectModel holder;
        openProjectFile(holder, splitProjectPath(path));
        const QdxResult locked = runQdx({"list", path, "--side", "pm"});
        EXPECT_EQ(locked.exitCode, 1);
        EXPECT_EQ(locked.err.rfind("データベースは使用中です。\n", 0), 0u) << locked.err;
        EXPECT_TRUE(locked.out.empty());
        holder.close(false);
    }
    EXPECT_EQ(runQdx({"list", path, "--side", "pm"}).exitCode, 0);

    const std::string text = dir.file("notes.qdx");
    writeBytes(text, "this is not a database, just some text that is long enough\n");
    const QdxResult foreign = runQdx({"info", text});
    EXPECT_EQ(foreign.exitCode, 1);
    EXPECT_EQ(foreign.err.rfind("データベースが作成できませんでした。 \n", 0), 0u) << foreign.err;
    EXPECT_EQ(readBytes(text), "this is not a database, just some text that is long enough\n");
}

} // namespace
} // namespace qdx::test

namespace qdx::test {
namespace {

// Ctrl-C stops the work at its next check: the project transaction is rolled back and the
// half-made demo project and truth file are removed.
TEST(QdxCommands, InterruptedDemoLeavesNothingBehind) {
    TempDir dir;
    const std::string command =
        shellQuoted(QDX_BINARY_DIR "/src/cli/qdx") + " demo " + shellQuoted(dir.file("big")) +
        " --pm 30000 --am 90000 --truth " + shellQuoted(dir.file("truth.csv")) + " 2>" +
        shellQuoted(dir.file("err.txt")) + " & pid=$!; sleep 1; kill -INT $pid; wait $pid";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << readBytes(dir.file("err.txt"));
    EXPECT_NE(readBytes(dir.file("err.txt")).find("interrupted"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.file("big.qdx")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("truth.csv")));
}

} // namespace
} // namespace qdx::test

namespace qdx::test {
namespace {

void execute(const std::string& path, const std::string& sql) {
    ProjectDatabase db;
    db.open(path);
    TableStatement st(db);
    st.sql = sql;
    st.prepareInsert();
    st.step();
    st.finalize();
    db.close(true);
}

// Files written by other tools: damaged tooth codes and odd field values are shown and searched
// without a crash; a record table of another shape is a read failure.
TEST(QdxCommands, DamagedRecordsAreListedAndSearchedForeignTablesFail) {
    TempDir dir;
    const std::string path = dir.file("odd.qdx");
    writeProject(path, {chartRecord("P-00001", std::string(32, '1'))},
                 {chartRecord("A-00001", std::string(32, '1'))});
    execute(path, "UPDATE TB_AFTER SET dru8='ZZZZZZZZZZ', dru7='9', dru6='71', valid='x', "
                  "sex='9' WHERE Dental_ID=1");
    execute(path, "INSERT INTO TB_BEFOR (EXT_IDu, EXT_IDl) VALUES ('', '')");
    const QdxResult list = runQdx({"list", path, "--side", "pm"});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out.rfind("\tP-00001\t0 \t5 \t5 \t1 \t", 0), 0u) << list.out;
    const QdxResult search = runQdx({"search", path, "--csv", dir.file("s.csv")});
    EXPECT_EQ(search.exitCode, 0) << search.err;
    // A `valid` that reads as 0 makes no searching chart: nothing to list, nothing to save.
    const QdxResult reverse = runQdx({"search", path, "--direction", "1"});
    EXPECT_EQ(reverse.exitCode, 0) << reverse.err;
    EXPECT_EQ(reverse.out.find("P-00001"), std::string::npos);
    EXPECT_EQ(runQdx({"search", path, "--direction", "1", "--csv", dir.file("r.csv")}).exitCode, 1);
    const QdxResult single =
        runQdx({"individual", path, "--target", "A-00001", "--csv", dir.file("i.csv")});
    EXPECT_EQ(single.exitCode, 0) << single.err;
    EXPECT_NE(readBytes(dir.file("i.csv")).find(",P-00001,"), std::string::npos);

    const std::string foreign = dir.file("foreign.qdx");
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(foreign.c_str(), &raw), SQLITE_OK);
    sqlite3_exec(raw, "CREATE TABLE TB_AFTER (something TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    const QdxResult failed = runQdx({"list", foreign, "--side", "pm"});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.err.rfind("データの読み込みに失敗しました。\n", 0), 0u) << failed.err;
}

} // namespace
} // namespace qdx::test
