#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "cli/ProjectSession.h"
#include "evaluation/PartnerRanks.h"
#include "evaluation/WeightEvaluation.h"
#include "io/TextCodec.h"
#include "matching/SearchRequest.h"
#include "views/search/SearchLabels.h"
#include "views/settings/SettingsFields.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>

namespace qdx::cli {

namespace {

struct TruthArguments {
    std::string project;
    std::string truthFile;
};

struct EvaluateArguments : TruthArguments {
    std::optional<int> direction;
    std::optional<int> rankKey;
    std::string csvFile;
};

struct SuggestArguments : TruthArguments {
    int folds = 5;
    bool apply = false;
    bool noSave = false;
};

// The true pairs from the file, or the project's own same-person rows, limited to the charts
// the project holds. Both record lists are loaded into the model.
std::vector<TruthPair> loadTruth(ProjectModel& model, const std::string& truthFile) {
    const auto& pm = model.reloadRecords(PostMortem);
    const auto& am = model.reloadRecords(AnteMortem);
    if (pm.empty() || am.empty())
        throw CommandError("a search needs records on both sides");
    std::vector<TruthPair> pairs;
    try {
        pairs = truthFile.empty() ? confirmedPairs(pm, am, model.getResolvedMatches())
                                  : readTruthFile(truthFile);
    } catch (const TruthFileError& error) {
        throw CommandError(error.what());
    }
    std::size_t dropped = 0;
    pairs = pairsInProject(pairs, pm, am, dropped);
    if (dropped > 0)
        std::fprintf(stderr, "%zu true pairs name charts that are not in the project; left out\n",
                     dropped);
    if (pairs.empty())
        throw CommandError(truthFile.empty()
                               ? "no true pairs: the project has no same-person match rows "
                                 "(kinds 1 and 2) between its records; give --truth FILE"
                               : "no true pairs in the truth file");
    return pairs;
}

// A search with the tool's progress line and Ctrl-C.
class SearchProgress {
public:
    SearchControl control() {
        SearchControl control;
        control.progress = [this](std::size_t done, std::size_t total) {
            if (m_line)
                m_line->update(done, total);
            return !interruptRequested();
        };
        control.cancel = &interruptFlag();
        return control;
    }
    void start(const std::string& label) { m_line.emplace(label); }
    void stopIfInterrupted() const {
        if (interruptRequested())
            throw CommandError("interrupted; nothing was written");
    }

private:
    std::optional<Progress> m_line;
};

std::string percent(double share) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", share * 100.0);
    return text;
}

std::string fraction(double share) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, share, std::chars_format::fixed, 4);
    return std::string(text, end.ptr);
}

struct Measured {
    int direction;
    int rankKey;
    RankTally tally;
};

void printShares(const std::vector<Measured>& results) {
    std::printf("direction\trank key\tpairs\trank 1\twithin 5\twithin 10\twithin 50\tbeyond 50\n");
    for (const Measured& m : results)
        std::printf("%s\t%s\t%zu\t%s\t%s\t%s\t%s\t%s\n",
                    std::string(directionLabel(m.direction)).c_str(),
                    std::string(rankKeyLabel(m.rankKey)).c_str(), m.tally.pairs(),
                    percent(m.tally.share(1)).c_str(), percent(m.tally.share(5)).c_str(),
                    percent(m.tally.share(10)).c_str(), percent(m.tally.share(50)).c_str(),
                    percent(m.tally.beyondShare()).c_str());
}

