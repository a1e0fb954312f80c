#include "io/OesFileName.h"
#include "io/OesImporter.h"
#include "io/OesToothCodes.h"

#include "ImportTestSupport.h"

namespace qdx {
namespace {

using test::dataFile;
using test::ProjectFixture;
using test::readLog;
using test::withCheck;

std::string join(std::vector<std::string> f) {
    std::string line;
    for (std::size_t i = 0; i < f.size(); ++i) {
        line += (i ? "," : "") + f[i];
    }
    return line + "\r\n";
}
std::string on(const std::string& code) {
    std::vector<std::string> f(16);
    f[0] = "ON";
    f[8] = code;
    return join(f);
}
// A valid "PN" record of the 16-field layout; `changes` replaces fields (a negative key
// resizes the record).
std::string pn(std::map<int, std::string> changes = {}) {
    std::vector<std::string> f(16);
    f[0] = "PN";
    f[4] = "1";
    f[5] = "42";
    f[8] = "20240501";
    f[9] = "名前";
    f[10] = "01";
    f[11] = "19800115";
    for (auto& [k, v] : changes) {
        if (k < 0) {
            f.resize(static_cast<std::size_t>(-k));
        } else {
            f[static_cast<std::size_t>(k)] = v;
        }
    }
    return join(f);
}
std::string tb(const std::string& code, const std::string& state = "0",
               const std::string& part = "0") {
    return join({"TB", code, state, part, "", "", "", "", ""});
}
std::string tf(std::map<int, std::string> items, const std::string& present = "1") {
    std::vector<std::string> f(32, "");
    f[0] = "TF";
    f[1] = present;
    for (int i = 2; i <= 27; ++i) {
        f[static_cast<std::size_t>(i)] = "00";
    }
    for (auto& [item, v] : items) {
        f[static_cast<std::size_t>(item + 1)] = v;
    }
    return join(f);
}

// Imports one file text (named like a real OES file) into a fresh project.
struct OneFile {
    ProjectFixture fx;
    ImportResult result;
    std::vector<test::LogLine> log;

