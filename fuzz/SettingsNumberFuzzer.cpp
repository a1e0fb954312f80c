// The number texts of the settings window and `qdx settings`: the input up to its first line
// break is the factor, the rest one weight cell. What the checks accept must read as the C
// library reads the same text, and settings stored from accepted fields must, shown again, be
// accepted again with the same values; the stored-file readings of the same texts must not
// fault.
#include "FuzzCheck.h"

#include "store/SearchSettings.h"
#include "views/settings/DecimalText.h"
#include "views/settings/SettingsFields.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {

void checkDecimalReading(const std::string& text) {
    if (!qdx::isDecimalText(text) || text.empty())
        return;
    const double value = qdx::decimalValue(text);
    const double expected = std::strtod(text.c_str(), nullptr);
    const bool subnormal = expected != 0.0 && std::fabs(expected) < DBL_MIN;
    qdx::fuzz::require(value == expected || (subnormal && value == 0.0),
                       "a decimal text reads as strtod reads it");
}

void checkShownAgain(const qdx::SettingsFields& fields, int cell) {
    qdx::SearchSettings settings;
    qdx::storeSettingsFields(fields, settings);
    const qdx::SettingsFields shown = qdx::settingsFields(settings);
    qdx::fuzz::require(!qdx::checkSettingsFields(shown).has_value(),
                       "stored fields, shown again, pass the checks");
    const double value = qdx::decimalValue(fields.cells[static_cast<std::size_t>(cell)]);
    const double again = qdx::decimalValue(shown.cells[static_cast<std::size_t>(cell)]);
    qdx::fuzz::require(std::fabs(value - again) <= 0.00005 + 1e-12,
                       "a cell shows its value to four decimals");
    const double stored = qdx::parseScore(qdx::formatScore(value));
    qdx::fuzz::require(std::fabs(value - stored) <= 0.0000005 + 1e-12,
                       "a weight reads back from its stored text to six decimals");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t lineBreak = input.find('\n');
    const std::string factor = input.substr(0, lineBreak);
    const std::string cellText = lineBreak == std::string::npos ? "" : input.substr(lineBreak + 1);
    checkDecimalReading(factor);
    checkDecimalReading(cellText);
    (void)qdx::parseScore(input);
    (void)qdx::parseInteger(input);
    (void)qdx::checkProjectName(input);

    static const qdx::SettingsFields defaults = [] {
        qdx::SettingsFields shown = qdx::settingsFields(qdx::SearchSettings());
        shown.projectName = "fuzz";
        return shown;
    }();
    qdx::SettingsFields fields = defaults;
    const int cell = static_cast<int>(size % qdx::kSettingsCellCount);
    fields.factor = factor;
    fields.cells[static_cast<std::size_t>(cell)] = cellText;
    const std::optional<qdx::SettingsFault> fault = qdx::checkSettingsFields(fields);
    if (fault) {
        qdx::fuzz::require(fault->field != qdx::SettingsField::ProjectName,
                           "the default project name passes");
        qdx::fuzz::require(fault->field == qdx::SettingsField::Factor || fault->cell == cell,
                           "only the fuzzed fields fail");
        return 0;
    }
    const int factorValue = qdx::parseInteger(factor);
    qdx::fuzz::require(factorValue >= 1 && factorValue <= 65535, "an accepted factor is 1..65535");
    const double cellValue = qdx::decimalValue(cellText);
    qdx::fuzz::require(cellValue >= -1.0 && cellValue <= 1.0, "an accepted weight is -1..1");
    checkShownAgain(fields, cell);
    return 0;
}
