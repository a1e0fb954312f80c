#include "ui/search/IndividualSearchTableModel.h"

#include "ui/search/FullSearchTableModel.h"

namespace qdx {

IndividualSearchTableModel::IndividualSearchTableModel(QObject* parent)
    : QAbstractTableModel(parent) {}

void IndividualSearchTableModel::setRows(std::vector<IndividualRow> rows, int searchingSide) {
    beginResetModel();
    m_rows = std::move(rows);
    m_searchingSide = searchingSide;
    endResetModel();
}

int IndividualSearchTableModel::findRow(const std::string& displayId) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].displayId == displayId)
            return static_cast<int>(i);
    }
    return -1;
}

int IndividualSearchTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int IndividualSearchTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kIndividualColumnCount;
}

QVariant IndividualSearchTableModel::background(const IndividualRow& row, int column) const {
    if (column >= kIndividualFixedColumns && row.agrees[column - kIndividualFixedColumns])
        return agreeingToothColor();
    // Grey rows are candidates under examination or another person listed below the others.
    if (row.kind == IndividualRow::Kind::Grey)
        return greyRowColor();
    if (column == kIndividualIdColumn)
        return FullSearchTableModel::sideColor(row.isSearching() ? m_searchingSide
                                                                 : 1 - m_searchingSide);
    return {};
}

QVariant IndividualSearchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const IndividualRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(individualCellText(row, index.column()));
    case Qt::BackgroundRole:
        return background(row, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(isIndividualColumnRightAligned(index.column())
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant IndividualSearchTableModel::headerData(int section, Qt::Orientation orientation,
                                                int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(individualHeaderText(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(isIndividualColumnRightAligned(section)
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignCenter);
    return {};
}

} // namespace qdx