    explicit OneFile(const std::string& text, const std::string& name = "X-20240501-1.oes") {
        const auto folder = fx.dir.path() / "in";
        std::filesystem::create_directories(folder);
        test::writeCp932((folder / name).string(), text);
        result = importOesFolder(fx.model, AnteMortem, folder, fx.logFolder());
        log = readLog(fx.logFolder());
    }
    DentalRecord person(const std::string& lower = "42") const {
        return fx.record(AnteMortem, "1234567", lower);
    }
};

TEST(OesImport, FolderWithEveryEffectOverwriteAndFailingFiles) {
    ProjectFixture fx;
    const ImportResult result =
        importOesFolder(fx.model, PostMortem, dataFile("oes-folder-set"), fx.logFolder());
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(fx.count(PostMortem), 5u);

    const DentalRecord a = fx.record(PostMortem, "1234567", "42");
    EXPECT_EQ(a.name, "山田太郎");
    EXPECT_EQ(a.sex, "1");
    EXPECT_EQ(a.UpdateTime, "2024-05-01");
    const long long today = std::stoll(DentalRecord::todayText().erase(7, 1).erase(4, 1));
    EXPECT_EQ(a.agegroup, std::to_string(std::min((today - 19800115) / 10000, 100LL) / 10 + 1));
    // 1018 items 18+2 -> 4; 1017 item 4 -> 6; 1016 item 17 -> 6 bridged; 1015 item 14 -> 3 and
    // the deciduous 1055 after it ignored; 1054 deciduous then 1014 permanent -> permanent 1;
    // 1013 bridged by its state code, item 2 -> 1, the supernumerary profile after it not
    // applied; 1021 item 21 -> 6.
    EXPECT_EQ(a.classChart, "45531155" + std::string(24, '5'));
    EXPECT_EQ(a.presentChart, "01100000"
                              "1" +
                                  std::string(23, '0'));
    EXPECT_EQ(a.bridgeChart, "00100100" + std::string(24, '0'));
    EXPECT_EQ(a.deciduousChart, std::string(32, '0'));

    const DentalRecord b = fx.record(PostMortem, "1234567", "43");
    EXPECT_EQ(b.sex, "2"); // the 17-field layout: sex and birth date one field later
    EXPECT_EQ(b.name, "");
    EXPECT_EQ(b.classChart, std::string(31, '5') + "1");

    EXPECT_EQ(fx.record(PostMortem, "1234567", "44").Dental_ID, ""); // no "DT"
    // Person 45 from the first file (tooth 1011 class 3) is overwritten by the second file.
    const DentalRecord c = fx.record(PostMortem, "1234567", "45");
    EXPECT_EQ(c.name, "上書き");
    EXPECT_EQ(c.classChart.substr(7, 1), "2");
    EXPECT_EQ(c.UpdateTime, "2024-05-01");
    EXPECT_EQ(fx.record(PostMortem, "1234567", "50").UpdateTime, DentalRecord::todayText());
    EXPECT_EQ(fx.record(PostMortem, "7654321", "2").UpdateTime, "2024-05-02");
    EXPECT_EQ(fx.record(PostMortem, "7654321", "1").Dental_ID, ""); // two-part name
    EXPECT_EQ(fx.record(PostMortem, "1111111", "1").Dental_ID, ""); // in a subfolder

    const auto log = readLog(fx.logFolder());
    const auto files = withCheck(log, 44);
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0].message, dataFile("oes-folder-set") + "/ABC-20240501-1.oes");
    EXPECT_EQ(files[3].message, dataFile("oes-folder-set") + "/bad-20240502-3.OES");
    EXPECT_EQ(withCheck(log, 68).at(0).message,
              "ファイル名はハイフンで3分割されている必要があります。");
    EXPECT_EQ(withCheck(log, 83).size(), 2u);
    EXPECT_EQ(withCheck(log, 80).size(), 1u);
    EXPECT_EQ(withCheck(log, 678).at(0).message,
              "■入力機関コードチェック [入力桁チェック（7桁）NG:123456]");
    const auto versions = withCheck(log, 724);
    ASSERT_EQ(versions.size(), 7u);
    EXPECT_EQ(versions[0].level, "W");
    EXPECT_EQ(versions[0].message, "■バージョン [HVZOES001000]");
    EXPECT_EQ(versions[4].message, "■バージョン [HVZOES001000]"); // no "VR" in that file
    EXPECT_EQ(versions[5].message, "■バージョン [HVZOES001010]");
    EXPECT_EQ(withCheck(log, 745).size(), 1u);
    EXPECT_EQ(withCheck(log, 963).at(0).message, "■歯種コードチェック [過剰歯NG:101A]");
    // 1013 repeated, and 1011 of the next person read right after 1011 of the dropped one.
    EXPECT_EQ(withCheck(log, 1014).size(), 2u);
    EXPECT_EQ(withCheck(log, 1057).size(), 1u);
    EXPECT_EQ(withCheck(log, 1184).size(), 1u);
    EXPECT_EQ(withCheck(log, 1092).at(0).message, "■標準プロファイル26項目データ省略：4");
    EXPECT_EQ(withCheck(log, 1098).at(0).message, "■標準プロファイル26項目データ桁数異常：1");
    EXPECT_EQ(withCheck(log, 1105).at(0).message,
              "■標準プロファイル26項目データ値異常（0or1）：02");
    EXPECT_EQ(withCheck(log, 1110).at(0).message, "■標準プロファイル26項目未設定(0)：00");
}

TEST(OesImport, EmptyFolderEndsNormallyWithoutFileLines) {
    ProjectFixture fx;
    std::filesystem::create_directories(fx.dir.path() / "empty");
    const ImportResult r =
        importOesFolder(fx.model, PostMortem, fx.dir.path() / "empty", fx.logFolder());
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(r.message(), "インポートが終了しました。");
    EXPECT_TRUE(readLog(fx.logFolder()).empty());
}

