#include "ui/search/BridgeSearchTableModel.h"

#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "views/bridge/BridgeSearchView.h"

namespace qdx {

BridgeSearchTableModel::BridgeSearchTableModel(QObject* parent)
    : CandidateTableModel(kBridgeColumnCount, parent) {}

QString BridgeSearchTableModel::cellText(const BridgeRow& row, int column) const {
    return qs(bridgeCellText(row, column));
}

QVariant BridgeSearchTableModel::background(const BridgeRow& row, int column) const {
    if (isBridgeCellHighlighted(row, column))
        return bothBridgedColor();
    return row.grey ? QVariant(greyRowColor()) : QVariant();
}

QString BridgeSearchTableModel::headerText(int column) const {
    return qs(bridgeHeaderText(column, displayWording()));
}

// The counts are right-aligned as in the individual search.
bool BridgeSearchTableModel::isRightAligned(int column) const {
    return column >= 4 && column < kBridgeFixedColumns;
}

} // namespace qdx
