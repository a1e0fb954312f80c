#include "io/ImportBackup.h"

#include "platform/FileSystem.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"

#include <filesystem>
#include <system_error>

namespace qdx {

std::string backupPath(const ProjectModel& model) {
    return model.projectFolder() + std::string(kBackupFileName);
}

bool BackupBeforeImport(ProjectModel& model, bool commit, std::string& message) {
    try {
        model.close(commit);
    } catch (const StoreError& failure) {
        // The connection is closed and the changes are lost; no import runs on top of that.
        model.reopen();
        message = failure.fullText();
        return false;
    }
    model.clearChangeFlags();
    const bool copied = platform::copyReplacing(model.projectPath(), backupPath(model));
    // The project is opened again even when the copy failed, so the caller keeps working on it.
    model.reopen();
    if (!copied) {
        message = std::string(kBackupFailedMessage);
        return false;
    }
    return true;
}

bool finishImport(ProjectModel& model, std::string& message) {
    std::error_code error;
    std::filesystem::remove(backupPath(model), error);
    if (error) {
        message = std::string(kBackupDeleteFailedMessage);
        return false;
    }
    return true;
}

bool RestoreAfterFailedImport(ProjectModel& model, std::string& message) {
    try {
        model.close(false);
    } catch (const StoreError&) {
        // The connection is closed whatever the rollback reported; the file is replaced next.
    }
    if (!platform::moveReplacingDurably(backupPath(model), model.projectPath())) {
        message = std::string(kRestoreFailedMessage);
        return false;
    }
    try {
        model.reopen();
    } catch (const StoreError& failure) {
        message = failure.fullText();
        return false;
    }
    return true;
}

} // namespace qdx
