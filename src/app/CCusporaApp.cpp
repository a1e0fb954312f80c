#include "app/CCusporaApp.h"

#include "app/ProjectShell.h"
#include "platform/DocumentsFolder.h"
#include "ui/common/UiFonts.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace qdx {

CCusporaApp::CCusporaApp(WindowSetup setup, ScreenshotWindows pictured)
    : m_setup(std::move(setup)), m_pictured(std::move(pictured)) {
    m_pictured.insert(m_pictured.begin(), {QStringLiteral("main"),
                                           [](CCusporaDlg& main) -> QWidget* { return &main; }});
}

QString CCusporaApp::systemDocumentsFolder() {
    return QString::fromStdString(platform::documentsFolder().string());
}

bool CCusporaApp::installQtTranslations(const QString& folder) {
    const QString name = QStringLiteral("qtTranslations");
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
        delete translator;
        return false;
    }
    // A translator is removed from the application when it is deleted.
    delete qApp->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly);
    translator->setObjectName(name);
    QCoreApplication::installTranslator(translator);
    return true;
}

const ScreenshotWindow* CCusporaApp::findPictured(const QString& name) const {
    for (const ScreenshotWindow& pictured : m_pictured) {
        if (pictured.name == name) {
            return &pictured;
        }
    }
    QStringList names;
    for (const ScreenshotWindow& pictured : m_pictured) {
        names << pictured.name;
    }
    std::fprintf(stderr, "no window named %s; windows: %s\n", qPrintable(name),
                 qPrintable(names.join(QStringLiteral(", "))));
    return nullptr;
}

// Opens the window once the main window shows the opened project, saves it a moment later
// (when it has laid itself out and painted) and ends without a question.
void CCusporaApp::takeScreenshot(CCusporaDlg& window, const ScreenshotWindow& pictured,
                                 const QString& path, int& exitCode) const {
    QTimer::singleShot(0, &window, [&window, &pictured, path, &exitCode] {
        QWidget* shown = pictured.open(window);
        if (shown == nullptr) {
            exitCode = 1;
            window.done(0);
            return;
        }
        shown->show();
        QTimer::singleShot(800, &window, [&window, shown, path, &exitCode] {
            if (!shown->grab().save(path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                exitCode = 1;
            }
            window.done(0);
        });
    });
}

int CCusporaApp::run(const StartupOptions& options) {
    const ScreenshotWindow* pictured = nullptr;
    if (!options.screenshotPath.isEmpty()) {
        pictured = findPictured(options.screenshotWindow);
        if (pictured == nullptr) {
            return 2;
        }
    }
    UiFonts::installSubstitutions();
    // Qt's own texts in the program's language, Japanese, whatever the system's language is.
    installQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    CCusporaDlg window(options.showHiddenCommands);
    window.shell().setDocumentsFolder(options.documentsFolder.isEmpty() ? systemDocumentsFolder()
                                                                        : options.documentsFolder);
    // The examiner's name is asked before the first change of a run; a picture makes none.
    window.setAsksExaminer(pictured == nullptr);
    if (m_setup) {
        m_setup(window);
    }
    if (!window.startUp(options.projectPath)) {
        return 0;
    }
    int exitCode = 0;
    if (pictured != nullptr) {
        takeScreenshot(window, *pictured, options.screenshotPath, exitCode);
    }
    window.exec();
    return exitCode;
}

} // namespace qdx
