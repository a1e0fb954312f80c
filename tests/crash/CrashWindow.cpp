// The desktop program's main window doing one write on a project and ending, for the crash
// trials (tests/crash/crash_trials.py), which kill this process at a random moment:
//
//   qdx_crash_window save|exit-save|import-pen|data-matching PROJECT [CSV]
//
// save: deletes the first post-mortem record and chooses 保存; exit-save: the same change,
// then 終了 answered with saving; import-pen: imports the pen CSV into the post-mortem side
// and saves; data-matching: runs データマッチング and saves. Runs on the offscreen platform;
// the program's questions are answered as an examiner would answer them.
#include "support/PromptResponder.h"
#include "ui/main/CCusporaDlg.h"

#include <QAbstractButton>
#include <QApplication>

#include <cstdio>
#include <string>

using namespace qdx;

namespace {

bool deleteFirstRecord(CCusporaDlg& window, test::ScriptedResponder& prompts) {
    if (window.listModel(0)->rowCount() == 0)
        return false;
    window.selectRow(0, 0);
    prompts.answer(MessageAnswer::Yes);
    window.deleteRecord(0);
    return true;
}

bool run(CCusporaDlg& window, test::ScriptedResponder& prompts, const std::string& action,
         const QString& csv) {
    if (action == "save" || action == "exit-save") {
        if (!deleteFirstRecord(window, prompts))
            return false;
        if (action == "save") {
            window.saveProject();
            return true;
        }
        prompts.answer(MessageAnswer::Yes);
        window.confirmExit();
        return true;
    }
    if (action == "import-pen") {
        prompts.answer(MessageAnswer::Yes);
        prompts.choose(csv);
        window.importPenCsv(0);
    } else if (action == "data-matching") {
        auto* button = window.findChild<QAbstractButton*>(QStringLiteral("dataMatchingButton"));
        if (!button)
            return false;
        button->click();
    } else {
        return false;
    }
    window.saveProject();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: qdx_crash_window ACTION PROJECT [CSV]\n");
        return 2;
    }
    test::ScriptedResponder prompts;
    CCusporaDlg window(true);
    if (!window.startUp(QString::fromLocal8Bit(argv[2])))
        return 1;
    const QString csv = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (!run(window, prompts, argv[1], csv))
        return 1;
    if (!prompts.allAnswered() || prompts.unexpected != 0) {
        std::fprintf(stderr, "unanswered or unexpected prompts: %s\n",
                     qPrintable(prompts.texts().join(QStringLiteral("|"))));
        return 1;
    }
    return 0;
}
