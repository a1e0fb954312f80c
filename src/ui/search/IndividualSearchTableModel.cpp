#include "ui/search/IndividualSearchTableModel.h"

#include "ui/common/DisplayLanguage.h"
#include "ui/search/FullSearchTableModel.h"

namespace qdx {

IndividualSearchTableModel::IndividualSearchTableModel(QObject* parent)
    : CandidateTableModel(kIndividualColumnCount, parent) {}

void IndividualSearchTableModel::setRows(std::vector<IndividualRow> rows, int searchingSide) {
    m_searchingSide = searchingSide;
    replaceRows(std::move(rows));
}

QString IndividualSearchTableModel::cellText(const IndividualRow& row, int column) const {
    return QString::fromStdString(individualCellText(row, column));
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

QString IndividualSearchTableModel::headerText(int column) const {
    return QString::fromStdString(individualHeaderText(column, displayWording()));
}

bool IndividualSearchTableModel::isRightAligned(int column) const {
    return isIndividualColumnRightAligned(column);
}

} // namespace qdx
