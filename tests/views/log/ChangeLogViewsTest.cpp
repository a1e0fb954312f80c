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

    // A record entered with nothing charted was still entered by someone.
    const long long blank = store("佐藤", PostMortem, "T03-00001", 5);
    EXPECT_EQ(checkAs("佐藤", PostMortem, blank), CheckRefusal::SameExaminer);

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
    EXPECT_EQ(logCell(all.back(), LogColumn::Change),
              "右上 4 5 5 5 5 5 5 5 / 左上 5 5 5 5 5 5 5 5 / 左下 5 5 5 5 5 5 5 5 / 右下 5 5 5 5 5 "
              "5 5 5");

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

// A wording reaches the program's labels only: what the project stores stays as written.
TEST(ChangeLogWording, LabelsAreWordedAndStoredTextIsNot) {
    const Wording marked = [](std::string_view japanese) {
        return "<" + std::string(japanese) + ">";
    };
    ChangeLogRow row;
    row.row.TIME = "2026/12/10 09:00:00";
    row.row.EXAMINER = "佐藤";
    row.row.KIND = journal::kAdded;
    row.row.SIDE = "1";
    row.row.EXT_ID = "D01-00001";
    row.row.TEETH = "右上 4 5";
    row.row.ORIGIN = "他.qdx";
    row.check = "未確認";
    EXPECT_EQ(logCell(row, LogColumn::Kind, marked), "<登録>");
    EXPECT_EQ(logCell(row, LogColumn::Side, marked), "<生前>");
    EXPECT_EQ(logCell(row, LogColumn::Check, marked), "<未確認>");
    for (LogColumn stored : {LogColumn::Time, LogColumn::Examiner, LogColumn::Id, LogColumn::Origin,
                             LogColumn::Change})
        EXPECT_EQ(logCell(row, stored, marked), logCell(row, stored));

    ChartCheckState state;
    EXPECT_EQ(checkStateText(state, marked), "<未確認>");
    state.checked = true;
    state.checkedBy = "%2";
    state.checkedAt = "2026/12/10 09:00:00";
    EXPECT_EQ(checkStateText(state, marked), "<確認済み（%2 2026/12/10 09:00:00）>");
    EXPECT_EQ(checkStateText(state), "確認済み（%2 2026/12/10 09:00:00）");

    // Sorted by the worded text: a wording that reverses the order reverses the rows.
    ChangeLogRow other = row;
    other.row.KIND = journal::kModified;
    const Wording reversing = [](std::string_view japanese) {
        return std::string(japanese == "登録" ? "a" : "b");
    };
    std::vector<ChangeLogRow> rows{row, other};
    sortChangeLog(rows, LogColumn::Kind, true);
    EXPECT_EQ(rows.front().row.KIND, journal::kModified); // "修正" < "登録"
    sortChangeLog(rows, LogColumn::Kind, true, reversing);
    EXPECT_EQ(rows.front().row.KIND, journal::kAdded);
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

// The whole history's check column follows the same rule as one record's state: checks,
// chart changes, other changes, deletions, and the same key on both sides kept apart.
TEST(ChangeLogChecks, TheColumnOfTheWholeHistoryFollowsTheRecordsState) {
    std::vector<JournalRow> rows;
    auto row = [&rows](const char* kind, const char* side, const char* key, const char* teeth) {
        JournalRow r;
        r.KIND = kind;
        r.SIDE = side;
        r.Dental_ID = key;
        r.TEETH = teeth;
        r.TIME = "2026/12/10 09:00:0" + std::to_string(rows.size() % 10);
        r.EXAMINER = rows.size() % 2 ? "佐藤" : "鈴木";
        rows.push_back(r);
    };
    row(journal::kAdded, "0", "1", "右上 4");
    row(journal::kAdded, "1", "1", "右上 5");
    row(journal::kChecked, "0", "1", "");
    row(journal::kModified, "0", "1", "");          // fields only: the check stays
    row(journal::kMatches, "1", "1", "");           // an outcome: nothing changes
    row(journal::kChecked, "1", "1", "");           // checked ...
    row(journal::kModified, "1", "1", "右上8 4→3"); // ... and cleared by a tooth
    row(journal::kAdded, "0", "2", "右上 1");
    row(journal::kChecked, "0", "2", "");
    row(journal::kDeleted, "0", "2", "");
    row(journal::kMatches, "0", "2", ""); // a partner's row after the deletion
    row(journal::kChecked, "1", "3", ""); // a record from before the history
    row(journal::kSettings, "", "", "");
    CheckColumns columns;
    for (const JournalRow& r : rows)
        columns.add(r);
    const auto states = chartCheckStates(rows);
    std::vector<std::string> texts;
    for (const JournalRow& r : rows) {
        const std::string text = columns.text(r);
        texts.push_back(text);
        if (r.isRecordRow()) {
            EXPECT_EQ(text, checkColumnText(states.at(recordOf(r)))) << r.SIDE << r.Dental_ID;
        }
    }
    EXPECT_EQ(texts,
              (std::vector<std::string>{"確認済み", "未確認", "確認済み", "確認済み", "未確認",
                                        "未確認", "未確認", "", "", "", "", "確認済み", ""}));
}

// A row carried over by a merge keeps its older time: the newest-first list still puts it where
// its time belongs, and a list that is in order stays as it is.
TEST_F(ChangeLogViewsTest, RowsWrittenOutOfTimeOrderAreListedByTime) {
    store("佐藤", PostMortem, "T02-00001", 4);
    JournalRow merged;
    merged.TIME = "2001/01/01 00:00:00";
    merged.EXAMINER = "田中";
    merged.KIND = journal::kAdded;
    merged.SIDE = "1";
    merged.Dental_ID = "7";
    merged.EXT_ID = "D09-00001";
    merged.ORIGIN = "他.qdx";
    model.journal().writeAsIs(merged);
    store("佐藤", PostMortem, "T02-00002", 4);
    std::vector<ChangeLogRow> rows = loadChangeLog(model, {});
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].row.EXT_ID, "T02-00002");
    EXPECT_EQ(rows[1].row.EXT_ID, "T02-00001");
    EXPECT_EQ(rows[2].row.EXT_ID, "D09-00001");
    sortChangeLog(rows, LogColumn::Time, true);
    EXPECT_EQ(rows[0].row.EXT_ID, "D09-00001");
    EXPECT_EQ(rows[2].row.EXT_ID, "T02-00002");
    sortChangeLog(rows, LogColumn::Id, false);
    EXPECT_EQ(rows[0].row.EXT_ID, "T02-00002");
    EXPECT_EQ(rows[2].row.EXT_ID, "D09-00001");
}

