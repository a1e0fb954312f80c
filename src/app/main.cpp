#include "app/CCusporaApp.h"
#include "app/ScreenshotWindows.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/HistoryWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/settings/SettingsOpener.h"

#include <QApplication>

#include <cstdio>

namespace {

// The windows that live in their own libraries are plugged into the main window here.
void plugInWindows(qdx::CCusporaDlg& main) {
    main.setWindowOpener(
        qdx::CCusporaDlg::WindowKind::FullSearch,
        [](qdx::CCusporaDlg& window, const qdx::CCusporaDlg::WindowRequest&) {
            qdx::CFullSearchDlg search(window.model(), window.currentConditions(), &window);
            search.onConditionsChanged = [&window](const qdx::SearchConditions& conditions) {
                window.applySearchConditions(conditions, false);
            };
            search.exec();
            return true;
        });
    qdx::plugInSettingsWindow(main);
    qdx::plugInHistoryWindows(main);
    qdx::plugInEntryWindow(main);
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
