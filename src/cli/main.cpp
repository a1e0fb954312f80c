#include "cli/CommandGroup.h"
#include "cli/EntryCommands.h"
#include "cli/ExitCode.h"
#include "cli/HistoryCommands.h"
#include "cli/ImportCommands.h"
#include "cli/ProjectSession.h"
#include "store/ProjectDatabase.h"
#include "store/StoreError.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

using namespace qdx::cli;

// Every command group of the tool. A new group (its own source file) adds one entry here.
// clang-format off
const CommandGroup kCommandGroups[] = {
    addProjectCommands,
    addSearchCommands,
    addDemoCommands,
    addImportCommands,
    addEvaluateCommands,
    addEntryCommands,
    addSettingsCommands,
    addHistoryCommands,
    addBridgeCommands,
    addLogCommands,
#ifdef QDX_WITH_REPORT
    addReportCommands,
#endif
};
// clang-format on

// Every command takes the examiner's name for the change history; without the option the
// environment's QDX_EXAMINER names them.
struct ExaminerOption {
    std::string name;
    bool given = false;

    void addTo(CLI::App& app) {
        for (CLI::App* command : app.get_subcommands({})) {
            command
                ->add_option_function<std::string>(
                    "--examiner",
                    [this](const std::string& value) {
                        name = value;
                        given = true;
                    },
                    "the examiner's name written into the change history (default: "
                    "$QDX_EXAMINER)")
                ->type_name("NAME");
        }
    }
    std::string value() const {
        if (given)
            return name;
        const char* fromEnvironment = std::getenv("QDX_EXAMINER");
        return fromEnvironment ? fromEnvironment : "";
    }
};

int runSelected(const CommandAction& action) {
    try {
        return action();
    } catch (const qdx::StoreError& error) {
        std::fprintf(stderr, "%s\n", error.fullText().c_str());
    } catch (const CommandError& error) {
        std::fprintf(stderr, "%s\n", error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qdx: %s\n", error.what());
    }
    return ExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"qdx: the command-line tool for dental identification projects"};
    app.set_version_flag("--version", std::string("qdx (Quendix Free) ") + QDX_PRODUCT_VERSION,
                         "Print the version (the one the project export writes) and exit");
    app.set_help_all_flag("--help-all", "Print the help of every command and exit");
    app.require_subcommand(1);
    app.fallthrough(false);
    qdx::ProjectDatabase::useFromOneThread();
    CommandAction selected;
    for (CommandGroup addGroup : kCommandGroups)
        addGroup(app, selected);
    ExaminerOption examiner;
    examiner.addTo(app);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? ExitSuccess : ExitUsage;
    }
    if (!selected)
        return ExitUsage;
    qdx::cli::setRunExaminer(examiner.value());
    return runSelected(selected);
}
