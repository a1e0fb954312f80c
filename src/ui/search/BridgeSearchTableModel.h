#pragma once

#include "ui/search/CandidateTableModel.h"
#include "views/bridge/BridgeRows.h"

#include <QColor>

#include <vector>

namespace qdx {

// The bridge search list: the searching chart, its candidates and the grey rows, with the
// teeth both charts bridge marked.
class BridgeSearchTableModel : public CandidateTableModel<BridgeRow> {
    Q_OBJECT
public:
    explicit BridgeSearchTableModel(QObject* parent = nullptr);

    void setRows(std::vector<BridgeRow> rows) { replaceRows(std::move(rows)); }

    static QColor bothBridgedColor() { return {255, 102, 255}; }

protected:
    QString cellText(const BridgeRow& row, int column) const override;
    QVariant background(const BridgeRow& row, int column) const override;
    QString headerText(int column) const override;
    bool isRightAligned(int column) const override;
};

} // namespace qdx
