#include "ui/search/CBridgeSearchDlg.h"

#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "ui/chart/BridgeLegendWidget.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/LegendSwatch.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/search/BridgeSearchTableModel.h"
#include "ui/search/SearchTask.h"
#include "ui/search/SearchWindowParts.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/search/DisplayCount.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace qdx {

namespace {

constexpr int kRefitMinimum = 60;
constexpr QSize kInitialSize(1360, 720);
constexpr QPoint kChartAt(12, 55);

} // namespace

CBridgeSearchDlg::CBridgeSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                                   const QString& target, QWidget* parent)
    : QDialog(parent), m_model(model), m_initial(conditions), m_target(target) {
    buildControls();
}

CBridgeSearchDlg::~CBridgeSearchDlg() = default;

void CBridgeSearchDlg::buildControls() {
    setObjectName(QStringLiteral("CBridgeSearchDlg"));
    setWindowTitle(QStringLiteral("ブリッジ指定検索 - Quendix Free"));
    m_conditionLabel = new CColorStatic(QStringLiteral("検索条件"), this);
    m_sideCombo = new QComboBox(this);
    m_sideCombo->setObjectName(QStringLiteral("sideCombo"));
    for (int s = 0; s < 3; ++s)
        m_sideCombo->addItem(qs(bridgeSideLabel(s)));
    m_targetCombo = new QComboBox(this);
    m_targetCombo->setObjectName(QStringLiteral("targetCombo"));
    m_targetCombo->setMinimumContentsLength(12);
    m_countLabel = new CColorStatic(QStringLiteral("表示件数"), this);
    m_rankCombo = new QComboBox(this);
    m_rankCombo->setObjectName(QStringLiteral("rankCombo"));
    m_rankCombo->addItems({qs(bridgeRankLabel(0)), qs(bridgeRankLabel(1))});
    m_countCombo = new QComboBox(this);
    m_countCombo->setObjectName(QStringLiteral("displayCountCombo"));
    m_countCombo->setMinimumContentsLength(12);
    m_hideExcludedCheck = new QCheckBox(QStringLiteral("検索対象外を非表示"), this);
    m_hideExcludedCheck->setObjectName(QStringLiteral("hideExcludedCheck"));
    m_hideExcludedCheck->setVisible(false);
    for (QComboBox* combo : {m_sideCombo, m_targetCombo, m_rankCombo, m_countCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->adjustSize();
    }

    m_tableModel = new BridgeSearchTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resultList"));
    setUpResultList(m_table, m_tableModel);
    m_table->horizontalHeader()->setSectionsClickable(false);

    m_chart = new ChartWidget(this);
    m_chart->setObjectName(QStringLiteral("patternChart"));
    m_captionLabel = new CColorStatic(QString(), this);
    m_captionLabel->setObjectName(QStringLiteral("chartCaption"));
    m_captionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    buildLegend();

    m_searchButton = new CColorButton(QStringLiteral("検索"), this);
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    m_saveButton = new CColorButton(QStringLiteral("ファイルに保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_printButton = new CColorButton(QStringLiteral("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_historyButton = new CColorButton(QStringLiteral("照合履歴"), this);
    m_historyButton->setObjectName(QStringLiteral("historyButton"));
    for (CColorButton* b : {m_searchButton, m_saveButton, m_printButton, m_historyButton})
        b->setColors(QColor(236, 233, 216), Qt::black);
    m_closeButton = new CColorButton(QStringLiteral("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    for (CColorButton* b :
         {m_searchButton, m_saveButton, m_printButton, m_historyButton, m_closeButton}) {
        b->setAutoDefault(false);
        b->setFixedSize(b->sizeHint().expandedTo(QSize(90, 26)));
    }
    connectControls();
    resize(kInitialSize);
}

void CBridgeSearchDlg::buildLegend() {
    const std::vector<LegendEntry> legend = legendEntries(ChartLegendSet::BridgeSearch);
    for (std::size_t i = 0; i < m_legendSwatches.size() && i < legend.size(); ++i) {
        m_legendSwatches[i] = new QLabel(this);
        m_legendSwatches[i]->setObjectName(QStringLiteral("legendSwatch%1").arg(i));
        m_legendSwatches[i]->setPixmap(swatchPixmap(legend[i].swatch, 18));
        // The texts start on a line of their own beside a two-line icon; here the icon is one
        // line high.
        m_legendTexts[i] = new CColorStatic(legend[i].text.trimmed(), this);
        m_legendTexts[i]->setObjectName(QStringLiteral("legendText%1").arg(i));
        m_legendTexts[i]->adjustSize();
    }
    m_bridgeLegend = new BridgeLegendWidget(this);
    m_bridgeLegendText = new CColorStatic(ChartPainter::bridgeLegendText(), this);
    m_bridgeLegendText->setObjectName(QStringLiteral("bridgeLegendText"));
    m_bridgeLegendText->adjustSize();
    m_markLegend =
        new CColorStatic(QStringLiteral("b:ブリッジあり／*：判明済み／i：他人／u：鑑定中"), this);
    m_markLegend->setObjectName(QStringLiteral("markLegend"));
    m_markLegend->adjustSize();
}

void CBridgeSearchDlg::connectControls() {
    const auto guarded = [this](auto handler) {
        return [this, handler] {
            if (!m_updating)
                (this->*handler)();
        };
    };
    connect(m_sideCombo, &QComboBox::currentIndexChanged, this,
            guarded(&CBridgeSearchDlg::sideChanged));
    connect(m_targetCombo, &QComboBox::currentIndexChanged, this,
            guarded(&CBridgeSearchDlg::targetChanged));
    connect(m_rankCombo, &QComboBox::currentIndexChanged, this,
            guarded(&CBridgeSearchDlg::rankChanged));
    connect(m_countCombo, &QComboBox::currentIndexChanged, this,
            guarded(&CBridgeSearchDlg::countChanged));
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this,
            guarded(&CBridgeSearchDlg::hideChanged));
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateCaption(); });
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex& index) { clickRow(index.row()); });
    // Every press on the picture toggles, the second of a double click too.
    connect(m_chart, &ChartWidget::clicked, this, &CBridgeSearchDlg::clickChart);
    connect(m_chart, &ChartWidget::doubleClicked, this, &CBridgeSearchDlg::clickChart);
    connect(m_searchButton, &QPushButton::clicked, this, &CBridgeSearchDlg::searchWithPattern);
    connect(m_saveButton, &QPushButton::clicked, this, &CBridgeSearchDlg::saveToFile);
    connect(m_printButton, &QPushButton::clicked, this, &CBridgeSearchDlg::printList);
    connect(m_historyButton, &QPushButton::clicked, this, &CBridgeSearchDlg::openHistory);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void CBridgeSearchDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_historyButton->setVisible(static_cast<bool>(historyOpener));
    if (m_opened)
        return;
    m_opened = true;
    m_painter.loadPictures(m_model.pictureFolder(), kSearchKindCount);
    m_updating = true;
    m_sideCombo->setCurrentIndex(0);
    m_rankCombo->setCurrentIndex(m_initial.rankKey == 1 ? 1 : 0);
    m_hideExcludedCheck->setChecked(m_initial.hideExcluded == 1);
    m_updating = false;
    searchRecords();
    fillTargets();
    takePatternFromTarget();
    listFresh();
    fitColumns(true);
    updateCommandStates();
    updatePicture();
    setMinimumSize(size());
    m_ready = true;
}

