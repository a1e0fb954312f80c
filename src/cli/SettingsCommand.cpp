#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "views/settings/SettingsFields.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace qdx::cli {
namespace {

struct SettingsOptions {
    std::string project;
    std::optional<std::string> name;
    std::optional<std::string> factor;
    std::vector<std::string> cells; // GRID:COL:ROW=TEXT
    bool noSave = false;

    bool edits() const { return name || factor || !cells.empty() || noSave; }
};

// "GRID:COL:ROW" of a cell, COL and ROW being classes.
std::string cellName(int cell) {
    const SettingsGrid grid = cellGrid(cell);
    const int element = cellElement(cell);
    return std::string(gridName(grid)) + ":" + std::to_string(elementColumnClass(grid, element)) +
           ":" + std::to_string(elementRowClass(grid, element));
}

// The cell index a "GRID:COL:ROW" names, or nothing.
std::optional<int> cellNamed(const std::string& name) {
    for (int cell = 0; cell < kSettingsCellCount; ++cell)
        if (cellName(cell) == name)
            return cell;
    return std::nullopt;
}

std::string checkCellOption(const std::string& option) {
    const std::size_t equals = option.find('=');
    if (equals == std::string::npos || !cellNamed(option.substr(0, equals)))
        return "expected GRID:COL:ROW=TEXT with GRID am-pm5, pm-am5, am-pm6 or pm-am6 and COL, "
               "ROW classes of the grid: " +
               option;
    return {};
}

// Bytes of the UTF-8 sequence a lead byte starts; 0 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >> 5 == 0x6)
        return 2;
    if (lead >> 4 == 0xE)
        return 3;
    return lead >> 3 == 0x1E ? 4 : 0;
}

// Every byte sequence of the text is a whole UTF-8 character.
bool isUtf8(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(text[at]));
        if (length == 0 || at + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
                return false;
        at += length;
    }
    return true;
}

void printFields(const SettingsFields& fields) {
    std::printf("プロジェクト名\t%s\n", fields.projectName.c_str());
    std::printf("照合優先度の係数\t%s\n", fields.factor.c_str());
    for (int cell = 0; cell < kSettingsCellCount; ++cell)
        std::printf("%s\t%s\n", cellName(cell).c_str(),
                    fields.cells[static_cast<std::size_t>(cell)].c_str());
}

void applyOptions(const SettingsOptions& o, SettingsFields& fields) {
    if (o.name)
        fields.projectName = *o.name;
    if (o.factor)
        fields.factor = *o.factor;
    for (const std::string& option : o.cells) {
        const std::size_t equals = option.find('=');
        const int cell = *cellNamed(option.substr(0, equals));
        fields.cells[static_cast<std::size_t>(cell)] = option.substr(equals + 1);
    }
}

int runSettings(const SettingsOptions& o) {
    if (o.name && !isUtf8(*o.name))
        throw CommandError("the project name is not UTF-8 text");
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    SettingsFields fields = settingsFields(model.settings());
    if (!o.edits()) {
        printFields(fields);
        return ExitSuccess;
    }
    applyOptions(o, fields);
    if (const auto fault = checkSettingsFields(fields)) {
        const std::string_view text = settingsMessageText(fault->message);
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        return ExitFailure;
    }
    storeSettingsFields(fields, model.settings());
    model.saveSettings();
    if (!o.noSave)
        session.commitAndClose();
    return ExitSuccess;
}

} // namespace

void addSettingsCommands(CLI::App& app, CommandAction& selected) {
    auto o = std::make_shared<SettingsOptions>();
    CLI::App* command = app.add_subcommand(
        "settings", "the settings window: without options its fields (name, factor, every "
                    "weight), with options the given texts checked and stored");
    command->add_option("PROJECT", o->project, "project file")->required();
    command->add_option("--name", o->name, "project name (1..100 characters)");
    command->add_option("--factor", o->factor, "match-priority factor (1..65535)");
    command
        ->add_option("--cell", o->cells,
                     "GRID:COL:ROW=TEXT, a weight of -1..1 with up to four decimals; GRID "
                     "am-pm5, pm-am5, am-pm6 or pm-am6, COL and ROW classes")
        ->check(CLI::Validator(checkCellOption, "GRID:COL:ROW=TEXT"))
        ->take_all();
    command->add_flag("--no-save", o->noSave, "leave the stored settings unsaved (rolled back)");
    command->callback([&selected, o] { selected = [o] { return runSettings(*o); }; });
}

} // namespace qdx::cli
