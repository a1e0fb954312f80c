// The change history's rules without the window: the second examiner's check, the listed rows
// and their filters and order, the CSV file and the printout.
#include "io/TextCodec.h"
#include "store/ChangeText.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "support/ProjectFixture.h"
#include "support/TestFiles.h"
#include "views/log/ChangeLogPrintLayout.h"
#include "views/log/ChangeLogRows.h"
#include "views/log/ChartCheck.h"

#include <gtest/gtest.h>

namespace qdx::test {
namespace {

class ChangeLogViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.file("log.qdx");
        // T01-00001 was written before the history existed.
        writeProject(path, {chartRecord("T01-00001", std::string(32, '1'))}, {});
        openProjectFile(model, splitProjectPath(path));
    }
    long long store(const std::string& examiner, int side, const std::string& id, int firstClass,
                    int sex = 0, bool update = false) {
        model.setExaminer(examiner);
        model.clearEntry();
        RecordEntry& e = model.entry();
        e.side = side;
        e.upperIdPart = id.substr(0, id.find('-'));
        e.lowerIdPart = id.substr(id.find('-') + 1);
        e.classes[0] = firstClass;
        e.sex = sex;
        long long key = 0;
        e.isUpdate = !model.isIdFree(side, id, key) && update;
        e.dentalId = key;
        model.storeEntry();
        model.isIdFree(side, id, key);
        return key;
    }
    CheckRefusal checkAs(const std::string& examiner, int side, long long key,
                         bool edited = false) {
        model.setExaminer(examiner);
        return checkChart(model, side, key, edited);
    }

    TempDir dir;
    std::string path;
    ProjectModel model;
};

TEST_F(ChangeLogViewsTest, OnlyAnotherExaminerChecksAndAChartChangeClearsTheCheck) {
    const long long key = store("佐藤", PostMortem, "T02-00001", 4);
    EXPECT_EQ(checkAs("佐藤", PostMortem, key), CheckRefusal::SameExaminer);
    EXPECT_EQ(checkRefusalText(CheckRefusal::SameExaminer),
              "最後に歯式を変更した担当者は確認できません。別の担当者が確認してください。");
    EXPECT_EQ(checkAs("鈴木", PostMortem, key, true), CheckRefusal::ChartEdited);
    EXPECT_FALSE(loadChartCheckState(model, PostMortem, key).checked);

    EXPECT_EQ(checkAs("鈴木", PostMortem, key), CheckRefusal::None);
    ChartCheckState state = loadChartCheckState(model, PostMortem, key);
    EXPECT_TRUE(state.checked);
    EXPECT_EQ(state.checkedBy, "鈴木");
    EXPECT_EQ(checkStateText(state), "確認済み（鈴木 " + state.checkedAt + "）");
    EXPECT_EQ(checkAs("田中", PostMortem, key), CheckRefusal::AlreadyChecked);

    // A change of the sex alone keeps the check; a change of a tooth clears it.
    store("佐藤", PostMortem, "T02-00001", 4, 2, true);
    EXPECT_TRUE(loadChartCheckState(model, PostMortem, key).checked);
    store("田中", PostMortem, "T02-00001", 3, 2, true);
    state = loadChartCheckState(model, PostMortem, key);
    EXPECT_FALSE(state.checked);
    EXPECT_EQ(state.lastChangedBy, "田中");
    EXPECT_EQ(checkStateText(state), "未確認");
    EXPECT_EQ(checkAs("田中", PostMortem, key), CheckRefusal::SameExaminer);
    EXPECT_EQ(checkAs("佐藤", PostMortem, key), CheckRefusal::None);

    // Without a name the login decides; a record from before the history anyone may check.
    EXPECT_EQ(checkAs("", PostMortem, 1), CheckRefusal::None);
    const long long unnamed = store("", AnteMortem, "D01-00001", 2);
    EXPECT_EQ(checkAs("", AnteMortem, unnamed), CheckRefusal::SameExaminer);
}

TEST_F(ChangeLogViewsTest, FiltersListNewestFirstWithTheCheckStateOfEachRecord) {
    const long long a = store("佐藤", PostMortem, "T02-00001", 4);
    const long long b = store("佐藤", PostMortem, "T02-00002", 4);
    store("鈴木", AnteMortem, "D01-00001", 2);
    checkAs("鈴木", PostMortem, a);
    model.deleteRecord(PostMortem, b);

    const std::vector<ChangeLogRow> all = loadChangeLog(model, {});
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all.front().row.KIND, journal::kDeleted); // written last
    EXPECT_EQ(all.back().row.EXT_ID, "T02-00001");
    EXPECT_EQ(all.back().check, "確認済み");
    EXPECT_EQ(logCell(all.back(), LogColumn::Kind), "登録");
    EXPECT_EQ(logCell(all.back(), LogColumn::Side), "死後");
    EXPECT_EQ(logCell(all.back(), LogColumn::Change), "右上8 5→4");

    LogFilter unchecked;
    unchecked.uncheckedOnly = true;
    const std::vector<ChangeLogRow> open = loadChangeLog(model, unchecked);
    ASSERT_EQ(open.size(), 1u); // the deleted record is not waiting for a check
    EXPECT_EQ(open.front().row.EXT_ID, "D01-00001");

    LogFilter one;
    one.side = PostMortem;
    one.dentalId = a;
    const std::vector<ChangeLogRow> record = loadChangeLog(model, one);
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(logCell(record.front(), LogColumn::Kind), "歯式確認");
    EXPECT_EQ(logFilterText(one, "T02-00001"), "死後 T02-00001");

    LogFilter byKind;
    byKind.kind = journal::kAdded;
    byKind.examiner = "佐藤";
    EXPECT_EQ(loadChangeLog(model, byKind).size(), 2u);
    EXPECT_EQ(logFilterText(byKind, ""), "担当者 佐藤 / 登録");
    EXPECT_EQ(logFilterText({}, ""), "すべて");

    std::vector<ChangeLogRow> sorted = all;
    sortChangeLog(sorted, LogColumn::Id, true);
    EXPECT_EQ(sorted.front().row.EXT_ID, "D01-00001");
    EXPECT_EQ(sorted.back().row.EXT_ID, "T02-00002");
    // Equal IDs keep the order they were written in.
    EXPECT_EQ(sorted[1].row.KIND, journal::kAdded);
    EXPECT_EQ(sorted[2].row.KIND, journal::kChecked);
}

