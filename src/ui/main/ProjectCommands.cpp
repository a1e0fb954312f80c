#include "ui/main/ProjectCommands.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/common/LongTask.h"
#include "ui/common/Prompts.h"
#include "ui/main/ImportCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTimer>

namespace qdx {

ProjectCommands::ProjectCommands(CCusporaDlg& window, QMenuBar* bar, ImportCommands& imports)
    : m_window(window) {
    build(bar, imports);
    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(1);
    connect(m_startTimer, &QTimer::timeout, this, &ProjectCommands::runChooserLoop);
}

bool ProjectCommands::startUp(const QString& commandLinePath) {
    ProjectShell& shell = m_window.shell();
    m_window.model().setPictureFolder(QCoreApplication::applicationDirPath().toStdString() + "/");
    if (commandLinePath.isEmpty()) {
        m_startTimer->start();
        return true;
    }
    shell.setCommandLinePath(commandLinePath);
    if (!shell.openProject(commandLinePath)) {
        return false;
    }
    m_window.projectOpened();
    return true;
}

void ProjectCommands::runChooserLoop() {
    m_startTimer->stop();
    for (;;) {
        const int result = m_window.shell().chooseAndOpenProject();
        if (result == ProjectShell::kCancelled) {
            m_window.done(0);
            return;
        }
        if (result == ProjectShell::kOpened) {
            m_window.projectOpened();
            return;
        }
    }
}

QAction* ProjectCommands::action(CCusporaDlg::Command command) const {
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void ProjectCommands::build(QMenuBar* bar, ImportCommands& imports) {
    using Dlg = CCusporaDlg;
    auto add = [this](QMenu* menu, Dlg::Command command, const char* name, const QString& text,
                      auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        m_actions[command] = a;
        return a;
    };
    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    add(file, Dlg::CmdSaveProject, "saveProjectAction", tr("プロジェクトの保存"),
        &ProjectCommands::saveProject)
        ->setShortcut(QKeySequence::Save);
    add(file, Dlg::CmdSwitchProject, "switchProjectAction", tr("プロジェクトの切り替え..."),
        &ProjectCommands::switchProject);
    file->addSeparator();
    QMenu* import = file->addMenu(tr("インポート"));
    add(import, Dlg::CmdImportProject, "importProjectAction", tr("プロジェクトファイル..."),
        [&imports] { imports.importProject(); });
    QMenu* pm = import->addMenu(tr("死後"));
    add(pm, Dlg::CmdImportPenPM, "importPenPMAction", tr("デジタルペン出力CSVファイル..."),
        [&imports] { imports.importPenCsv(0); });
    add(pm, Dlg::CmdImportOesPM, "importOesPMAction", tr("口腔診査情報OESファイル..."),
        [&imports] { imports.importOes(0); });
    QMenu* am = import->addMenu(tr("生前"));
    add(am, Dlg::CmdImportPenAM, "importPenAMAction", tr("デジタルペン出力CSVファイル..."),
        [&imports] { imports.importPenCsv(1); });
    add(am, Dlg::CmdImportOesAM, "importOesAMAction", tr("口腔診査情報OESファイル..."),
        [&imports] { imports.importOes(1); });
    add(file, Dlg::CmdExport, "exportAction", tr("エクスポート..."),
        [&imports] { imports.exportProject(); });
    file->addSeparator();
    add(file, Dlg::CmdSettings, "settingsAction", tr("環境設定..."),
        &ProjectCommands::openSettings);
    add(file, Dlg::CmdExaminer, "examinerAction", tr("担当者..."),
        [this] { m_window.askExaminer(); });
    add(file, Dlg::CmdChangeLog, "changeLogAction", tr("変更履歴..."),
        &ProjectCommands::openChangeLog);
    file->addSeparator();
    add(file, Dlg::CmdExit, "exitAction", tr("終了(&X)"), &ProjectCommands::confirmExit);
    QMenu* help = bar->addMenu(tr("ヘルプ(&H)"));
    add(help, Dlg::CmdAbout, "aboutAction", tr("Quendix Freeのバージョン情報(&A)"),
        &ProjectCommands::showAbout);
}

void ProjectCommands::saveProject() {
    if (!m_window.shell().saveProject()) {
        // A failed save reopened the project at its last saved state (or, its file gone,
        // left nothing open).
        m_window.updateTitle();
        m_window.refreshLists(false);
    }
}

void ProjectCommands::switchProject() {
    ProjectShell& shell = m_window.shell();
    int result = ProjectShell::kRetry;
    while (result == ProjectShell::kRetry) {
        result = shell.chooseAndOpenProject();
    }
    if (result == ProjectShell::kCancelled) {
        if (!m_window.model().isOpen()) {
            // The previous project was left and the new one failed: show that nothing is open.
            m_window.updateTitle();
            m_window.refreshLists(false);
        }
        return;
    }
    m_window.updateTitle();
    m_window.refreshLists(false);
    m_window.applySearchConditions(m_window.model().settings().conditions, false);
}

void ProjectCommands::openSettings() {
    if (!m_window.model().isOpen() || !m_window.openWindow(CCusporaDlg::WindowKind::Settings, {})) {
        return;
    }
    try {
        m_window.model().saveSettings();
    } catch (const StoreError& error) {
        m_window.shell().showStoreError(error);
    }
    m_window.updateTitle();
}

void ProjectCommands::openChangeLog() {
    if (m_window.model().isOpen()) {
        m_window.openWindow(CCusporaDlg::WindowKind::ChangeLog, {});
    }
}

void ProjectCommands::showAbout() {
    Prompts::message(&m_window,
                     tr("Quendix Free\nバージョン %1").arg(QStringLiteral(QDX_PRODUCT_VERSION)),
                     MessageButtons::Ok, MessageIcon::Information);
}

void ProjectCommands::confirmExit() {
    if (LongTask::isRunning()) {
        return;
    }
    m_window.storeSearchConditions();
    ProjectModel& model = m_window.model();
    if (!model.anyChanged() || !model.isOpen()) {
        if (Prompts::message(&m_window, tr("プログラムを終了しますか？"), MessageButtons::YesNo,
                             MessageIcon::Question) != MessageAnswer::Yes) {
            return;
        }
        m_window.shell().closeProjectAsking(false, ProjectShell::CloseReason::Exit);
        m_window.done(0);
        return;
    }
    if (m_window.shell().closeProjectAsking(true, ProjectShell::CloseReason::Exit)) {
        m_window.done(0);
    }
}

} // namespace qdx
