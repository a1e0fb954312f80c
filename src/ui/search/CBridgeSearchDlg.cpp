#include "ui/search/CBridgeSearchDlg.h"

#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "ui/chart/BridgeLegendWidget.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/LegendSwatch.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/search/BridgeSearchTableModel.h"
#include "ui/search/SearchConditionControls.h"
#include "ui/search/SearchTask.h"
#include "ui/search/SearchWindowParts.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/search/DisplayCount.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>

#include <algorithm>

namespace qdx {

namespace {

constexpr QSize kInitialSize(1360, 720);
constexpr QPoint kChartAt(12, 55);

} // namespace

CBridgeSearchDlg::CBridgeSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                                   const QString& target, QWidget* parent)
    : CandidateSearchDlg(model, conditions, target, parent) {
    buildControls();
}

CBridgeSearchDlg::~CBridgeSearchDlg() = default;

void CBridgeSearchDlg::buildControls() {
    setObjectName(QStringLiteral("CBridgeSearchDlg"));
    setWindowTitle(tr("ブリッジ指定検索 - Quendix Free"));
    m_conditionLabel = new CColorStatic(tr("検索条件"), this);
    m_sideCombo = new QComboBox(this);
    m_sideCombo->setObjectName(QStringLiteral("sideCombo"));
    for (int s = 0; s < 3; ++s)
        m_sideCombo->addItem(coreTr(bridgeSideLabel(s)));
    makeTargetCombo();
    m_countLabel = new CColorStatic(tr("表示件数"), this);
    m_rankCombo = new QComboBox(this);
    m_rankCombo->setObjectName(QStringLiteral("rankCombo"));
    m_rankCombo->addItems({coreTr(bridgeRankLabel(0)), coreTr(bridgeRankLabel(1))});
    makeCountChoices();
    for (QComboBox* combo : {m_sideCombo, m_targetCombo, m_rankCombo, m_countCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->adjustSize();
    }

    m_tableModel = new BridgeSearchTableModel(this);
    makeResultList(m_tableModel);
    makeChartWithCaption();
    m_chart->setObjectName(QStringLiteral("patternChart"));
    buildLegend();

    m_searchButton = new CColorButton(tr("検索"), this);
    m_searchButton->setObjectName(QStringLiteral("searchButton"));
    makeListButtons({m_searchButton});
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
    m_markLegend = new CColorStatic(tr("b:ブリッジあり／*：判明済み／i：他人／u：鑑定中"), this);
    m_markLegend->setObjectName(QStringLiteral("markLegend"));
    m_markLegend->adjustSize();
}

void CBridgeSearchDlg::connectControls() {
    connect(m_sideCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CBridgeSearchDlg::sideChanged));
    connect(m_targetCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CBridgeSearchDlg::targetChanged));
    connect(m_rankCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CBridgeSearchDlg::rankChanged));
    connect(m_countCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CBridgeSearchDlg::countChanged));
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this,
            unlessUpdating(&CBridgeSearchDlg::hideChanged));
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updateCaption(); });
    connect(m_table, &QTableView::clicked, this,
            [this](const QModelIndex& index) { clickRow(index.row()); });
    // Every press on the picture toggles, the second of a double click too.
    connect(m_chart, &ChartWidget::clicked, this, &CBridgeSearchDlg::clickChart);
    connect(m_chart, &ChartWidget::doubleClicked, this, &CBridgeSearchDlg::clickChart);
    connect(m_searchButton, &QPushButton::clicked, this, &CBridgeSearchDlg::searchWithPattern);
    connectListButtons();
}

void CBridgeSearchDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!firstShow())
        return;
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

// The window shows one searching chart at a time and searches it alone: the entry the whole
// side's search would list for the target that fillTargets will select.
const DentalRecord* CBridgeSearchDlg::recordToList(int side) const {
    const BridgeLists lists = modelBridgeLists(m_model);
    const std::vector<std::string> targets = bridgeTargetIds(lists, side, hideExcluded());
    const int chosen = targetIndex(targets, m_target);
    const std::string target = chosen >= 0 ? targets[static_cast<std::size_t>(chosen)] : "";
    return bridgeListedRecord(lists, side, target, hideExcluded());
}

