#include "ui/search/CFullSearchDlg.h"

#include "io/SearchResultFile.h"
#include "matching/SearchRequest.h"
#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/search/FullSearchTableModel.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchConditionControls.h"
#include "ui/search/SearchTask.h"
#include "ui/search/SearchWindowParts.h"
#include "views/search/DisplayCount.h"
#include "views/search/FullSearchTable.h"
#include "views/search/SearchLabels.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPrinter>
#include <QScrollBar>
#include <QTableView>

#include <unordered_map>

namespace qdx {

namespace {

constexpr int kRefitMinimum = 60;

} // namespace

CFullSearchDlg::CFullSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                               QWidget* parent)
    : QDialog(parent), m_model(model), m_initial(conditions), m_run(std::make_unique<SearchRun>()) {
    setObjectName(QStringLiteral("CFullSearchDlg"));
    setWindowTitle(tr("全検索 - Quendix Free"));
    buildControls();
    resize(1024, 640);
}

CFullSearchDlg::~CFullSearchDlg() {
    // The individual search window reaches back into this one; it goes first.
    delete m_individual;
}

void CFullSearchDlg::buildControls() {
    m_conditionLabel = new CColorStatic(tr("検索条件"), this);
    m_directionCombo = new QComboBox(this);
    m_directionCombo->setObjectName(QStringLiteral("directionCombo"));
    fillDirectionCombo(m_directionCombo);
    m_rankKeyCombo = new QComboBox(this);
    m_rankKeyCombo->setObjectName(QStringLiteral("rankKeyCombo"));
    fillRankKeyCombo(m_rankKeyCombo);
    m_countLabel = new CColorStatic(tr("表示件数"), this);
    m_countCombo = new QComboBox(this);
    m_countCombo->setObjectName(QStringLiteral("displayCountCombo"));
    m_hideExcludedCheck = new QCheckBox(tr("検索対象外を非表示"), this);
    m_hideExcludedCheck->setObjectName(QStringLiteral("hideExcludedCheck"));
    m_hideExcludedCheck->setVisible(false);

    m_tableModel = new FullSearchTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resultTable"));
    setUpResultList(m_table, m_tableModel);
    m_table->horizontalHeader()->setSectionsClickable(true);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { m_tableModel->sortByHeader(column); });
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openIndividualSearch(index.row()); });

    m_legendLabel = new CColorStatic(tr("*：判明済み／i：他人／u：鑑定中"), this);
    m_saveButton = new CColorButton(tr("ファイルに保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setColors(QColor(236, 233, 216), Qt::black);
    m_printButton = new CColorButton(tr("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_printButton->setColors(QColor(236, 233, 216), Qt::black);
    m_closeButton = new CColorButton(tr("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    for (QPushButton* b :
         {static_cast<QPushButton*>(m_saveButton), static_cast<QPushButton*>(m_printButton),
          static_cast<QPushButton*>(m_closeButton)}) {
        b->setAutoDefault(false);
        b->setFixedSize(b->sizeHint().expandedTo(QSize(90, 26)));
    }

    for (QComboBox* combo : {m_directionCombo, m_rankKeyCombo, m_countCombo}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->adjustSize();
    }
    m_countCombo->setMinimumContentsLength(12);
    m_countCombo->adjustSize();

    connect(m_directionCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            directionChanged();
    });
    connect(m_countCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            displayCountChanged();
    });
    connect(m_rankKeyCombo, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_updating)
            rankKeyChanged();
    });
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this, [this] {
        if (!m_updating)
            hideExcludedToggled();
    });
    connect(m_saveButton, &QPushButton::clicked, this, &CFullSearchDlg::saveToFile);
    connect(m_printButton, &QPushButton::clicked, this, &CFullSearchDlg::printTable);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

void CFullSearchDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    m_updating = true;
    m_directionCombo->setCurrentIndex(m_initial.searchDirection == 1 ? 1 : 0);
    m_rankKeyCombo->setCurrentIndex(std::clamp(m_initial.rankKey, 0, 3));
    m_hideExcludedCheck->setChecked(m_initial.hideExcluded == 1);
    m_runDirection = m_directionCombo->currentIndex();
    m_updating = false;
    fillDisplayCounts();
    search();
    refill(true);
    updateCommandStates();
    setMinimumSize(size());
}

SearchConditions CFullSearchDlg::conditions() const {
    SearchConditions c;
    c.searchDirection = m_directionCombo->currentIndex();
    c.topNIndex = m_countCombo->currentIndex();
    c.rankKey = m_rankKeyCombo->currentIndex();
    c.hideExcluded = m_hideExcludedCheck->isChecked() ? 1 : 0;
    return c;
}

