#include "ui/history/CMatchSortListCtrl.h"
#include "ui/common/DisplayLanguage.h"

#include <QFontMetrics>
#include <QHeaderView>

namespace qdx {

MatchHistoryTableModel::MatchHistoryTableModel(int side, QObject* parent)
    : QAbstractTableModel(parent), m_side(side) {}

void MatchHistoryTableModel::setRows(std::vector<HistoryListRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int MatchHistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int MatchHistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kHistoryColumns;
}

QVariant MatchHistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kHistoryColumns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto& row = m_rows[static_cast<std::size_t>(index.row())];
    return QString::fromStdString(row.cells[static_cast<std::size_t>(index.column())]);
}

QVariant MatchHistoryTableModel::headerData(int section, Qt::Orientation orientation,
                                            int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kHistoryColumns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    return coreTr(historyHeaderText(section, m_side));
}

CMatchSortListCtrl::CMatchSortListCtrl(int side, QWidget* parent)
    : QTableView(parent), m_model(new MatchHistoryTableModel(side, this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    // Column 0 is a placeholder and 3..6 carry the entry's keys for the sort only.
    for (int column : {0, 3, 4, 5, 6})
        setColumnHidden(column, true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortByHeader(column); });
    fitColumns();
}

void CMatchSortListCtrl::refill(const MatchHistoryEditor& editor) {
    m_editor = &editor;
    m_model->setRows(historyListRows(editor, m_sort, displayWording()));
    fitColumns();
}

bool CMatchSortListCtrl::sortByHeader(int column) {
    if (!m_sort.click(column))
        return false;
    const int selected = selectedRow();
    const std::size_t entry = selected >= 0 ? entryAt(selected) : 0;
    if (m_editor)
        m_model->setRows(historyListRows(*m_editor, m_sort, displayWording()));
    if (selected >= 0)
        selectListRow(rowOfEntry(entry));
    return true;
}

std::size_t CMatchSortListCtrl::entryAt(int row) const {
    return m_model->rows()[static_cast<std::size_t>(row)].entry;
}

int CMatchSortListCtrl::rowOfEntry(std::size_t entry) const {
    return historyRowOfEntry(m_model->rows(), entry);
}

int CMatchSortListCtrl::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CMatchSortListCtrl::selectListRow(int row) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    selectRow(row);
    scrollTo(m_model->index(row, 1));
}

void CMatchSortListCtrl::fitColumns() {
    const QFontMetrics metrics(font());
    const QFontMetrics header(horizontalHeader()->font());
    const int minimum[] = {kHistoryKindMinWidth, kHistoryPartnerMinWidth};
    for (int column = 1; column <= 2; ++column) {
        int width =
            header.horizontalAdvance(m_model->headerData(column, Qt::Horizontal).toString());
        for (int row = 0; row < m_model->rowCount(); ++row)
            width = std::max(
                width, metrics.horizontalAdvance(m_model->index(row, column).data().toString()));
        setColumnWidth(column, std::max(width + 16, minimum[column - 1]));
    }
}

} // namespace qdx
