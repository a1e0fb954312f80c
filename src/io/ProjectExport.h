#pragma once

#include "model/DentalRecord.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace qdx {

class ProjectModel;

inline constexpr std::string_view kProductVersion = QDX_PRODUCT_VERSION;
inline constexpr std::string_view kPmExportTitle = "死後デンタルチャート（事後：対象の直接観察）";
inline constexpr std::string_view kAmExportTitle = "生前デンタルチャート（事前：歯科医提供）";
inline constexpr std::string_view kMatchExportTitle = "照合記録";
inline constexpr std::string_view kFileOpenFailedMessage = "ファイルをオープンできませんでした。";

// "%Y-%m-%d %H:%M:%S" of the local time, a comma and the product version.
std::string exportVersionText(std::time_t when);

// One record line of the export (139 fields, UTF-8, without the line end). `partner` is the
// record on the other side that an identified record's match summary names, when there is one.
std::string exportRecordLine(const DentalRecord& record, const DentalRecord* partner);

// Writes the project as three CP932 CSV files: post-mortem records, ante-mortem records and
// the complete match rows. Returns the message to show when a file cannot be opened
// ("ファイルをオープンできませんでした。\n" and the system's text); nothing is written then.
// A store failure while writing is thrown as StoreError; the files keep what was written.
std::optional<std::string> ExportProject(ProjectModel& model, const std::string& pmPath,
                                         const std::string& amPath, const std::string& matchPath,
                                         std::time_t when = std::time(nullptr));

} // namespace qdx
