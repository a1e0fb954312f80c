#pragma once

#include "views/log/ChangeLogPrintLayout.h"
#include "views/log/ChangeLogRows.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace qdx {

class CColorButton;
class ChangeLogTableModel;
class ProjectModel;

// 変更履歴: the project's change history, newest first, filtered by record, examiner, kind of
// change and charts not yet checked; a header click sorts; ファイルに保存 writes "変更履歴.csv"
// (CP932, as `qdx log --csv`), 印刷 prints the list. It only reads the project.
class CChangeLogDlg : public QDialog {
    Q_OBJECT
public:
    CChangeLogDlg(ProjectModel& model, QWidget* parent = nullptr);

    // Lists one record's rows (side and ID shown in the filter); false when it cannot be read.
    bool showRecord(int side, long long dentalId, const std::string& displayId);
    // Reads the rows again with the filters as they are; false when the project cannot be
    // read (the message has been shown) or the ID names no record.
    bool reload();

    const LogFilter& filter() const { return m_filter; }
    ChangeLogTableModel* tableModel() const { return m_rows; }
    void saveToFile();
    // What 印刷 prints: the listed rows in their order, worded for the display language.
    ChangeLogPrintJob printJob() const;
    void print();

private:
    void buildControls();
    void fillChoices();
    bool readFilter();
    CColorButton* addButton(const QString& caption, const QString& name);

    ProjectModel& m_model;
    LogFilter m_filter;
    ChangeLogTableModel* m_rows = nullptr;
    QComboBox* m_sideCombo = nullptr;
    QLineEdit* m_idEdit = nullptr;
    QComboBox* m_examinerCombo = nullptr;
    QComboBox* m_kindCombo = nullptr;
    QCheckBox* m_uncheckedBox = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_countLabel = nullptr;
    CColorButton* m_showButton = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_closeButton = nullptr;
    bool m_filling = false;
    // The record chosen by showRecord while its ID stays in the field: no lookup by ID needed.
    long long m_shownKey = 0;
    std::string m_shownId;
};

} // namespace qdx