TEST(OesImport, PersonChecksInOrder) {
    struct Case {
        std::map<int, std::string> changes;
        int check;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{{-15, ""}}, 711, "■PNエリア [データ数チェックNG:15]"},
        {{{5, ""}}, 731, "■医療機関内ＩＤチェック [必須項目：未設定]"},
        {{{8, ""}}, 738, "■診療・健診年月日チェック [必須項目：未設定]"},
        {{{10, ""}}, 752, "■男女区分チェック [必須項目：未設定]"},
        {{{11, ""}}, 759, "■生年月日チェック [必須項目：未設定]"},
        {{{5, "4a"}}, 767, "■医療機関内ＩＤチェック [数値チェックNG:4a]"},
        {{{8, "2024/5/1"}}, 773, "■最終診療年月日チェック [数値チェックNG:2024/5/1]"},
        {{{10, "男"}}, 779, "■男女区分チェック [数値チェックNG:男]"},
        {{{11, "1980-1-1"}}, 785, "■生年月日チェック [数値チェックNG:1980-1-1]"},
        {{{8, "2024051"}}, 793, "■最終診療年月日チェック [入力桁チェック（8桁）NG:2024051]"},
        {{{10, "1"}}, 799, "■男女区分チェック [入力桁チェック（2桁）NG:1]"},
        {{{11, "198001150"}}, 805, "■生年月日チェック [入力桁チェック（8桁）NG:198001150]"},
        {{{10, "03"}}, 813, "■男女区分チェック [値範囲チェック（1or2）NG:03]"},
        {{{4, "3"}}, 822, "■本人・家族別チェック [値範囲チェック（1or2）NG:3]"},
        {{{8, "20241301"}}, 834, "■最終診療年月日チェック [論理チェック（月）NG:20241301]"},
        {{{8, "20240431"}}, 839, "■最終診療年月日チェック [論理チェック（日）NG:20240431]"},
        {{{11, "19800015"}}, 848, "■生年月日チェック [論理チェック（月）NG:19800015]"},
        {{{11, "19800230"}}, 853, "■生年月日チェック [論理チェック（日）NG:19800230]"},
    };
    for (const Case& c : cases) {
        OneFile run(on("1234567") + pn(c.changes) + "DT\r\n" + on("1234567") + pn({{5, "43"}}) +
                    "DT\r\n");
        EXPECT_TRUE(run.result.failed) << c.message;
        EXPECT_EQ(run.fx.count(AnteMortem), 0u) << c.message;
        const auto hits = withCheck(run.log, c.check);
        ASSERT_EQ(hits.size(), 1u) << c.message;
        EXPECT_EQ(hits[0].level, "W");
        EXPECT_EQ(hits[0].message, c.message);
        EXPECT_EQ(run.log.back().check, 80);
    }
    // February 29 and the institution ID as written (not zero-filled) pass.
    OneFile ok(on("1234567") + pn({{5, "0042"}, {11, "20000229"}, {9, ""}}) + "DT\r\n");
    EXPECT_FALSE(ok.result.failed);
    EXPECT_EQ(ok.person("0042").displayId, "1234567-0042");
    EXPECT_EQ(withCheck(ok.log, 745).at(0).level, "I");
}

TEST(OesImport, AreaChecksFailTheFile) {
    struct Case {
        std::string text;
        int check;
        std::string message;
    };
    const std::string person = on("1234567") + pn();
    const std::vector<Case> cases = {
        {"VR,a,b,c,d\r\n", 399, "■VRエリア [データ数チェックNG:5]"},
        {join(std::vector<std::string>(15, "ON")), 658, "■ONエリア [データ数チェックNG:15]"},
        {on(""), 666, "■入力機関コードチェック [必須項目：未設定]"},
        {on("12a4567"), 672, "■入力機関コードチェック [数値チェックNG:12a4567]"},
        {person + "NS,,,,,,\r\n", 884, "■NSエリア [データ数チェックNG:7]"},
        {person + "TB,1011,0,0\r\n", 908, "■TBエリア [データ数チェックNG:4]"},
        {person + tb(""), 916, "■歯種コードチェック [必須項目：未設定]"},
        {person + tb("1011", ""), 923, "■状態コードチェック [必須項目：未設定]"},
        {person + tb("1011", "0", ""), 930, "■部分コードチェック [必須項目：未設定]"},
        {person + tb("101"), 938, "■歯種コードチェック [入力桁チェック（4桁）NG:101]"},
        {person + tb("1011", "10"), 944, "■状態コードチェック [入力桁チェック（1桁）NG:10]"},
        {person + tb("1011", "0", "10"), 950, "■部分コードチェック [入力桁チェック（1桁）NG:10]"},
        {person + tb("1019"), 977, "■歯種コードチェック [値範囲チェック（0）NG:1019]"},
        {person + tb("1056"), 977, "■歯種コードチェック [値範囲チェック（0）NG:1056]"},
        {person + tb("1011", "0", "9"), 991, "■状態コードチェック [値範囲チェック（0～8）NG:9]"},
        {person + tb("1011") + "TF,1\r\n", 1037, "■TFエリア [データ数チェックNG:2]"},
        {person + tb("1011") + tf({}, ""), 1045,
         "■標準プロファイル26項目の情報の有無チェック [必須項目：未設定]"},
        {person + "\"open\r\n", 483, "■ダブルコーテーションの使い方NG"},
    };
    for (const Case& c : cases) {
        OneFile run(c.text + "DT\r\n");
        EXPECT_TRUE(run.result.failed) << c.message;
        const auto hits = withCheck(run.log, c.check);
        ASSERT_EQ(hits.size(), 1u) << c.message << " / " << run.log.back().message;
        EXPECT_EQ(hits[0].message.substr(0, c.message.size()), c.message);
        EXPECT_EQ(run.fx.count(AnteMortem), 0u) << c.message;
    }
}

