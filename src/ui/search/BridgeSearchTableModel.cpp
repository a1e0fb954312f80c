#include "ui/search/BridgeSearchTableModel.h"

#include "ui/common/CoreText.h"
#include "views/bridge/BridgeSearchView.h"

namespace qdx {

namespace {

// The counts are right-aligned as in the individual search, everything else centred.
QVariant alignment(int column) {
    const bool count = column >= 4 && column < kBridgeFixedColumns;
    return QVariant::fromValue(count ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter);
}

} // namespace

BridgeSearchTableModel::BridgeSearchTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void BridgeSearchTableModel::setRows(std::vector<BridgeRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int BridgeSearchTableModel::findRow(const std::string& displayId) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].displayId == displayId)
            return static_cast<int>(i);
    return -1;
}

int BridgeSearchTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int BridgeSearchTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kBridgeColumnCount;
}

QVariant BridgeSearchTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const BridgeRow& row = m_rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return qs(bridgeCellText(row, index.column()));
    case Qt::BackgroundRole:
        if (isBridgeCellHighlighted(row, index.column()))
            return bothBridgedColor();
        return row.grey ? QVariant(greyRowColor()) : QVariant();
    case Qt::TextAlignmentRole:
        return alignment(index.column());
    default:
        return {};
    }
}

QVariant BridgeSearchTableModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return qs(bridgeHeaderText(section));
    if (role == Qt::TextAlignmentRole)
        return alignment(section);
    return {};
}

} // namespace qdx
