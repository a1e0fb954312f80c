#pragma once

#include "ui/common/MessageKinds.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace qdx {

class ProjectModel;
class StoreError;

// Choosing, opening, saving and leaving the project of the main window, and the question
// before an import. Every question and message goes through Prompts.
class ProjectShell {
    Q_DECLARE_TR_FUNCTIONS(ProjectShell)

public:
    enum class CloseReason { ProjectChange, Exit };
    // Results of one pass of choosing and opening.
    static constexpr int kOpened = 0;
    static constexpr int kRetry = -1;
    static constexpr int kCancelled = -2;

    ProjectShell(ProjectModel& model, QWidget* window);

    // The documents folder; new projects go into its "QuendixFree" folder.
    void setDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    QString documentsFolder() const { return m_documentsFolder; }
    QString defaultProjectFolder() const;
    // Where the first chooser opens when the program was started with a path.
    void setCommandLinePath(const QString& path) { m_commandLinePath = path; }
    // Run before the project is left, saved or switched: the main window stores its search
    // choices into the settings.
    void setStoreSearchConditions(std::function<void()> store) { m_store = std::move(store); }

    bool ensureProjectFolder(const QString& folder);
    QString chooseProjectFile(bool folderReady = true);
    bool openProject(const QString& path);
    int chooseAndOpenProject();
    bool closeProjectAsking(bool changed, CloseReason reason);

    // Commit and begin again. A failure is reported and the project reopened at its last saved
    // state; returns false then.
    bool saveProject();

    // After a store failure: when it rolled the project transaction back (ProjectModel::
    // transactionLost), says that the unsaved changes are gone and opens the project again at
    // its last saved state, as a failed project import does. True when it did.
    bool reopenIfTransactionLost();

    // Before an import: the project import first stores the search choices; then, when
    // anything changed, asks whether to save it. The answer (save or not), or nothing when
    // the user cancelled and the import must not run.
    std::optional<bool> askBeforeImport(bool storeConditions);

    bool isProjectOpen() const;
    QString currentFileName() const { return m_currentFileName; }
    QString currentFolder() const { return m_currentFolder; }
    // "name - Quendix Free (file.qdx)", or the program name while nothing is open.
    QString windowTitle() const;

    // Shows a store failure as "message\ndatabase text" with the error icon.
    void showStoreError(const StoreError& error) const;
    MessageAnswer ask(const QString& text, MessageButtons buttons, MessageIcon icon) const;

private:
    void storeSearchConditions();
    std::optional<bool> askToSave(bool changed, CloseReason reason) const;
    bool reopen();

    ProjectModel& m_model;
    QWidget* m_window;
    QString m_documentsFolder;
    QString m_commandLinePath;
    QString m_currentFileName;
    QString m_currentFolder; // with a trailing separator
    bool m_chooserUsed = false;
    std::function<void()> m_store;
};

} // namespace qdx
