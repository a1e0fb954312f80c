#include "ui/main/RecordListModel.h"

#include "model/ToothChart.h"
#include "ui/common/DisplayLanguage.h"
#include "views/search/DisplayCount.h"

#include <QColor>

#include <cstdlib>

namespace qdx {

RecordListModel::RecordListModel(QObject* parent) : QAbstractTableModel(parent) {}

QString RecordListModel::markFor(const MatchKind& kind) {
    const std::string_view mark = kind.listMark();
    return QString::fromUtf8(mark.data(), static_cast<qsizetype>(mark.size()));
}

void RecordListModel::setRecords(const std::vector<DentalRecord>& records) {
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(records.size());
    m_searchableCount = 0;
    for (const DentalRecord& record : records) {
        Row row;
        row.displayId = record.displayId;
        row.dentalId = record.Dental_ID;
        const ChartStrings chart = record.chart();
        for (int p = 0; p < kToothCount; ++p) {
            row.classes[static_cast<std::size_t>(p)] =
                static_cast<char>('0' + effectiveClass(chart, p));
            if (static_cast<std::size_t>(p) < record.bridgeChart.size() &&
                record.bridgeChart[static_cast<std::size_t>(p)] == '1') {
                row.bridges |= 1u << p;
            }
        }
        const QString mark = markFor(record.MATCH_KIND);
        row.mark = mark.isEmpty() ? 0 : static_cast<char>(mark.at(0).unicode());
        if (countsAsSearchable(record)) {
            ++m_searchableCount;
        }
        m_rows.push_back(std::move(row));
    }
    endResetModel();
}

void RecordListModel::clear() {
    setRecords({});
}

int RecordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int RecordListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString RecordListModel::markText(int row) const {
    const char mark = m_rows[static_cast<std::size_t>(row)].mark;
    return mark == 0 ? QString() : QString(QLatin1Char(mark));
}

QString RecordListModel::idText(int row) const {
    return QString::fromStdString(m_rows[static_cast<std::size_t>(row)].displayId);
}

QString RecordListModel::keyText(int row) const {
    return QString::fromStdString(m_rows[static_cast<std::size_t>(row)].dentalId);
}

QString RecordListModel::cellText(int row, int column) const {
    if (column == kMarkColumn) {
        return markText(row);
    }
    if (column == kIdColumn) {
        return idText(row);
    }
    if (column == kKeyColumn) {
        return keyText(row);
    }
    const Row& r = m_rows[static_cast<std::size_t>(row)];
    const int position = column - kFirstToothColumn;
    const QChar bridge = (r.bridges >> position) & 1u ? QLatin1Char('b') : QLatin1Char(' ');
    return QString(QLatin1Char(r.classes[static_cast<std::size_t>(position)])) + bridge;
}

QVariant RecordListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        if (index.column() == kMarkColumn && markText(index.row()).startsWith(QLatin1Char('*'))) {
            return identifiedMarkColor();
        }
        if (index.column() == kIdColumn && idText(index.row()).indexOf(QLatin1Char('-'), 1) > 0) {
            return hyphenIdColor();
        }
        return {};
    default:
        return {};
    }
}

QVariant RecordListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    }
    if (role != Qt::DisplayRole || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (section == kMarkColumn) {
        return QString();
    }
    if (section == kIdColumn) {
        return QStringLiteral("ID");
    }
    if (section == kKeyColumn) {
        return QStringLiteral("No.");
    }
    const int position = section - kFirstToothColumn;
    return QString::fromStdString(toothHeading(position, displayWording()));
}

int RecordListModel::rowOfKey(const QString& dentalId) const {
    const std::string key = dentalId.toStdString();
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].dentalId == key) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RecordListModel::rowOfHighestKey() const {
    int best = -1;
    long long bestKey = 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const long long key = std::atoll(m_rows[i].dentalId.c_str());
        if (best < 0 || key > bestKey) {
            best = static_cast<int>(i);
            bestKey = key;
        }
    }
    return best;
}

} // namespace qdx
