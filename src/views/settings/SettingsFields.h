#pragma once

#include "store/SearchSettings.h"
#include "views/settings/SettingsGrid.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qdx {

// What the settings window holds: one text per field, the cells in checking order (left and
// right five-class grid, left and right six-class grid, each column by column).
struct SettingsFields {
    std::string projectName;
    std::string factor;
    std::array<std::string, kSettingsCellCount> cells;

    std::string& cell(SettingsGrid grid, int element) {
        return cells[static_cast<std::size_t>(gridFirstCell(grid) + element)];
    }
    const std::string& cell(SettingsGrid grid, int element) const {
        return cells[static_cast<std::size_t>(gridFirstCell(grid) + element)];
    }
};

// The messages of 設定, by their identifiers.
enum class SettingsMessage : int {
    NameLength = 151,      // "1文字以上、100文字以内で指定してください。"
    NotNumber = 145,       // "数字以外が指定されています。"
    FactorRange = 146,     // "1～65535で指定して下さい。"
    TooManyDecimals = 153, // "小数点以下は第４位まで指定できます。"
    CellRange = 161,       // "-1.0000～1.0000の範囲で指定して下さい。"
};
std::string_view settingsMessageText(SettingsMessage message);

enum class SettingsField { ProjectName, Factor, Cell };

// The first field that fails, with its message; `cell` is its index for a cell.
struct SettingsFault {
    SettingsField field = SettingsField::ProjectName;
    int cell = -1;
    SettingsMessage message = SettingsMessage::NameLength;

    bool operator==(const SettingsFault&) const = default;
};

inline constexpr std::size_t kMaxProjectNameLength = 100; // characters

// The fields as the window opens them: the factor "%d", every cell "%.4f".
SettingsFields settingsFields(const SearchSettings& settings);
std::string formatCell(double value);

// The checks of one field.
std::optional<SettingsMessage> checkProjectName(std::string_view name);
std::optional<SettingsMessage> checkFactor(std::string_view text);
std::optional<SettingsMessage> checkCell(std::string_view text);
// Every field in the window's order; the first failure, or nothing when all pass.
std::optional<SettingsFault> checkSettingsFields(const SettingsFields& fields);

// Writes fields that passed the checks into the settings: the name as it is, the factor's
// leading integer, every cell's decimal value (an empty cell is 0).
void storeSettingsFields(const SettingsFields& fields, SearchSettings& settings);

} // namespace qdx
