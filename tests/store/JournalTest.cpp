// The change history the project model writes with every change.
#include "platform/LoginName.h"
#include "store/JournalTable.h"
#include "store/MatchTable.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/StoreError.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <regex>

namespace qdx::test {
namespace {

// "KIND|SIDE|EXT_ID|TEETH|DETAIL" of every row, in the order written.
std::vector<std::string> journalLines(const ProjectModel& model) {
    std::vector<std::string> lines;
    for (const JournalRow& row : model.loadJournal())
        lines.push_back(row.KIND + "|" + row.SIDE + "|" + row.EXT_ID + "|" + row.TEETH + "|" +
                        row.DETAIL);
    return lines;
}

class JournalTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("log.qdx");
        open();
    }
    void open() { openProjectFile(model, splitProjectPath(path)); }

    // Stores a new record as the entry dialog does; returns its key.
    long long add(int side, const std::string& upper, const std::string& lower,
                  const std::string& classes = std::string(32, '5')) {
        model.clearEntry();
        RecordEntry& e = model.entry();
        e.side = side;
        e.upperIdPart = upper;
        e.lowerIdPart = lower;
        for (int p = 0; p < kToothCount; ++p)
            e.classes[static_cast<std::size_t>(p)] = classes[static_cast<std::size_t>(p)] - '0';
        model.storeEntry();
        long long key = 0;
        model.isIdFree(side, upper + "-" + lower, key);
        return key;
    }
    // Stores the record again with the changes `change` makes to its entry.
    void edit(int side, long long key, const std::function<void(RecordEntry&)>& change) {
        const DentalRecord record = model.getRecord(side, key);
        model.clearEntry();
        RecordEntry& e = model.entry();
        e.side = side;
        e.isUpdate = true;
        e.dentalId = key;
        e.upperIdPart = record.displayId.substr(0, record.displayId.find('-'));
        e.lowerIdPart = record.displayId.substr(record.displayId.find('-') + 1);
        e.sex = std::atoi(record.sex.c_str());
        e.place = record.place;
        for (std::size_t p = 0; p < kToothCount; ++p) {
            e.classes[p] = record.classChart[p] - '0';
            e.bridges[p] = record.bridgeChart[p] - '0';
        }
        change(e);
        model.storeEntry();
    }
    MatchRow outcome(int side, long long own, const std::string& partnerId, MatchKind kind) {
        MatchRow row;
        row.ownColumn(side) = std::to_string(own);
        row.KIND = kind;
        row.Match_ID = partnerId;
        row.editState = MatchRow::Added;
        return row;
    }

    TempDir dir;
    std::string path;
    ProjectModel model;
};

