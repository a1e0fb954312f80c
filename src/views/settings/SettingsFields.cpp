#include "views/settings/SettingsFields.h"

#include "views/settings/DecimalText.h"

#include <charconv>

namespace qdx {

namespace {

// Characters of a UTF-8 text: every byte that does not continue a sequence starts one.
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

template <std::size_t Size>
void fillCells(SettingsFields& fields, SettingsGrid grid, const std::array<double, Size>& scores) {
    for (std::size_t k = 0; k < Size; ++k)
        fields.cell(grid, static_cast<int>(k)) = formatCell(scores[k]);
}

template <std::size_t Size>
void readCells(const SettingsFields& fields, SettingsGrid grid, std::array<double, Size>& scores) {
    for (std::size_t k = 0; k < Size; ++k)
        scores[k] = decimalValue(fields.cell(grid, static_cast<int>(k)));
}

} // namespace

std::string_view settingsMessageText(SettingsMessage message) {
    switch (message) {
    case SettingsMessage::NameLength:
        return "1文字以上、100文字以内で指定してください。";
    case SettingsMessage::NotNumber:
        return "数字以外が指定されています。";
    case SettingsMessage::FactorRange:
        return "1～65535で指定して下さい。";
    case SettingsMessage::TooManyDecimals:
        return "小数点以下は第４位まで指定できます。";
    case SettingsMessage::CellRange:
        return "-1.0000～1.0000の範囲で指定して下さい。";
    }
    return {};
}

std::string formatCell(double value) {
    char text[400];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 4);
    if (result.ec != std::errc())
        return "0.0000";
    return std::string(text, result.ptr);
}

SettingsFields settingsFields(const SearchSettings& settings) {
    SettingsFields fields;
    fields.projectName = settings.projectName;
    fields.factor = std::to_string(settings.factor);
    fillCells(fields, SettingsGrid::AmToPm5, settings.amToPmScores5);
    fillCells(fields, SettingsGrid::PmToAm5, settings.pmToAmScores5);
    fillCells(fields, SettingsGrid::AmToPm6, settings.amToPmScores6);
    fillCells(fields, SettingsGrid::PmToAm6, settings.pmToAmScores6);
    return fields;
}

std::optional<SettingsMessage> checkProjectName(std::string_view name) {
    const std::size_t length = characterCount(name);
    if (length == 0 || length > kMaxProjectNameLength)
        return SettingsMessage::NameLength;
    return std::nullopt;
}

std::optional<SettingsMessage> checkFactor(std::string_view text) {
    if (!isDecimalText(text) || text.find('.') != std::string_view::npos)
        return SettingsMessage::NotNumber;
    const int value = parseInteger(std::string(text));
    if (value < 1 || value > 65535)
        return SettingsMessage::FactorRange;
    return std::nullopt;
}

std::optional<SettingsMessage> checkCell(std::string_view text) {
    if (!isDecimalText(text))
        return SettingsMessage::NotNumber;
    const std::size_t point = text.find('.');
    const std::size_t decimals =
        point == std::string_view::npos ? text.size() : text.size() - point - 1;
    if (decimals > 4)
        return SettingsMessage::TooManyDecimals;
    const double value = decimalValue(text);
    if (value > 1.0 || value < -1.0)
        return SettingsMessage::CellRange;
    return std::nullopt;
}

std::optional<SettingsFault> checkSettingsFields(const SettingsFields& fields) {
    if (const auto message = checkProjectName(fields.projectName))
        return SettingsFault{SettingsField::ProjectName, -1, *message};
    if (const auto message = checkFactor(fields.factor))
        return SettingsFault{SettingsField::Factor, -1, *message};
    for (int cell = 0; cell < kSettingsCellCount; ++cell)
        if (const auto message = checkCell(fields.cells[static_cast<std::size_t>(cell)]))
            return SettingsFault{SettingsField::Cell, cell, *message};
    return std::nullopt;
}

void storeSettingsFields(const SettingsFields& fields, SearchSettings& settings) {
    settings.projectName = fields.projectName;
    settings.factor = parseInteger(fields.factor);
    readCells(fields, SettingsGrid::AmToPm5, settings.amToPmScores5);
    readCells(fields, SettingsGrid::PmToAm5, settings.pmToAmScores5);
    readCells(fields, SettingsGrid::AmToPm6, settings.amToPmScores6);
    readCells(fields, SettingsGrid::PmToAm6, settings.pmToAmScores6);
}

} // namespace qdx
