#include "io/ImportBackup.h"

#include "store/ProjectModel.h"
#include "store/StoreError.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qdx {
namespace {

#ifndef _WIN32
bool syncPath(const std::filesystem::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags);
    if (fd < 0) {
        return false;
    }
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}
#endif

// Replaces `to` by `from` so that the move has reached the disk when this returns.
bool moveReplacingDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifndef _WIN32
    syncPath(from, O_RDONLY);
#endif
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (error) {
        return false;
    }
#ifndef _WIN32
    syncPath(to.parent_path().empty() ? "." : to.parent_path(), O_RDONLY | O_DIRECTORY);
#endif
    return true;
}

} // namespace

std::string backupPath(const ProjectModel& model) {
    return model.projectFolder() + std::string(kBackupFileName);
}

bool BackupBeforeImport(ProjectModel& model, bool commit, std::string& message) {
    model.close(commit);
    model.clearChangeFlags();
    std::error_code error;
    std::filesystem::copy_file(model.projectPath(), backupPath(model),
                               std::filesystem::copy_options::overwrite_existing, error);
    // The project is opened again even when the copy failed, so the caller keeps working on it.
    model.reopen();
    if (error) {
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
    if (!moveReplacingDurably(backupPath(model), model.projectPath())) {
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
