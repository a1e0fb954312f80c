#include "io/PenCsvImporter.h"

#include "ImportTestSupport.h"

namespace qdx {
namespace {

using test::dataFile;
using test::ProjectFixture;
using test::readLog;
using test::withCheck;

const std::string kHeader =
    "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,エックス線写真枚数,x\r\n";

// A form line with every field filled validly; `changes` replaces single fields.
std::string form(std::map<int, std::string> changes) {
    std::vector<std::string> f(64);
    f[1] = "1";
    f[3] = "2024/05/01 09:30:00";
    f[62] = "PX";
    for (auto& [k, v] : changes) {
        if (k < 0) {
            f.resize(static_cast<std::size_t>(-k));
        } else {
            f[static_cast<std::size_t>(k)] = v;
        }
    }
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i) {
        line += (i ? "," : "") + f[i];
    }
    return line + "\r\n";
}

TEST(PenImport, TwoFormsWithEveryFindingEffect) {
    ProjectFixture fx;
    const ImportResult result =
        importPenCsv(fx.model, PostMortem, dataFile("pen_two_forms.csv"), fx.logFolder());
    EXPECT_FALSE(result.failed);
    EXPECT_EQ(result.message(), "インポートが終了しました。");
    ASSERT_EQ(fx.count(PostMortem), 2u);
    EXPECT_EQ(fx.count(AnteMortem), 0u);
    EXPECT_TRUE(fx.model.recordsChangedPM());

    const DentalRecord a = fx.record(PostMortem, "P001", "1");
    EXPECT_EQ(a.displayId, "P001-1");
    EXPECT_EQ(a.sex, "1");
    EXPECT_EQ(a.UpdateTime, "2024-05-01");
    EXPECT_EQ(a.place, "東京,港区");
    EXPECT_EQ(a.summary, "所見\r\nあり、\"要確認\"");
    EXPECT_EQ(a.name, "");
    EXPECT_EQ(a.agegroup, "0");
    // pos0 code 12 -> 4; pos1 code 11 -> 5 present + bridge; pos2 code 8 -> 3; pos3 code 12
    // with a deciduous code 1 -> 4, not deciduous; pos4 empty with deciduous code 5 -> 2
    // deciduous; fields 20..22 ("123", "0", "20") ignored; pos16 code 3 -> 6; pos17 code 1;
    // pos19 deciduous code 11 -> 5 present, bridge, deciduous.
    EXPECT_EQ(a.classChart, "45342555555555555155555555555555");
    EXPECT_EQ(a.bridgeChart, "01000000000000000001000000000000");
    EXPECT_EQ(a.presentChart, "01000000000000001001000000000000");
    EXPECT_EQ(a.deciduousChart, "00001000000000000001000000000000");

    const DentalRecord b = fx.record(PostMortem, "P002", "1");
    EXPECT_EQ(b.sex, "0"); // "3" is stored as unknown
    EXPECT_EQ(b.UpdateTime, "2023-12-31");
    EXPECT_EQ(b.classChart.substr(0, 4), "5124");

    const auto log = readLog(fx.logFolder());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().level, "I");
    EXPECT_EQ(log.back().check, 133);
    EXPECT_EQ(log.back().message, "IMPORT_OK");
    const auto digits = withCheck(log, 1383);
    ASSERT_EQ(digits.size(), 1u);
    EXPECT_EQ(digits[0].level, "W");
    EXPECT_EQ(digits[0].message, "■データ取込　チャートデータ桁数異常：123 P001");
    const auto values = withCheck(log, 1390);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].message, "■データ取込　チャートデータ値異常：0 P001");
    EXPECT_EQ(values[1].message, "■データ取込　チャートデータ値異常：20 P001");
    const auto omitted = withCheck(log, 1377);
    ASSERT_FALSE(omitted.empty());
    EXPECT_EQ(omitted[0].level, "I");
    EXPECT_EQ(omitted[0].message, "■データ取込　チャートデータ省略：11 P001");
}

TEST(PenImport, ReimportOverwritesTheRecordKeepingKeyAndDate) {
    ProjectFixture fx;
    importPenCsv(fx.model, AnteMortem, dataFile("pen_two_forms.csv"), fx.logFolder());
    const DentalRecord before = fx.record(AnteMortem, "P001", "1");
    const ImportResult again =
        importPenCsv(fx.model, AnteMortem, dataFile("pen_reimport.csv"), fx.logFolder());
    EXPECT_FALSE(again.failed);
    EXPECT_EQ(fx.count(AnteMortem), 2u);
    const DentalRecord after = fx.record(AnteMortem, "P001", "1");
    EXPECT_EQ(after.Dental_ID, before.Dental_ID);
    EXPECT_EQ(after.UpdateTime, "2024-05-01");
    EXPECT_EQ(after.place, "横浜");
    EXPECT_EQ(after.sex, "2");
    EXPECT_EQ(after.classChart, "1" + std::string(31, '5'));
    EXPECT_EQ(after.deciduousChart, std::string(32, '0'));

    // Both imports left their lines, the older first.
    const auto log = readLog(fx.logFolder());
    const auto ok = withCheck(log, 133);
    ASSERT_EQ(ok.size(), 2u);
    EXPECT_EQ(log.back().check, 133);
    EXPECT_NE(withCheck(log, 1383).size(), 0u); // from the first import, still there
}

