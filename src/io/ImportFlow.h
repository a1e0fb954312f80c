#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace qdx {

class ProjectModel;

// How a message of an import reads: the window shows it with the matching icon, the tool
// writes the errors to its error stream and the rest to its output.
enum class ImportNotice { Information, Exclamation, Error };

// What the program around an import does for it: shows its messages, in order, and runs the
// import step itself (the window under its wait cursor, the tool directly). The questions
// before an import (confirm, choose the source, keep unsaved changes) are the caller's.
class ImportShell {
public:
    virtual ~ImportShell() = default;
    virtual void tell(const std::string& text, ImportNotice kind) = 0;
    // Runs the step; an exception it throws is passed on.
    virtual void runImportStep(const std::function<void()>& step) { step(); }
};

enum class ImportEnd {
    NotRun,      // no backup could be taken (or the project not reopened); nothing imported
    Finished,    // the import ran to its end and the backup is gone
    NothingRead, // the import log could not be opened, so nothing was read
    Failed,      // a failure outside the store broke off the import; what it stored stays
    BackupKept,  // the import ran but its backup could not be removed
    Restored,    // the merge or the store failed and the project was put back from the backup
    NotRestored, // the merge or the store failed and the backup could not be put back
};

struct ImportOutcome {
    ImportEnd end = ImportEnd::NotRun;
    bool abnormal = false; // the closing message was the abnormal end (details in the log)
    // The project is open again as the import left it, or as it was: the window reloads
    // its lists. False while the backup still has to be dealt with.
    bool reloadLists = false;
};

struct ImportRequest {
    int side = 0;
    std::filesystem::path source; // the pen CSV file, the OES folder or the other project
    std::filesystem::path logFolder;
    // Whether the project's unsaved changes are saved when it is closed for the backup.
    bool commit = false;
    bool fastLookup = true;
};

// Each import command after its questions: back up the project, import into the open
// transaction, log, then remove the backup (finish) or, for a failed merge or a store failure
// during any import, show the failure and put the backup back.
ImportOutcome runPenImport(ProjectModel& model, ImportShell& shell, const ImportRequest& request);
ImportOutcome runOesImport(ProjectModel& model, ImportShell& shell, const ImportRequest& request);
ImportOutcome runProjectMerge(ProjectModel& model, ImportShell& shell,
                              const ImportRequest& request);

} // namespace qdx
