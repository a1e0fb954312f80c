#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "cli/RecordListing.h"
#include "views/search/SearchLabels.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace qdx::cli {

namespace {

int runNew(const std::string& project) {
    ProjectSession session(project, ProjectSession::Mode::CreateNew);
    session.commitAndClose();
    std::printf("created %s\n", session.location().path.c_str());
    return ExitSuccess;
}

int runInfo(const std::string& project) {
    ProjectSession session(project);
    ProjectModel& model = session.model();
    const SearchSettings& settings = model.settings();
    const SearchConditions& conditions = settings.conditions;
    const long long pm = countRows(model, "SELECT count(*) FROM TB_AFTER");
    const long long am = countRows(model, "SELECT count(*) FROM TB_BEFOR");
    const long long matches = countRows(model, "SELECT count(*) FROM TB_MATCH");
    const long long pending = countRows(model, "SELECT count(*) FROM TB_MATCH WHERE I_MATCHID<>''");
    std::printf("project name\t%s\n", settings.projectName.c_str());
    std::printf("file\t%s\n", session.location().path.c_str());
    std::printf("post-mortem records\t%lld\n", pm);
    std::printf("ante-mortem records\t%lld\n", am);
    std::printf("match rows\t%lld (%lld pending)\n", matches, pending);
    std::printf("search direction\t%d %s\n", conditions.searchDirection,
                std::string(directionLabel(conditions.searchDirection)).c_str());
    std::printf("display count index\t%d\n", conditions.topNIndex);
    std::printf("rank key\t%d %s\n", conditions.rankKey,
                std::string(rankKeyLabel(conditions.rankKey)).c_str());
    std::printf("hide excluded\t%d\n", conditions.hideExcluded);
    std::printf("match-priority factor\t%d\n", settings.factor);
    return ExitSuccess;
}

int runList(const std::string& project, const std::string& side) {
    ProjectSession session(project);
    const int recordSide = side == "pm" ? PostMortem : AnteMortem;
    for (const DentalRecord& record : session.model().loadRecordList(recordSide))
        std::printf("%s\n", recordListLine(record).c_str());
    return ExitSuccess;
}

} // namespace

void addProjectCommands(CLI::App& app, CommandAction& selected) {
    auto project = std::make_shared<std::string>();
    auto side = std::make_shared<std::string>();

    CLI::App* create =
        app.add_subcommand("new", "create a new project (fails when the file exists)");
    create->add_option("PROJECT", *project, "project file (.qdx is appended when missing)")
        ->required();
    create->callback([&selected, project] { selected = [project] { return runNew(*project); }; });

    CLI::App* info = app.add_subcommand(
        "info", "project name, records per side, match rows and the stored search settings");
    info->add_option("PROJECT", *project, "project file")->required();
    info->callback([&selected, project] { selected = [project] { return runInfo(*project); }; });

    CLI::App* list = app.add_subcommand(
        "list", "the records of one side as the main window lists them: mark, ID, 32 tooth "
                "cells and No., tab-separated");
    list->add_option("PROJECT", *project, "project file")->required();
    list->add_option("--side", *side, "pm (post-mortem) or am (ante-mortem)")
        ->required()
        ->check(CLI::IsMember({"pm", "am"}));
    list->callback([&selected, project, side] {
        selected = [project, side] { return runList(*project, *side); };
    });
}

} // namespace qdx::cli
