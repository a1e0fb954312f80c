#pragma once

#include "app/ScreenshotWindow.h"
#include "app/StartupOptions.h"
#include "model/Labels.h"

#include <QString>

#include <functional>

namespace qdx {

class CCusporaDlg;

// The application object: sets up fonts, creates the main window and runs it modally. The
// program ends when the main window ends.
class CCusporaApp {
public:
    // Called with the main window before it starts, so that windows built elsewhere can be
    // plugged in.
    using WindowSetup = std::function<void(CCusporaDlg&)>;

    explicit CCusporaApp(WindowSetup setup = {}, ScreenshotWindows pictured = {});

    // Exit code 0; 2 when a screenshot names a window that is not in the table or the language
    // is neither "ja" nor "en", 1 when the screenshot cannot be written.
    int run(const StartupOptions& options);

    // The documents folder the desktop uses.
    static QString systemDocumentsFolder();

    // Loads Qt's Japanese texts from `folder` (qtbase_ja.qm) for the standard buttons, file
    // choosers and the print dialog, replacing the ones loaded before. False, and Qt's own
    // English texts stay, when the file is missing or unreadable.
    static bool installQtTranslations(const QString& folder);

    // Sets the run's display language and loads its texts: the program's from its own folder,
    // Qt's from Qt's translations folder.
    static void installLanguage(Language language);

private:
    const ScreenshotWindow* findPictured(const QString& name) const;
    void takeScreenshot(CCusporaDlg& window, const ScreenshotWindow& pictured, const QString& path,
                        int& exitCode) const;

    WindowSetup m_setup;
    ScreenshotWindows m_pictured;
};

} // namespace qdx