TEST(ChangeLogCsv, TheFileIsCp932WithQuotedFieldsAndCrLf) {
    ChangeLogRow row;
    row.row.TIME = "2026/12/10 09:00:00";
    row.row.EXAMINER = "佐藤";
    row.row.LOGIN = "dvi";
    row.row.KIND = journal::kModified;
    row.row.SIDE = "1";
    row.row.EXT_ID = "D01-00001";
    row.row.TEETH = "右上8 5→4, 右上7 1→2";
    row.row.DETAIL = "摘要 →\"左\"\n顎";
    row.row.ORIGIN = "other.qdx";
    row.check = "未確認";
    TempDir dir;
    const std::string file = dir.file("変更履歴.csv");
    writeChangeLogCsv(file, {row});
    const std::string expected = "日時,担当者,ログイン名,種類,区分,ID,確認,由来,変更内容\r\n"
                                 "2026/12/10 09:00:00,佐藤,dvi,修正,生前,D01-00001,未確認,other."
                                 "qdx,\"右上8 5→4, 右上7 1→2 / 摘要 →\"\"左\"\"\r\n顎\"\r\n";
    EXPECT_EQ(readBytes(file), TextCodec::toCp932(expected));
}

TEST(ChangeLogPrint, RowsRunOverPagesAndLongChangesWrapInsideTheColumn) {
    ChangeLogPrintJob job;
    job.filterText = "すべて";
    job.createdText = "作成日：2026年12月10日 09時00分";
    for (int i = 0; i < 60; ++i) {
        ChangeLogRow row;
        row.row.ID = std::to_string(i + 1);
        row.row.TIME = "2026/12/10 09:00:00";
        row.row.KIND = journal::kAdded;
        row.row.SIDE = "0";
        row.row.Dental_ID = std::to_string(i + 1);
        row.row.EXT_ID = "T01-" + std::to_string(10000 + i);
        row.row.TEETH = teethChangeText(ChartStrings::defaults(), DentalRecord().chart());
        if (i % 2 == 0) {
            DentalRecord filled;
            filled.classChart = std::string(32, '3');
            row.row.TEETH = addedTeethText(filled);
        }
        job.rows.push_back(row);
    }
    const PrintMetrics metrics;
    const std::vector<PrintPage> pages = layoutChangeLogPrint(job, metrics);
    ASSERT_GE(pages.size(), 3u);
    int rowsPrinted = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        bool title = false;
        bool number = false;
        for (const PrintItem& item : pages[p]) {
            title = title || item.text == "変更履歴";
            number =
                number || item.text == std::to_string(p + 1) + " / " + std::to_string(pages.size());
            rowsPrinted += item.text.rfind("T01-", 0) == 0 ? 1 : 0;
            if (item.kind == PrintItem::Kind::Text && item.text.rfind("右上", 0) == 0) {
                const int width = static_cast<int>(TextCodec::cp932Length(item.text)) * metrics.u;
                EXPECT_LE(item.x + width, 6800);
            }
            EXPECT_LE(item.y, 4650);
        }
        EXPECT_TRUE(title && number) << "page " << p + 1;
    }
    EXPECT_EQ(rowsPrinted, 60);

    const std::string text = addedTeethText([] {
        DentalRecord r;
        r.classChart = std::string(32, '4');
        return r;
    }());
    const std::vector<std::string> lines = wrapChangeText(text, 1000, 45);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(TextCodec::cp932Length(line) * 45, 1000u) << line;
        joined += line;
    }
    EXPECT_EQ(joined, text);
    // One part wider than the column breaks between characters.
    EXPECT_EQ(wrapChangeText(std::string(30, 'x'), 450, 45).size(), 3u);
}

TEST(ChangeTexts, AHistoryChangePairsEntriesByPartner) {
    auto entry = [](MatchKind kind, const std::string& partner) {
        MatchRow row;
        row.KIND = kind;
        row.Match_ID = partner;
        return row;
    };
    EXPECT_EQ(
        outcomeChangeText(
            {entry(MatchKind::Imposter, "D1"), entry(MatchKind::UnderInvestigation, "D2"),
             entry(MatchKind::Imposter, "D3")},
            {entry(MatchKind::UnderInvestigation, "D2"), entry(MatchKind::IdentifiedByChart, "D1"),
             entry(MatchKind::Imposter, "D4"), entry(MatchKind::Identified, "")}),
        "他人 D1 → デンタルチャートで判明 D1, 他人 D3 → なし, なし → 他人 D4, なし → 判明済み");
    EXPECT_EQ(
        outcomeChangeText({entry(MatchKind::Imposter, "D1")}, {entry(MatchKind::Imposter, "D1")}),
        "");
}

} // namespace
} // namespace qdx::test