SearchConditions CBridgeSearchDlg::conditions() const {
    return bridgeConditions(side(), m_countCombo->currentIndex(), rankView(), hideExcluded());
}

int CBridgeSearchDlg::side() const {
    return std::max(m_sideCombo->currentIndex(), 0);
}

int CBridgeSearchDlg::rankView() const {
    return m_rankCombo->currentIndex() == 1 ? 1 : 0;
}

int CBridgeSearchDlg::displayCount() const {
    return m_countCombo->count() > 0 ? m_countCombo->currentIndex() + 1 : kMaxDisplayCount;
}

int CBridgeSearchDlg::hideExcluded() const {
    return m_hideExcludedCheck->isChecked() ? 1 : 0;
}

bool CBridgeSearchDlg::searchRecords() {
    const int s = side();
    BridgeLists lists;
    std::unique_ptr<SearchRun> fresh =
        searchInWindow(this, [&](SearchRun& run, const SearchControl& control) {
            lists = keepBridgeLists(m_model, run);
            return runBridgeSearch(m_model, lists, s, run, control);
        });
    return adopt(std::move(fresh), lists, false);
}

bool CBridgeSearchDlg::searchPattern(const DentalRecord& pattern) {
    const int s = side();
    BridgeLists lists;
    std::unique_ptr<SearchRun> fresh =
        searchInWindow(this, [&](SearchRun& run, const SearchControl& control) {
            lists = keepBridgeLists(m_model, run);
            return runBridgePatternSearch(m_model, lists, s, pattern, run, control);
        });
    return adopt(std::move(fresh), lists, true);
}

bool CBridgeSearchDlg::adopt(std::unique_ptr<SearchRun> fresh, const BridgeLists& lists,
                             bool patternRun) {
    if (!fresh)
        return false;
    // The rows point into the run they came from: they go with it.
    m_tableModel->setRows({});
    m_run = std::move(fresh);
    m_lists = lists;
    m_patternRun = patternRun;
    m_runSide = side();
    ++m_searchCount;
    return true;
}

