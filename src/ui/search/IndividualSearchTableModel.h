#pragma once

#include "views/search/IndividualSearchRows.h"

#include <QAbstractTableModel>
#include <QColor>

#include <vector>

namespace qdx {

// The individual search list: the searching chart, its candidates and the grey rows, with the
// side colours and the agreeing teeth marked.
class IndividualSearchTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit IndividualSearchTableModel(QObject* parent = nullptr);

    // Replaces the rows; searchingSide 0 post-mortem, 1 ante-mortem.
    void setRows(std::vector<IndividualRow> rows, int searchingSide);
    const std::vector<IndividualRow>& rows() const { return m_rows; }
    // The row with this ID (the first row counts), or -1.
    int findRow(const std::string& displayId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    static QColor agreeingToothColor() { return {255, 102, 255}; }
    static QColor greyRowColor() { return {201, 201, 201}; }

private:
    QVariant background(const IndividualRow& row, int column) const;

    std::vector<IndividualRow> m_rows;
    int m_searchingSide = 1;
};

} // namespace qdx
