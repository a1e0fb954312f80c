#pragma once

#include <string>
#include <string_view>

namespace qdx {

class ProjectModel;

inline constexpr std::string_view kBackupFileName = "bck_Quendix.qdx";
inline constexpr std::string_view kBackupFailedMessage =
    "データベースファイルをバックアップできませんでした。";
inline constexpr std::string_view kBackupDeleteFailedMessage =
    "データベースファイルを削除できませんでした。";
inline constexpr std::string_view kRestoreFailedMessage =
    "退避していたデータベースファイルを戻せませんでした。";

// The safety copy around every import. The caller has already asked whether to keep unsaved
// changes (`commit`); the command line has none to ask about.

// The backup file (kBackupFileName) in the folder of the open project.
std::string backupPath(const ProjectModel& model);

// Closes the project (committing or rolling back), clears the change flags, copies the file to
// the backup beside it and opens it again. False with `message` when the save failed
// ("message\ndatabase text") or the copy failed; the project is open again either way. A
// failure to reopen is thrown as StoreError.
bool BackupBeforeImport(ProjectModel& model, bool commit, std::string& message);

// After an import that ran to its end: removes the backup. False with `message` when it could
// not be removed; the imported rows stay in the open transaction.
bool finishImport(ProjectModel& model, std::string& message);

// After a failed project merge: rolls the project back, closes it, moves the backup onto the
// project file (written through to disk) and opens it again. False with `message` when the
// backup could not be put back or the project not reopened; the project is then closed.
bool RestoreAfterFailedImport(ProjectModel& model, std::string& message);

} // namespace qdx