const SearchEntry* CBridgeSearchDlg::listedEntry() const {
    if (!m_run)
        return nullptr;
    if (m_patternRun)
        return m_run->entries().empty() ? nullptr : &m_run->entries().front();
    return bridgeListedEntry(*m_run, m_target.toStdString(), hideExcluded());
}

void CBridgeSearchDlg::fillTargets() {
    const std::vector<std::string> targets =
        m_run ? bridgeTargetIds(m_lists, m_runSide, hideExcluded()) : std::vector<std::string>();
    // A pattern search emptied the target; the list keeps showing the chart it came from.
    const QString wanted = m_patternRun ? m_targetCombo->currentText() : m_target;
    m_updating = true;
    m_targetCombo->clear();
    int selected = targets.empty() ? -1 : 0;
    if (!wanted.isEmpty()) {
        const auto it = std::find(targets.begin(), targets.end(), wanted.toStdString());
        selected = it == targets.end() ? -1 : static_cast<int>(it - targets.begin());
    }
    for (const std::string& id : targets)
        m_targetCombo->addItem(qs(id));
    m_targetCombo->setCurrentIndex(selected);
    if (!m_patternRun)
        m_target = selected >= 0 ? m_targetCombo->itemText(selected) : QString();
    m_targetCombo->adjustSize();
    m_updating = false;
}

void CBridgeSearchDlg::takePatternFromTarget() {
    const DentalRecord* chart = m_run && !m_target.isEmpty()
                                    ? bridgeTargetRecord(m_lists, m_runSide, m_target.toStdString())
                                    : nullptr;
    if (chart)
        m_pattern = patternFromChart(*chart);
}

void CBridgeSearchDlg::listFresh() {
    relist(kMaxDisplayCount);
    fillDisplayCounts();
}

void CBridgeSearchDlg::relist(int n) {
    const SearchEntry* entry = listedEntry();
    std::vector<BridgeRow> rows;
    if (entry)
        rows = bridgeRows(*entry, rankView(), n, hideExcluded());
    m_tableModel->setRows(std::move(rows));
    if (m_tableModel->rowCount() > 0)
        selectRow(0);
    else
        updateCaption();
}

void CBridgeSearchDlg::fillDisplayCounts() {
    const int items = std::max(m_tableModel->rowCount() - 1, 0);
    m_updating = true;
    m_countCombo->clear();
    for (int i = 0; i < items; ++i)
        m_countCombo->addItem(qs(displayCountCaption(i)));
    m_countCombo->setCurrentIndex(items - 1);
    m_countCombo->setEnabled(items > 0);
    m_countCombo->adjustSize();
    m_updating = false;
}

CBridgeSearchDlg::ListPlace CBridgeSearchDlg::listPlace() const {
    const int row = currentRow();
    ListPlace place;
    if (row >= 0)
        place.selectedId = m_tableModel->rows()[static_cast<std::size_t>(row)].displayId;
    place.scroll = m_table->verticalScrollBar()->value();
    return place;
}

void CBridgeSearchDlg::restorePlace(const ListPlace& place) {
    const int again = place.selectedId.empty() ? -1 : m_tableModel->findRow(place.selectedId);
    if (again >= 0)
        selectRow(again);
    m_table->verticalScrollBar()->setValue(place.scroll);
    fitColumns(false);
    updateCommandStates();
}

void CBridgeSearchDlg::relistKeepingPlace() {
    const ListPlace place = listPlace();
    relist(displayCount());
    restorePlace(place);
}

void CBridgeSearchDlg::fitColumns(bool fitAll) {
    const QFontMetrics metrics(m_table->font());
    for (int column : {0, 1}) {
        m_table->setColumnWidth(column, 0);
        m_table->setColumnHidden(column, true);
    }
    for (int column = 2; column < kBridgeColumnCount; ++column) {
        if (!fitAll && column != kBridgeIdColumn)
            continue;
        int width = metrics.horizontalAdvance(qs(bridgeHeaderText(column))) + 16;
        for (const BridgeRow& row : m_tableModel->rows())
            width =
                std::max(width, metrics.horizontalAdvance(qs(bridgeCellText(row, column))) + 12);
        const int minimum = fitAll ? bridgeInitialWidth(column) : kRefitMinimum;
        m_table->setColumnWidth(column, std::max(width, minimum));
    }
}

void CBridgeSearchDlg::sideChanged() {
    if (!searchRecords()) {
        // Cancelled or failed: the list stays as it was, with the side it was made for.
        m_updating = true;
        m_sideCombo->setCurrentIndex(m_runSide);
        m_updating = false;
        return;
    }
    fillTargets();
    takePatternFromTarget();
    listFresh();
    fitColumns(false);
    updateCommandStates();
    updatePicture();
    passConditions();
}

