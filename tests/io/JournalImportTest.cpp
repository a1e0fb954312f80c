// The change history of the imports and the merge, run through qdx, and a history that stays
// consistent with the records when a write is killed.
#include "io/ImportTestSupport.h"
#include "store/JournalTable.h"
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace qdx {
namespace {

using test::runQdx;

// "KIND|SIDE|Dental_ID|EXT_ID|ORIGIN" and the detail of every row of a project file.
struct Journal {
    std::vector<JournalRow> rows;
    std::vector<std::string> kinds() const {
        std::vector<std::string> k;
        for (const JournalRow& row : rows)
            k.push_back(row.KIND);
        return k;
    }
};

Journal readJournal(const std::string& path) {
    ProjectDatabase db;
    db.openReadOnly(path);
    Journal journal{journal::selectJournal(db)};
    db.close(false);
    return journal;
}

class JournalImport : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        m_oldHome = home ? home : "";
        setenv("HOME", m_dir.path().c_str(), 1);
        m_project = m_dir.file("p.qdx");
        ASSERT_EQ(runQdx({"new", m_project}).exitCode, 0);
    }
    void TearDown() override { setenv("HOME", m_oldHome.c_str(), 1); }

    test::TempDir m_dir;
    std::string m_oldHome;
    std::string m_project;
};

TEST_F(JournalImport, EachImportWritesASummaryAndOneRowPerRecord) {
    const std::string pen = test::dataFile("pen_two_forms.csv");
    ASSERT_EQ(runQdx({"import-pen", m_project, "--side", "pm", pen, "--examiner", "佐藤"}).exitCode,
              0);
    Journal j = readJournal(m_project);
    ASSERT_EQ(j.kinds(), (std::vector<std::string>{"ADD", "ADD", "IMPORT_PEN"}));
    EXPECT_EQ(j.rows[0].SIDE, "0");
    EXPECT_EQ(j.rows[0].EXAMINER, "佐藤");
    EXPECT_EQ(j.rows[0].DETAIL.rfind("デジタルペン取込 " + pen, 0), 0u) << j.rows[0].DETAIL;
    EXPECT_EQ(j.rows[2].DETAIL, pen + ": 追加 2件, 更新 0件");
    EXPECT_EQ(j.rows[2].Dental_ID, "");

    // Forms whose record exists change it: the chart's changes are recorded.
    const std::string again = test::dataFile("pen_reimport.csv");
    ASSERT_EQ(runQdx({"import-pen", m_project, "--side", "pm", again}).exitCode, 0);
    j = readJournal(m_project);
    EXPECT_EQ(j.rows.back().KIND, "IMPORT_PEN");
    EXPECT_NE(j.rows.back().DETAIL.find("更新 "), std::string::npos);
    int modified = 0;
    for (const JournalRow& row : j.rows)
        modified += row.KIND == "EDIT" ? 1 : 0;
    EXPECT_EQ(j.rows.back().DETAIL.find("更新 " + std::to_string(modified) + "件") !=
                  std::string::npos,
              true)
        << j.rows.back().DETAIL;

    const std::string oes = test::dataFile("oes-folder-set");
    ASSERT_EQ(runQdx({"import-oes", m_project, "--side", "am", oes}).exitCode, 3);
    j = readJournal(m_project);
    const long long am = test::countOnDisk(m_project, "SELECT count(*) FROM TB_BEFOR");
    ASSERT_GT(am, 0);
    EXPECT_EQ(j.rows.back().KIND, "IMPORT_OES");
    // The folder holds a second file of one person: that record is added, then changed.
    const long long changed = test::countOnDisk(
        m_project, "SELECT count(*) FROM TB_JOURNAL WHERE KIND='EDIT' AND SIDE=1");
    EXPECT_GT(changed, 0);
    EXPECT_EQ(j.rows.back().DETAIL, oes + ": 追加 " + std::to_string(am) + "件, 更新 " +
                                        std::to_string(changed) + "件, 異常終了");
    EXPECT_EQ(
        test::countOnDisk(m_project, "SELECT count(*) FROM TB_JOURNAL WHERE KIND='ADD' AND SIDE=1"),
        am);

    // Without saving, the import leaves no row.
    const std::size_t before = j.rows.size();
    ASSERT_EQ(runQdx({"import-pen", m_project, "--side", "am", pen, "--no-save"}).exitCode, 0);
    EXPECT_EQ(readJournal(m_project).rows.size(), before);
}

