#include "io/ImportFlow.h"
#include "io/ImportBackup.h"
#include "io/ImportMessages.h"
#include "io/ProjectMerge.h"
#include "store/StoreError.h"

#include "support/ProjectFixture.h"

#include "ImportTestSupport.h"

namespace qdx {
namespace {

using test::dataFile;
using test::ProjectFixture;

struct Told {
    std::string text;
    ImportNotice kind;
    bool operator==(const Told&) const = default;
};

// Keeps what an import tells, in order, and counts its import steps.
class RecordingShell : public ImportShell {
public:
    void tell(const std::string& text, ImportNotice kind) override { told.push_back({text, kind}); }
    void runImportStep(const std::function<void()>& step) override {
        ++steps;
        step();
    }
    std::vector<Told> told;
    int steps = 0;
};

ImportRequest requestFor(const ProjectFixture& fx, const std::string& source) {
    ImportRequest request;
    request.side = PostMortem;
    request.source = source;
    request.logFolder = fx.logFolder();
    request.commit = true;
    return request;
}

bool backupExists(const ProjectFixture& fx) {
    return std::filesystem::exists(backupPath(fx.model));
}

// Makes inserts into the table fail with the database text "refused", in the saved project.
void refuseInserts(ProjectModel& model, const std::string& table) {
    model.close(true);
    ASSERT_TRUE(test::refuseInsertsOnDisk(model.projectPath(), table));
    model.reopen();
}

Told told(std::string_view text, ImportNotice kind) {
    return {std::string(text), kind};
}

TEST(ImportFlow, PenImportRunsBetweenBackupAndItsRemoval) {
    ProjectFixture fx;
    RecordingShell shell;
    const ImportOutcome outcome =
        runPenImport(fx.model, shell, requestFor(fx, dataFile("pen_two_forms.csv")));
    EXPECT_EQ(outcome.end, ImportEnd::Finished);
    EXPECT_FALSE(outcome.abnormal);
    EXPECT_TRUE(outcome.reloadLists);
    EXPECT_EQ(shell.steps, 1);
    EXPECT_EQ(shell.told, std::vector<Told>{told(kImportEndedMessage, ImportNotice::Exclamation)});
    EXPECT_FALSE(backupExists(fx));
    EXPECT_EQ(fx.count(PostMortem), 2u);
    EXPECT_TRUE(fx.model.recordsChangedPM()); // in the transaction, not saved
}

// Saves the project with one post-mortem record, then makes the file refuse the inserts into
// TB_AFTER that meet `when`. Returns the saved file's bytes.
std::string savedWithRefusal(ProjectFixture& fx, const std::string& when, bool wholeTransaction) {
    fx.model.clearEntry();
    fx.model.entry().upperIdPart = "K";
    fx.model.entry().lowerIdPart = "00001";
    fx.model.storeEntry();
    fx.model.close(true);
    EXPECT_TRUE(test::refuseInsertsWhere(fx.projectPath(), "TB_AFTER", when, wholeTransaction));
    const std::string saved = test::readBytes(fx.projectPath());
    fx.model.reopen();
    return saved;
}

// After a store failure the project is open as it was saved, in a transaction of its own.
void expectPutBack(ProjectFixture& fx, const std::string& saved) {
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_FALSE(backupExists(fx));
    EXPECT_EQ(fx.count(PostMortem), 1u);
    EXPECT_EQ(sqlite3_get_autocommit(fx.model.database().connection()), 0);
    fx.model.close(false);
    EXPECT_EQ(test::readBytes(fx.projectPath()), saved);
}

TEST(ImportFlow, AStoreFailureDuringThePenImportIsShownAndTheProjectPutBack) {
    // The second form is refused after the first was stored; then the same with a refusal that
    // takes the whole transaction with it.
    for (const bool wholeTransaction : {false, true}) {
        ProjectFixture fx;
        const std::string saved = savedWithRefusal(fx, "NEW.EXT_IDu = 'P002'", wholeTransaction);
        RecordingShell shell;
        const ImportOutcome outcome =
            runPenImport(fx.model, shell, requestFor(fx, dataFile("pen_two_forms.csv")));
        EXPECT_EQ(outcome.end, ImportEnd::Restored);
        EXPECT_FALSE(outcome.abnormal);
        EXPECT_TRUE(outcome.reloadLists);
        ASSERT_EQ(shell.told.size(), 1u);
        EXPECT_EQ(shell.told[0].kind, ImportNotice::Error);
        EXPECT_EQ(shell.told[0].text.substr(shell.told[0].text.find('\n')), "\nrefused");
        // The log ends with the unexpected error and the abnormal end.
        const auto log = test::readLog(fx.logFolder());
        ASSERT_GE(log.size(), 2u);
        EXPECT_EQ(log[log.size() - 2].check, 624);
        EXPECT_EQ(log[log.size() - 2].message, "■予期せぬエラー");
        EXPECT_EQ(log.back().check, 130);
        EXPECT_EQ(log.back().message, "IMPORT_NG");
        EXPECT_EQ(test::withCheck(log, 624).size(), 1u);
        expectPutBack(fx, saved);
    }
}

TEST(ImportFlow, AStoreFailureDuringTheOesImportEndsItAndPutsTheProjectBack) {
    ProjectFixture fx;
    const std::string saved = savedWithRefusal(fx, "NEW.EXT_IDl = '2'", false);
    const std::filesystem::path folder = fx.dir.path() / "oes";
    std::filesystem::create_directories(folder);
    for (const char* id : {"1", "2", "3"}) {
        test::writeCp932((folder / ("A-20240501-" + std::string(id) + ".oes")).string(),
                         "ON,,,,,,,,1234567,,,,,,,\r\nPN,,,,1," + std::string(id) +
                             ",,,20240501,名前,01,19800115,,,,\r\nDT\r\n");
    }
    RecordingShell shell;
    const ImportOutcome outcome = runOesImport(fx.model, shell, requestFor(fx, folder.string()));
    EXPECT_EQ(outcome.end, ImportEnd::Restored);
    ASSERT_EQ(shell.told.size(), 1u);
    EXPECT_EQ(shell.told[0].kind, ImportNotice::Error);
    // The file with the refused person ends as the unexpected error; the next is not read.
    const auto log = test::readLog(fx.logFolder());
    ASSERT_EQ(test::withCheck(log, 44).size(), 2u);
    EXPECT_EQ(test::withCheck(log, 83).size(), 1u);
    EXPECT_EQ(test::withCheck(log, 476).size(), 1u);
    EXPECT_EQ(log.back().check, 80);
    expectPutBack(fx, saved);
}

TEST(ImportFlow, WithoutItsLogNothingIsReadAndOnlyOesKeepsTheBackup) {
    ProjectFixture fx;
    std::filesystem::create_directories(fx.logFolder() / "CsvFileCtrl.csv");
    std::filesystem::create_directories(fx.dir.path() / "oes");
    const std::vector<Told> expected{told(kLogOpenFailedMessage, ImportNotice::Exclamation),
                                     told(kImportNotRunMessage, ImportNotice::Error)};

    RecordingShell oes;
    ImportOutcome outcome = runOesImport(fx.model, oes, requestFor(fx, fx.dir.file("oes")));
    EXPECT_EQ(outcome.end, ImportEnd::NothingRead);
    EXPECT_FALSE(outcome.reloadLists);
    EXPECT_EQ(oes.told, expected);
    EXPECT_TRUE(backupExists(fx));
    EXPECT_TRUE(fx.model.isOpen());

    RecordingShell pen;
    outcome = runPenImport(fx.model, pen, requestFor(fx, dataFile("pen_two_forms.csv")));
    EXPECT_EQ(outcome.end, ImportEnd::NothingRead);
    EXPECT_TRUE(outcome.reloadLists);
    EXPECT_EQ(pen.told, expected);
    EXPECT_FALSE(backupExists(fx));
    EXPECT_EQ(fx.count(PostMortem), 0u);
}

TEST(ImportFlow, ABackupThatCannotBeWrittenStopsTheImport) {
    ProjectFixture fx;
    // A folder where the backup file goes cannot be replaced by a copy.
    std::filesystem::create_directories(fx.dir.path() / "bck_Quendix.qdx" / "inside");
    RecordingShell shell;
    const ImportOutcome outcome =
        runPenImport(fx.model, shell, requestFor(fx, dataFile("pen_two_forms.csv")));
    EXPECT_EQ(outcome.end, ImportEnd::NotRun);
    EXPECT_TRUE(outcome.reloadLists);
    EXPECT_EQ(shell.steps, 0);
    EXPECT_EQ(shell.told, std::vector<Told>{told(kBackupFailedMessage, ImportNotice::Error)});
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_EQ(fx.count(PostMortem), 0u);
}

TEST(ImportFlow, ASaveThatFailsBeforeTheBackupStopsTheImport) {
    ProjectFixture fx;
    // With the project's transaction ended behind its back, saving it fails in SQLite.
    ASSERT_EQ(sqlite3_exec(fx.model.database().connection(), "COMMIT", nullptr, nullptr, nullptr),
              SQLITE_OK);
    RecordingShell shell;
    const ImportOutcome outcome =
        runPenImport(fx.model, shell, requestFor(fx, dataFile("pen_two_forms.csv")));
    EXPECT_EQ(outcome.end, ImportEnd::NotRun);
    EXPECT_EQ(shell.steps, 0);
    ASSERT_EQ(shell.told.size(), 1u);
    EXPECT_EQ(shell.told[0].kind, ImportNotice::Error);
    EXPECT_EQ(shell.told[0].text.rfind(std::string(storeErrorMessage(ErrCommit)) + "\n", 0), 0u)
        << shell.told[0].text;
    EXPECT_FALSE(backupExists(fx));
    // The project is open again, in a transaction of its own.
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_EQ(fx.count(PostMortem), 0u);
    EXPECT_NO_THROW(fx.model.save());
}

TEST(ImportFlow, AStoreFailureDuringTheMergeIsShownAndTheProjectPutBack) {
    ProjectFixture fx;
    fx.model.clearEntry();
    fx.model.entry().upperIdPart = "K";
    fx.model.entry().lowerIdPart = "00001";
    fx.model.storeEntry();
    refuseInserts(fx.model, "TB_MATCH");
    const std::string saved = test::readBytes(fx.projectPath());
    const std::string source = fx.dir.file("source.qdx");
    test::writeProject(source, {test::chartRecord("Z-00001", std::string(32, '1'))},
                       {test::chartRecord("A-00001", std::string(32, '2'))},
                       {test::matchRow(1, 1, "3")});

    RecordingShell shell;
    ImportRequest request = requestFor(fx, source);
    const ImportOutcome outcome = runProjectMerge(fx.model, shell, request);
    EXPECT_EQ(outcome.end, ImportEnd::Restored);
    EXPECT_TRUE(outcome.reloadLists);
    EXPECT_EQ(shell.told,
              std::vector<Told>{told(std::string(storeErrorMessage(ErrStep)) + "\nrefused",
                                     ImportNotice::Error)});
    EXPECT_TRUE(fx.model.isOpen());
    EXPECT_EQ(fx.count(PostMortem), 1u);
    EXPECT_FALSE(backupExists(fx));
    fx.model.close(false);
    EXPECT_EQ(test::readBytes(fx.projectPath()), saved);
}

TEST(ImportFlow, AMergeWithClashingIdsSaysSoAndFinishes) {
    ProjectFixture fx;
    const std::string source = fx.dir.file("source.qdx");
    test::writeProject(source, {test::chartRecord("Z-00001", std::string(32, '1'))}, {});
    RecordingShell first;
    EXPECT_EQ(runProjectMerge(fx.model, first, requestFor(fx, source)).end, ImportEnd::Finished);
    EXPECT_TRUE(first.told.empty());
    RecordingShell second;
    EXPECT_EQ(runProjectMerge(fx.model, second, requestFor(fx, source)).end, ImportEnd::Finished);
    EXPECT_EQ(second.told,
              std::vector<Told>{told(kMergeRenamedMessage, ImportNotice::Information)});
    EXPECT_EQ(fx.count(PostMortem), 2u);
    EXPECT_FALSE(backupExists(fx));
}

} // namespace
} // namespace qdx
