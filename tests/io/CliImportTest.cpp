#include "store/StoreError.h"
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include "ImportTestSupport.h"

#include <cstdlib>

namespace qdx {
namespace {

using test::dataFile;
using test::runQdx;

// Runs qdx with HOME in a temp folder, so the import log lands there.
class CliImport : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        m_oldHome = home ? home : "";
        setenv("HOME", m_dir.path().c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        m_project = m_dir.file("p.qdx");
        ASSERT_EQ(runQdx({"new", m_project}).exitCode, 0);
    }
    void TearDown() override { setenv("HOME", m_oldHome.c_str(), 1); }

    std::size_t count(const std::string& side) {
        const auto r = runQdx({"list", m_project, "--side", side});
        return static_cast<std::size_t>(std::count(r.out.begin(), r.out.end(), '\n'));
    }
    std::filesystem::path logFolder() const { return m_dir.path() / "Documents" / "QuendixFree"; }

    test::TempDir m_dir;
    std::string m_project;
    std::string m_oldHome;
};

TEST_F(CliImport, ImportsSaveAndLeaveNoBackup) {
    auto r = runQdx({"import-pen", m_project, "--side", "pm", dataFile("pen_two_forms.csv")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "インポートが終了しました。\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("bck_Quendix.qdx")));
    EXPECT_EQ(count("pm"), 2u);

    r = runQdx({"import-oes", m_project, "--side", "am", dataFile("oes-folder-set"), "--no-save"});
    EXPECT_EQ(r.exitCode, 3);
    const std::string logPath = (logFolder() / "CsvFileCtrl.csv").string();
    EXPECT_EQ(r.out, "インポートが異常終了しました。詳細はログで確認してください。\n" +
                         logPath.substr(0, 50) + "\n" + logPath.substr(50) + "\n");
    EXPECT_EQ(count("am"), 0u); // not saved
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("bck_Quendix.qdx")));

    r = runQdx({"import-oes", m_project, "--side", "am", dataFile("oes-folder-set")});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(count("am"), 5u);
    // The log holds the lines of all three imports.
    const auto log = test::readLog(logFolder());
    EXPECT_EQ(test::withCheck(log, 133).size(), 1u);
    EXPECT_EQ(test::withCheck(log, 44).size(), 8u);

    r = runQdx({"import-pen", m_project, "--side", "pm", m_dir.file("missing.csv")});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(CliImport, MergeAndExport) {
    const std::string other = m_dir.file("other.qdx");
    ASSERT_EQ(runQdx({"new", other}).exitCode, 0);
    ASSERT_EQ(runQdx({"import-pen", other, "--side", "pm", dataFile("pen_two_forms.csv")}).exitCode,
              0);
    ASSERT_EQ(
        runQdx({"import-pen", m_project, "--side", "pm", dataFile("pen_reimport.csv")}).exitCode,
        0);
    auto r = runQdx({"merge", m_project, other});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "IDが重複したため、ID上位部の先頭に「IMPORT」を追加しました。\n修正してください。\n");
    EXPECT_EQ(count("pm"), 3u);

    // Merging the project into itself fails; the backup is put back byte for byte.
    const std::string before = test::readBytes(m_project);
    r = runQdx({"merge", m_project, m_project});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(test::readBytes(m_project), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("bck_Quendix.qdx")));

    r = runQdx(
        {"export", m_project, m_dir.file("pm.csv"), m_dir.file("am.csv"), m_dir.file("match.csv")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string pm = TextCodec::toUtf8(test::readBytes(m_dir.file("pm.csv")));
    EXPECT_NE(pm.find("\r\nIMPORTP001-1,"), std::string::npos);
    r = runQdx({"export", m_project, m_dir.file("pm.csv"), m_dir.file("no/am.csv"),
                m_dir.file("match.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("ファイルをオープンできませんでした。\n", 0), 0u);
}

TEST_F(CliImport, AStoreFailureDuringTheMergeIsReportedAndTheProjectPutBack) {
    // Match rows cannot be written into this project: the merge fails after its records.
    ASSERT_TRUE(test::refuseInsertsOnDisk(m_project, "TB_MATCH"));
    const std::string before = test::readBytes(m_project);
    const std::string other = m_dir.file("other.qdx");
    test::writeProject(other, {test::chartRecord("Z-00001", std::string(32, '1'))},
                       {test::chartRecord("A-00001", std::string(32, '2'))},
                       {test::matchRow(1, 1, "3")});

    const auto r = runQdx({"merge", m_project, other});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string(storeErrorMessage(ErrStep)) + "\nrefused\n");
    EXPECT_EQ(test::readBytes(m_project), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("bck_Quendix.qdx")));
    EXPECT_EQ(count("pm"), 0u);
}

TEST_F(CliImport, AStoreFailureDuringAPenImportIsReportedAndNothingSaved) {
    // The second form cannot be stored; the first was stored before it.
    ASSERT_TRUE(test::refuseInsertsWhere(m_project, "TB_AFTER", "NEW.EXT_IDu = 'P002'"));
    const std::string before = test::readBytes(m_project);

    const auto r = runQdx({"import-pen", m_project, "--side", "pm", dataFile("pen_two_forms.csv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.substr(r.err.find('\n')), "\nrefused\n");
    EXPECT_EQ(test::readBytes(m_project), before);
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("bck_Quendix.qdx")));
    EXPECT_EQ(test::withCheck(test::readLog(logFolder()), 624).size(), 1u);
}

} // namespace
} // namespace qdx
