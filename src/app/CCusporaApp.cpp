#include "app/CCusporaApp.h"

#include "app/ProjectShell.h"
#include "platform/DocumentsFolder.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/UiFonts.h"
#include "ui/main/CCusporaDlg.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPixmap>
#include <QTimer>

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
    return DisplayLanguage::install(Language::Japanese, QString(), folder);
}

void CCusporaApp::installLanguage(Language language) {
    if (!DisplayLanguage::install(language, QCoreApplication::applicationDirPath(),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        std::fprintf(stderr, "some texts of the display language could not be loaded\n");
    }
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
    Language language = Language::Japanese;
    if (!DisplayLanguage::fromCode(options.language, language)) {
        std::fprintf(stderr, "no language %s; languages: ja, en\n", qPrintable(options.language));
        return 2;
    }
    UiFonts::installSubstitutions();
    // The program's and Qt's own texts in the chosen language, Japanese unless asked
    // otherwise, whatever the system's language is.
    installLanguage(language);
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
