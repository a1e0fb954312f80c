#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace qdx::test {
namespace {

// Every complete match row of the file on disk, "ID_AFTER|ID_BEFOR|KIND" in key order.
std::vector<std::string> rowsOnDisk(const std::string& path) {
    std::vector<std::string> rows;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ID_AFTER||'|'||ID_BEFOR||'|'||KIND FROM TB_MATCH ORDER BY ID",
                       -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        rows.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return rows;
}

using Rows = std::vector<std::string>;

// Post-mortem T01-00001 (key 1), T01-00002 (2); ante-mortem D0001-00001..3 (1..3).
// T01-00002 is the same person as D0001-00002.
class HistoryCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("dna.qdx");
        const std::string chart(32, '1');
        writeProject(path, {chartRecord("T01-00001", chart), chartRecord("T01-00002", chart)},
                     {chartRecord("D0001-00001", chart), chartRecord("D0001-00002", chart),
                      chartRecord("D0001-00003", chart)},
                     {matchRow(2, 2, "1"), matchRow(1, 3, "4")});
    }
    QdxResult history(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"history", path});
        return runQdx(arguments);
    }

    TempDir dir;
    std::string path;
};

TEST_F(HistoryCommandTest, ListsWithoutActionsAndWritesNothing) {
    const QdxResult listed = history({"--side", "am", "--id", "D0001-00002"});
    EXPECT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_EQ(listed.out, "同一人物 (デンタルチャート)\tT01-00002\n判明済み\ton\n");
    const QdxResult empty = history({"--side", "pm", "--id", "T01-00001"});
    EXPECT_EQ(empty.out, "他人\tD0001-00003\n判明済み\toff\n");
    EXPECT_EQ(rowsOnDisk(path), (Rows{"2|2|1", "1|3|4"}));

    const QdxResult unknown = history({"--side", "pm", "--id", "D0001-00001"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.err.find("D0001-00001"), std::string::npos) << unknown.err;
    EXPECT_EQ(history({"--side", "xx", "--id", "T01-00001"}).exitCode, 2);
    EXPECT_EQ(history({"--side", "pm", "--id", "T01-00001", "--register", "maybe", "D0001-00001"})
                  .exitCode,
              2);
    EXPECT_EQ(history({"--side", "pm", "--id", "T01-00001", "--identified", "yes"}).exitCode, 2);
}

TEST_F(HistoryCommandTest, ActionsRunInOrderAndAreSaved) {
    // A DNA result: T01-00001 is D0001-00002, which takes it away from T01-00002.
    const QdxResult done =
        history({"--side", "pm", "--id", "T01-00001", "--register", "examining", "D0001-00001",
                 "--delete", "D0001-00003", "--register", "same-other", "D0001-00002", "--register",
                 "other", "D0001-00001", "--replace"});
    EXPECT_EQ(done.exitCode, 0) << done.err;
    EXPECT_EQ(done.out, "他人\tD0001-00001\n同一人物 (他の情報)\tD0001-00002\n判明済み\ton\n");
    EXPECT_EQ(rowsOnDisk(path), (Rows{"1|1|4", "1|2|2"}));
    EXPECT_EQ(history({"--side", "pm", "--id", "T01-00002"}).out, "判明済み\toff\n");

    // 判明済み brought on records an identification without partner; off again removes it.
    EXPECT_EQ(history({"--side", "pm", "--id", "T01-00002", "--identified", "on"}).out,
              "判明済み\ton\n");
    EXPECT_EQ(rowsOnDisk(path).back(), "2|0|0");
    EXPECT_EQ(
        history({"--side", "pm", "--id", "T01-00002", "--identified", "off", "--identified", "off"})
            .exitCode,
        0);
    EXPECT_EQ(rowsOnDisk(path), (Rows{"1|1|4", "1|2|2"}));
}

TEST_F(HistoryCommandTest, TakingASamePersonFromAnotherRecordNeedsReplace) {
    const std::vector<std::string> take = {"--side",     "pm",          "--id",       "T01-00001",
                                           "--register", "same-dental", "D0001-00002"};
    const QdxResult refused = history(take);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "D0001-00002 は T01-00002 と同一人物として登録されています。"
                           "登録を変更しますか？\n");
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(rowsOnDisk(path), (Rows{"2|2|1", "1|3|4"}));

    // Other kinds, and the record's own same person, are not asked about.
    EXPECT_EQ(history({"--side", "pm", "--id", "T01-00001", "--register", "examining",
                       "D0001-00002", "--no-save"})
                  .exitCode,
              0);
    EXPECT_EQ(history({"--side", "am", "--id", "D0001-00002", "--register", "same-other",
                       "T01-00002", "--no-save"})
                  .exitCode,
              0);

    std::vector<std::string> replacing = take;
    replacing.push_back("--replace");
    const QdxResult replaced = history(replacing);
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err;
    EXPECT_EQ(replaced.out, "他人\tD0001-00003\n同一人物 (デンタルチャート)\tD0001-00002\n"
                            "判明済み\ton\n");
    EXPECT_EQ(rowsOnDisk(path), (Rows{"1|3|4", "1|2|1"}));
}

TEST_F(HistoryCommandTest, AFailingActionShowsTheMessageAndSavesNothing) {
    const auto refused = [&](std::vector<std::string> actions, const std::string& message) {
        std::vector<std::string> arguments = {"--side", "am", "--id", "D0001-00002"};
        arguments.insert(arguments.end(), actions.begin(), actions.end());
        const QdxResult result = history(arguments);
        EXPECT_EQ(result.exitCode, 1) << actions.front();
        EXPECT_EQ(result.err, message + "\n") << actions.front();
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(rowsOnDisk(path), (Rows{"2|2|1", "1|3|4"}));
    };
    // The first action would pass; the second fails, and neither is kept.
    refused({"--register", "examining", "T01-00001", "--register", "same-dental", "T01-00001"},
            "同一人物の情報は１件のみ登録可能です。\n"
            "既に同一人物となっている情報の照合種別を変更してから登録してください");
    refused({"--identified", "off"},
            "照合履歴一覧に同一人物が設定されている場合、判明済みをOFFにできません。\n"
            "OFFにしたい場合同一人物を削除してください。");
    for (const char* partner : {"T01-00009", "D0001-00001", "T01", "T01-", "-00001"})
        refused({"--register", "other", partner}, "対象IDを指定してください。");
    refused({"--delete", "T01-00001"},
            "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。");

    // --no-save runs and lists, and leaves the file as it was.
    const QdxResult trial =
        history({"--side", "am", "--id", "D0001-00002", "--delete", "T01-00002", "--no-save"});
    EXPECT_EQ(trial.exitCode, 0) << trial.err;
    EXPECT_EQ(trial.out, "判明済み\toff\n");
    EXPECT_EQ(rowsOnDisk(path), (Rows{"2|2|1", "1|3|4"}));
}

} // namespace
} // namespace qdx::test