TEST(OesImport, ProfileRulesAndDiscardedRepeats) {
    // A profile marked absent is ignored; item 1 marks the tooth deciduous; a deciduous
    // profile fills an empty position.
    OneFile run(on("1234567") + pn() + tb("1011") + tf({{14, "01"}}, "0") + tb("1021") +
                tf({{1, "01"}, {6, "01"}}) + tb("1062") + tf({{2, "01"}}) + tb("1031", "3") +
                tf({}) + "DT\r\n");
    EXPECT_FALSE(run.result.failed);
    const DentalRecord r = run.person();
    EXPECT_EQ(r.classChart.substr(7, 3), "521");
    EXPECT_EQ(r.deciduousChart.substr(7, 3), "011");
    EXPECT_EQ(r.bridgeChart.substr(23, 1), "1");
    EXPECT_EQ(withCheck(run.log, 1051).size(), 1u);

    // An ignored deciduous profile leaves no deciduous mark behind, so a later permanent
    // profile of the same tooth keeps the findings already there.
    OneFile order(on("1234567") + pn() + tb("1015") + tf({{14, "01"}}) + tb("1055") +
                  tf({{2, "01"}}) + tb("1015") + tf({{5, "01"}}) + "DT\r\n");
    EXPECT_EQ(order.person().classChart.substr(3, 1), "3");
    EXPECT_EQ(order.person().deciduousChart.substr(3, 1), "0");

    // A tooth repeated with another profile is not discarded.
    OneFile again(on("1234567") + pn() + tb("1011") + tf({{2, "01"}}) + tb("1011") +
                  tf({{14, "01"}}) + "DT\r\n");
    EXPECT_EQ(again.person().classChart.substr(7, 1), "3");
    EXPECT_EQ(withCheck(again.log, 1014).size(), 1u);
    EXPECT_TRUE(withCheck(again.log, 1057).empty());
}

TEST(OesImport, APresentMarkOnlyCountsWhereTheToothKeepsNoOtherFinding) {
    // Upper right 8: the present mark before a sound finding; 7: bridge then missing; 5: the
    // mark, then missing, then a deciduous profile; 4: the mark alone, then a deciduous
    // profile. A deciduous profile only goes where the permanent tooth has nothing.
    OneFile run(on("1234567") + pn() + tb("1018") + tf({{4, "01"}, {2, "01"}}) + tb("1017") +
                tf({{17, "01"}, {18, "01"}}) + tb("1015") + tf({{4, "01"}, {18, "01"}}) +
                tb("1055") + tf({{2, "01"}}) + tb("1014") + tf({{4, "01"}}) + tb("1054") +
                tf({{2, "01"}}) + "DT\r\n");
    EXPECT_FALSE(run.result.failed);
    const DentalRecord r = run.person();
    EXPECT_EQ(r.classChart.substr(0, 5), "14545");
    EXPECT_EQ(r.presentChart.substr(0, 5), "00001");
    EXPECT_EQ(r.bridgeChart.substr(0, 5), "01000");
    EXPECT_EQ(r.deciduousChart.substr(0, 5), "00000");
}

