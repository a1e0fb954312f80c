#pragma once

#include "io/ImportLog.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace qdx {

inline constexpr std::string_view kImportEndedMessage = "インポートが終了しました。";
inline constexpr std::string_view kImportFailedMessage =
    "インポートが異常終了しました。詳細はログで確認してください。";
inline constexpr std::string_view kLogOpenFailedMessage =
    "CsvFileCtrlファイルのオープンに失敗しました。\nファイルが開かれている可能性があります。"
    "確認してください。";
inline constexpr std::string_view kImportNotRunMessage =
    "ログファイルを開けなかったため、インポートは実行されませんでした。";

// What an import command reports when it ends.
struct ImportResult {
    bool logOpened = true; // false: nothing was read; the backup stays
    bool failed = false;   // some check failed (details in the log)
    std::string logPath;
    // The closing message the user sees: the normal end, or the abnormal end naming the log
    // (a line break after the 50th character of a long path).
    std::string message() const;
    // Opens the import's log in `folder` and notes whether it opened and where it lies.
    bool openLog(ImportLog& log, const std::filesystem::path& folder);
};

} // namespace qdx
