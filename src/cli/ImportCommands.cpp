#include "cli/ImportCommands.h"

#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "io/ImportBackup.h"
#include "io/OesImporter.h"
#include "io/PenCsvImporter.h"
#include "io/ProjectExport.h"
#include "io/ProjectFolder.h"
#include "io/ProjectMerge.h"
#include "store/StoreError.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace qdx::cli {
namespace {

struct ImportOptions {
    std::string project;
    std::string side;
    std::string source;
    bool noSave = false;
};

int sideOf(const std::string& side) {
    return side == "pm" ? PostMortem : AnteMortem;
}

void say(std::string_view text) {
    std::printf("%.*s\n", static_cast<int>(text.size()), text.data());
}

void sayError(std::string_view text) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
}

// Takes the safety copy; the command line has no unsaved changes, so nothing is lost by
// committing before the copy.
void backUp(ProjectModel& model) {
    std::string message;
    if (!BackupBeforeImport(model, true, message)) {
        throw CommandError(message);
    }
}

// The end of an import that ran: the backup goes, the project is saved unless asked not to.
int finish(ProjectSession& session, bool noSave, bool abnormal) {
    std::string message;
    if (!finishImport(session.model(), message)) {
        sayError(message);
        return ExitFailure;
    }
    if (!noSave) {
        session.commitAndClose();
    }
    return abnormal ? ExitImportAbnormal : ExitSuccess;
}

int runImport(const ImportOptions& o, bool oes) {
    std::error_code error;
    if (oes ? !std::filesystem::is_directory(o.source, error)
            : !std::filesystem::is_regular_file(o.source, error)) {
        throw CommandError((oes ? "no such folder: " : "no such file: ") + o.source);
    }
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    backUp(model);
    const int side = sideOf(o.side);
    const auto logFolder = defaultProjectFolder();
    const ImportResult result = oes ? importOesFolder(model, side, o.source, logFolder)
                                    : importPenCsv(model, side, o.source, logFolder);
    say(result.message());
    if (!result.logOpened) {
        // Nothing was read. The OES import leaves the backup beside the project, as the
        // desktop program does; the pen import removes it.
        sayError(kImportNotRunMessage);
        std::string ignored;
        if (!oes) {
            finishImport(model, ignored);
        }
        return ExitFailure;
    }
    return finish(session, o.noSave, result.failed);
}

int runMerge(const ImportOptions& o) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(o.source, error)) {
        throw CommandError("no such file: " + o.source);
    }
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    backUp(model);
    int prefixings = 0;
    try {
        prefixings = mergeProject(model, o.source);
    } catch (const StoreError& failure) {
        sayError(failure.fullText());
        std::string message;
        if (!RestoreAfterFailedImport(model, message)) {
            sayError(message);
        }
        return ExitFailure;
    }
    if (prefixings != 0) {
        say(kMergeRenamedMessage);
    }
    return finish(session, o.noSave, false);
}

int runExport(const std::string& project, const std::vector<std::string>& files) {
    ProjectSession session(project);
    const auto failure = ExportProject(session.model(), files[0], files[1], files[2]);
    if (failure) {
        sayError(*failure);
        return ExitFailure;
    }
    return ExitSuccess;
}

void addSideOption(CLI::App* command, ImportOptions& o) {
    command->add_option("--side", o.side, "pm (post-mortem) or am (ante-mortem)")
        ->required()
        ->check(CLI::IsMember({"pm", "am"}));
}

void addNoSave(CLI::App* command, ImportOptions& o) {
    command->add_flag("--no-save", o.noSave, "leave the imported data unsaved (rolled back)");
}

} // namespace

void addImportCommands(CLI::App& app, CommandAction& selected) {
    auto o = std::make_shared<ImportOptions>();
    auto files = std::make_shared<std::vector<std::string>>();

    CLI::App* pen = app.add_subcommand(
        "import-pen", "import a digital-pen CSV file into one side; problems go to the import "
                      "log; exit 3 when it ended abnormally");
    pen->add_option("PROJECT", o->project, "project file")->required();
    addSideOption(pen, *o);
    pen->add_option("FILE", o->source, "the pen system's CSV file")->required();
    addNoSave(pen, *o);
    pen->callback([&selected, o] { selected = [o] { return runImport(*o, false); }; });

    CLI::App* oes = app.add_subcommand(
        "import-oes", "import every OES file of a folder into one side; problems go to the "
                      "import log; exit 3 when it ended abnormally");
    oes->add_option("PROJECT", o->project, "project file")->required();
    addSideOption(oes, *o);
    oes->add_option("FOLDER", o->source, "folder holding the *.oes files")->required();
    addNoSave(oes, *o);
    oes->callback([&selected, o] { selected = [o] { return runImport(*o, true); }; });

    CLI::App* exporting = app.add_subcommand(
        "export", "write the project as three CSV files: post-mortem, ante-mortem, match rows");
    exporting->add_option("PROJECT", o->project, "project file")->required();
    exporting->add_option("FILES", *files, "PM_CSV AM_CSV MATCH_CSV")->required()->expected(3);
    exporting->callback(
        [&selected, o, files] { selected = [o, files] { return runExport(o->project, *files); }; });

    CLI::App* merge = app.add_subcommand(
        "merge", "add every record and match row of another project file; clashing IDs get "
                 "\"IMPORT\" in front; a failure restores the project from its backup");
    merge->add_option("PROJECT", o->project, "project file")->required();
    merge->add_option("SOURCE", o->source, "the other project file (.qdx)")->required();
    addNoSave(merge, *o);
    merge->callback([&selected, o] { selected = [o] { return runMerge(*o); }; });
}

} // namespace qdx::cli
