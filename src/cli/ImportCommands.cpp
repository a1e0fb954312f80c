#include "cli/ImportCommands.h"

#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "io/ImportFlow.h"
#include "io/ProjectExport.h"
#include "io/ProjectFolder.h"

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

// Writes an import's messages: failures to the error stream, the rest to the output.
class ToolImportShell : public ImportShell {
public:
    void tell(const std::string& text, ImportNotice kind) override {
        if (kind == ImportNotice::Error) {
            sayError(text);
        } else {
            say(text);
        }
    }
};

void requireSource(const std::string& source, bool folder) {
    std::error_code error;
    if (folder ? !std::filesystem::is_directory(source, error)
               : !std::filesystem::is_regular_file(source, error)) {
        throw CommandError((folder ? "no such folder: " : "no such file: ") + source);
    }
}

using ImportCommand = ImportOutcome (*)(ProjectModel&, ImportShell&, const ImportRequest&);

// The command line has no unsaved changes, so nothing is lost by committing before the backup.
// An import that ran to its end is saved unless asked not to.
int runImport(const ImportOptions& o, ImportCommand run, bool sourceIsFolder) {
    requireSource(o.source, sourceIsFolder);
    ProjectSession session(o.project);
    ImportRequest request;
    request.side = sideOf(o.side);
    request.source = o.source;
    request.logFolder = defaultProjectFolder();
    request.commit = true;
    ToolImportShell shell;
    const ImportOutcome outcome = run(session.model(), shell, request);
    if (outcome.end != ImportEnd::Finished) {
        return ExitFailure;
    }
    if (!o.noSave) {
        session.commitAndClose();
    }
    return outcome.abnormal ? ExitImportAbnormal : ExitSuccess;
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
    pen->callback(
        [&selected, o] { selected = [o] { return runImport(*o, runPenImport, false); }; });

    CLI::App* oes = app.add_subcommand(
        "import-oes", "import every OES file of a folder into one side; problems go to the "
                      "import log; exit 3 when it ended abnormally");
    oes->add_option("PROJECT", o->project, "project file")->required();
    addSideOption(oes, *o);
    oes->add_option("FOLDER", o->source, "folder holding the *.oes files")->required();
    addNoSave(oes, *o);
    oes->callback([&selected, o] { selected = [o] { return runImport(*o, runOesImport, true); }; });

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
    merge->callback(
        [&selected, o] { selected = [o] { return runImport(*o, runProjectMerge, false); }; });
}

} // namespace qdx::cli
