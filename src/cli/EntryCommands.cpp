#include "cli/EntryCommands.h"
#include "cli/ChartCells.h"
#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "views/entry/EntryForm.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <memory>
#include <optional>

namespace qdx::cli {

namespace {

// The options of `qdx add` and `qdx edit`; an option pointer tells whether it was given.
struct EntryOptions {
    std::string project;
    std::string side;
    std::string id;
    std::string upper;
    std::string lower;
    std::string chart;
    int sex = 0;
    int age = 0;
    std::string name;
    std::string place;
    std::string summary;
    bool noSave = false;
    std::map<std::string, CLI::Option*> given;

    bool has(const std::string& option) const {
        const auto found = given.find(option);
        return found != given.end() && found->second->count() > 0;
    }
};

int usage(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return ExitUsage;
}

// The fields the dialog disables on a side.
std::optional<std::string> disabledField(const EntryOptions& o, int side) {
    if (side == PostMortem && o.has("--name"))
        return "--name: the name is not entered for post-mortem records";
    if (side == AnteMortem && o.has("--place"))
        return "--place: the place is not entered for ante-mortem records";
    return std::nullopt;
}

// Puts the given options into the form, as typing into the dialog's fields would.
bool applyOptions(const EntryOptions& o, EntryForm& form, std::string& error) {
    if (o.has("--chart")) {
        const auto chart = parseChartCells(o.chart, error);
        if (!chart)
            return false;
        form.chart = *chart;
    }
    if (o.has("--upper"))
        form.upper = o.upper;
    if (o.has("--lower"))
        form.lower = o.lower;
    if (o.has("--sex"))
        form.sex = o.sex;
    if (o.has("--age"))
        form.agegroup = o.age;
    if (o.has("--name"))
        form.name = o.name;
    if (o.has("--place"))
        form.place = o.place;
    if (o.has("--summary"))
        form.summary = o.summary;
    return true;
}

// 保存 without its questions: the identifier checks, the record entry, the store.
int save(ProjectSession& session, const EntryForm& form, bool noSave) {
    ProjectModel& model = session.model();
    const EntryIdCheck check = checkEntryId(form, model);
    if (check.error) {
        std::fprintf(stderr, "%s\n", check.error->c_str());
        return ExitFailure;
    }
    fillRecordEntry(form, check.storedLower, model.entry());
    storeEntryWithMatches(model);
    const std::string displayId = model.entry().upperIdPart + "-" + model.entry().lowerIdPart;
    long long key = 0;
    model.isIdFree(form.side, displayId, key);
    if (!noSave)
        session.commitAndClose();
    std::printf("%lld\t%s\n", key, displayId.c_str());
    return ExitSuccess;
}

int runAdd(const EntryOptions& o) {
    const int side = o.side == "pm" ? PostMortem : AnteMortem;
    if (const auto field = disabledField(o, side))
        return usage(*field);
    EntryForm form = newEntryForm(side);
    std::string error;
    if (!applyOptions(o, form, error))
        return usage(error);
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    model.clearEntry();
    model.entryMatches().clear();
    return save(session, form, o.noSave);
}

int runEdit(const EntryOptions& o) {
    const int side = o.side == "pm" ? PostMortem : AnteMortem;
    if (const auto field = disabledField(o, side))
        return usage(*field);
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    long long key = 0;
    if (model.isIdFree(side, o.id, key))
        throw CommandError("no record with the ID " + o.id + " on that side");
    EntryForm form = modifyEntryForm(side, model.getRecordWithMatch(side, key));
    form.importedId = hasImportedId(model, side, key);
    if (!form.importedId && (o.has("--upper") || o.has("--lower")))
        return usage("--upper/--lower: the ID can be changed only where a project import had to "
                     "change it");
    std::string error;
    if (!applyOptions(o, form, error))
        return usage(error);
    model.clearEntry();
    model.entryMatches() = model.getMatchHistory(side, key);
    return save(session, form, o.noSave);
}

void addCommonOptions(CLI::App* command, EntryOptions& o) {
    command->add_option("PROJECT", o.project, "project file")->required();
    command->add_option("--side", o.side, "pm (post-mortem) or am (ante-mortem)")
        ->required()
        ->check(CLI::IsMember({"pm", "am"}));
    o.given["--chart"] = command->add_option(
        "--chart", o.chart,
        "32 cells in position order (upper right 8..1, upper left 1..8, lower left 8..1, lower "
        "right 1..8), separated by blanks or commas: class 1..6 (6 = 歯あり), then \"b\" for a "
        "bridge and \"d\" for a deciduous tooth 1..5");
    o.given["--sex"] =
        command->add_option("--sex", o.sex, "0 不明, 1 男性, 2 女性")->check(CLI::Range(0, 2));
    o.given["--age"] =
        command->add_option("--age", o.age, "age group 0..11 (0 不明)")->check(CLI::Range(0, 11));
    o.given["--name"] = command->add_option("--name", o.name, "name (ante-mortem only)");
    o.given["--place"] = command->add_option("--place", o.place, "place (post-mortem only)");
    o.given["--summary"] = command->add_option("--summary", o.summary, "remarks");
    command->add_flag("--no-save", o.noSave, "leave the change unsaved (rolled back)");
}

} // namespace

void addEntryCommands(CLI::App& app, CommandAction& selected) {
    auto added = std::make_shared<EntryOptions>();
    CLI::App* add = app.add_subcommand(
        "add", "register a new record as the entry dialog saves it; prints Dental_ID<TAB>ID");
    addCommonOptions(add, *added);
    added->given["--upper"] = add->add_option("--upper", added->upper, "ID upper part")->required();
    added->given["--lower"] =
        add->add_option("--lower", added->lower, "ID lower part, 0..99999")->required();
    add->callback([&selected, added] { selected = [added] { return runAdd(*added); }; });

    auto edited = std::make_shared<EntryOptions>();
    CLI::App* edit = app.add_subcommand(
        "edit", "modify a record as the entry dialog saves it; options left out keep the "
                "record's values; prints Dental_ID<TAB>ID");
    addCommonOptions(edit, *edited);
    edit->add_option("--id", edited->id, "the record's ID (upper-lower)")->required();
    edited->given["--upper"] = edit->add_option(
        "--upper", edited->upper, "new ID upper part (only for an ID a project import changed)");
    edited->given["--lower"] = edit->add_option(
        "--lower", edited->lower, "new ID lower part (only for an ID a project import changed)");
    edit->callback([&selected, edited] { selected = [edited] { return runEdit(*edited); }; });
}

} // namespace qdx::cli