TEST_F(JournalImport, AMergeCarriesTheSourcesRowsToTheRecordsNewKeys) {
    const std::string source = m_dir.file("team2.qdx");
    ASSERT_EQ(runQdx({"new", source}).exitCode, 0);
    ASSERT_EQ(runQdx({"add", source, "--side", "pm", "--upper", "T01", "--lower", "1", "--chart",
                      "4 4 4 4 4 4 4 4 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                      "--examiner", "佐藤"})
                  .exitCode,
              0);
    ASSERT_EQ(runQdx({"check", source, "--side", "pm", "--id", "T01-00001", "--examiner", "鈴木"})
                  .exitCode,
              0);
    // The target has T01-00001 already: the merged record becomes IMPORTT01-00001 with key 2.
    ASSERT_EQ(runQdx({"add", m_project, "--side", "pm", "--upper", "T01", "--lower", "1"}).exitCode,
              0);
    ASSERT_EQ(runQdx({"merge", m_project, source, "--examiner", "田中"}).exitCode, 0);

    const Journal j = readJournal(m_project);
    ASSERT_EQ(j.kinds(), (std::vector<std::string>{"ADD", "ADD", "ADD", "CHECK", "MERGE"}));
    const JournalRow& merged = j.rows[1];
    EXPECT_EQ(merged.EXAMINER, "田中");
    EXPECT_EQ(merged.EXT_ID, "IMPORTT01-00001");
    EXPECT_EQ(merged.Dental_ID, "2");
    EXPECT_EQ(merged.ORIGIN, "");
    for (std::size_t i : {2u, 3u}) {
        EXPECT_EQ(j.rows[i].ORIGIN, "team2.qdx");
        EXPECT_EQ(j.rows[i].Dental_ID, "2"); // was 1 in the source
        EXPECT_EQ(j.rows[i].EXT_ID, "T01-00001");
    }
    EXPECT_EQ(j.rows[2].EXAMINER, "佐藤");
    EXPECT_EQ(j.rows[3].EXAMINER, "鈴木");
    EXPECT_EQ(j.rows[4].DETAIL,
              source + ": 死後 1件, 生前 0件, 照合 0件, 変更履歴 2件, ID変更 1件");
    // The source's check still holds for the merged chart.
    const test::QdxResult log =
        runQdx({"log", m_project, "--side", "pm", "--id", "IMPORTT01-00001"});
    EXPECT_NE(log.out.find("\t確認済み\tteam2.qdx\t"), std::string::npos) << log.out;

    // Merged once more, the rows already marked carry both files.
    const std::string third = m_dir.file("third.qdx");
    ASSERT_EQ(runQdx({"new", third}).exitCode, 0);
    ASSERT_EQ(runQdx({"merge", third, m_project}).exitCode, 0);
    const Journal k = readJournal(third);
    EXPECT_EQ(k.rows[k.rows.size() - 3].ORIGIN, "p.qdx / team2.qdx");
}

// Starts qdx with the arguments and kills it after `delay`; true when it was still running.
bool killDuring(const std::vector<std::string>& arguments, std::chrono::microseconds delay) {
    const std::string tool = QDX_BINARY_DIR "/src/cli/qdx";
    std::vector<char*> argv;
    std::vector<std::string> all = {tool};
    all.insert(all.end(), arguments.begin(), arguments.end());
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execv(tool.c_str(), argv.data());
        _exit(127);
    }
    usleep(static_cast<useconds_t>(delay.count()));
    const bool running = kill(child, SIGKILL) == 0;
    int status = 0;
    waitpid(child, &status, 0);
    return running && WIFSIGNALED(status);
}

// Every record of the side has exactly one ADD row naming it, and no ADD row names a record
// that is not there.
void expectHistoryMatchesRecords(const std::string& path, int side) {
    // Opened as the next program opens it: what a killed transaction left is rolled back and a
    // table that was not yet created is created.
    {
        ProjectDatabase db;
        db.open(path);
        db.close(false);
    }
    const std::string table = side == 0 ? "TB_AFTER" : "TB_BEFOR";
    const std::string s = std::to_string(side);
    EXPECT_EQ(
        test::countOnDisk(path, "SELECT count(*) FROM " + table),
        test::countOnDisk(path, "SELECT count(*) FROM TB_JOURNAL WHERE KIND='ADD' AND SIDE=" + s));
    EXPECT_EQ(test::countOnDisk(path, "SELECT count(*) FROM " + table +
                                          " r WHERE (SELECT count(*) FROM TB_JOURNAL j WHERE "
                                          "j.KIND='ADD' AND j.SIDE=" +
                                          s + " AND j.Dental_ID=r.Dental_ID)<>1"),
              0);
}

TEST_F(JournalImport, AKilledWriteLeavesTheHistoryAndTheRecordsTogether) {
    std::mt19937 rng(25);
    int killed = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        // A demo project written in one transaction, killed somewhere along the way.
        const std::string demo = m_dir.file("demo" + std::to_string(attempt) + ".qdx");
        killed += killDuring({"demo", demo, "--pm", "3000", "--am", "3000", "--seed",
                              std::to_string(attempt)},
                             std::chrono::microseconds(20000 + rng() % 400000))
                      ? 1
                      : 0;
        if (std::filesystem::exists(demo)) {
            expectHistoryMatchesRecords(demo, 0);
            expectHistoryMatchesRecords(demo, 1);
        }
        // One record added, killed before, during or after its commit.
        killDuring({"add", m_project, "--side", "pm", "--upper", "K", "--lower",
                    std::to_string(attempt + 1)},
                   std::chrono::microseconds(rng() % 30000));
        expectHistoryMatchesRecords(m_project, 0);
    }
    EXPECT_GT(killed, 0);
}

} // namespace
} // namespace qdx
