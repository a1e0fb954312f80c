#include "ui/search/CIndividualSearchDlg.h"

#include "matching/SearchRequest.h"
#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/LegendSwatch.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/IndividualSearchTableModel.h"
#include "ui/search/SearchConditionControls.h"
#include "ui/search/SearchWindowParts.h"
#include "views/search/DisplayCount.h"
#include "views/search/FullSearchTable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QTableView>
#include <QToolTip>

#include <algorithm>

namespace qdx {

namespace {

constexpr QSize kInitialSize(1360, 720);

} // namespace

CIndividualSearchDlg::CIndividualSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                                           const QString& target, QWidget* parent)
    : CandidateSearchDlg(model, conditions, target, parent),
      m_ownRun(std::make_unique<SearchRun>()) {
    buildControls();
}

CIndividualSearchDlg::CIndividualSearchDlg(CFullSearchDlg& fullSearch)
    : CandidateSearchDlg(fullSearch.model(), fullSearch.conditions(), QString(), &fullSearch),
      m_fullSearch(&fullSearch) {
    setModal(false);
    buildControls();
}

CIndividualSearchDlg::~CIndividualSearchDlg() = default;

void CIndividualSearchDlg::buildControls() {
    setObjectName(QStringLiteral("CIndividualSearchDlg"));
    setWindowTitle(tr("個別検索 - Quendix Free"));
    m_targetLabel = new CColorStatic(tr("検索元選択"), this);
    makeTargetCombo();
    m_conditionLabel = new CColorStatic(tr("検索条件"), this);
    m_directionCombo = new QComboBox(this);
    m_directionCombo->setObjectName(QStringLiteral("directionCombo"));
    fillDirectionCombo(m_directionCombo);
    m_rankKeyCombo = new QComboBox(this);
    m_rankKeyCombo->setObjectName(QStringLiteral("rankKeyCombo"));
    fillRankKeyCombo(m_rankKeyCombo);
    m_countLabel = new CColorStatic(tr("表示件数"), this);
    makeCountChoices();
    for (QComboBox* combo : {m_targetCombo, m_directionCombo, m_rankKeyCombo, m_countCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->adjustSize();
    }

    m_tableModel = new IndividualSearchTableModel(this);
    makeResultList(m_tableModel);
    makeChartWithCaption();
    buildLegend();
    makeListButtons({});
    m_reportButton = new CColorButton(tr("報告書"), this);
    m_reportButton->setObjectName(QStringLiteral("reportButton"));
    m_reportButton->setColors(QColor(236, 233, 216), Qt::black);
    m_reportButton->setAutoDefault(false);
    m_reportButton->setFixedSize(m_reportButton->sizeHint().expandedTo(QSize(90, 26)));
    m_reportButton->hide();
    connectControls();
    resize(kInitialSize);
}

void CIndividualSearchDlg::buildLegend() {
    for (std::size_t i = 0; i < m_legendSwatches.size(); ++i) {
        m_legendSwatches[i] = new QLabel(this);
        m_legendSwatches[i]->setObjectName(QStringLiteral("legendSwatch%1").arg(i));
        m_legendTexts[i] = new CColorStatic(QString(), this);
        m_legendTexts[i]->setObjectName(QStringLiteral("legendText%1").arg(i));
    }
    m_classLegend = new CColorStatic(tr("1:健全歯 2:金属による部分修復 3:全部修復 "
                                        "4:C4,欠損 5:情報なし 6:歯あり d:乳歯 #:一致"),
                                     this);
    m_classLegend->setObjectName(QStringLiteral("classLegend"));
    showLegend(false);
}

void CIndividualSearchDlg::showLegend(bool candidate) {
    m_candidateLegend = candidate;
    const std::vector<LegendEntry> legend = legendEntries(
        candidate ? ChartLegendSet::IndividualCandidate : ChartLegendSet::IndividualOwn);
    for (std::size_t i = 0; i < m_legendSwatches.size() && i < legend.size(); ++i) {
        m_legendSwatches[i]->setPixmap(swatchPixmap(legend[i].swatch, 18));
        m_legendTexts[i]->setText(legend[i].text);
        m_legendTexts[i]->adjustSize();
    }
}

void CIndividualSearchDlg::connectControls() {
    connect(m_targetCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CIndividualSearchDlg::targetChanged));
    connect(m_directionCombo, &QComboBox::currentIndexChanged, this,
            unlessUpdating(&CIndividualSearchDlg::directionChanged));
    connect(m_countCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            choiceChanged(false);
    });
    connect(m_rankKeyCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            choiceChanged(false);
    });
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this, [this] {
        if (!m_updating)
            choiceChanged(true);
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { updatePicture(); });
    connect(m_chart, &ChartWidget::mouseMoved, this, &CIndividualSearchDlg::showToothTip);
    connectListButtons();
    connect(m_reportButton, &QPushButton::clicked, this, &CIndividualSearchDlg::openReport);
}

void CIndividualSearchDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_reportButton->setVisible(static_cast<bool>(reportOpener));
    if (!firstShow())
        return;
    if (!m_fullSearch)
        openFromMainWindow();
    if (m_openingRow > 0 && m_openingRow < m_tableModel->rowCount())
        selectRow(m_openingRow);
    setMinimumSize(size());
    m_ready = true;
}

void CIndividualSearchDlg::openFromMainWindow() {
    m_updating = true;
    m_directionCombo->setCurrentIndex(m_initial.searchDirection == 1 ? 1 : 0);
    m_rankKeyCombo->setCurrentIndex(std::clamp(m_initial.rankKey, 0, 3));
    m_hideExcludedCheck->setChecked(m_initial.hideExcluded == 1);
    m_runDirection = m_directionCombo->currentIndex();
    m_updating = false;
    fillDisplayCounts();
    fillTargets();
    search();
    refill(true);
    updateCommandStates();
}

void CIndividualSearchDlg::showTarget(const QString& displayId) {
    m_target = displayId;
    copyFullSearchChoices();
    fillTargets();
    refill(true);
    updateCommandStates();
    show();
    raise();
    activateWindow();
}

void CIndividualSearchDlg::copyFullSearchChoices() {
    const SearchConditions c = m_fullSearch->conditions();
    m_updating = true;
    m_directionCombo->setCurrentIndex(c.searchDirection);
    m_directionCombo->setEnabled(false);
    m_rankKeyCombo->setCurrentIndex(c.rankKey);
    m_hideExcludedCheck->setChecked(c.hideExcluded == 1);
    m_countCombo->clear();
    for (int i = 1; i <= m_fullSearch->displayCountItems(); ++i)
        m_countCombo->addItem(tr("TOP %1 を表示").arg(i));
    m_countCombo->setCurrentIndex(c.topNIndex);
    m_countCombo->setEnabled(m_countCombo->count() > 0);
    m_countCombo->adjustSize();
    m_runDirection = c.searchDirection;
    m_updating = false;
}

void CIndividualSearchDlg::sharedRunReplaced() {
    copyFullSearchChoices();
    relistKeepingPlace();
}

SearchConditions CIndividualSearchDlg::conditions() const {
    SearchConditions c;
    c.searchDirection = m_directionCombo->currentIndex();
    c.topNIndex = m_countCombo->currentIndex();
    c.rankKey = m_rankKeyCombo->currentIndex();
    c.hideExcluded = hideExcluded();
    return c;
}

int CIndividualSearchDlg::searchingSide() const {
    return m_directionCombo->currentIndex() == 0 ? AnteMortem : PostMortem;
}

int CIndividualSearchDlg::displayCount() const {
    return m_countCombo->count() > 0 ? m_countCombo->currentIndex() + 1 : 0;
}

const SearchRun* CIndividualSearchDlg::run() const {
    return m_fullSearch ? &m_fullSearch->run() : m_ownRun.get();
}

const SearchEntry* CIndividualSearchDlg::targetEntry() const {
    if (m_target.isEmpty() || m_targetCombo->currentIndex() < 0)
        return nullptr;
    return run()->findEntry(m_target.toStdString());
}

void CIndividualSearchDlg::fillDisplayCounts() {
    const int c = searchCandidateCount(m_model.records(1 - searchingSide()), hideExcluded());
    m_updating = true;
    fillDisplayCountCombo(m_countCombo, c, m_initial.topNIndex);
    m_updating = false;
}

bool CIndividualSearchDlg::search() {
    // Only the target's entry is scored: the list shows no other, and each entry ranks alone.
    const int direction = m_directionCombo->currentIndex();
    const DentalRecord* target =
        findSearchable(m_model.records(searchingSide()), m_target.toStdString());
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (target)
            runEntrySearch(m_model, direction, *target, *m_ownRun);
        else
            m_ownRun->clear();
    } catch (const StoreError& error) {
        m_ownRun->clear();
        QApplication::restoreOverrideCursor();
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    QApplication::restoreOverrideCursor();
    m_runDirection = direction;
    ++m_searchCount;
    return true;
}

void CIndividualSearchDlg::fillTargets() {
    const std::vector<std::string> targets =
        m_fullSearch ? individualTargets(*run(), hideExcluded())
                     : individualTargets(m_model.records(searchingSide()), hideExcluded());
    const int selected = fillTargetCombo(targets, m_target);
    m_target = selected >= 0 ? m_targetCombo->itemText(selected) : QString();
}

bool CIndividualSearchDlg::searchedTarget() const {
    const std::vector<SearchEntry>& entries = m_ownRun->entries();
    return entries.size() == 1 && m_runDirection == m_directionCombo->currentIndex() &&
           QString::fromStdString(entries.front().record().displayId) == m_target;
}

