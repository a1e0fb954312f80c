// What qdx says when the file system fails under it, and that the saved project stays as it was:
// a full disk (a file-size limit) while committing, importing and writing result files, a
// write-protected project file or folder, an import log or backup that cannot be written.
#include "io/TextCodec.h"
#include "support/IoFaults.h"
#include "support/QdxRunner.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace qdx {
namespace {

using test::FileSizeLimit;
using test::readBytes;
using test::runQdx;
using test::WriteProtection;

const std::string kCommitFailed =
    "更新データの登録に失敗しました。データベースは元のまま保存されます。\n";
const std::string kReadOnly = "プロジェクトファイルに書き込めません。ファイルとそのフォルダが書き"
                              "込み禁止になっていないか確認してください。\n";
const std::string kCannotWriteFile = "ファイルをオープンできませんでした。\n";

bool startsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A project of a small demo population in a folder of its own, HOME in a temp folder so that
// the import log lands there.
class IoFaultCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* home = std::getenv("HOME");
        m_oldHome = home ? home : "";
        std::filesystem::create_directories(m_home);
        std::filesystem::create_directories(m_folder);
        setenv("HOME", m_home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        ASSERT_EQ(runQdx({"demo", m_project, "--pm", "40", "--am", "80", "--seed", "5"}).exitCode,
                  0);
        m_saved = readBytes(m_project);
        ASSERT_FALSE(m_saved.empty());
    }
    void TearDown() override { setenv("HOME", m_oldHome.c_str(), 1); }

    // The project holds exactly what was saved, and nothing of an unfinished write lies beside.
    void expectProjectUnchanged() const {
        EXPECT_TRUE(readBytes(m_project) == m_saved) << "the saved project changed";
        EXPECT_FALSE(std::filesystem::exists(m_project + "-journal"));
        EXPECT_FALSE(std::filesystem::exists(m_folder / "bck_Quendix.qdx"));
    }
    unsigned long long savedSize() const { return m_saved.size(); }

    // A pen CSV file of `forms` forms with IDs of their own.
    std::string penFile(int forms) const {
        std::string text =
            "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,エックス線写真枚数,x\r\n";
        for (int i = 0; i < forms; ++i) {
            std::vector<std::string> form(64);
            form[1] = "1";
            form[3] = "2024/05/01 10:00:00";
            form[4] = "東京";
            form[7] = "12";
            form[8] = "11";
            form[62] = "P" + std::to_string(1000 + i);
            for (std::size_t k = 0; k < form.size(); ++k)
                text += (k ? "," : "") + form[k];
            text += "\r\n";
        }
        const std::string path = m_dir.file("pen.csv");
        test::writeBytes(path, TextCodec::toCp932(text));
        return path;
    }
    // A folder of `files` OES files, each of another patient.
    std::string oesFolder(int files) const {
        const std::filesystem::path folder = m_dir.path() / "oes";
        std::filesystem::create_directories(folder);
        const std::string sample =
            readBytes(QDX_TEST_DATA_DIR "/io/oes-folder-set/ABC-20240501-1.oes");
        for (int i = 1; i <= files; ++i) {
            std::string text = sample;
            text.replace(text.find("1234567"), 7, std::to_string(1000000 + i));
            test::writeBytes((folder / ("ABC-20240501-" + std::to_string(i) + ".oes")).string(),
                             text);
        }
        return folder.string();
    }
    std::filesystem::path logFolder() const { return m_home / "Documents" / "QuendixFree"; }

    test::TempDir m_dir;
    std::filesystem::path m_home = m_dir.path() / "home";
    std::filesystem::path m_folder = m_dir.path() / "projects";
    std::string m_project = (m_folder / "p.qdx").string();
    std::string m_saved;
    std::string m_oldHome;
};

