#include "io/ImportBackup.h"
#include "io/ProjectExport.h"
#include "io/ProjectMerge.h"
#include "store/LastInsertKey.h"
#include "store/MatchTable.h"
#include "store/StoreError.h"

#include "ImportTestSupport.h"

#include <sqlite3.h>

namespace qdx {
namespace {

using test::ProjectFixture;

// Stores a record through the model and returns its key.
long long addRecord(ProjectModel& model, int side, const std::string& upper,
                    const std::string& lower,
                    const std::function<void(RecordEntry&)>& fill = nullptr) {
    model.clearEntry();
    RecordEntry& e = model.entry();
    e.upperIdPart = upper;
    e.lowerIdPart = lower;
    e.side = side;
    e.registrationDate = "2024-05-01";
    if (fill) {
        fill(e);
    }
    model.storeEntry();
    return lastInsertKey(model.database());
}

MatchRow row(long long after, long long before, const std::string& kind) {
    MatchRow r;
    r.ID_AFTER = std::to_string(after);
    r.ID_BEFOR = std::to_string(before);
    r.KIND = MatchKind::fromStored(kind);
    return r;
}

std::vector<std::string> lines(const std::string& cp932) {
    std::vector<std::string> out;
    const std::string text = TextCodec::toUtf8(cp932);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        out.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "the file must end with CR LF";
    return out;
}

std::string repeat(const std::string& piece, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += piece;
    }
    return out;
}

TEST(ProjectExport, ThreeFilesWithQuotingPartnersAndMatchRows) {
    ProjectFixture fx;
    ProjectModel& m = fx.model;
    const long long a = addRecord(m, PostMortem, "A", "00001", [](RecordEntry& e) {
        e.classes[0] = 1;
        e.bridges[1] = 1;
        e.place = "say \"here\"";
        e.summary = "line1,\r\nline2\nend";
        e.name = "山田";
    });
    const long long c = addRecord(m, PostMortem, "C", "00003", [](RecordEntry& e) {
        e.sex = 2;
        e.agegroup = 11;
    });
    const long long b = addRecord(m, AnteMortem, "B", "00002", [](RecordEntry& e) {
        e.classes[31] = 4;
        e.bridges[30] = 1;
        e.sex = 1;
        e.agegroup = 3;
    });
    m.insertMatches({row(a, b, "1"), row(c, b, "4")});
    MatchRow pending = row(0, b, "3");
    pending.I_MATCHID = "1Z-00009";
    matches::insertMatch(m.database(), pending);

    const std::string pmPath = fx.dir.file("pm.csv");
    const std::string amPath = fx.dir.file("am.csv");
    const std::string matchPath = fx.dir.file("match.csv");
    test::writeBytes(pmPath, "old content that must go");
    ASSERT_FALSE(ExportProject(m, pmPath, amPath, matchPath, 1714555800).has_value());
    const std::string version = exportVersionText(1714555800);
    EXPECT_EQ(version.substr(version.size() - 8), ",0.1.1.0");
    EXPECT_EQ(version.size(), 19u + 8u);

    const auto pm = lines(test::readBytes(pmPath));
    ASSERT_EQ(pm.size(), 5u + 3u + 1u); // each line break of the summary is a CR LF too
    EXPECT_EQ(pm[0], "死後デンタルチャート（事後：対象の直接観察）");
    EXPECT_EQ(pm[1], version);
    EXPECT_EQ(pm[2] + pm[3] + pm[4], "");
    const std::string bChart = repeat("5,", 31) + "4";
    const std::string bBridges = repeat("0,", 30) + "1,0";
    const std::string expectedA = "A-00001,1," + repeat("5,", 30) +
                                  "5,2024/05/01,\"say \"\"here\"\"\",\"line1,\r\nline2\r\nend\","
                                  "照合済,," +
                                  std::to_string(a) + ",山田,,0,1," + repeat("0,", 29) +
                                  "0,"
                                  "デンタルチャートで判明,B-00002," +
                                  bChart + "," + bBridges;
    const std::string pmText = TextCodec::toUtf8(test::readBytes(pmPath));
    EXPECT_NE(pmText.find("\r\n" + expectedA + "\r\n"), std::string::npos) << pmText;
    const std::string expectedC = "C-00003," + repeat("5,", 32) + "2024/05/01,,,,女性," +
                                  std::to_string(c) + ",,100才以上," + repeat("0,", 32) +
                                  "判明していない," + repeat(",", 64);
    EXPECT_EQ(pm.back(), expectedC);
    EXPECT_EQ(std::count(expectedC.begin(), expectedC.end(), ','), 138);

    const auto am = lines(test::readBytes(amPath));
    ASSERT_EQ(am.size(), 6u);
    EXPECT_EQ(am[0], "生前デンタルチャート（事前：歯科医提供）");
    // The identified partner is A; its chart follows.
    EXPECT_EQ(am[5].substr(0, 8), "B-00002,");
    EXPECT_NE(am[5].find(",照合済,男性," + std::to_string(b) + ",,20代,"), std::string::npos);
    EXPECT_NE(am[5].find(",デンタルチャートで判明,A-00001,1," + repeat("5,", 31) + "0,1,"),
              std::string::npos);

    const auto match = lines(test::readBytes(matchPath));
    ASSERT_EQ(match.size(), 7u);
    EXPECT_EQ(match[0], "照合記録");
    EXPECT_EQ(match[1], version);
    EXPECT_EQ(match[5], "1," + std::to_string(a) + "," + std::to_string(b) + ",1");
    EXPECT_EQ(match[6], "2," + std::to_string(c) + "," + std::to_string(b) + ",4");
}

TEST(ProjectExport, ADamagedMatchKindIsExportedAsItIsStored) {
    ProjectFixture fx;
    ProjectModel& m = fx.model;
    const long long a = addRecord(m, PostMortem, "A", "00001", [](RecordEntry&) {});
    const long long b = addRecord(m, AnteMortem, "B", "00002", [](RecordEntry&) {});
    m.insertMatches({row(a, b, "9")});
    const std::string pmPath = fx.dir.file("pm.csv");
    const std::string matchPath = fx.dir.file("match.csv");
    ASSERT_FALSE(
        ExportProject(m, pmPath, fx.dir.file("am.csv"), matchPath, 1714555800).has_value());
    EXPECT_EQ(lines(test::readBytes(matchPath)).back(),
              "1," + std::to_string(a) + "," + std::to_string(b) + ",9");
    // Not identified: no 照合済, no partner.
    const std::string pm = lines(test::readBytes(pmPath)).back();
    EXPECT_EQ(pm.find("照合済"), std::string::npos) << pm;
    EXPECT_NE(pm.find(",判明していない," + repeat(",", 64)), std::string::npos) << pm;
}

TEST(ProjectExport, AFileThatCannotBeOpenedStopsBeforeAnyIsTruncated) {
    ProjectFixture fx;
    const std::string pmPath = fx.dir.file("pm.csv");
    test::writeBytes(pmPath, "keep me");
    const auto message =
        ExportProject(fx.model, pmPath, fx.dir.file("no/such/folder/am.csv"), fx.dir.file("m.csv"));
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->rfind("ファイルをオープンできませんでした。\n", 0), 0u);
    EXPECT_GT(message->size(), std::string("ファイルをオープンできませんでした。\n").size());
    EXPECT_EQ(test::readBytes(pmPath), "keep me");
    EXPECT_FALSE(std::filesystem::exists(fx.dir.file("m.csv")));
}

