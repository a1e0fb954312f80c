// qdx report: the identification report of one pair as a PDF file, the same pages the report
// dialog prints.
#include "cli/CommandGroup.h"
#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "ui/report/ReportRenderer.h"
#include "views/report/IdentificationReport.h"

#include <CLI/CLI.hpp>

#include <QGuiApplication>

#include <cstdio>
#include <ctime>
#include <memory>

namespace qdx::cli {

namespace {

struct ReportOptions {
    std::string project;
    std::string postMortem;
    std::string anteMortem;
    std::string conclusion = "insufficient";
    std::string checker;
    std::string remarks;
    std::string pdf;
    bool noSave = false;
};

long long recordKey(const ProjectModel& model, int side, const std::string& id) {
    long long key = 0;
    if (model.isIdFree(side, id, key))
        throw CommandError(std::string(side == PostMortem ? "no post-mortem" : "no ante-mortem") +
                           " record with this ID: " + id);
    return key;
}

// Fonts and pictures need Qt's application object; without a display it draws off screen.
std::unique_ptr<QGuiApplication> startQt() {
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "qdx";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int runReport(const ReportOptions& o) {
    const auto conclusion = conclusionFromWord(o.conclusion);
    if (!conclusion)
        throw CommandError("no such conclusion: " + o.conclusion);
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
    ReportInput input;
    input.conclusion = *conclusion;
    input.examiner = model.examiner();
    input.checker = o.checker;
    input.remarks = o.remarks;
    const IdentificationReport report = buildIdentificationReport(
        model, recordKey(model, PostMortem, o.postMortem),
        recordKey(model, AnteMortem, o.anteMortem), input, std::time(nullptr));
    const auto qt = startQt();
    const QString file = QString::fromStdString(o.pdf);
    if (!writeReportPdf(file, report, reportPictureFolder(QCoreApplication::applicationDirPath())))
        throw CommandError("cannot write the PDF file: " + o.pdf);
    journalReport(model, report, o.pdf);
    if (!o.noSave)
        session.commitAndClose();
    std::printf("%s\t%s\t%s\t%s\n", o.postMortem.c_str(), o.anteMortem.c_str(),
                std::string(conclusionText(*conclusion)).c_str(), o.pdf.c_str());
    return ExitSuccess;
}

} // namespace

void addReportCommands(CLI::App& app, CommandAction& selected) {
    auto o = std::make_shared<ReportOptions>();
    CLI::App* report = app.add_subcommand(
        "report", "the identification report of a post-mortem and an ante-mortem record as a "
                  "PDF file (the report dialog's pages); the change history notes it");
    report->add_option("PROJECT", o->project, "project file")->required();
    report->add_option("--pm", o->postMortem, "the post-mortem record's ID")->required();
    report->add_option("--am", o->anteMortem, "the ante-mortem record's ID")->required();
    report
        ->add_option("--conclusion", o->conclusion,
                     "established, probable, possible, excluded or insufficient (default)")
        ->check(CLI::IsMember({"established", "probable", "possible", "excluded", "insufficient"}));
    report->add_option("--checker", o->checker, "the checking examiner's name");
    report->add_option("--remarks", o->remarks, "remarks printed on the report");
    report->add_option("--pdf", o->pdf, "the PDF file to write")->required();
    report->add_flag("--no-save", o->noSave, "leave the history row unsaved (rolled back)");
    report->callback([&selected, o] { selected = [o] { return runReport(*o); }; });
}

} // namespace qdx::cli
