#pragma once

#include "views/bridge/BridgeRows.h"

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace qdx {

// The bridge search list: the searching chart, its candidates and the grey rows, with the
// teeth both charts bridge marked.
class BridgeSearchTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit BridgeSearchTableModel(QObject* parent = nullptr);

    void setRows(std::vector<BridgeRow> rows);
    const std::vector<BridgeRow>& rows() const { return m_rows; }
    // The row with this ID (the first row counts), or -1.
    int findRow(const std::string& displayId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QColor bothBridgedColor() { return {255, 102, 255}; }
    static QColor greyRowColor() { return {201, 201, 201}; }

private:
    std::vector<BridgeRow> m_rows;
};

} // namespace qdx
