#include "app/ProjectShell.h"

#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "store/StoreError.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"

#include <QDir>
#include <QFileInfo>

namespace qdx {

namespace {

QString saveQuestion() {
    return ProjectShell::tr(
        "変更を保存しますか？\n保存する場合は「はい」、破棄する場合は「いいえ」を"
        "選択してください。");
}

QString withSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/'))) {
        return folder;
    }
    return folder + QLatin1Char('/');
}
QString transactionLostMessage() {
    return ProjectShell::tr(
        "データベースへの書き込みに失敗したため、保存していない変更は取り消されました。"
        "プロジェクトを最後に保存した状態で開き直します。");
}

} // namespace

ProjectShell::ProjectShell(ProjectModel& model, QWidget* window)
    : m_model(model), m_window(window), m_documentsFolder(QDir::homePath()) {}

QString ProjectShell::defaultProjectFolder() const {
    return withSeparator(m_documentsFolder) + QStringLiteral("QuendixFree/");
}

MessageAnswer ProjectShell::ask(const QString& text, MessageButtons buttons,
                                MessageIcon icon) const {
    return Prompts::message(m_window, text, buttons, icon);
}

void ProjectShell::showStoreError(const StoreError& error) const {
    ask(failureText(error.message(), error.databaseText()), MessageButtons::Ok, MessageIcon::Error);
}

void ProjectShell::storeSearchConditions() {
    if (m_store && m_model.isOpen()) {
        m_store();
    }
}

bool ProjectShell::ensureProjectFolder(const QString& folder) {
    if (QFileInfo(folder).isDir()) {
        return true;
    }
    if (QDir().mkdir(folder)) {
        return true;
    }
    ask(tr("プロジェクトフォルダを作成できませんでした。") + QLatin1Char('\n') + folder,
        MessageButtons::Ok, MessageIcon::Error);
    return false;
}

QString ProjectShell::chooseProjectFile(bool folderReady) {
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Open;
    choice.title = tr("プロジェクトファイルを指定");
    choice.filter = Prompts::projectFilter();
    choice.defaultSuffix = QStringLiteral("qdx");
    if (!m_chooserUsed) {
        choice.initialPath = !m_commandLinePath.isEmpty() ? m_commandLinePath
                             : folderReady                ? defaultProjectFolder()
                                                          : m_documentsFolder;
    }
    const QString path = Prompts::chooseFile(m_window, choice);
    if (!path.isEmpty()) {
        m_chooserUsed = true;
    }
    return path;
}

int ProjectShell::chooseAndOpenProject() {
    // Without its folder the chooser still opens, on the documents folder, so that the user
    // can pick a project elsewhere instead of seeing the same message forever.
    const bool folderReady = ensureProjectFolder(defaultProjectFolder());
    const QString path = chooseProjectFile(folderReady);
    if (path.isEmpty()) {
        return kCancelled;
    }
    return openProject(path) ? kOpened : kRetry;
}

bool ProjectShell::openProject(const QString& path) {
    const ProjectLocation location = splitProjectPath(path.toStdString());
    if (location.fileName.empty()) {
        ask(coreTr(kEmptyProjectNameMessage), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    const QString folder = QString::fromStdString(location.folder);
    const QString fileName = QString::fromStdString(location.fileName);
    // The same file named another way (relative, with "..") is still the open project.
    const QString chosen = QFileInfo(withSeparator(folder) + fileName).absoluteFilePath();
    if (!m_currentFileName.isEmpty() && m_model.isOpen() &&
        chosen == QFileInfo(m_currentFolder + m_currentFileName).absoluteFilePath()) {
        storeSearchConditions();
        return true;
    }
    if (!m_currentFileName.isEmpty() && m_model.isOpen()) {
        storeSearchConditions();
        if (!closeProjectAsking(m_model.anyChanged(), CloseReason::ProjectChange)) {
            return false;
        }
    }
    m_currentFileName = fileName;
    m_currentFolder = withSeparator(folder);
    try {
        openProjectFile(m_model, location);
    } catch (const StoreError& error) {
        showStoreError(error);
        m_currentFileName.clear();
        m_currentFolder.clear();
        return false;
    }
    return true;
}

std::optional<bool> ProjectShell::askToSave(bool changed, CloseReason reason) const {
    if (!changed) {
        return false;
    }
    const QString first = reason == CloseReason::Exit ? tr("プログラムを終了します。")
                                                      : tr("データが変更されています。");
    const MessageAnswer answer =
        ask(first + saveQuestion(), MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer != MessageAnswer::Yes && answer != MessageAnswer::No) {
        return std::nullopt;
    }
    return answer == MessageAnswer::Yes;
}

bool ProjectShell::closeProjectAsking(bool changed, CloseReason reason) {
    if (!m_model.isOpen()) {
        return true;
    }
    const std::optional<bool> commit = askToSave(changed, reason);
    if (!commit) {
        return false;
    }
    try {
        m_model.close(*commit);
    } catch (const StoreError& error) {
        // The connection is closed either way; the user learns that the save failed.
        showStoreError(error);
    }
    return true;
}

bool ProjectShell::reopen() {
    try {
        m_model.reopen();
        return true;
    } catch (const StoreError& error) {
        showStoreError(error);
        return false;
    }
}

bool ProjectShell::saveProject() {
    if (!m_model.isOpen()) {
        return false;
    }
    try {
        storeSearchConditions();
        m_model.save();
        return true;
    } catch (const StoreError& error) {
        showStoreError(error);
    }
    // A failed commit or begin closed the connection; carry on from the last saved state. A
    // file removed meanwhile is not made again as an empty project: nothing is open then.
    if (!m_model.isOpen()) {
        if (QFileInfo::exists(QString::fromStdString(m_model.projectPath()))) {
            reopen();
        } else {
            m_currentFileName.clear();
            m_currentFolder.clear();
        }
    }
    return false;
}

bool ProjectShell::reopenIfTransactionLost() {
    if (!m_model.transactionLost()) {
        return false;
    }
    ask(transactionLostMessage(), MessageButtons::Ok, MessageIcon::Error);
    try {
        m_model.reopenAtLastSave();
    } catch (const StoreError& error) {
        showStoreError(error);
    }
    return true;
}

std::optional<bool> ProjectShell::askBeforeImport(bool storeConditions) {
    if (storeConditions) {
        storeSearchConditions();
    }
    return askToSave(m_model.anyChanged(), CloseReason::ProjectChange);
}

bool ProjectShell::isProjectOpen() const {
    return m_model.isOpen();
}

QString ProjectShell::windowTitle() const {
    if (m_currentFileName.isEmpty()) {
        return QStringLiteral("Quendix Free");
    }
    return QString::fromStdString(m_model.settings().projectName) +
           QStringLiteral(" - Quendix Free (") + m_currentFileName + QStringLiteral(".qdx)");
}

} // namespace qdx