TEST(PenImport, HeaderSexAndQuoteFailuresEndAbnormally) {
    ProjectFixture fx;
    ImportResult r =
        importPenCsv(fx.model, PostMortem, dataFile("pen_bad_header.csv"), fx.logFolder());
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(fx.count(PostMortem), 0u);
    auto log = readLog(fx.logFolder());
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].check, 529);
    EXPECT_EQ(log[0].message, "■入力ファイルチェック [出力情報凡例NG:番号,性別,日付]");
    EXPECT_EQ(log[1].level, "W");
    EXPECT_EQ(log[1].check, 130);
    EXPECT_EQ(log[1].message, "IMPORT_NG");
    EXPECT_EQ(r.message(), "インポートが異常終了しました。詳細はログで確認してください。\n" +
                               r.logPath.substr(0, 50) + "\n" + r.logPath.substr(50));

    // The form before the bad one stays stored; the one after is not read.
    r = importPenCsv(fx.model, PostMortem, dataFile("pen_bad_sex.csv"), fx.logFolder());
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(fx.count(PostMortem), 1u);
    EXPECT_EQ(fx.record(PostMortem, "P002", "1").displayId, "P002-1");
    log = readLog(fx.logFolder());
    EXPECT_EQ(withCheck(log, 1307).at(0).message,
              "■データ取込　性別チェック [値範囲チェック（0or1or2or3）NG:5]");

    r = importPenCsv(fx.model, PostMortem, dataFile("pen_open_quote.csv"), fx.logFolder());
    EXPECT_TRUE(r.failed);
    log = readLog(fx.logFolder());
    EXPECT_EQ(withCheck(log, 631).size(), 1u);
    EXPECT_EQ(fx.count(PostMortem), 1u); // P002 overwritten, P004 never complete

    // A file that does not exist fails without a check line of its own.
    r = importPenCsv(fx.model, PostMortem, fx.dir.file("missing.csv"), fx.logFolder());
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(readLog(fx.logFolder()).back().message, "IMPORT_NG");
}

TEST(PenImport, EachFieldCheckLogsItsNumberAndStopsTheImport) {
    struct Case {
        std::map<int, std::string> changes;
        int check;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{{-63, ""}}, 1279, "■データ取込 データ数チェック[NG:63]"},
        {{{62, ""}}, 1287, "■データ取込　ページアドレスチェック [必須項目：未設定]"},
        {{{62, "A-1"}}, 1288, "■データ取込　ページアドレスチェック [ハイフン（-）NG:A-1]"},
        {{{1, "12"}}, 1300, "■データ取込　性別チェック [入力桁チェック（1桁）NG:12]"},
        {{{1, "男"}}, 1300, "■データ取込　性別チェック [入力桁チェック（1桁）NG:男]"},
        {{{1, "4"}}, 1307, "■データ取込　性別チェック [値範囲チェック（0or1or2or3）NG:4]"},
        {{{3, "2024/05/01"}},
         1315,
         "■データ取込　最終更新日付チェック [入力桁チェック（19桁）NG:2024/05/01]"},
        {{{3, "2024/13/01 09:30:00"}},
         1324,
         "■データ取込　最終更新日付チェック [論理チェック（月）NG:2024/13/01 09:30:00]"},
        {{{3, "2024/0a/01 09:30:00"}},
         1324,
         "■データ取込　最終更新日付チェック [論理チェック（月）NG:2024/0a/01 09:30:00]"},
        {{{3, "2023/02/30 09:30:00"}},
         1329,
         "■データ取込　最終更新日付チェック [論理チェック（日）NG:2023/02/30 09:30:00]"},
        {{{3, "2023/04/31 09:30:00"}},
         1329,
         "■データ取込　最終更新日付チェック [論理チェック（日）NG:2023/04/31 09:30:00]"},
    };
    for (const Case& c : cases) {
        ProjectFixture fx;
        const std::string file = fx.dir.file("in.csv");
        test::writeCp932(file, kHeader + form(c.changes) + form({{62, "LATER"}}));
        const ImportResult r = importPenCsv(fx.model, PostMortem, file, fx.logFolder());
        EXPECT_TRUE(r.failed) << c.message;
        EXPECT_EQ(fx.count(PostMortem), 0u) << c.message;
        const auto log = readLog(fx.logFolder());
        ASSERT_EQ(log.size(), 2u) << c.message;
        EXPECT_EQ(log[0].level, "W");
        EXPECT_EQ(log[0].check, c.check);
        EXPECT_EQ(log[0].message, c.message);
    }
    // The limits that pass: February 29, sex 0, a two-character code 19.
    ProjectFixture fx;
    const std::string file = fx.dir.file("in.csv");
    test::writeCp932(file,
                     kHeader + "\r\n" + form({{3, "2023/02/29 00:00:00"}, {1, "0"}, {7, "19"}}));
    EXPECT_FALSE(importPenCsv(fx.model, PostMortem, file, fx.logFolder()).failed);
    EXPECT_EQ(fx.record(PostMortem, "PX", "1").UpdateTime, "2023-02-29");
}