TEST_F(IoFaultCommandTest, AFullDiskAtTheCommitSaysSoAndKeepsTheSavedProject) {
    const std::string summary(60000, 'x');
    const std::vector<std::string> add = {"add", m_project, "--side", "pm",        "--upper",
                                          "T99", "--lower", "1",      "--summary", summary};
    const std::vector<std::string> edit = {"edit", m_project,   "--side",    "pm",
                                           "--id", "T01-00001", "--summary", summary};
    for (const auto& command : {add, edit}) {
        test::QdxResult r;
        {
            FileSizeLimit full(savedSize());
            ASSERT_TRUE(full.active());
            r = runQdx(command);
        }
        EXPECT_EQ(r.exitCode, 1) << command[0];
        EXPECT_TRUE(startsWith(r.err, kCommitFailed)) << r.err;
        expectProjectUnchanged();
    }
    // With room on the disk the same command goes through.
    EXPECT_EQ(runQdx(add).exitCode, 0);
    EXPECT_GT(test::fileSize(m_project), savedSize());
}

TEST_F(IoFaultCommandTest, AFullDiskDuringAnImportKeepsTheSavedProject) {
    const std::string pen = penFile(300);
    const std::string oes = oesFolder(100);
    const std::vector<std::vector<std::string>> imports = {
        {"import-pen", m_project, pen, "--side", "pm"},
        {"import-oes", m_project, oes, "--side", "am"},
    };
    for (const auto& command : imports) {
        test::QdxResult r;
        {
            // Room for the backup (a copy of the project) and the log, not for the imported rows.
            FileSizeLimit full(savedSize());
            ASSERT_TRUE(full.active());
            r = runQdx(command);
        }
        EXPECT_EQ(r.exitCode, 1) << command[0] << ": " << r.out;
        EXPECT_TRUE(contains(r.err, kCommitFailed)) << r.err;
        expectProjectUnchanged();
    }
    // The imports themselves were fine: with room they store their records.
    for (const auto& command : imports)
        EXPECT_EQ(runQdx(command).exitCode, 0) << command[0];
    EXPECT_GT(test::fileSize(m_project), savedSize() + 100000);
}

TEST_F(IoFaultCommandTest, AFullDiskWhileWritingResultFilesIsAFailure) {
    const std::string csv = m_dir.file("総検索結果.csv");
    const std::string exported[] = {m_dir.file("pm.csv"), m_dir.file("am.csv"),
                                    m_dir.file("match.csv")};
    test::QdxResult search;
    test::QdxResult exporting;
    {
        FileSizeLimit full(2000);
        ASSERT_TRUE(full.active());
        search = runQdx({"search", m_project, "--top", "50", "--csv", csv});
        exporting = runQdx({"export", m_project, exported[0], exported[1], exported[2]});
    }
    EXPECT_EQ(search.exitCode, 1);
    EXPECT_TRUE(startsWith(search.err, kCannotWriteFile)) << search.err;
    EXPECT_EQ(exporting.exitCode, 1);
    EXPECT_TRUE(startsWith(exporting.err, kCannotWriteFile)) << exporting.err;
    expectProjectUnchanged();
    // Without the limit both files are larger than what fitted.
    EXPECT_EQ(runQdx({"search", m_project, "--top", "50", "--csv", csv}).exitCode, 0);
    EXPECT_GT(test::fileSize(csv), 2000u);
    EXPECT_EQ(runQdx({"export", m_project, exported[0], exported[1], exported[2]}).exitCode, 0);
    EXPECT_GT(test::fileSize(exported[1]), 2000u);
}

