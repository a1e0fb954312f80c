#pragma once

#include "model/DentalRecord.h"

#include <QAbstractTableModel>
#include <QColor>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qdx {

// One record list of the main window: a mark column, the ID, 32 tooth cells and the key.
// Rows are held packed (no item per cell) so that lists of several hundred thousand records
// load and scroll quickly.
class RecordListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kMarkColumn = 0;
    static constexpr int kIdColumn = 1;
    static constexpr int kFirstToothColumn = 2;
    static constexpr int kKeyColumn = 34;
    static constexpr int kColumnCount = 35;

    explicit RecordListModel(QObject* parent = nullptr);

    // Replaces every row with the records, in their order.
    void setRecords(const std::vector<DentalRecord>& records);
    void clear();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of a cell as the list shows it.
    QString cellText(int row, int column) const;
    QString markText(int row) const;
    QString idText(int row) const;
    QString keyText(int row) const;
    // Records not identified whose valid is at most 2.
    int searchableCount() const { return m_searchableCount; }
    // The row holding `dentalId`, or -1.
    int rowOfKey(const QString& dentalId) const;
    // The row of the highest Dental_ID (the first on a tie), or -1 when empty.
    int rowOfHighestKey() const;

    // "*" for kinds 0..2, "u" for 3, otherwise empty.
    static QString markFor(const MatchKind& kind);
    static QColor identifiedMarkColor() { return {221, 221, 221}; }
    static QColor hyphenIdColor() { return {255, 192, 203}; }

private:
    struct Row {
        std::string displayId;
        std::string dentalId;
        std::array<char, 32> classes{};
        std::uint32_t bridges = 0;
        char mark = 0;
    };

    std::vector<Row> m_rows;
    int m_searchableCount = 0;
};

} // namespace qdx
