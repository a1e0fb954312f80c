#pragma once

#include "ui/common/ReportOpener.h"
#include "views/history/PairComparison.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QTableView;

namespace qdx {

class CColorButton;
class CColorStatic;
class ProjectModel;

// The two records of an identified pair as rows of one table.
class ComparisonTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ComparisonTableModel(std::vector<ComparisonRow> rows, QObject* parent = nullptr);

    const std::vector<ComparisonRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<ComparisonRow> m_rows;
};

// "判明データ比較": a record and the record it was matched with, tooth by tooth, the
// post-mortem record first. It only reads the project; the constructor throws StoreError when
// reading fails.
class CMatchDiffDlg : public QDialog {
    Q_OBJECT
public:
    CMatchDiffDlg(const ProjectModel& model, int side, long long dentalId,
                  QWidget* parent = nullptr);

    // "報告書" on the pair; without an opener, or without a partner, the button is not shown.
    void setReportOpener(ReportOpener opener);

    QTableView* table() const { return m_table; }
    ComparisonTableModel* tableModel() const { return m_model; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitColumns();
    int openingWidth() const;

    ComparisonTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    CColorStatic* m_bridgeLegend = nullptr;
    CColorButton* m_closeButton = nullptr;
    CColorButton* m_reportButton = nullptr;
    ReportOpener m_reportOpener;
    // The pair's keys; 0 for a record without a partner.
    long long m_postMortemKey = 0;
    long long m_anteMortemKey = 0;
};

} // namespace qdx