// The report's PDF used to be cut off at the limit and reported as written, with its history
// row saved.
TEST_F(IoFaultCommandTest, AFullDiskWhileWritingTheReportLeavesTheOldFileAndNoHistoryRow) {
    if (runQdx({"report", "--help"}).exitCode != 0)
        GTEST_SKIP() << "qdx is built without the report (no Qt)";
    const std::string pdf = m_dir.file("報告書.pdf");
    test::writeBytes(pdf, "an earlier report");
    const std::vector<std::string> report = {"report", m_project,     "--pm",  "T01-00001",
                                             "--am",   "D0001-00001", "--pdf", pdf};
    test::QdxResult r;
    {
        FileSizeLimit full(20000);
        ASSERT_TRUE(full.active());
        r = runQdx(report);
    }
    EXPECT_EQ(r.exitCode, 1) << r.out;
    EXPECT_TRUE(contains(r.err, "cannot write the PDF file: " + pdf)) << r.err;
    EXPECT_EQ(readBytes(pdf), "an earlier report");
    expectProjectUnchanged();
    ASSERT_EQ(runQdx(report).exitCode, 0);
    const std::string written = readBytes(pdf);
    EXPECT_GT(written.size(), 20000u);
    EXPECT_EQ(written.substr(written.size() - 6), "%%EOF\n");
}

TEST_F(IoFaultCommandTest, AWriteProtectedProjectFileOrFolderIsNamedAsSuch) {
    const std::vector<std::string> add = {"add",     m_project, "--side",  "pm",
                                          "--upper", "T99",     "--lower", "1"};
    {
        WriteProtection file(m_project);
        if (!file.active())
            GTEST_SKIP() << file.how();
        const test::QdxResult r = runQdx(add);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(startsWith(r.err, kReadOnly)) << r.err;
        // Reading it is still possible.
        EXPECT_EQ(runQdx({"info", m_project}).exitCode, 0);
        EXPECT_EQ(runQdx({"settings", m_project, "--name", "x"}).exitCode, 1);
    }
    expectProjectUnchanged();
    {
        // The file may be written, but the folder takes no journal and no backup.
        WriteProtection folder(m_folder);
        if (!folder.active())
            GTEST_SKIP() << folder.how();
        const test::QdxResult r = runQdx(add);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(startsWith(r.err, kReadOnly)) << r.err;
        const test::QdxResult import =
            runQdx({"import-pen", m_project, penFile(2), "--side", "pm"});
        EXPECT_EQ(import.exitCode, 1);
        EXPECT_TRUE(contains(import.err, "データベースファイルをバックアップできませんでした。"))
            << import.err;
    }
    expectProjectUnchanged();
    EXPECT_EQ(runQdx(add).exitCode, 0);
}

TEST_F(IoFaultCommandTest, AnImportWithoutItsBackupOrLogDoesNotRun) {
    const std::string pen = penFile(2);
    const std::vector<std::string> import = {"import-pen", m_project, pen, "--side", "pm"};
    // Something that is not a file holds the backup's name.
    std::filesystem::create_directories(m_folder / "bck_Quendix.qdx" / "x");
    test::QdxResult r = runQdx(import);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, "データベースファイルをバックアップできませんでした。")) << r.err;
    EXPECT_EQ(readBytes(m_project), m_saved);
    std::filesystem::remove_all(m_folder / "bck_Quendix.qdx");

    const std::string notRun = "ログファイルを開けなかったため、インポートは実行されませんでした。";
    // The documents folder write-protected: the log's folder cannot be made.
    std::filesystem::create_directories(m_home / "Documents");
    {
        WriteProtection documents(m_home / "Documents");
        if (!documents.active())
            GTEST_SKIP() << documents.how();
        r = runQdx(import);
    }
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, notRun)) << r.err;
    expectProjectUnchanged();

    // The log itself write-protected.
    std::filesystem::create_directories(logFolder());
    test::writeBytes((logFolder() / "CsvFileCtrl.csv").string(), "");
    {
        WriteProtection log(logFolder() / "CsvFileCtrl.csv");
        if (!log.active())
            GTEST_SKIP() << log.how();
        r = runQdx(import);
    }
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(contains(r.err, notRun)) << r.err;
    expectProjectUnchanged();

    // A documents folder that is missing is made.
    std::filesystem::remove_all(m_home / "Documents");
    EXPECT_EQ(runQdx(import).exitCode, 0);
    EXPECT_TRUE(std::filesystem::exists(logFolder() / "CsvFileCtrl.csv"));
}

} // namespace
} // namespace qdx
