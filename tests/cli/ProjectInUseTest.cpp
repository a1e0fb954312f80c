#include "store/ProjectModel.h"
#include "support/ProjectFixture.h"
#include "support/QdxRunner.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace qdx::test {
namespace {

const std::string kInUse = "データベースは使用中です。\n";

// True when another connection holds the file's lock: a read of the schema is refused.
bool lockedByAnother(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const int read =
        sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return read == SQLITE_BUSY;
}

// A qdx process held still while it has the project open: it is started, and stopped
// (SIGSTOP) at the first moment its lock is seen; when it ended before that it is started again.
class StoppedQdx {
public:
    StoppedQdx(const std::vector<std::string>& arguments, const std::string& project) {
        for (int attempt = 0; attempt < 200 && m_pid == 0; ++attempt)
            startAndCatch(arguments, project);
    }
    ~StoppedQdx() {
        if (m_pid != 0)
            finish();
    }
    bool holding() const { return m_pid != 0; }

    // Lets it run to its end: its exit code.
    int finish() {
        kill(m_pid, SIGCONT);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void startAndCatch(const std::vector<std::string>& arguments, const std::string& project) {
        std::vector<char*> argv;
        std::string program = QDX_BINARY_DIR "/src/cli/qdx";
        argv.push_back(program.data());
        std::vector<std::string> copies = arguments;
        for (std::string& argument : copies)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        for (;;) {
            kill(pid, SIGSTOP);
            int status = 0;
            if (waitpid(pid, &status, WUNTRACED) == pid && !WIFSTOPPED(status))
                return; // ended before its lock was seen
            if (lockedByAnother(project)) {
                m_pid = pid;
                return;
            }
            kill(pid, SIGCONT);
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    }

    pid_t m_pid = 0;
};

// Every command that writes, on a project another program holds open.
std::vector<std::vector<std::string>> writeCommands(const std::string& path,
                                                    const std::string& source) {
    const std::string pen = QDX_TEST_DATA_DIR "/io/pen_two_forms.csv";
    const std::string oes = QDX_TEST_DATA_DIR "/io/oes-folder-set";
    return {
        {"add", path, "--side", "pm", "--upper", "T99", "--lower", "1"},
        {"edit", path, "--side", "pm", "--id", "A-00001", "--sex", "1"},
        {"history", path, "--side", "pm", "--id", "A-00001", "--register", "examining", "B-00001"},
        {"settings", path, "--factor", "3"},
        {"check", path, "--side", "pm", "--id", "A-00001", "--examiner", "鈴木"},
        {"import-pen", path, pen, "--side", "pm"},
        {"import-oes", path, oes, "--side", "am"},
        {"merge", path, source},
        {"suggest-weights", path, "--apply"},
    };
}

// The file's bytes are compared by the callers: reading the file here would drop the locks of
// a project model open in this process (closing any descriptor of a file releases them all).
void expectEveryWriteRefused(const std::string& path, const std::string& source) {
    for (const std::vector<std::string>& command : writeCommands(path, source)) {
        const QdxResult result = runQdx(command);
        EXPECT_EQ(result.exitCode, 1) << command[0];
        EXPECT_EQ(result.err.rfind(kInUse, 0), 0u) << command[0] << ": " << result.err;
        EXPECT_TRUE(result.out.empty()) << command[0];
    }
    // No import got as far as its safety copy.
    EXPECT_FALSE(
        std::filesystem::exists(std::filesystem::path(path).parent_path() / "bck_Quendix.qdx"));
}

class ProjectInUseTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeProject(m_path, {chartRecord("A-00001", std::string(32, '1'))},
                     {chartRecord("B-00001", std::string(32, '1'))});
        writeProject(m_source, {chartRecord("C-00001", std::string(32, '2'))}, {});
        // The open sequence's repairs are committed once, so the bytes below are the saved state.
        ASSERT_EQ(runQdx({"info", m_path}).exitCode, 0);
        m_bytes = readBytes(m_path);
    }

    TempDir m_dir;
    std::string m_path = m_dir.file("held.qdx");
    std::string m_source = m_dir.file("other.qdx");
    std::string m_bytes;
};

// The desktop program holds its project through the project model for as long as it is open.
TEST_F(ProjectInUseTest, WritesOnAProjectTheDesktopProgramHasOpenAreRefused) {
    {
        ProjectModel holder;
        openProjectFile(holder, splitProjectPath(m_path));
        expectEveryWriteRefused(m_path, m_source);
        holder.close(false);
    }
    EXPECT_TRUE(readBytes(m_path) == m_bytes);
    // Once it is closed the same command goes through.
    EXPECT_EQ(runQdx({"add", m_path, "--side", "pm", "--upper", "T99", "--lower", "1"}).exitCode,
              0);
    EXPECT_EQ(countOnDisk(m_path, "SELECT count(*) FROM TB_AFTER"), 2);
}

TEST_F(ProjectInUseTest, WritesOnAProjectAnotherQdxHasOpenAreRefusedAndTheFirstGoesOn) {
    StoppedQdx first({"add", m_path, "--side", "pm", "--upper", "T50", "--lower", "7"}, m_path);
    ASSERT_TRUE(first.holding());
    const std::string held = readBytes(m_path);
    expectEveryWriteRefused(m_path, m_source);
    EXPECT_TRUE(readBytes(m_path) == held);
    // The first one ends as it would have alone: its record and nothing of the refused ones.
    EXPECT_EQ(first.finish(), 0);
    EXPECT_EQ(countOnDisk(m_path, "SELECT count(*) FROM TB_AFTER"), 2);
    EXPECT_EQ(textOnDisk(m_path, "SELECT group_concat(EXT_IDu||'-'||EXT_IDl) FROM TB_AFTER"),
              "A-00001,T50-00007");
}

} // namespace
} // namespace qdx::test