bool CBridgeSearchDlg::searchRecords() {
    const int s = side();
    const DentalRecord* record = recordToList(s);
    std::unique_ptr<SearchRun> fresh =
        searchInWindow(this, [&](SearchRun& run, const SearchControl& control) {
            return !record || runBridgeEntrySearch(m_model, modelBridgeLists(m_model), s, *record,
                                                   run, control);
        });
    return adopt(std::move(fresh), false);
}

bool CBridgeSearchDlg::searchPattern(const DentalRecord& pattern) {
    const int s = side();
    std::unique_ptr<SearchRun> fresh = searchInWindow(this, [&](SearchRun& run,
                                                                const SearchControl& control) {
        return runBridgePatternSearch(m_model, modelBridgeLists(m_model), s, pattern, run, control);
    });
    return adopt(std::move(fresh), true);
}

bool CBridgeSearchDlg::adopt(std::unique_ptr<SearchRun> fresh, bool patternRun) {
    if (!fresh)
        return false;
    // The rows point into the run they came from: they go with it.
    m_tableModel->setRows({});
    m_run = std::move(fresh);
    m_lists = modelBridgeLists(m_model);
    m_patternRun = patternRun;
    m_runSide = side();
    ++m_searchCount;
    return true;
}

void CBridgeSearchDlg::dropRun() {
    m_tableModel->setRows({});
    m_run.reset();
    fillDisplayCounts(-1);
    updateCaption();
    updateCommandStates();
}

bool CBridgeSearchDlg::runListsTarget() const {
    if (!m_run || m_patternRun)
        return true;
    const DentalRecord* record = recordToList(m_runSide);
    const auto& entries = m_run->entries();
    return entries.empty() ? record == nullptr : record == &entries.front().record();
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
    const int selected = fillTargetCombo(targets, wanted);
    if (!m_patternRun)
        m_target = selected >= 0 ? m_targetCombo->itemText(selected) : QString();
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
    fillDisplayCounts(-1);
}

void CBridgeSearchDlg::listKeepingCount() {
    const int kept = m_countCombo->currentIndex();
    relist(kMaxDisplayCount);
    fillDisplayCounts(kept);
    if (m_countCombo->currentIndex() != m_countCombo->count() - 1)
        relist(displayCount());
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

void CBridgeSearchDlg::fillDisplayCounts(int keptIndex) {
    m_updating = true;
    showDisplayCountChoice(m_countCombo,
                           bridgeDisplayCountChoice(m_tableModel->rowCount(), keptIndex));
    m_updating = false;
}

void CBridgeSearchDlg::restorePlace(const ListPlace& place) {
    restoreListPlace(place, *m_tableModel);
    fitColumns(false);
    updateCommandStates();
}

void CBridgeSearchDlg::relistKeepingPlace() {
    const ListPlace place = listPlace(m_tableModel->rows());
    relist(displayCount());
    restorePlace(place);
}

void CBridgeSearchDlg::fitColumns(bool fitAll) {
    fitListColumns(fitAll, kBridgeIdColumn, bridgeInitialWidth);
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
    const QString before = m_target;
    m_target = m_targetCombo->currentText();
    if (!searchRecords()) {
        // Cancelled: a pattern's list stays; a chart's list stays with its target selected.
        if (!m_patternRun)
            restoreTarget(before);
        return;
    }
    takePatternFromTarget();
    listKeepingCount();
    fitColumns(true);
    updateCommandStates();
    updatePicture();
    passConditions();
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
    const ListPlace place = listPlace(m_tableModel->rows());
    fillTargets();
    // Hiding can take the target away: the chart then listed is searched.
    if (!runListsTarget() && !searchRecords())
        dropRun();
    listKeepingCount();
    restorePlace(place);
    passConditions();
}

void CBridgeSearchDlg::restoreTarget(const QString& target) {
    m_target = target;
    m_updating = true;
    m_targetCombo->setCurrentIndex(m_targetCombo->findText(target));
    m_updating = false;
}

void CBridgeSearchDlg::passConditions() {
    if (onConditionsChanged)
        onConditionsChanged(conditions());
}

void CBridgeSearchDlg::selectRow(int row) {
    selectListRow(row, kBridgeIdColumn);
    updateCaption();
}

void CBridgeSearchDlg::updatePicture() {
    ChartContent content;
    content.kinds = m_pattern.state;
    content.bridges = m_pattern.bridge;
    m_chart->setChart(drawChart(content));
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
    placeSharedControls();
    updateCaption();
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
    m_markLegend->move(w - 606, h - 78);
    m_searchButton->move(12, h - 63);
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