TEST_F(JournalTest, RecordsAddedModifiedAndDeletedLeaveTheirRowsWithWhoAndWhen) {
    model.setExaminer("佐藤");
    const long long key = add(PostMortem, "T01", "00001", "4" + std::string(31, '5'));
    edit(PostMortem, key, [](RecordEntry& e) {
        e.classes[0] = 3;
        e.bridges[1] = 1;
        e.sex = 1;
    });
    // Stored again unchanged: nothing to record.
    edit(PostMortem, key, [](RecordEntry&) {});
    model.deleteRecord(PostMortem, key);
    EXPECT_EQ(journalLines(model), (std::vector<std::string>{
                                       "ADD|0|T01-00001|右上 4 5 5 5 5 5 5 5 / 左上 5 5 5 5 5 5 5 "
                                       "5 / 左下 5 5 5 5 5 5 5 5 / 右下 5 5 5 5 5 5 5 5|",
                                       "EDIT|0|T01-00001|右上8 4→3, 右上7 5→5b|性別 不明→男性",
                                       "DELETE|0|T01-00001||",
                                   }));
    const JournalRow first = model.loadJournal().front();
    EXPECT_EQ(first.EXAMINER, "佐藤");
    EXPECT_EQ(first.LOGIN, platform::loginName());
    EXPECT_FALSE(first.LOGIN.empty());
    EXPECT_TRUE(std::regex_match(first.TIME, std::regex(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)")))
        << first.TIME;
    EXPECT_EQ(first.Dental_ID, std::to_string(key));
}

TEST_F(JournalTest, OutcomesAndTheSamePersonRuleLeaveRowsOnEveryRecordTheyTouch) {
    const long long a = add(PostMortem, "T01", "00001");
    const long long b = add(PostMortem, "T01", "00002");
    const long long x = add(AnteMortem, "D01", "00001");
    const long long y = add(AnteMortem, "D01", "00002");
    model.replaceMatchHistory(PostMortem,
                              {outcome(PostMortem, b, "D01-00001", MatchKind::IdentifiedByChart),
                               outcome(PostMortem, b, "D01-00002", MatchKind::Imposter)});
    // A becomes X's same person: the rule takes B's registration with X away.
    model.replaceMatchHistory(PostMortem,
                              {outcome(PostMortem, a, "D01-00001", MatchKind::IdentifiedByOther)});
    // B's other-person row turns into under examination; its first entry went with the rule.
    std::vector<MatchRow> bHistory = model.getMatchHistory(PostMortem, b);
    ASSERT_EQ(bHistory.size(), 1u);
    bHistory[0].KIND = MatchKind::UnderInvestigation;
    bHistory[0].editState = MatchRow::Changed;
    model.replaceMatchHistory(PostMortem, bHistory);
    (void)x;
    (void)y;
    std::vector<std::string> lines = journalLines(model);
    lines.erase(lines.begin(), lines.begin() + 4); // the four records
    EXPECT_EQ(
        lines,
        (std::vector<std::string>{
            "MATCH|0|T01-00002||なし → デンタルチャートで判明 D01-00001, なし → 他人 D01-00002",
            "MATCH|0|T01-00001||なし → 他の情報で判明 D01-00001",
            "MATCH|0|T01-00002||デンタルチャートで判明 D01-00001 → なし（D01-00001 は "
            "T01-00001 と同一人物として登録）",
            "MATCH|0|T01-00002||他人 D01-00002 → 鑑定中 D01-00002",
        }));
    // Deleting X names its outcome, and A's log shows where it went.
    model.deleteRecord(AnteMortem, x);
    const auto rows = model.loadJournal();
    EXPECT_EQ(rows[rows.size() - 2].DETAIL, "他の情報で判明 T01-00001");
    EXPECT_EQ(rows.back().KIND, journal::kMatches);
    EXPECT_EQ(rows.back().Dental_ID, std::to_string(a));
    EXPECT_EQ(rows.back().DETAIL, "他の情報で判明 D01-00001 → なし（D01-00001 削除）");
}

TEST_F(JournalTest, SettingsAndDataMatchingWriteOneRowEach) {
    model.settings().factor = 3;
    model.settings().amToPmScores6[35] = 0.5;
    model.saveSettings();
    model.saveSettings(); // nothing differs any more
    add(PostMortem, "D01", "00001");
    add(AnteMortem, "D01", "00001");
    add(PostMortem, "T01", "00001");
    EXPECT_EQ(model.deletePostMortemRecordsSharedWithAnteMortem(), 1);
    const std::vector<std::string> lines = journalLines(model);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "SETTINGS||||照合優先度の係数 2→3, am-pm6:6:6 0.4936→0.5000") << lines[0];
    EXPECT_EQ(lines[4], "DELETE|0|D01-00001||");
    EXPECT_EQ(lines[5], "DATAMATCH|0|||削除 1件");
}

TEST_F(JournalTest, RowsAreSavedOrDiscardedWithTheirChange) {
    add(PostMortem, "T01", "00001");
    model.close(false);
    open();
    EXPECT_TRUE(model.loadJournal().empty());
    EXPECT_TRUE(model.loadRecordList(PostMortem).empty());
    add(PostMortem, "T01", "00002");
    model.save();
    add(PostMortem, "T01", "00003");
    model.close(false);
    open();
    EXPECT_EQ(journalLines(model),
              (std::vector<std::string>{"ADD|0|T01-00002|右上 5 5 5 5 5 5 5 5 / 左上 5 5 5 5 5 5 5 "
                                        "5 / 左下 5 5 5 5 5 5 5 5 / 右下 5 5 5 5 5 5 5 5|"}));
}

// A row the file refuses fails alone: the kept statement is rewound, so the next row is
// written with its own texts and the record's key stays the connection's last insert.
TEST_F(JournalTest, ARefusedRowLeavesTheNextRowsWhole) {
    sqlite3* connection = model.database().connection();
    ASSERT_EQ(sqlite3_exec(connection,
                           "CREATE TRIGGER refuse BEFORE INSERT ON TB_JOURNAL BEGIN SELECT "
                           "RAISE(ABORT, 'no'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_THROW(model.journal().writeProject(journal::kSettings, -1, std::string(40, 'x')),
                 StoreError);
    ASSERT_EQ(sqlite3_exec(connection, "DROP TRIGGER refuse", nullptr, nullptr, nullptr),
              SQLITE_OK);
    model.journal().writeProject(journal::kSettings, -1, "照合優先度の係数 2→3");
    const long long key = add(PostMortem, "T01", "00001");
    model.save();
    EXPECT_EQ(journalLines(model),
              (std::vector<std::string>{"SETTINGS||||照合優先度の係数 2→3",
                                        "ADD|0|T01-00001|右上 5 5 5 5 5 5 5 5 / 左上 5 5 5 5 5 5 5 "
                                        "5 / 左下 5 5 5 5 5 5 5 5 / 右下 5 5 5 5 5 5 5 5|"}));
    EXPECT_EQ(model.loadJournal().back().Dental_ID, std::to_string(key));
    EXPECT_EQ(model.getRecord(PostMortem, key).displayId, "T01-00001");
}

TEST_F(JournalTest, AnOlderFileGainsTheTableAndKeepsItsRecords) {
    model.close(false);
    const std::string older = dir.file("older.qdx");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(older.c_str(), &db), SQLITE_OK);
    for (int i = 0; i < ProjectDatabase::kSchemaStatementCount; ++i)
        ASSERT_EQ(
            sqlite3_exec(db, ProjectDatabase::schemaStatements()[i], nullptr, nullptr, nullptr),
            SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "INSERT INTO TB_AFTER (EXT_IDu, EXT_IDl) VALUES ('T01','00001')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    EXPECT_EQ(countOnDisk(older, "SELECT count(*) FROM sqlite_master WHERE name='TB_JOURNAL'"), 0);

    ProjectModel reader;
    openProjectFile(reader, splitProjectPath(older));
    EXPECT_TRUE(journal::hasJournal(reader.database()));
    EXPECT_EQ(reader.loadRecordList(PostMortem).size(), 1u);
    EXPECT_TRUE(reader.loadJournal().empty());
    reader.close(false);
    EXPECT_EQ(countOnDisk(older, "SELECT count(*) FROM sqlite_master WHERE name='TB_JOURNAL'"), 1);
    EXPECT_EQ(countOnDisk(older, "SELECT count(*) FROM sqlite_master WHERE "
                                 "name='IX_TB_JOURNAL_RECORD'"),
              1);
}

TEST_F(JournalTest, OneRecordsRowsAndTheFiltersComeFromTheTable) {
    model.setExaminer("佐藤");
    const long long a = add(PostMortem, "T01", "00001");
    model.setExaminer("");
    add(AnteMortem, "T01", "00001");
    add(PostMortem, "T01", "00002");
    journal::JournalQuery one;
    one.side = PostMortem;
    one.dentalId = a;
    ASSERT_EQ(model.loadJournal(one).size(), 1u);
    EXPECT_EQ(model.loadJournal(one).front().EXAMINER, "佐藤");
    journal::JournalQuery byLogin;
    byLogin.examiner = platform::loginName();
    EXPECT_EQ(model.loadJournal(byLogin).size(), 2u);
    EXPECT_EQ(journal::selectExaminers(model.database()),
              (std::vector<std::string>{platform::loginName(), "佐藤"}));
}

} // namespace
} // namespace qdx::test