TEST(PenImport, FindingCodesOnlyRaiseTheClass) {
    WorkingChart chart;
    applyPenFindingCode(chart, 0, 8);
    applyPenFindingCode(chart, 0, 11); // class 3 only gains the bridge mark
    EXPECT_EQ(chart.classes[0], 3);
    EXPECT_EQ(chart.bridges[0], 1);
    EXPECT_EQ(chart.present[0], 0);
    applyPenFindingCode(chart, 0, 5); // never lowers
    applyPenFindingCode(chart, 0, 1);
    EXPECT_EQ(chart.classes[0], 3);
    applyPenFindingCode(chart, 0, 14);
    EXPECT_EQ(chart.classes[0], 4);
    applyPenFindingCode(chart, 0, 9);
    EXPECT_EQ(chart.classes[0], 4);

    // Present, then a finding: the stored chart never holds present with another class.
    applyPenFindingCode(chart, 1, 13);
    EXPECT_EQ(chart.present[1], 1);
    applyPenFindingCode(chart, 1, 2);
    RecordEntry entry;
    chart.writeAllTo(entry);
    EXPECT_EQ(entry.classes[1], 1);
    EXPECT_EQ(entry.present[1], 0);
    applyPenFindingCode(chart, 2, 19);
    EXPECT_EQ(chart.classes[2], 5);
}

TEST(PenImport, FastLookupGivesTheSameProjectAsThePlainOne) {
    std::string text = kHeader;
    for (int i = 0; i < 40; ++i) {
        const std::string page = "Q" + std::to_string(i % 25); // 15 pages appear twice
        text += form({{62, page}, {4, "place" + std::to_string(i)}, {7 + i % 30, "8"}});
    }
    auto run = [&](bool fast) {
        ProjectFixture fx;
        importPenCsv(fx.model, PostMortem, dataFile("pen_two_forms.csv"), fx.logFolder(), fast);
        const std::string file = fx.dir.file("in.csv");
        test::writeCp932(file, text);
        importPenCsv(fx.model, PostMortem, file, fx.logFolder(), fast);
        importPenCsv(fx.model, PostMortem, file, fx.logFolder(), fast);
        std::vector<std::string> rows;
        for (const DentalRecord& r : records::selectRecords(fx.model.database(), PostMortem)) {
            rows.push_back(r.Dental_ID + "|" + r.displayId + "|" + r.place + "|" + r.classChart);
        }
        return rows;
    };
    const auto fast = run(true);
    EXPECT_EQ(fast.size(), 27u);
    EXPECT_EQ(fast, run(false));
}

TEST(PenImport, EmptyBinaryAndUnloggableInputs) {
    ProjectFixture fx;
    const std::string file = fx.dir.file("in.csv");
    test::writeBytes(file, "");
    EXPECT_TRUE(importPenCsv(fx.model, PostMortem, file, fx.logFolder()).failed);
    EXPECT_EQ(readLog(fx.logFolder()).at(0).message, "■入力ファイルチェック [出力情報凡例NG:]");

    // Binary bytes after a valid header: every line fails or is skipped, nothing crashes.
    std::string binary = TextCodec::toCp932(kHeader);
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 7919) % 256));
    }
    test::writeBytes(file, binary);
    EXPECT_TRUE(importPenCsv(fx.model, PostMortem, file, fx.logFolder()).failed);
    EXPECT_EQ(fx.count(PostMortem), 0u);

    // The log folder is a plain file: nothing is imported and the result says so.
    test::writeBytes(fx.dir.file("blocked"), "x");
    test::writeCp932(file, kHeader + form({}));
    const ImportResult r = importPenCsv(fx.model, PostMortem, file, fx.dir.path() / "blocked");
    EXPECT_FALSE(r.logOpened);
    EXPECT_EQ(r.message(), "CsvFileCtrlファイルのオープンに失敗しました。\n"
                           "ファイルが開かれている可能性があります。確認してください。");
    EXPECT_EQ(fx.count(PostMortem), 0u);
}

} // namespace
} // namespace qdx
