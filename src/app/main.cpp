#include "app/CCusporaApp.h"
#include "app/ScreenshotWindows.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/HistoryWindows.h"
#include "ui/log/LogWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/report/ReportWindows.h"
#include "ui/search/SearchWindowOpeners.h"
#include "ui/settings/SettingsOpener.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The windows that live in their own libraries are plugged into the main window here.
void plugInWindows(qdx::CCusporaDlg& main) {
    const qdx::ReportOpener report = qdx::reportOpener(main);
    qdx::plugInSearchWindows(
        main,
        [&main](QWidget* parent, int side, const std::string& id) {
            return qdx::openMatchHistory(main, parent, side, std::atoll(id.c_str()));
        },
        report);
    qdx::plugInSettingsWindow(main);
    qdx::plugInHistoryWindows(main, report);
    qdx::plugInEntryWindow(main);
    qdx::plugInLogWindow(main);
}

} // namespace

int main(int argc, char** argv) {
    QStringList given;
    for (int i = 1; i < argc; ++i) {
        given << QString::fromLocal8Bit(argv[i]);
    }
    if (const QString text = qdx::StartupOptions::informationText(given); !text.isEmpty()) {
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    qdx::CCusporaApp program(plugInWindows, qdx::screenshotWindows());
    return program.run(qdx::StartupOptions::parse(arguments));
}