int CFullSearchDlg::displayCountItems() const {
    return m_countCombo->count();
}

int CFullSearchDlg::candidateSide() const {
    return m_directionCombo->currentIndex() == 0 ? PostMortem : AnteMortem;
}

int CFullSearchDlg::displayCount() const {
    return m_countCombo->currentIndex() + 1;
}

void CFullSearchDlg::fillDisplayCounts() {
    const int c = searchCandidateCount(m_model.records(candidateSide()),
                                       m_hideExcludedCheck->isChecked() ? 1 : 0);
    m_updating = true;
    fillDisplayCountCombo(m_countCombo, c, m_initial.topNIndex);
    m_updating = false;
}

bool CFullSearchDlg::search() {
    const int direction = m_directionCombo->currentIndex();
    std::unique_ptr<SearchRun> run = searchInWindow(this, m_model, direction);
    if (!run)
        return false;
    m_run = std::move(run);
    m_runDirection = direction;
    ++m_searchCount;
    return true;
}

void CFullSearchDlg::refill(bool fitAll) {
    const int n = m_countCombo->count() > 0 ? displayCount() : 0;
    const int searchingSide = 1 - candidateSide();
    m_tableModel->setRows(buildFullSearchRows(*m_run, m_rankKeyCombo->currentIndex(), n,
                                              m_hideExcludedCheck->isChecked() ? 1 : 0),
                          n, m_countCombo->count() > 0, searchingSide);
    fitColumns(fitAll);
}

void CFullSearchDlg::fitColumns(bool fitAll) {
    const QFontMetrics metrics(m_table->font());
    const auto& rows = m_tableModel->rows();
    const bool priorityShown = m_countCombo->count() > 0;
    // Counts and scores repeat a lot: measure each distinct text once.
    std::unordered_map<std::string, int> measured;
    const auto textWidth = [&](const std::string& text) {
        const auto [it, added] = measured.try_emplace(text, 0);
        if (added)
            it->second = metrics.horizontalAdvance(qs(text));
        return it->second;
    };
    const int columns = m_tableModel->columnCount();
    m_table->setColumnWidth(0, 0);
    m_table->setColumnHidden(0, true);
    for (int column = 1; column < columns; ++column) {
        const bool idColumn =
            column == 2 || (column >= kFullSearchFixedColumns &&
                            (column - kFullSearchFixedColumns) % kColumnsPerCandidate == 1);
        if (!fitAll && !idColumn)
            continue;
        int width = metrics.horizontalAdvance(coreTr(fullSearchHeaderText(column))) + 16;
        for (const FullSearchRow& row : rows)
            width = std::max(width, textWidth(fullSearchCellText(row, column, priorityShown)) + 12);
        const int minimum = fitAll ? fullSearchInitialWidth(column) : kRefitMinimum;
        m_table->setColumnWidth(column, std::max(width, minimum));
    }
}

void CFullSearchDlg::directionChanged() {
    searchAgain();
}

void CFullSearchDlg::searchAgain() {
    fillDisplayCounts();
    if (!search()) {
        // Cancelled or failed: the previous table stays, with the choices it was made for.
        m_updating = true;
        m_directionCombo->setCurrentIndex(m_runDirection);
        m_updating = false;
        fillDisplayCounts();
        return;
    }
    refill(false);
    updateCommandStates();
    passConditions();
    if (m_individual && m_individual->isVisible())
        m_individual->sharedRunReplaced();
}

void CFullSearchDlg::displayCountChanged() {
    const QModelIndex current = m_table->currentIndex();
    const std::string selectedId =
        current.isValid() ? m_tableModel->rows()[static_cast<std::size_t>(current.row())].displayId
                          : std::string();
    const int scroll = m_table->verticalScrollBar()->value();
    refill(false);
    const int row = selectedId.empty() ? -1 : m_tableModel->findRow(selectedId);
    if (row >= 0)
        m_table->selectRow(row);
    m_table->verticalScrollBar()->setValue(scroll);
    updateCommandStates();
    passConditions();
}

void CFullSearchDlg::rankKeyChanged() {
    displayCountChanged();
}

void CFullSearchDlg::hideExcludedToggled() {
    fillDisplayCounts();
    displayCountChanged();
}

void CFullSearchDlg::passConditions() {
    if (onConditionsChanged)
        onConditionsChanged(conditions());
}

void CFullSearchDlg::openIndividualSearch(int row) {
    const auto& rows = m_tableModel->rows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    if (!m_individual) {
        m_individual = new CIndividualSearchDlg(*this);
        m_individual->historyOpener = historyOpener;
        m_individual->reportOpener = reportOpener;
    }
    m_directionCombo->setEnabled(false);
    m_individual->showTarget(qs(rows[static_cast<std::size_t>(row)].displayId));
}

