#include "cli/CommandGroup.h"
#include "cli/DemoPopulation.h"
#include "cli/ExitCode.h"
#include "cli/Interrupt.h"
#include "cli/Progress.h"
#include "cli/ProjectSession.h"
#include "io/CsvQuote.h"
#include "io/TextCodec.h"
#include "store/ChangeText.h"
#include "store/LastInsertKey.h"
#include "store/RecordTable.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace qdx::cli {

namespace {

struct DemoArguments {
    std::string project;
    int pmCount = 0;
    int amCount = 0;
    std::uint64_t seed = 1;
    std::string truthFile;
};

// The demo's records enter the change history as an import's do.
void journalDemoRecord(ProjectModel& model, int side, const DentalRecord& record) {
    model.journal().writeRecord(journal::kAdded, side, lastInsertKey(model.database()),
                                record.displayId, addedTeethText(record), addedFieldsText(record));
}

// Every record goes into the project transaction; the project is saved once at the end, so an
// interrupted or failed run leaves nothing behind.
void insertPopulation(ProjectModel& model, const DemoPopulation& population) {
    Progress progress("demo: storing records");
    const std::size_t total =
        static_cast<std::size_t>(population.count(PostMortem) + population.count(AnteMortem));
    std::size_t done = 0;
    for (int side : {AnteMortem, PostMortem}) {
        population.forEachRecord(side, [&](const DentalRecord& record) {
            if (interruptRequested())
                throw CommandError("demo: interrupted; no project was written");
            records::insertRecord(model.database(), side, record);
            journalDemoRecord(model, side, record);
            if (++done % 1024 == 0)
                progress.update(done, total);
        });
    }
    progress.update(total, total);
}

std::string truthText(const DemoPopulation& population) {
    std::string text = "死後ID,生前ID\r\n";
    for (const DemoPair& pair : population.truth())
        text += CsvQuote(pair.pmId) + "," + CsvQuote(pair.amId) + "\r\n";
    return TextCodec::toCp932(text);
}

// `created` and `truthCreated` tell the caller what to remove when a later step fails.
void fillProject(const DemoArguments& args, bool& created, bool& truthCreated) {
    ProjectSession session(args.project, ProjectSession::Mode::CreateNew);
    created = true;
    // Opened before the work so that a bad path fails at once.
    std::ofstream truth;
    if (!args.truthFile.empty()) {
        truth.open(args.truthFile, std::ios::binary | std::ios::trunc);
        if (!truth)
            throw CommandError("demo: the truth file could not be created: " + args.truthFile);
        truthCreated = true;
    }
    const DemoPopulation population({args.pmCount, args.amCount, args.seed});
    session.model().journal().beginBatch("デモ");
    insertPopulation(session.model(), population);
    const ProjectJournal::BatchCounts counts = session.model().journal().endBatch();
    session.model().journal().writeProject(journal::kDemo, -1,
                                           "seed " + std::to_string(args.seed) + ": 追加 " +
                                               std::to_string(counts.added) + "件");
    session.model().save();
    session.commitAndClose();
    if (truthCreated) {
        truth << truthText(population);
        truth.close();
        if (!truth)
            throw CommandError("demo: the truth file could not be written: " + args.truthFile);
    }
    std::printf("created %s: %d post-mortem, %d ante-mortem records, %zu true pairs\n",
                session.location().path.c_str(), args.pmCount, args.amCount,
                population.truth().size());
}

int runDemo(const DemoArguments& args) {
    installInterruptHandler();
    bool created = false;
    bool truthCreated = false;
    try {
        fillProject(args, created, truthCreated);
    } catch (...) {
        std::error_code ignored;
        if (created)
            std::filesystem::remove(splitProjectPath(args.project).path, ignored);
        if (truthCreated)
            std::filesystem::remove(args.truthFile, ignored);
        throw;
    }
    return ExitSuccess;
}

} // namespace

void addDemoCommands(CLI::App& app, CommandAction& selected) {
    auto args = std::make_shared<DemoArguments>();
    CLI::App* demo = app.add_subcommand(
        "demo", "create a project with a synthetic population (deterministic per seed)");
    demo->add_option("PROJECT", args->project, "project file to create")->required();
    demo->add_option("--pm", args->pmCount, "number of post-mortem charts")
        ->required()
        ->check(CLI::Range(0, 2000000));
    demo->add_option("--am", args->amCount, "number of ante-mortem charts")
        ->required()
        ->check(CLI::Range(0, 2000000));
    demo->add_option("--seed", args->seed, "seed of the population (default 1)");
    demo->add_option("--truth", args->truthFile,
                     "write the true post-mortem/ante-mortem pairs to this CSV file");
    demo->callback([&selected, args] { selected = [args] { return runDemo(*args); }; });
}

} // namespace qdx::cli