// A source project: PM X(key 3), Y(key 2), Z(key 1) listed in ID order X, Y, Z, so the new key
// of X equals the old key of Y; one AM record; rows from each PM record to it.
std::string makeSource(test::TempDir& dir) {
    ProjectModel src;
    openProjectFile(src, splitProjectPath(dir.file("source.qdx")));
    const long long z = addRecord(src, PostMortem, "Z", "00001");
    const long long y = addRecord(src, PostMortem, "Y", "00002");
    const long long x = addRecord(src, PostMortem, "X", "00003", [](RecordEntry& e) {
        e.name = "エックス";
        e.classes[5] = 3;
        e.deciduous[5] = 1;
        e.summary = "s";
    });
    const long long p = addRecord(src, AnteMortem, "A", "00001");
    src.insertMatches({row(x, p, "1"), row(y, p, "3"), row(z, p, "4"), row(77, p, "4")});
    src.save();
    src.close(true);
    return dir.file("source.qdx");
}

TEST(ProjectMerge, PrefixesClashingIdsAndRewritesMatchRowsOnce) {
    ProjectFixture fx;
    addRecord(fx.model, PostMortem, "T", "00001");
    addRecord(fx.model, AnteMortem, "A", "00001");
    addRecord(fx.model, AnteMortem, "IMPORTA", "00001");
    fx.model.save();
    const std::string source = makeSource(fx.dir);

    const int prefixings = mergeProject(fx.model, source);
    EXPECT_EQ(prefixings, 2); // AM A-00001 clashes twice: A, then IMPORTA
    EXPECT_TRUE(fx.model.recordsChangedPM());
    EXPECT_TRUE(fx.model.settingsOrMatchesChanged());

    const DentalRecord x = fx.record(PostMortem, "X", "00003");
    EXPECT_EQ(x.valid, "1");
    EXPECT_EQ(x.name, "エックス");
    EXPECT_EQ(x.classChart.substr(5, 1), "3");
    EXPECT_EQ(x.deciduousChart.substr(5, 1), "1");
    EXPECT_EQ(x.UpdateTime, "2024-05-01");
    const DentalRecord y = fx.record(PostMortem, "Y", "00002");
    const DentalRecord z = fx.record(PostMortem, "Z", "00001");
    const DentalRecord p = fx.record(AnteMortem, "IMPORTIMPORTA", "00001");
    EXPECT_EQ(p.valid, "2");
    EXPECT_EQ(x.Dental_ID, "2");
    EXPECT_EQ(y.Dental_ID, "3");

    std::set<std::string> rows;
    for (const MatchRow& r : fx.model.getResolvedMatches()) {
        rows.insert(r.ID_AFTER + "-" + r.ID_BEFOR + ":" + r.KIND.storedText());
    }
    const std::set<std::string> expected = {
        x.Dental_ID + "-" + p.Dental_ID + ":1", y.Dental_ID + "-" + p.Dental_ID + ":3",
        z.Dental_ID + "-" + p.Dental_ID + ":4", "77-" + p.Dental_ID + ":4"};
    EXPECT_EQ(rows, expected);
}