void CFullSearchDlg::individualClosed() {
    m_directionCombo->setEnabled(true);
}

void CFullSearchDlg::takeIndividualChoices(const SearchConditions& choices, bool changed) {
    if (changed) {
        if (onMatchesChanged)
            onMatchesChanged(choices);
        m_updating = true;
        m_directionCombo->setCurrentIndex(choices.searchDirection);
        m_rankKeyCombo->setCurrentIndex(choices.rankKey);
        m_hideExcludedCheck->setChecked(choices.hideExcluded == 1);
        m_countCombo->setCurrentIndex(choices.topNIndex);
        m_updating = false;
        searchAgain();
        return;
    }
    // Each through its own control's handling, in this order.
    if (m_directionCombo->currentIndex() != choices.searchDirection)
        m_directionCombo->setCurrentIndex(choices.searchDirection);
    if (m_rankKeyCombo->currentIndex() != choices.rankKey)
        m_rankKeyCombo->setCurrentIndex(choices.rankKey);
    if (m_hideExcludedCheck->isChecked() != (choices.hideExcluded == 1))
        m_hideExcludedCheck->setChecked(choices.hideExcluded == 1);
    if (m_countCombo->currentIndex() != choices.topNIndex)
        m_countCombo->setCurrentIndex(choices.topNIndex);
}

void CFullSearchDlg::setBlocked(bool blocked) {
    // Disabling the window itself would disable the individual search window and the match
    // history over it as well: only this window's own controls are disabled.
    if (blocked) {
        m_blocked.clear();
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!w->isWindow() && w->isEnabled()) {
                m_blocked.emplace_back(w);
                w->setEnabled(false);
            }
        }
        return;
    }
    for (const QPointer<QWidget>& w : m_blocked)
        if (w)
            w->setEnabled(true);
    m_blocked.clear();
}

void CFullSearchDlg::updateCommandStates() {
    const bool enabled =
        fullSearchHasResults(m_tableModel->rows(), m_countCombo->count() > 0 ? displayCount() : 0);
    m_saveButton->setEnabled(enabled);
    m_printButton->setEnabled(enabled);
}

void CFullSearchDlg::saveToFile() {
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Save;
    choice.filter = Prompts::csvFilter();
    choice.defaultSuffix = QStringLiteral("csv");
    choice.initialPath = inProjectFolder(m_model, QStringLiteral("総検索結果.csv"));
    const QString path = Prompts::chooseFile(this, choice);
    if (path.isEmpty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        writeFullSearchCsv(path.toStdString(), m_tableModel->rows(), m_tableModel->displayCount());
        QApplication::restoreOverrideCursor();
    } catch (const SearchResultFileError& error) {
        QApplication::restoreOverrideCursor();
        Prompts::message(this, failureText(kCsvOpenFailedMessage, error.systemText()),
                         MessageButtons::Ok, MessageIcon::Error);
    }
}

void CFullSearchDlg::printTable() {
    QPrinter printer(QPrinter::HighResolution);
    if (!chooseSearchPrinter(this, m_model, printer, QStringLiteral("総検索印刷")))
        return;
    FullSearchPrintJob job = fullSearchPrintJob(
        m_tableModel->rows(), m_directionCombo->currentIndex(), m_rankKeyCombo->currentIndex(),
        m_tableModel->displayCount(), m_hideExcludedCheck->isChecked() ? 1 : 0);
    wordPrintout(job);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printPages(printer,
               [&](const PrintMetrics& metrics) { return layoutFullSearchPrint(job, metrics); });
    QApplication::restoreOverrideCursor();
}

void CFullSearchDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = width();
    const int h = height();
    m_conditionLabel->move(12, 16);
    m_directionCombo->move(82, 11);
    m_rankKeyCombo->move(222, 11);
    m_countLabel->move(420, 16);
    m_countCombo->move(490, 11);
    m_hideExcludedCheck->move(630, 15);
    m_table->setGeometry(12, 44, std::max(w - 25, 0), std::max(h - 118, 0));
    m_legendLabel->move(12, h - 70);
    m_saveButton->move(12, h - 34);
    m_printButton->move(112, h - 34);
    m_closeButton->move(w - 118, h - 61);
}

void CFullSearchDlg::keyPressEvent(QKeyEvent* event) {
    if (!handleSearchWindowKey(this, event, {m_saveButton, m_printButton, m_closeButton}))
        QDialog::keyPressEvent(event);
}

} // namespace qdx
