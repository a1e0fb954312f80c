#pragma once

#include "views/history/MatchHistoryList.h"
#include "views/search/SortRules.h"

#include <QAbstractTableModel>
#include <QTableView>

#include <vector>

namespace qdx {

// The rows of the history list, one per listed entry.
class MatchHistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MatchHistoryTableModel(int side, QObject* parent = nullptr);

    void setRows(std::vector<HistoryListRow> rows);
    const std::vector<HistoryListRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    int m_side;
    std::vector<HistoryListRow> m_rows;
};

// The match history list: full-row selection, a click on the kind or partner header re-sorts
// the rows, and every refill keeps the last sort and widens the two visible columns.
class CMatchSortListCtrl : public QTableView {
    Q_OBJECT
public:
    CMatchSortListCtrl(int side, QWidget* parent = nullptr);

    // Lists the editor's entries; the editor must outlive the list.
    void refill(const MatchHistoryEditor& editor);
    // A header click; false (nothing changes) for columns that do not sort.
    bool sortByHeader(int column);

    MatchHistoryTableModel* tableModel() const { return m_model; }
    int rowCount() const { return m_model->rowCount(); }
    // The editor entry shown in a row.
    std::size_t entryAt(int row) const;
    int rowOfEntry(std::size_t entry) const;
    int selectedRow() const;
    void selectListRow(int row);
    const SortRules& sortRules() const { return m_sort; }

private:
    void fitColumns();

    MatchHistoryTableModel* m_model = nullptr;
    const MatchHistoryEditor* m_editor = nullptr;
    SortRules m_sort{SortRules::List::History};
};

} // namespace qdx