TEST(ProjectMerge, FastLookupGivesTheSameProjectAsThePlainOne) {
    auto run = [](bool fast) {
        ProjectFixture fx;
        addRecord(fx.model, PostMortem, "X", "00003");
        addRecord(fx.model, PostMortem, "IMPORTX", "00003");
        const std::string source = makeSource(fx.dir);
        mergeProject(fx.model, source, fast);
        mergeProject(fx.model, source, fast);
        std::vector<std::string> out;
        for (int side : {0, 1}) {
            for (const DentalRecord& r : records::selectRecords(fx.model.database(), side)) {
                out.push_back(r.Dental_ID + "|" + r.displayId + "|" + r.valid);
            }
        }
        for (const MatchRow& r : fx.model.getResolvedMatches()) {
            out.push_back(r.ID + "|" + r.ID_AFTER + "|" + r.ID_BEFOR + "|" + r.KIND.storedText());
        }
        return out;
    };
    const auto fast = run(true);
    EXPECT_EQ(fast.size(), 10u + 8u);
    EXPECT_EQ(fast, run(false));
}

TEST(ImportBackup, SuccessfulImportLeavesNoBackup) {
    ProjectFixture fx;
    addRecord(fx.model, PostMortem, "K", "00001");
    std::string message;
    ASSERT_TRUE(BackupBeforeImport(fx.model, true, message));
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_FALSE(fx.model.anyChanged());
    const std::string backup = backupPath(fx.model);
    EXPECT_EQ(backup, fx.dir.file("bck_Quendix.qdx"));
    EXPECT_TRUE(std::filesystem::exists(backup));
    EXPECT_EQ(mergeProject(fx.model, makeSource(fx.dir)), 0);
    ASSERT_TRUE(finishImport(fx.model, message));
    EXPECT_FALSE(std::filesystem::exists(backup));
    EXPECT_EQ(fx.count(PostMortem), 4u); // committed K plus the three merged
}

TEST(ImportBackup, FailedMergeRestoresTheBackupByteForByte) {
    ProjectFixture fx;
    addRecord(fx.model, PostMortem, "K", "00001");
    // Match rows cannot be inserted into this project, so the merge fails after its records.
    ASSERT_EQ(sqlite3_exec(fx.model.database().connection(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON TB_MATCH "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const std::string source = makeSource(fx.dir);
    std::string message;
    ASSERT_TRUE(BackupBeforeImport(fx.model, true, message));
    const std::string backupBytes = test::readBytes(backupPath(fx.model));
    EXPECT_THROW(mergeProject(fx.model, source), StoreError);
    EXPECT_EQ(fx.count(PostMortem), 4u); // written into the transaction before the failure
    ASSERT_TRUE(RestoreAfterFailedImport(fx.model, message)) << message;
    EXPECT_EQ(test::readBytes(fx.projectPath()), backupBytes);
    EXPECT_FALSE(std::filesystem::exists(backupPath(fx.model)));
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_EQ(fx.count(PostMortem), 1u);

    // Merging the open project itself fails when the source is read.
    ASSERT_TRUE(BackupBeforeImport(fx.model, false, message));
    EXPECT_THROW(mergeProject(fx.model, fx.projectPath()), StoreError);
    ASSERT_TRUE(RestoreAfterFailedImport(fx.model, message));
    EXPECT_EQ(fx.count(PostMortem), 1u);
}

} // namespace
} // namespace qdx