void CBridgeSearchDlg::targetChanged() {
    // A pattern run has no entry of a recorded chart: the side is searched again for it.
    const bool fromPattern = m_patternRun;
    m_target = m_targetCombo->currentText();
    if (fromPattern && !searchRecords())
        return;
    takePatternFromTarget();
    listFresh();
    fitColumns(true);
    updateCommandStates();
    updatePicture();
}

void CBridgeSearchDlg::rankChanged() {
    takePatternFromTarget();
    relistKeepingPlace();
    updatePicture();
    passConditions();
}

void CBridgeSearchDlg::countChanged() {
    relistKeepingPlace();
    passConditions();
}

void CBridgeSearchDlg::hideChanged() {
    fillTargets();
    listFresh();
    fitColumns(false);
    updateCommandStates();
    passConditions();
}

void CBridgeSearchDlg::passConditions() {
    if (onConditionsChanged)
        onConditionsChanged(conditions());
}

void CBridgeSearchDlg::updateCommandStates() {
    const bool enabled = m_targetCombo->currentIndex() >= 0 && m_tableModel->rowCount() > 1;
    m_saveButton->setEnabled(enabled);
    m_printButton->setEnabled(enabled);
    m_historyButton->setEnabled(enabled);
}

int CBridgeSearchDlg::currentRow() const {
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CBridgeSearchDlg::selectRow(int row) {
    m_table->selectRow(row);
    m_table->setCurrentIndex(m_tableModel->index(row, kBridgeIdColumn));
    updateCaption();
}

QString CBridgeSearchDlg::caption() const {
    return m_captionLabel->text();
}

void CBridgeSearchDlg::updatePicture() {
    ChartContent content;
    content.kinds = m_pattern.state;
    content.bridges = m_pattern.bridge;
    m_chart->setChart(m_painter.drawChart(content));
}

void CBridgeSearchDlg::updateCaption() {
    const auto& rows = m_tableModel->rows();
    if (rows.empty()) {
        m_captionLabel->clear();
        return;
    }
    const int row = std::clamp(currentRow(), 0, static_cast<int>(rows.size()) - 1);
    m_captionLabel->setText(qs(
        bridgeChartCaption(rows.front().displayId, rows[static_cast<std::size_t>(row)].displayId)));
    m_captionLabel->adjustSize();
    // In the middle of the chart, between the arches.
    m_captionLabel->move(
        kChartAt.x() + (ChartPainter::kPictureSize.width() - m_captionLabel->width()) / 2,
        kChartAt.y() + (ChartPainter::kPictureSize.height() - m_captionLabel->height()) / 2);
    m_captionLabel->raise();
}

void CBridgeSearchDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_chart->move(kChartAt);
    updateCaption();
    m_table->setGeometry(508, 55, std::max(w - 520, 0), std::max(h - 136, 0));
    // The conditions line up from the right edge: 検索条件 side target, 表示件数 ranking count.
    int x = w - 12;
    for (QWidget* control :
         {static_cast<QWidget*>(m_countCombo), static_cast<QWidget*>(m_rankCombo),
          static_cast<QWidget*>(m_countLabel), static_cast<QWidget*>(m_targetCombo),
          static_cast<QWidget*>(m_sideCombo), static_cast<QWidget*>(m_conditionLabel)}) {
        x -= control->width();
        const bool label = control == m_countLabel || control == m_conditionLabel;
        control->move(x, label ? 15 : 11);
        x -= control == m_countLabel ? 24 : 8;
    }
    m_hideExcludedCheck->move(w - 138, 36);
    m_markLegend->move(w - 606, h - 78);
    m_searchButton->move(12, h - 63);
    m_historyButton->move(12, h - 29);
    m_printButton->move(112, h - 29);
    m_saveButton->move(w - 215, h - 31);
    m_closeButton->move(w - 115, h - 57);
    for (std::size_t i = 0; i < m_legendSwatches.size(); ++i) {
        const int y = i == 0 ? h - 63 : h - 32;
        m_legendSwatches[i]->setGeometry(230, y, 16, 16);
        m_legendTexts[i]->move(252, y);
    }
    m_bridgeLegend->setGeometry(380, h - 66, 16, 56);
    m_bridgeLegendText->move(402, h - 66 + (56 - m_bridgeLegendText->height()) / 2);
}

void CBridgeSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (!handleSearchWindowKey(
            this, event,
            {m_searchButton, m_saveButton, m_printButton, m_historyButton, m_closeButton}))
        QDialog::keyPressEvent(event);
}

} // namespace qdx
