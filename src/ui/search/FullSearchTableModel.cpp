#include "ui/search/FullSearchTableModel.h"
#include "ui/common/DisplayLanguage.h"

#include <QColor>

namespace qdx {

FullSearchTableModel::FullSearchTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void FullSearchTableModel::setRows(std::vector<FullSearchRow> rows, int n, bool priorityShown,
                                   int searchingSide) {
    beginResetModel();
    m_rows = std::move(rows);
    m_n = n;
    m_priorityShown = priorityShown;
    m_searchingSide = searchingSide;
    endResetModel();
}

bool FullSearchTableModel::sortByHeader(int column) {
    if (!m_sort.click(column))
        return false;
    emit layoutAboutToBeChanged();
    m_sort.sort(m_rows, [this](const FullSearchRow& row, int c) {
        return fullSearchCellText(row, c, m_priorityShown);
    });
    emit layoutChanged();
    return true;
}

int FullSearchTableModel::findRow(const std::string& displayId) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].displayId == displayId)
            return static_cast<int>(i);
    }
    return -1;
}

int FullSearchTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FullSearchTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : fullSearchColumnCount(m_n);
}

QColor FullSearchTableModel::sideColor(int side) {
    return side == 0 ? QColor(255, 192, 203) : QColor(255, 255, 153);
}

QVariant FullSearchTableModel::background(const FullSearchRow& row, int column) const {
    if (column == 2)
        return sideColor(m_searchingSide);
    if (column < kFullSearchFixedColumns)
        return {};
    const int k = (column - kFullSearchFixedColumns) / kColumnsPerCandidate;
    const int part = (column - kFullSearchFixedColumns) % kColumnsPerCandidate;
    if (k >= static_cast<int>(row.candidates.size()))
        return emptyGroupColor();
    return part <= 1 ? QVariant(sideColor(1 - m_searchingSide)) : QVariant();
}

QVariant FullSearchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const FullSearchRow& row = m_rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(fullSearchCellText(row, column, m_priorityShown));
    case Qt::BackgroundRole:
        return background(row, column);
    case Qt::TextAlignmentRole: {
        const bool centred =
            column <= 2 || (column - kFullSearchFixedColumns) % kColumnsPerCandidate <= 1;
        return QVariant::fromValue(centred ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
    }
    default:
        return {};
    }
}

QVariant FullSearchTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return coreTr(fullSearchHeaderText(section));
    if (role == Qt::TextAlignmentRole) {
        const bool right =
            section == 3 || (section >= kFullSearchFixedColumns &&
                             (section - kFullSearchFixedColumns) % kColumnsPerCandidate > 1);
        return QVariant::fromValue(right ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
    }
    return {};
}

} // namespace qdx
