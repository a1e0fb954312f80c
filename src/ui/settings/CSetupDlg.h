#pragma once

#include "views/settings/SettingsFields.h"
#include "views/settings/SettingsGrid.h"

#include <QDialog>

#include <array>

class QGroupBox;
class QLineEdit;

namespace qdx {

class CColorButton;
class ProjectModel;

// "環境設定": the project name, the match-priority factor and the four weight grids of the
// project's search settings. Nothing reaches the project model before 設定 passes every check;
// the opener saves the settings tables after OK.
class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(ProjectModel& model, QWidget* parent = nullptr);

    QLineEdit* projectNameEdit() const { return m_nameEdit; }
    QLineEdit* factorEdit() const { return m_factorEdit; }
    // The edit of one weight by its column and row class (1..5 or 1..6).
    QLineEdit* cellEdit(SettingsGrid grid, int columnClass, int rowClass) const;
    CColorButton* confirmButton() const { return m_confirmButton; }
    CColorButton* cancelButton() const { return m_cancelButton; }

    // 設定: checks every field; stores them and closes with OK when all pass.
    void confirm();
    // キャンセル and the close box: closes without storing once the user agrees.
    void askCancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QGroupBox* buildGroup(const QString& title, SettingsGrid left, SettingsGrid right);
    QGroupBox* buildGrid(SettingsGrid grid);
    QLineEdit* numberEdit(const QString& objectName);
    void showFields(const SettingsFields& fields);
    SettingsFields typedFields() const;
    QLineEdit* faultyEdit(const SettingsFault& fault) const;

    ProjectModel& m_model;
    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_factorEdit = nullptr;
    std::array<QLineEdit*, kSettingsCellCount> m_cells{};
    CColorButton* m_confirmButton = nullptr;
    CColorButton* m_cancelButton = nullptr;
};

} // namespace qdx
