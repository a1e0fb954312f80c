#pragma once

#include "views/search/FullSearchTable.h"
#include "views/search/SortRules.h"

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace qdx {

// The full search result table over the rows of one run: texts, alignment and per-cell colours
// are produced only for the cells the view shows.
class FullSearchTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FullSearchTableModel(QObject* parent = nullptr);

    // Replaces the rows; n candidate groups; searchingSide 0 post-mortem, 1 ante-mortem.
    void setRows(std::vector<FullSearchRow> rows, int n, bool priorityShown, int searchingSide);
    const std::vector<FullSearchRow>& rows() const { return m_rows; }
    int displayCount() const { return m_n; }

    // A header click: re-sorts the rows when the column sorts. False for other columns.
    bool sortByHeader(int column);
    // The row whose searching chart has this ID, or -1.
    int findRow(const std::string& displayId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QColor sideColor(int side);
    static QColor emptyGroupColor() { return {201, 201, 201}; }

private:
    QVariant background(const FullSearchRow& row, int column) const;

    std::vector<FullSearchRow> m_rows;
    int m_n = 0;
    bool m_priorityShown = false;
    int m_searchingSide = 1;
    SortRules m_sort{SortRules::List::FullSearch};
};

} // namespace qdx
