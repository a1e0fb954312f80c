#include "io/ImportFlow.h"

#include "io/ImportBackup.h"
#include "io/ImportLog.h"
#include "io/ImportMessages.h"
#include "io/OesImporter.h"
#include "io/PenCsvImporter.h"
#include "io/ProjectMerge.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"

#include <exception>

namespace qdx {

namespace {

void tellText(ImportShell& shell, std::string_view text, ImportNotice kind) {
    shell.tell(std::string(text), kind);
}

bool backUp(ProjectModel& model, ImportShell& shell, bool commit) {
    std::string message;
    try {
        if (BackupBeforeImport(model, commit, message)) {
            return true;
        }
    } catch (const StoreError& failure) {
        message = failure.fullText();
    }
    shell.tell(message, ImportNotice::Error);
    return false;
}

ImportOutcome notRun() {
    // The project was reopened as it was (or could not be): the lists show what is there.
    return {ImportEnd::NotRun, false, true};
}

// The end of an import that ran: its backup goes; when it cannot, the lists stay as they are.
ImportOutcome finish(ProjectModel& model, ImportShell& shell, ImportEnd end, bool abnormal) {
    std::string message;
    if (!finishImport(model, message)) {
        shell.tell(message, ImportNotice::Error);
        return {ImportEnd::BackupKept, abnormal, false};
    }
    return {end, abnormal, true};
}

ImportOutcome restore(ProjectModel& model, ImportShell& shell) {
    std::string message;
    if (!RestoreAfterFailedImport(model, message)) {
        shell.tell(message, ImportNotice::Error);
        return {ImportEnd::NotRestored, false, true};
    }
    return {ImportEnd::Restored, false, true};
}

// What every import does when the store fails under it. The failure may have taken the
// project's transaction with it (SQLite rolls it back on I/O and disk-full errors), so neither
// the rows stored before it nor the transaction itself can be trusted: the failure is shown as
// it is and the project is put back as it was before the import, from the backup.
ImportOutcome storeFailed(ProjectModel& model, ImportShell& shell, const StoreError& failure) {
    shell.tell(failure.fullText(), ImportNotice::Error);
    return restore(model, shell);
}

// The change history of an import: every record it adds or changes gets a row naming the
// import, and the import one row with its file and counts, all in the import's transaction.
class ImportJournal {
public:
    ImportJournal(ProjectModel& model, const char* kind, int side, const std::string& source)
        : m_model(model), m_kind(kind), m_side(side), m_source(source) {
        m_model.journal().beginBatch(std::string(batchLabel(kind)) + " " + source);
    }
    ~ImportJournal() { m_model.journal().endBatch(); }
    ImportJournal(const ImportJournal&) = delete;
    ImportJournal& operator=(const ImportJournal&) = delete;

    // Writes the import's own row; `extra` follows the counts.
    void summarize(const std::string& extra = {}) {
        const ProjectJournal::BatchCounts counts = m_model.journal().endBatch();
        std::string detail = m_source + ": 追加 " + std::to_string(counts.added) + "件, 更新 " +
                             std::to_string(counts.modified) + "件";
        if (!extra.empty())
            detail += ", " + extra;
        m_model.journal().writeProject(m_kind, m_side, detail);
    }

    static const char* batchLabel(const char* kind) {
        const std::string k = kind;
        if (k == journal::kPenImport)
            return "デジタルペン取込";
        if (k == journal::kOesImport)
            return "OES取込";
        return "マージ";
    }

private:
    ProjectModel& m_model;
    const char* m_kind;
    int m_side;
    std::string m_source;
};

constexpr const char* kAbnormalEnd = "異常終了";

enum class WithoutLog { RemoveBackup, KeepBackup };
using ImportFolderOrFile = ImportResult (*)(ProjectModel&, int, const std::filesystem::path&,
                                            const std::filesystem::path&, bool);

// The pen and OES imports: both log into the import log and end with one closing message.
ImportOutcome runLoggedImport(ProjectModel& model, ImportShell& shell, const ImportRequest& request,
                              ImportFolderOrFile import, WithoutLog withoutLog,
                              const char* journalKind) {
    if (!backUp(model, shell, request.commit)) {
        return notRun();
    }
    ImportResult result;
    ImportJournal journal(model, journalKind, request.side, request.source.string());
    try {
        shell.runImportStep([&] {
            result =
                import(model, request.side, request.source, request.logFolder, request.fastLookup);
            if (result.logOpened)
                journal.summarize(result.failed ? kAbnormalEnd : "");
        });
    } catch (const StoreError& failure) {
        // The importer has logged it as its unexpected error.
        return storeFailed(model, shell, failure);
    } catch (const std::exception&) {
        // Anything else that broke off the import is its abnormal end, the log named.
        result = ImportResult{};
        result.failed = true;
        result.logPath = (request.logFolder / ImportLog::kFileName).string();
        try {
            journal.summarize(kAbnormalEnd);
        } catch (const StoreError&) {
            // What the import stored stays as it is; only its own row is missing.
        }
        tellText(shell, result.message(), ImportNotice::Exclamation);
        return finish(model, shell, ImportEnd::Failed, true);
    }
    tellText(shell, result.message(), ImportNotice::Exclamation);
    if (!result.logOpened) {
        tellText(shell, kImportNotRunMessage, ImportNotice::Error);
        if (withoutLog == WithoutLog::KeepBackup) {
            return {ImportEnd::NothingRead, false, false};
        }
        return finish(model, shell, ImportEnd::NothingRead, false);
    }
    return finish(model, shell, ImportEnd::Finished, result.failed);
}

} // namespace

ImportOutcome runPenImport(ProjectModel& model, ImportShell& shell, const ImportRequest& request) {
    return runLoggedImport(model, shell, request, importPenCsv, WithoutLog::RemoveBackup,
                           journal::kPenImport);
}

ImportOutcome runOesImport(ProjectModel& model, ImportShell& shell, const ImportRequest& request) {
    // Without its log nothing was read; the backup stays beside the project.
    return runLoggedImport(model, shell, request, importOesFolder, WithoutLog::KeepBackup,
                           journal::kOesImport);
}

ImportOutcome runProjectMerge(ProjectModel& model, ImportShell& shell,
                              const ImportRequest& request) {
    if (!backUp(model, shell, request.commit)) {
        return notRun();
    }
    int prefixings = 0;
    try {
        shell.runImportStep(
            [&] { prefixings = mergeProject(model, request.source.string(), request.fastLookup); });
    } catch (const StoreError& failure) {
        return storeFailed(model, shell, failure);
    } catch (const std::exception& failure) {
        // Whatever ended the merge, half of it must not stay in the project.
        shell.tell(failure.what(), ImportNotice::Error);
        return restore(model, shell);
    }
    if (prefixings != 0) {
        tellText(shell, kMergeRenamedMessage, ImportNotice::Information);
    }
    return finish(model, shell, ImportEnd::Finished, false);
}

} // namespace qdx
