#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "io/SearchResultFile.h"
#include "views/log/ChangeLogRows.h"
#include "views/log/ChartCheck.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace qdx::cli {

namespace {

struct LogOptions {
    std::string project;
    std::string side;
    std::string id;
    std::string by;
    std::string kind;
    bool unchecked = false;
    std::string csv;
    bool noSave = false;
};

int sideOf(const std::string& word) {
    return word == "am" ? AnteMortem : PostMortem;
}

long long recordKey(ProjectModel& model, int side, const std::string& id) {
    long long key = 0;
    if (model.isIdFree(side, id, key))
        throw CommandError("no record with this ID on that side: " + id);
    return key;
}

// A cell on one line of the terminal: a remark's line breaks become blanks.
std::string oneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    }
    return text;
}

void printRows(const std::vector<ChangeLogRow>& rows) {
    std::string out;
    for (int c = 0; c < kLogColumnCount; ++c)
        out += std::string(c > 0 ? "\t" : "") + std::string(logColumnHeading(LogColumn(c)));
    out += '\n';
    for (const ChangeLogRow& row : rows) {
        for (int c = 0; c < kLogColumnCount; ++c)
            out += (c > 0 ? "\t" : "") + oneLine(logCell(row, LogColumn(c)));
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int runLog(const LogOptions& o) {
    if (o.side.empty() != o.id.empty())
        throw CommandError("--side and --id go together");
    if (!o.kind.empty() && kindLabel(o.kind) == o.kind)
        throw CommandError("no such kind of change: " + o.kind);
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    LogFilter filter;
    if (!o.side.empty()) {
        filter.side = sideOf(o.side);
        filter.dentalId = recordKey(model, *filter.side, o.id);
    }
    filter.examiner = o.by;
    filter.kind = o.kind;
    filter.uncheckedOnly = o.unchecked;
    const std::vector<ChangeLogRow> rows = loadChangeLog(model, filter);
    if (o.csv.empty()) {
        printRows(rows);
        return ExitSuccess;
    }
    try {
        writeChangeLogCsv(o.csv, rows);
    } catch (const SearchResultFileError& error) {
        throw CommandError(error.fullText());
    }
    return ExitSuccess;
}

int runCheck(const LogOptions& o) {
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    const int side = sideOf(o.side);
    const long long key = recordKey(model, side, o.id);
    const CheckRefusal refused = checkChart(model, side, key);
    if (refused != CheckRefusal::None)
        throw CommandError(std::string(checkRefusalText(refused)));
    const std::string state = checkStateText(loadChartCheckState(model, side, key));
    if (!o.noSave)
        session.commitAndClose();
    std::printf("%s\t%s\n", o.id.c_str(), state.c_str());
    return ExitSuccess;
}

void addRecordOptions(CLI::App* command, LogOptions& o, bool required) {
    CLI::Option* side =
        command->add_option("--side", o.side, "pm (post-mortem) or am (ante-mortem)")
            ->check(CLI::IsMember({"pm", "am"}));
    CLI::Option* id = command->add_option("--id", o.id, "the record's ID (upper-lower)");
    if (required) {
        side->required();
        id->required();
    }
}

} // namespace

void addLogCommands(CLI::App& app, CommandAction& selected) {
    auto logged = std::make_shared<LogOptions>();
    CLI::App* log = app.add_subcommand(
        "log", "the change history, newest first, as the change-history window lists it; "
               "--csv writes the window's file");
    log->add_option("PROJECT", logged->project, "project file")->required();
    addRecordOptions(log, *logged, false);
    log->add_option("--by", logged->by, "only the changes of this examiner (or login name)");
    log->add_option("--kind", logged->kind,
                    "only this kind of change: ADD, EDIT, DELETE, MATCH, CHECK, SETTINGS, "
                    "IMPORT_PEN, IMPORT_OES, MERGE, DATAMATCH, DEMO, REPORT");
    log->add_flag("--unchecked", logged->unchecked,
                  "only the changes of records whose chart is not yet checked");
    log->add_option("--csv", logged->csv, "write the list as CSV (CP932) to this file");
    log->callback([&selected, logged] { selected = [logged] { return runLog(*logged); }; });

    auto checked = std::make_shared<LogOptions>();
    CLI::App* check = app.add_subcommand(
        "check", "mark a record's chart as checked by this run's examiner (not the one who "
                 "changed it last); prints ID<TAB>state");
    check->add_option("PROJECT", checked->project, "project file")->required();
    addRecordOptions(check, *checked, true);
    check->add_flag("--no-save", checked->noSave, "leave the check unsaved (rolled back)");
    check->callback([&selected, checked] { selected = [checked] { return runCheck(*checked); }; });
}

} // namespace qdx::cli
