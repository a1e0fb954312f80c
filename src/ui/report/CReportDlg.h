#pragma once

#include "views/report/IdentificationReport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace qdx {

class CColorButton;
class ProjectModel;

// 報告書: the identification report of one post-mortem and one ante-mortem record. The
// examiners choose the conclusion and type their names and remarks; the first page shows as a
// preview; 印刷 prints the report, PDF保存 writes it into a PDF file. Either leaves a row in
// the change history (the conclusion, the names and the file), saved with the project. The
// constructor reads the project and throws StoreError when it cannot.
class CReportDlg : public QDialog {
    Q_OBJECT
public:
    CReportDlg(ProjectModel& model, long long postMortemKey, long long anteMortemKey,
               QWidget* parent = nullptr);

    // The report as the fields make it now.
    IdentificationReport report() const;
    QLabel* preview() const { return m_preview; }
    void print();
    void saveToPdf();

private:
    void buildControls();
    void showPreview();
    // The history row of a report that went out; a store failure is shown.
    void recordOutput(const IdentificationReport& report, const QString& file);

    ProjectModel& m_model;
    IdentificationReport m_read;
    QComboBox* m_conclusionCombo = nullptr;
    QLineEdit* m_examinerEdit = nullptr;
    QLineEdit* m_checkerEdit = nullptr;
    QPlainTextEdit* m_remarksEdit = nullptr;
    QLabel* m_preview = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_pdfButton = nullptr;
    CColorButton* m_closeButton = nullptr;
};

} // namespace qdx