void CIndividualSearchDlg::refill(bool fitAll) {
    if (!m_fullSearch && !m_target.isEmpty() && !searchedTarget())
        search();
    const SearchEntry* entry = targetEntry();
    std::vector<IndividualRow> rows;
    if (entry)
        rows = buildIndividualRows(*entry, m_rankKeyCombo->currentIndex(), displayCount(),
                                   hideExcluded());
    m_tableModel->setRows(std::move(rows), searchingSide());
    fitColumns(fitAll);
    if (m_tableModel->rowCount() > 0)
        selectRow(0);
    else
        updatePicture();
}

void CIndividualSearchDlg::relistKeepingPlace() {
    const ListPlace place = listPlace(m_tableModel->rows());
    fillTargets();
    refill(false);
    restoreListPlace(place, *m_tableModel);
    updateCommandStates();
}

void CIndividualSearchDlg::fitColumns(bool fitAll) {
    fitListColumns(fitAll, kIndividualIdColumn, individualInitialWidth);
}

void CIndividualSearchDlg::targetChanged() {
    m_target = m_targetCombo->currentText();
    refill(true);
    updateCommandStates();
}

void CIndividualSearchDlg::directionChanged() {
    const QString before = m_target;
    fillDisplayCounts();
    fillTargets();
    if (!search()) {
        // Failed: the list stays as it was, with the direction and target it was made for.
        m_updating = true;
        m_directionCombo->setCurrentIndex(m_runDirection);
        m_updating = false;
        m_target = before;
        fillDisplayCounts();
        fillTargets();
        return;
    }
    refill(false);
    updateCommandStates();
    passConditions();
}

void CIndividualSearchDlg::choiceChanged(bool countsToo) {
    if (countsToo && !m_fullSearch)
        fillDisplayCounts();
    relistKeepingPlace();
    passConditions();
}

void CIndividualSearchDlg::passConditions() {
    const SearchConditions now = conditions();
    if (m_fullSearch) {
        const bool changed = m_changed;
        m_changed = false;
        m_fullSearch->takeIndividualChoices(now, changed);
        return;
    }
    if (onConditionsChanged)
        onConditionsChanged(now);
}

void CIndividualSearchDlg::selectRow(int row) {
    selectListRow(row, kIndividualIdColumn);
    updatePicture();
}

void CIndividualSearchDlg::updatePicture() {
    const auto& rows = m_tableModel->rows();
    if (rows.empty()) {
        m_kinds.reset();
        m_chart->setChart(QImage());
        m_captionLabel->clear();
        return;
    }
    const int row = std::max(currentRow(), 0);
    const IndividualRow& shown = rows[static_cast<std::size_t>(row)];
    ChartContent content;
    content.kinds = individualPictureKinds(shown);
    m_kinds = content.kinds;
    m_chart->setChart(drawChart(content));
    m_captionLabel->setText(
        qs(individualChartCaption(rows.front().displayId, shown.displayId, displayWording())));
    m_captionLabel->adjustSize();
    m_captionLabel->raise();
    if (shown.isSearching() == m_candidateLegend)
        showLegend(!shown.isSearching());
    m_tipPosition = -2;
}

void CIndividualSearchDlg::showToothTip(const QPoint& point) {
    const int position = ChartPainter::toothAt(point, m_chart->pictureRect());
    if (position == m_tipPosition)
        return;
    m_tipPosition = position;
    const auto& rows = m_tableModel->rows();
    const int row = std::max(currentRow(), 0);
    const QString text =
        rows.empty() ? QString()
                     : qs(individualToothTooltip(rows.front(), rows[static_cast<std::size_t>(row)],
                                                 position, displayWording()));
    m_chart->setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(m_chart->mapToGlobal(point), text, m_chart);
}

void CIndividualSearchDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    placeSharedControls();
    // Beside ファイルに保存: the lower left belongs to the legend.
    m_reportButton->move(w - 225 - m_reportButton->width(), h - 31);
    m_captionLabel->move(179, 284);
    m_targetLabel->move(w - 947, 15);
    m_targetCombo->move(w - 772, 11);
    m_conditionLabel->move(w - 584, 15);
    m_directionCombo->move(w - 516, 11);
    m_rankKeyCombo->move(w - 392, 11);
    m_countLabel->move(w - 205, 15);
    m_countCombo->move(w - 138, 11);
    m_classLegend->move(w - 606, h - 78);
    for (std::size_t i = 0; i < m_legendSwatches.size(); ++i) {
        const int x = 230 + 230 * static_cast<int>(i % 3);
        const int y = i < 3 ? h - 63 : h - 32;
        m_legendSwatches[i]->setGeometry(x, y, 16, 16);
        m_legendTexts[i]->move(x + 22, y);
    }
}

void CIndividualSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (!handleSearchWindowKey(
            this, event,
            {m_saveButton, m_printButton, m_historyButton, m_reportButton, m_closeButton}))
        QDialog::keyPressEvent(event);
}

void CIndividualSearchDlg::done(int result) {
    QDialog::done(result);
    // Re-used from the full search: closing only hides it, and frees the direction there.
    if (m_fullSearch)
        m_fullSearch->individualClosed();
}

} // namespace qdx
