#include "ui/history/CMatchDiffDlg.h"

#include "store/ProjectModel.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/DisplayLanguage.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QTableView>

namespace qdx {

namespace {

constexpr int kNarrowestOpening = 1000;
constexpr int kOpeningHeight = 230;

} // namespace

ComparisonTableModel::ComparisonTableModel(std::vector<ComparisonRow> rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)) {}

int ComparisonTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ComparisonTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kComparisonColumns;
}

QVariant ComparisonTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kComparisonColumns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto& cells = m_rows[static_cast<std::size_t>(index.row())].cells;
    return QString::fromStdString(cells[static_cast<std::size_t>(index.column())]);
}

QVariant ComparisonTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kComparisonColumns)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    return QString::fromStdString(comparisonHeaderText(section, displayWording()));
}

CMatchDiffDlg::CMatchDiffDlg(const ProjectModel& model, int side, long long dentalId,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CMatchDiffDlg"));
    setWindowTitle(tr("判明データ比較 - Quendix Free"));
    m_model = new ComparisonTableModel(
        pairComparisonRows(model, side, dentalId, DisplayLanguage::current()), this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setSectionsClickable(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setColumnHidden(0, true);

    m_bridgeLegend = new CColorStatic(tr("b:ブリッジあり"), this);
    m_bridgeLegend->setObjectName(QStringLiteral("bridgeLegend"));
    m_bridgeLegend->adjustSize();
    m_closeButton = new CColorButton(tr("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    m_closeButton->setAutoDefault(false);
    m_closeButton->resize(106, 34);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    m_reportButton = new CColorButton(tr("報告書"), this);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_reportButton->setAutoDefault(false);
    m_reportButton->resize(106, 34);
    m_reportButton->hide();
    connect(m_reportButton, &QPushButton::clicked, this, [this] {
        if (m_reportOpener)
            m_reportOpener(this, m_postMortemKey, m_anteMortemKey);
    });
    if (m_model->rows().size() == 2) {
        const long long partner =
            comparisonPartnerKey(model, model.getRecordWithMatch(side, dentalId), side);
        m_postMortemKey = side == PostMortem ? dentalId : partner;
        m_anteMortemKey = side == PostMortem ? partner : dentalId;
    }

    fitColumns();
    const QSize opening(openingWidth(), kOpeningHeight);
    resize(opening);
    setMinimumSize(opening);
}

int CMatchDiffDlg::openingWidth() const {
    // Wide enough for every tooth of both rows where the screen allows it.
    int columns = 0;
    for (int column = 1; column < kComparisonColumns; ++column)
        columns += m_table->columnWidth(column);
    const int wanted = columns + 25 + 2 * m_table->frameWidth() + 4;
    const QScreen* shown = screen();
    const int available = shown ? shown->availableGeometry().width() - 40 : wanted;
    return std::max(kNarrowestOpening, std::min(wanted, available));
}

void CMatchDiffDlg::fitColumns() {
    const QFontMetrics metrics(m_table->font());
    const QFontMetrics header(m_table->horizontalHeader()->font());
    for (int column = 1; column < kComparisonColumns; ++column) {
        int width = header.horizontalAdvance(
                        QString::fromStdString(comparisonHeaderText(column, displayWording()))) +
                    16;
        for (const ComparisonRow& row : m_model->rows()) {
            const auto& text = row.cells[static_cast<std::size_t>(column)];
            width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(text)) + 12);
        }
        m_table->setColumnWidth(column, std::max(width, comparisonInitialWidth(column)));
    }
}

void CMatchDiffDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int cx = width();
    const int cy = height();
    m_table->setGeometry(12, 11, std::max(cx - 25, 0), std::max(cy - 98, 0));
    m_bridgeLegend->move(cx - 146, cy - 75);
    m_closeButton->move(cx - 118, cy - 55);
    m_reportButton->move(12, cy - 55);
}

void CMatchDiffDlg::setReportOpener(ReportOpener opener) {
    m_reportOpener = std::move(opener);
    m_reportButton->setVisible(m_reportOpener && m_postMortemKey > 0 && m_anteMortemKey > 0);
}

void CMatchDiffDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (focusWidget() == m_closeButton)
            m_closeButton->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace qdx