const PrintItem* printedText(const PrintPage& page, const std::string& text) {
    for (const PrintItem& item : page) {
        if (item.kind == PrintItem::Kind::Text && item.text == text)
            return &item;
    }
    return nullptr;
}

// In English the printout words its title, headings, filter and labels and gives the side its
// wider column; what the project stores prints as written. The Japanese printout keeps its
// texts and places.
TEST(ChangeLogPrint, EnglishWordsTheCaptionsWhileJapaneseKeepsItsTextsAndPlaces) {
    const Wording marked = [](std::string_view japanese) {
        return "<" + std::string(japanese) + ">";
    };
    ChangeLogRow row;
    row.row.TIME = "2026/12/10 09:00:00";
    row.row.EXAMINER = "佐藤";
    row.row.KIND = journal::kAdded;
    row.row.SIDE = "1";
    row.row.Dental_ID = "1";
    row.row.EXT_ID = "D01-00001";
    row.row.TEETH = "右上 4 5";
    row.row.ORIGIN = "他.qdx";
    row.check = "未確認";
    ChangeLogPrintJob job;
    job.filterText = logFilterText({}, "");
    job.createdText = "作成日：2026年12月10日 09時00分";
    job.rows = {row};
    const PrintMetrics m;
    const auto x = [&m](int units) { return 220 + units * m.u; };

    const PrintPage japanese = layoutChangeLogPrint(job, m).front();
    ASSERT_TRUE(printedText(japanese, "変更履歴"));
    ASSERT_TRUE(printedText(japanese, "すべて"));
    const std::pair<const char*, int> headings[] = {{"日時", 0},     {"担当者", 21}, {"種類", 35},
                                                    {"区分", 52},    {"ID", 57},     {"確認", 73},
                                                    {"変更内容", 82}};
    for (const auto& [heading, left] : headings) {
        const PrintItem* item = printedText(japanese, heading);
        ASSERT_TRUE(item) << heading;
        EXPECT_EQ(item->x, x(left)) << heading;
    }
    for (const auto& [cell, left] : std::vector<std::pair<std::string, int>>{
             {"登録", 35}, {"生前", 52}, {"D01-00001", 57}, {"未確認", 73}}) {
        const PrintItem* item = printedText(japanese, cell);
        ASSERT_TRUE(item) << cell;
        EXPECT_EQ(item->x, x(left)) << cell;
    }
    const PrintItem* change = printedText(japanese, "右上 4 5 ［由来：他.qdx］");
    ASSERT_TRUE(change);
    EXPECT_EQ(change->x, x(82));

    job.english = true;
    job.wording = marked;
    job.filterText = logFilterText({}, "", marked);
    const PrintPage english = layoutChangeLogPrint(job, m).front();
    EXPECT_TRUE(printedText(english, "<変更履歴>"));
    EXPECT_TRUE(printedText(english, "<すべて>"));
    EXPECT_TRUE(printedText(english, "作成日：2026年12月10日 09時00分")); // worded by the window
    for (const auto& [heading, left] : headings)
        EXPECT_TRUE(printedText(english, "<" + std::string(heading) + ">")) << heading;
    EXPECT_EQ(printedText(english, "<区分>")->x, x(50));
    EXPECT_EQ(printedText(english, "<生前>")->x, x(50));
    EXPECT_EQ(printedText(english, "D01-00001")->x, x(63));
    EXPECT_TRUE(printedText(english, "<登録>"));
    EXPECT_TRUE(printedText(english, "<未確認>"));
    EXPECT_TRUE(printedText(english, "佐藤"));
    EXPECT_TRUE(printedText(english, "2026/12/10 09:00:00"));
    change = printedText(english, "右上 4 5 <［由来：他.qdx］>");
    ASSERT_TRUE(change);
    EXPECT_EQ(change->x, x(91));

    LogFilter filter;
    filter.side = PostMortem;
    filter.examiner = "佐藤";
    filter.kind = journal::kModified;
    filter.uncheckedOnly = true;
    EXPECT_EQ(logFilterText(filter, "T02-00001", marked),
              "<死後> T02-00001 / <担当者> 佐藤 / <修正> / <未確認のみ>");
    EXPECT_EQ(logFilterText(filter, "T02-00001"),
              "死後 T02-00001 / 担当者 佐藤 / 修正 / 未確認のみ");
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