// Cumulative shares for every rank 1..50, one line per direction and rank key (CP932, CR LF).
void writeCumulativeCsv(const std::string& path, const std::vector<Measured>& results) {
    std::string text = "方向,順位の基準,組数";
    for (int rank = 1; rank <= kMaxDisplayCount; ++rank)
        text += "," + std::to_string(rank);
    text += "\r\n";
    for (const Measured& m : results) {
        text += std::string(directionLabel(m.direction)) + "," +
                std::string(rankKeyLabel(m.rankKey)) + "," + std::to_string(m.tally.pairs());
        for (int rank = 1; rank <= kMaxDisplayCount; ++rank)
            text += "," + fraction(m.tally.share(rank));
        text += "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << TextCodec::toCp932(text);
    out.close();
    if (!out)
        throw CommandError("the CSV file could not be written: " + path);
}

std::vector<int> chosen(const std::optional<int>& value, int count) {
    if (value)
        return {*value};
    std::vector<int> all;
    for (int i = 0; i < count; ++i)
        all.push_back(i);
    return all;
}

int runEvaluate(const EvaluateArguments& args) {
    ProjectSession session(args.project);
    ProjectModel& model = session.model();
    const std::vector<TruthPair> pairs = loadTruth(model, args.truthFile);
    installInterruptHandler();
    SearchProgress progress;
    std::vector<Measured> results;
    for (int direction : chosen(args.direction, 2)) {
        SearchRun run;
        progress.start("searching " + std::string(directionLabel(direction)));
        if (!runSearch(model, direction, run, progress.control()))
            progress.stopIfInterrupted();
        progress.stopIfInterrupted();
        for (int rankKey : chosen(args.rankKey, kRankKeyCount))
            results.push_back({direction, rankKey, tallyRanks(run, direction, rankKey, pairs)});
    }
    printShares(results);
    if (!args.csvFile.empty())
        writeCumulativeCsv(args.csvFile, results);
    return ExitSuccess;
}

void printMatrix(int direction, const Scores6& weights) {
    std::printf("%s\tsuggested weights: rows candidate class 1..6, columns searching class 1..6 "
                "(6 歯あり)\n",
                std::string(directionLabel(direction)).c_str());
    for (int candidate = 1; candidate <= 6; ++candidate) {
        std::printf("%d", candidate);
        for (int searching = 1; searching <= 6; ++searching)
            std::printf("\t%.4f", weights[(candidate - 1) * 6 + (searching - 1)]);
        std::printf("\n");
    }
}

void printComparison(const FoldedComparison& c, int folds) {
    std::printf("cross-validated on %zu pairs, %d folds\trank 1\twithin 10\n",
                c.currentScore.pairs(), folds);
    std::printf("スコア, current weights\t%s\t%s\n", percent(c.currentScore.share(1)).c_str(),
                percent(c.currentScore.share(10)).c_str());
    std::printf("スコア, suggested weights\t%s\t%s\n", percent(c.suggestedScore.share(1)).c_str(),
                percent(c.suggestedScore.share(10)).c_str());
    std::printf("完全一致数 (no weights)\t%s\t%s\n", percent(c.exactCount.share(1)).c_str(),
                percent(c.exactCount.share(10)).c_str());
}

// Into the six-class grids of the settings window's fields, checked and stored as its 設定
// does; both settings tables are then written as after the window's OK.
void storeWeights(ProjectModel& model, const std::array<Scores6, 2>& learned) {
    SettingsFields fields = settingsFields(model.settings());
    for (int k = 0; k < 36; ++k) {
        fields.cell(SettingsGrid::AmToPm6, k) = formatCell(learned[0][k]);
        fields.cell(SettingsGrid::PmToAm6, k) = formatCell(learned[1][k]);
    }
    if (const auto fault = checkSettingsFields(fields))
        throw CommandError(std::string(settingsMessageText(fault->message)));
    storeSettingsFields(fields, model.settings());
    model.saveSettings();
}

int runSuggest(const SuggestArguments& args) {
    ProjectSession session(args.project);
    ProjectModel& model = session.model();
    const std::vector<TruthPair> pairs = loadTruth(model, args.truthFile);
    installInterruptHandler();
    SearchProgress progress;
    std::array<Scores6, 2> learned{};
    for (int direction = 0; direction < 2; ++direction) {
        learned[direction] = suggestWeights(model, direction, pairs);
        printMatrix(direction, learned[direction]);
        FoldedComparison comparison;
        const bool completed = crossValidate(
            model, direction, pairs, args.folds, comparison, progress.control(),
            [&](int search, int total) {
                progress.start("cross-validating " + std::string(directionLabel(direction)) + " " +
                               std::to_string(search) + "/" + std::to_string(total));
            });
        progress.stopIfInterrupted();
        if (!completed)
            throw CommandError("interrupted; nothing was written");
        printComparison(comparison, args.folds);
    }
    if (!args.apply)
        return ExitSuccess;
    storeWeights(model, learned);
    if (!args.noSave) {
        model.save();
        session.commitAndClose();
        std::printf("stored the suggested weights in the six-class settings\n");
    }
    return ExitSuccess;
}

void addTruthOptions(CLI::App* command, TruthArguments& args) {
    command->add_option("PROJECT", args.project, "project file")->required();
    command->add_option("--truth", args.truthFile,
                        "true pairs as CSV (\"死後ID,生前ID\", as qdx demo --truth writes); "
                        "default: the project's same-person match rows");
}

} // namespace

void addEvaluateCommands(CLI::App& app, CommandAction& selected) {
    auto evaluate = std::make_shared<EvaluateArguments>();
    CLI::App* e = app.add_subcommand(
        "evaluate", "where the full search ranks the true partners: shares at rank 1, within "
                    "5, 10, 50 and beyond, per direction and rank key");
    addTruthOptions(e, *evaluate);
    e->add_option("--direction", evaluate->direction, "0 生前→死後, 1 死後→生前 (default both)")
        ->check(CLI::Range(0, 1));
    e->add_option("--rank-key", evaluate->rankKey,
                  "0 完全一致数, 1 全修復・欠損一致数, 2 矛盾なし一致数, 3 スコア (default all)")
        ->check(CLI::Range(0, 3));
    e->add_option("--csv", evaluate->csvFile, "write the cumulative share of every rank 1..50");
    e->callback(
        [&selected, evaluate] { selected = [evaluate] { return runEvaluate(*evaluate); }; });

    auto suggest = std::make_shared<SuggestArguments>();
    CLI::App* s = app.add_subcommand(
        "suggest-weights", "six-class weights learned from the true pairs, with their "
                           "cross-validated rank-1 and top-10 shares against the current ones");
    addTruthOptions(s, *suggest);
    s->add_option("--folds", suggest->folds, "folds of the cross-validation (default 5)")
        ->check(CLI::Range(2, 1000));
    s->add_flag("--apply", suggest->apply, "store the suggested weights in the settings");
    s->add_flag("--no-save", suggest->noSave, "with --apply: store but do not commit");
    s->callback([&selected, suggest] { selected = [suggest] { return runSuggest(*suggest); }; });
}

} // namespace qdx::cli
