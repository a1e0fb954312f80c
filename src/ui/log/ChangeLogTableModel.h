#pragma once

#include "views/log/ChangeLogRows.h"

#include <QAbstractTableModel>

#include <vector>

namespace qdx {

// The change-history window's rows; sort() orders them as a header click does.
class ChangeLogTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ChangeLogTableModel(QObject* parent = nullptr);

    void setRows(std::vector<ChangeLogRow> rows);
    const std::vector<ChangeLogRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    std::vector<ChangeLogRow> m_rows;
};

} // namespace qdx
