#include "cli/CommandGroup.h"
#include "cli/CommandSearch.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "io/SearchResultFile.h"
#include "matching/Ranking.h"
#include "views/search/FullSearchTable.h"
#include "views/search/IndividualSearchRows.h"
#include "views/search/SearchLabels.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

namespace qdx::cli {

namespace {

struct SearchArguments {
    std::string project;
    std::string target;
    std::string csvFile;
    SearchChoices choices;
};

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

// Writes the window's file; a file that cannot be written fails the command.
template <class Write> void writeFile(Write write) {
    try {
        write();
    } catch (const SearchResultFileError& error) {
        throw CommandError(error.fullText());
    }
}

int runFullSearch(const SearchArguments& args) {
    ProjectSession session(args.project);
    const CommandSearch search(session.model(), args.choices);
    const ResolvedConditions& c = search.conditions();
    // The rows in the window's initial order.
    const std::vector<FullSearchRow> rows =
        buildFullSearchRows(search.run(), c.rankKey, c.displayCount, c.hideExcluded);
    if (args.csvFile.empty()) {
        printLines(fullSearchTextLines(rows, c.displayCount));
        return ExitSuccess;
    }
    if (!fullSearchHasResults(rows, c.displayCount))
        throw CommandError("nothing to save: the search shows no candidates");
    writeFile([&] { writeFullSearchCsv(args.csvFile, rows, c.displayCount); });
    return ExitSuccess;
}

int runIndividualSearch(const SearchArguments& args) {
    ProjectSession session(args.project);
    const CommandSearch search(session.model(), args.choices, args.target);
    const ResolvedConditions& c = search.conditions();
    const SearchEntry& entry = search.targetEntry();
    const std::vector<IndividualRow> rows =
        buildIndividualRows(entry, c.rankKey, c.displayCount, c.hideExcluded);
    if (args.csvFile.empty()) {
        printLines(individualListLines(rows));
        return ExitSuccess;
    }
    // The window saves once its list has a row below the searching chart's.
    if (rows.size() < 2)
        throw CommandError("nothing to save: the search shows no candidates");
    writeFile([&] {
        writeIndividualSearchCsv(
            args.csvFile,
            individualSearchCsvLines(entry, c.rankKey, c.displayCount, c.hideExcluded));
    });
    return ExitSuccess;
}

// "0 生前→死後, 1 死後→生前" and the like.
std::string numberedLabels(std::string_view (*label)(int), int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? ", " : "") + std::to_string(i) + " " + std::string(label(i));
    return text;
}

void addChoiceOptions(CLI::App* command, SearchArguments& args) {
    command->add_option("--direction", args.choices.direction, numberedLabels(directionLabel, 2))
        ->check(CLI::Range(0, 1));
    command
        ->add_option("--rank-key", args.choices.rankKey,
                     numberedLabels(rankKeyLabel, kRankKeyCount))
        ->check(CLI::Range(0, kRankKeyCount - 1));
    command->add_option("--top", args.choices.top,
                        "display count, clamped to 1 .. min(candidates, 50)");
    command
        ->add_option("--hide-excluded", args.choices.hideExcluded,
                     "1 hides charts and candidates whose outcome is recorded")
        ->check(CLI::Range(0, 1));
    command->add_option("--csv", args.csvFile, "write the window's CSV file instead");
}

} // namespace

void addSearchCommands(CLI::App& app, CommandAction& selected) {
    auto full = std::make_shared<SearchArguments>();
    CLI::App* search = app.add_subcommand(
        "search", "full search; options left out take the project's stored search conditions");
    search->add_option("PROJECT", full->project, "project file")->required();
    addChoiceOptions(search, *full);
    search->callback([&selected, full] { selected = [full] { return runFullSearch(*full); }; });

    auto single = std::make_shared<SearchArguments>();
    CLI::App* individual =
        app.add_subcommand("individual", "individual search of one searching chart");
    individual->add_option("PROJECT", single->project, "project file")->required();
    individual->add_option("--target", single->target, "ID of the searching chart")->required();
    addChoiceOptions(individual, *single);
    individual->callback(
        [&selected, single] { selected = [single] { return runIndividualSearch(*single); }; });
}

} // namespace qdx::cli
