#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace qdx {

// What the individual and the bridge search lists share: rows of one searching chart and its
// candidates (each with a `displayId`), read-only, with texts, colours and alignment per cell
// from the row kind's own rules.
template <class Row> class CandidateTableModel : public QAbstractTableModel {
public:
    const std::vector<Row>& rows() const { return m_rows; }
    // The row with this ID (the first row counts), or -1.
    int findRow(const std::string& displayId) const {
        for (std::size_t i = 0; i < m_rows.size(); ++i)
            if (m_rows[i].displayId == displayId)
                return static_cast<int>(i);
        return -1;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : m_columnCount;
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
        if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
            return {};
        const Row& row = m_rows[static_cast<std::size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
            return cellText(row, index.column());
        case Qt::BackgroundRole:
            return background(row, index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(alignment(index.column()));
        default:
            return {};
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override {
        if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
            return {};
        if (role == Qt::DisplayRole)
            return headerText(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(alignment(section));
        return {};
    }

    static QColor greyRowColor() { return {201, 201, 201}; }

protected:
    CandidateTableModel(int columnCount, QObject* parent)
        : QAbstractTableModel(parent), m_columnCount(columnCount) {}

    void replaceRows(std::vector<Row> rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }

    virtual QString cellText(const Row& row, int column) const = 0;
    virtual QVariant background(const Row& row, int column) const = 0;
    virtual QString headerText(int column) const = 0;
    // Counts right, everything else centred.
    Qt::Alignment alignment(int column) const {
        return isRightAligned(column) ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter;
    }
    virtual bool isRightAligned(int column) const = 0;

private:
    std::vector<Row> m_rows;
    int m_columnCount = 0;
};

} // namespace qdx
