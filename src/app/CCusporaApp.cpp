#include "app/CCusporaApp.h"

#include "app/ProjectShell.h"
#include "io/DocumentsFolder.h"
#include "ui/common/UiFonts.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QPixmap>
#include <QTimer>

namespace qdx {

QString CCusporaApp::systemDocumentsFolder() {
    return QString::fromStdString(documentsFolder().string());
}

int CCusporaApp::run(const StartupOptions& options) {
    UiFonts::installSubstitutions();
    CCusporaDlg window(options.showHiddenCommands);
    window.shell().setDocumentsFolder(options.documentsFolder.isEmpty() ? systemDocumentsFolder()
                                                                        : options.documentsFolder);
    if (m_setup) {
        m_setup(window);
    }
    if (!window.startUp(options.projectPath)) {
        return 0;
    }
    if (!options.screenshotPath.isEmpty()) {
        // Saves the window once it shows the opened project, then ends without a question.
        QTimer::singleShot(800, &window, [&window, path = options.screenshotPath] {
            window.grab().save(path);
            window.done(0);
        });
    }
    window.exec();
    return 0;
}

} // namespace qdx