TEST(OesImport, FileNamesToothCodesAndDates) {
    using V = std::vector<std::string>;
    EXPECT_EQ(oesname::splitName("ABC-20240501-1.oes"), (V{"ABC", "20240501", "1"}));
    EXPECT_EQ(oesname::splitName("-x-1.oes"), (V{"", "x", "1"}));
    EXPECT_EQ(oesname::splitName("a-b-.oes"), (V{"a", "b"}));
    EXPECT_EQ(oesname::splitName("a-b-c-d.oes").size(), 4u);
    EXPECT_TRUE(oesname::isOesFileName("a.OES"));
    EXPECT_FALSE(oesname::isOesFileName("a.Oes"));
    EXPECT_FALSE(oesname::isOesFileName("a.b.oes"));
    EXPECT_FALSE(oesname::isOesFileName("a.oes.txt"));
    EXPECT_EQ(oesname::registrationDate("20240501x", "2026-01-01"), "2024-05-01");
    EXPECT_EQ(oesname::registrationDate("2024050", "2026-01-01"), "2026-01-01");
    EXPECT_EQ(oesname::registrationDate("2024o501", "2026-01-01"), "2026-01-01");

    EXPECT_EQ(lookUpOesToothCode("1018").position, 0);
    EXPECT_EQ(lookUpOesToothCode("1011").position, 7);
    EXPECT_EQ(lookUpOesToothCode("1028").position, 15);
    EXPECT_EQ(lookUpOesToothCode("1038").position, 16);
    EXPECT_EQ(lookUpOesToothCode("1048").position, 31);
    EXPECT_EQ(lookUpOesToothCode("1055").position, 3);
    EXPECT_EQ(lookUpOesToothCode("1065").position, 12);
    EXPECT_EQ(lookUpOesToothCode("1075").position, 19);
    EXPECT_EQ(lookUpOesToothCode("1085").position, 28);
    EXPECT_EQ(lookUpOesToothCode("1085").kind, OesTooth::Deciduous);
    EXPECT_EQ(lookUpOesToothCode("104H").kind, OesTooth::Supernumerary);
    EXPECT_EQ(lookUpOesToothCode("108E").kind, OesTooth::Supernumerary);
    EXPECT_EQ(lookUpOesToothCode("108F").kind, OesTooth::Unknown);
    EXPECT_EQ(lookUpOesToothCode("1010").kind, OesTooth::Unknown);
    EXPECT_EQ(lookUpOesToothCode("2011").kind, OesTooth::Unknown);
}

TEST(OesImport, FastLookupGivesTheSameProjectAsThePlainOne) {
    auto run = [](bool fast) {
        ProjectFixture fx;
        importOesFolder(fx.model, PostMortem, dataFile("oes-folder-set"), fx.logFolder(), fast);
        importOesFolder(fx.model, PostMortem, dataFile("oes-folder-set"), fx.logFolder(), fast);
        std::vector<std::string> rows;
        for (const DentalRecord& r : records::selectRecords(fx.model.database(), PostMortem)) {
            rows.push_back(r.Dental_ID + "|" + r.displayId + "|" + r.name + "|" + r.classChart);
        }
        return rows;
    };
    const auto fast = run(true);
    EXPECT_EQ(fast.size(), 5u);
    EXPECT_EQ(fast, run(false));
}

TEST(OesImport, FutureBirthDatesAndStrayEndsStoreNothingOdd) {
    // A birth date after today gives the unknown age group, not a code outside the table; a
    // "DT" without a person read since the last one stores nothing.
    OneFile run("DT\r\n" + on("1234567") + pn({{11, "29991231"}}) + "DT\r\nDT\r\n" + on("1234567") +
                "DT\r\n");
    EXPECT_FALSE(run.result.failed);
    EXPECT_EQ(run.fx.count(AnteMortem), 1u);
    EXPECT_EQ(run.person().agegroup, "0");
}

TEST(OesImport, ALogThatCannotBeOpenedStopsBeforeAnyFile) {
    ProjectFixture fx;
    test::writeBytes(fx.dir.file("blocked"), "x");
    const ImportResult r = importOesFolder(fx.model, PostMortem, test::dataFile("oes-folder-set"),
                                           fx.dir.path() / "blocked");
    EXPECT_FALSE(r.logOpened);
    EXPECT_EQ(fx.count(PostMortem), 0u);
}

} // namespace
} // namespace qdx
