#include "cli/CommandGroup.h"
#include "cli/CommandSearch.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "cli/SearchTables.h"
#include "io/SearchResultCsv.h"
#include "matching/Ranking.h"

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

// Rows of the full search table in the window's initial order: the run's entries, without the
// searching charts hidden as already identified.
std::vector<const SearchEntry*> visibleEntries(const CommandSearch& search) {
    std::vector<const SearchEntry*> rows;
    for (const SearchEntry& entry : search.run().entries())
        if (!isSearchRowHidden(entry.record(), search.conditions().hideExcluded))
            rows.push_back(&entry);
    return rows;
}

void writeFile(const std::string& path, const std::vector<std::string>& lines) {
    try {
        SearchResultFile file(path);
        for (const std::string& line : lines)
            file.writeLine(line);
        file.close();
    } catch (const SearchResultFileError& error) {
        throw CommandError(error.fullText());
    }
}

void printLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        std::printf("%s\n", line.c_str());
}

int runFullSearch(const SearchArguments& args) {
    ProjectSession session(args.project);
    const CommandSearch search(session.model(), args.choices);
    const ResolvedConditions& conditions = search.conditions();
    const std::vector<const SearchEntry*> rows = visibleEntries(search);
    if (args.csvFile.empty()) {
        printLines(fullSearchTable(rows, conditions));
        return ExitSuccess;
    }
    // The window offers no saving for an empty table or an empty display-count list.
    if (rows.empty() || conditions.displayCount == 0)
        throw CommandError("nothing to save: the search shows no candidates");
    std::vector<std::string> lines{fullSearchCsvHeader(conditions.displayCount)};
    for (const SearchEntry* entry : rows)
        lines.push_back(fullSearchCsvLine(
            entry->record().displayId,
            displayedPriority(*entry, conditions.rankKey, conditions.hideExcluded),
            visibleCandidates(*entry, conditions.rankKey, conditions.displayCount,
                              conditions.hideExcluded)));
    writeFile(args.csvFile, lines);
    return ExitSuccess;
}

// The target must be in the window's target list: a searching chart, and not an identified
// one while hiding.
const SearchEntry& targetEntry(const CommandSearch& search, const std::string& target) {
    const SearchEntry* entry = search.run().findEntry(target);
    if (!entry || isSearchRowHidden(entry->record(), search.conditions().hideExcluded))
        throw CommandError("not a searching chart of this search: " + target);
    return *entry;
}

int runIndividualSearch(const SearchArguments& args) {
    ProjectSession session(args.project);
    const CommandSearch search(session.model(), args.choices);
    const ResolvedConditions& conditions = search.conditions();
    const SearchEntry& entry = targetEntry(search, args.target);
    const std::vector<PairResult> candidates = visibleCandidates(
        entry, conditions.rankKey, conditions.displayCount, conditions.hideExcluded);
    if (args.csvFile.empty()) {
        printLines(individualSearchTable(entry, conditions));
        return ExitSuccess;
    }
    // The window saves once its list has more than the searching chart's row; the grey rows
    // count for that but are not written.
    if (candidates.empty() &&
        greyCandidates(entry, conditions.rankKey, conditions.displayCount, conditions.hideExcluded)
            .empty())
        throw CommandError("nothing to save: the search shows no candidates");
    std::vector<std::string> lines{individualSearchCsvHeader(),
                                   individualSearchCsvSearchingLine(entry.record())};
    for (const PairResult& candidate : candidates)
        lines.push_back(individualSearchCsvCandidateLine(entry.record(), candidate));
    writeFile(args.csvFile, lines);
    return ExitSuccess;
}

void addChoiceOptions(CLI::App* command, SearchArguments& args) {
    command->add_option("--direction", args.choices.direction, "0 生前→死後, 1 死後→生前")
        ->check(CLI::Range(0, 1));
    command
        ->add_option("--rank-key", args.choices.rankKey,
                     "0 完全一致数, 1 全修復・欠損一致数, 2 矛盾なし一致数, 3 スコア")
        ->check(CLI::Range(0, 3));
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
