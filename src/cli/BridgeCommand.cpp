#include "cli/ChartCells.h"
#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "io/SearchResultFile.h"
#include "matching/SearchRequest.h"
#include "views/bridge/BridgePattern.h"
#include "views/bridge/BridgeRows.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/search/SearchResultCsv.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace qdx::cli {

namespace {

struct BridgeArguments {
    std::string project;
    int side = 0;
    std::string target;
    std::string pattern;
    int rank = 0;
    std::optional<int> top;
    std::optional<int> hideExcluded;
    std::string csvFile;
};

// The pattern cells: "4" (missing) or "5", each with an optional "b".
BridgePattern readPattern(const std::string& text) {
    std::string error;
    const std::optional<EntryChart> chart = parseChartCells(text, error);
    if (!chart)
        throw CommandError("--pattern: " + error);
    BridgePattern pattern;
    for (std::size_t i = 0; i < static_cast<std::size_t>(kToothCount); ++i) {
        const int cls = chart->classIndex[i] + 1;
        if ((cls != 4 && cls != 5) || chart->presentFlag[i] != 0 || chart->deciduousFlag[i] != 0)
            throw CommandError("--pattern cell " + std::to_string(i + 1) +
                               ": only \"4\" or \"5\", each with an optional \"b\"");
        pattern.state[i] = cls - 1;
        pattern.bridge[i] = chart->bridgeFlag[i];
    }
    return pattern;
}

const SearchEntry& listedEntry(const ProjectModel& model, const BridgeArguments& args,
                               int hideExcluded, SearchRun& run) {
    // The command ends before the model reloads anything, so it searches the model's lists.
    const BridgeLists lists = modelBridgeLists(model);
    if (!args.pattern.empty()) {
        runBridgePatternSearch(model, lists, args.side, patternRecord(readPattern(args.pattern)),
                               run);
        if (run.entries().empty())
            throw CommandError("the pattern search has no searching chart");
        return run.entries().front();
    }
    if (!args.target.empty()) {
        const std::vector<std::string> ids = bridgeTargetIds(lists, args.side, hideExcluded);
        if (std::find(ids.begin(), ids.end(), args.target) == ids.end())
            throw CommandError("not in the target list of this side: " + args.target);
    }
    // Only the listed chart is searched: its entry is the one the whole side's search lists.
    const DentalRecord* record = bridgeListedRecord(lists, args.side, args.target, hideExcluded);
    if (record)
        runBridgeEntrySearch(model, lists, args.side, *record, run);
    if (run.entries().empty())
        throw CommandError("the window lists nothing for this target");
    return run.entries().front();
}

void writeLines(const std::string& path, const std::vector<std::string>& lines) {
    try {
        SearchResultFile file(path);
        for (const std::string& line : lines)
            file.writeLine(line);
        file.close();
    } catch (const SearchResultFileError& error) {
        throw CommandError(error.fullText());
    }
}

int runBridge(const BridgeArguments& args) {
    ProjectSession session(args.project);
    ProjectModel& model = session.model();
    const int hideExcluded =
        args.hideExcluded.value_or(model.settings().conditions.hideExcluded) == 1 ? 1 : 0;
    if (model.reloadRecords(PostMortem).empty() || model.reloadRecords(AnteMortem).empty())
        throw CommandError("a search needs records on both sides");
    SearchRun run;
    const SearchEntry& entry = listedEntry(model, args, hideExcluded, run);
    // The window lists 50 first; its display-count list then offers 1 .. the rows it shows.
    const DisplayCountChoice choice = bridgeDisplayCountChoice(
        static_cast<int>(bridgeRows(entry, args.rank, kMaxDisplayCount, hideExcluded).size()));
    const int shown = choice.items;
    const int n = shown > 0 ? std::clamp(args.top.value_or(choice.displayCount()), 1, shown)
                            : kMaxDisplayCount;
    if (!args.pattern.empty() && shown == 0)
        std::fprintf(stderr, "該当データがありませんでした。\n");
    if (args.csvFile.empty()) {
        for (const std::string& line :
             bridgeTableLines(bridgeRows(entry, args.rank, n, hideExcluded)))
            std::printf("%s\n", line.c_str());
        return ExitSuccess;
    }
    if (shown == 0)
        throw CommandError("nothing to save: the search shows no candidates");
    writeLines(args.csvFile, bridgeCsvLines(entry, args.rank, n, hideExcluded));
    return ExitSuccess;
}

} // namespace

void addBridgeCommands(CLI::App& app, CommandAction& selected) {
    auto args = std::make_shared<BridgeArguments>();
    CLI::App* bridge =
        app.add_subcommand("bridge", "the bridge-specified search window without a screen");
    bridge->add_option("PROJECT", args->project, "project file")->required();
    bridge->add_option("--side", args->side, "candidates: 0 死後, 1 生前, 2 両方")
        ->check(CLI::Range(0, 2));
    auto* target = bridge->add_option("--target", args->target, "ID of the searching chart");
    bridge
        ->add_option("--pattern", args->pattern,
                     "the drawn pattern: 32 cells \"4\" (missing) or \"5\", each with an optional "
                     "\"b\" (bridge), separated by blanks or commas")
        ->excludes(target);
    bridge->add_option("--rank", args->rank, "0 ブリッジ一致数, 1 ブリッジ不一致数")
        ->check(CLI::Range(0, 1));
    bridge->add_option("--top", args->top, "display count, clamped to 1 .. the listed candidates");
    bridge->add_option("--hide-excluded", args->hideExcluded, "1 hides recorded outcomes")
        ->check(CLI::Range(0, 1));
    bridge->add_option("--csv", args->csvFile, "write the window's file instead");
    bridge->callback([&selected, args] { selected = [args] { return runBridge(*args); }; });
}

} // namespace qdx::cli
