#include "ui/log/ChangeLogTableModel.h"

namespace qdx {

ChangeLogTableModel::ChangeLogTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ChangeLogTableModel::setRows(std::vector<ChangeLogRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int ChangeLogTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ChangeLogTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kLogColumnCount;
}

QVariant ChangeLogTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kLogColumnCount)
        return {};
    const auto& row = m_rows[static_cast<std::size_t>(index.row())];
    const auto column = static_cast<LogColumn>(index.column());
    if (role == Qt::DisplayRole) {
        QString text = QString::fromStdString(logCell(row, column));
        // One line per row: a remark's line breaks show as blanks (the tooltip has them).
        if (column == LogColumn::Change)
            text.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    }
    if (role == Qt::ToolTipRole && column == LogColumn::Change)
        return QString::fromStdString(logCell(row, column));
    return {};
}

QVariant ChangeLogTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kLogColumnCount)
        return {};
    return QString::fromStdString(std::string(logColumnHeading(static_cast<LogColumn>(section))));
}

void ChangeLogTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kLogColumnCount)
        return;
    beginResetModel();
    sortChangeLog(m_rows, static_cast<LogColumn>(column), order == Qt::AscendingOrder);
    endResetModel();
}

} // namespace qdx
