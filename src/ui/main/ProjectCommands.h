#pragma once

#include "ui/main/CCusporaDlg.h"

#include <QObject>

#include <map>

class QAction;
class QMenuBar;
class QTimer;

namespace qdx {

class ImportCommands;

// The main window's project: opening it at start-up, the menu bar (ファイル, ヘルプ) and the
// project commands it runs: save (also Ctrl+S), switch, settings, the version and exit, which
// the exit button and the close box ask too. The imports and the export are ImportCommands'.
class ProjectCommands : public QObject {
    Q_OBJECT
public:
    ProjectCommands(CCusporaDlg& window, QMenuBar* bar, ImportCommands& imports);

    QAction* action(CCusporaDlg::Command command) const;

    // Opens the command-line project, or starts the one-shot timer that shows the chooser once
    // the window is up. False when the command-line project could not be opened: the program
    // then ends.
    bool startUp(const QString& commandLinePath);
    // Repeats choosing and opening until a project is open or the chooser is cancelled (which
    // ends the window).
    void runChooserLoop();

    void saveProject();
    void switchProject();
    void openSettings();
    void openChangeLog();
    void showAbout();
    void confirmExit();

private:
    void build(QMenuBar* bar, ImportCommands& imports);

    CCusporaDlg& m_window;
    QTimer* m_startTimer = nullptr;
    std::map<CCusporaDlg::Command, QAction*> m_actions;
};

} // namespace qdx
