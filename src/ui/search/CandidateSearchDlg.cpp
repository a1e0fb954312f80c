#include "ui/search/CandidateSearchDlg.h"

#include "store/ProjectModel.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchWindowParts.h"
#include "views/search/IndividualSearchPrintLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPrinter>
#include <QScrollBar>
#include <QStringList>
#include <QTableView>

namespace qdx {

namespace {

constexpr int kRefitMinimum = 60;

} // namespace

CandidateSearchDlg::CandidateSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                                       const QString& target, QWidget* parent)
    : QDialog(parent), m_model(model), m_initial(conditions), m_target(target) {}

void CandidateSearchDlg::makeTargetCombo() {
    m_targetCombo = new QComboBox(this);
    m_targetCombo->setObjectName(QStringLiteral("targetCombo"));
    m_targetCombo->setMinimumContentsLength(12);
}

void CandidateSearchDlg::makeCountChoices() {
    m_countCombo = new QComboBox(this);
    m_countCombo->setObjectName(QStringLiteral("displayCountCombo"));
    m_countCombo->setMinimumContentsLength(12);
    m_hideExcludedCheck = new QCheckBox(tr("検索対象外を非表示"), this);
    m_hideExcludedCheck->setObjectName(QStringLiteral("hideExcludedCheck"));
    m_hideExcludedCheck->setVisible(false);
}

void CandidateSearchDlg::makeResultList(QAbstractItemModel* model) {
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("resultList"));
    setUpResultList(m_table, model);
    m_table->horizontalHeader()->setSectionsClickable(false);
}

void CandidateSearchDlg::makeChartWithCaption() {
    m_chart = new ChartWidget(this);
    m_captionLabel = new CColorStatic(QString(), this);
    m_captionLabel->setObjectName(QStringLiteral("chartCaption"));
    m_captionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CandidateSearchDlg::makeListButtons(std::initializer_list<CColorButton*> before) {
    m_saveButton = new CColorButton(tr("ファイルに保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_printButton = new CColorButton(tr("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_historyButton = new CColorButton(tr("照合履歴"), this);
    m_historyButton->setObjectName(QStringLiteral("historyButton"));
    std::vector<CColorButton*> buttons(before);
    buttons.insert(buttons.end(), {m_saveButton, m_printButton, m_historyButton});
    for (CColorButton* b : buttons)
        b->setColors(QColor(236, 233, 216), Qt::black);
    m_closeButton = new CColorButton(tr("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    buttons.push_back(m_closeButton);
    for (CColorButton* b : buttons) {
        b->setAutoDefault(false);
        b->setFixedSize(b->sizeHint().expandedTo(QSize(90, 26)));
    }
}

void CandidateSearchDlg::connectListButtons() {
    connect(m_saveButton, &QPushButton::clicked, this, &CandidateSearchDlg::saveToFile);
    connect(m_printButton, &QPushButton::clicked, this, &CandidateSearchDlg::printList);
    connect(m_historyButton, &QPushButton::clicked, this, &CandidateSearchDlg::openHistory);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
}

bool CandidateSearchDlg::firstShow() {
    m_historyButton->setVisible(static_cast<bool>(historyOpener));
    if (m_opened)
        return false;
    m_opened = true;
    return true;
}

QImage CandidateSearchDlg::drawChart(const ChartContent& content) {
    if (!m_picturesLoaded) {
        m_painter.loadPictures(m_model.pictureFolder(), kSearchKindCount);
        m_picturesLoaded = true;
    }
    return m_painter.drawChart(content);
}

void CandidateSearchDlg::placeSharedControls() {
    const int w = width();
    const int h = height();
    m_chart->move(12, 55);
    m_table->setGeometry(508, 55, std::max(w - 520, 0), std::max(h - 136, 0));
    m_hideExcludedCheck->move(w - 138, 36);
    m_historyButton->move(12, h - 29);
    m_printButton->move(112, h - 29);
    m_saveButton->move(w - 215, h - 31);
    m_closeButton->move(w - 115, h - 57);
}

QString CandidateSearchDlg::caption() const {
    return m_captionLabel->text();
}

int CandidateSearchDlg::currentRow() const {
    const QModelIndex current = m_table->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CandidateSearchDlg::selectListRow(int row, int column) {
    m_table->selectRow(row);
    m_table->setCurrentIndex(m_table->model()->index(row, column));
}

int CandidateSearchDlg::hideExcluded() const {
    return m_hideExcludedCheck->isChecked() ? 1 : 0;
}

int CandidateSearchDlg::targetIndex(const std::vector<std::string>& targets,
                                    const QString& wanted) {
    if (wanted.isEmpty())
        return targets.empty() ? -1 : 0;
    const auto it = std::find(targets.begin(), targets.end(), wanted.toStdString());
    return it == targets.end() ? -1 : static_cast<int>(it - targets.begin());
}

int CandidateSearchDlg::fillTargetCombo(const std::vector<std::string>& targets,
                                        const QString& wanted) {
    m_updating = true;
    m_targetCombo->clear();
    const int selected = targetIndex(targets, wanted);
    // One insertion for the whole list: a disaster's side has a hundred thousand charts.
    QStringList items;
    items.reserve(static_cast<qsizetype>(targets.size()));
    for (const std::string& id : targets)
        items.push_back(qs(id));
    m_targetCombo->addItems(items);
    m_targetCombo->setCurrentIndex(selected);
    m_targetCombo->adjustSize();
    m_updating = false;
    return selected;
}

// The first two columns are hidden; the others fit their header and texts, never narrower than
// their first width (on a refit only the ID column, never narrower than a minimum).
void CandidateSearchDlg::fitListColumns(bool fitAll, int idColumn, int (*initialWidth)(int)) {
    const QAbstractItemModel* model = m_table->model();
    const QFontMetrics metrics(m_table->font());
    for (int column : {0, 1}) {
        m_table->setColumnWidth(column, 0);
        m_table->setColumnHidden(column, true);
    }
    for (int column = 2; column < model->columnCount(); ++column) {
        if (!fitAll && column != idColumn)
            continue;
        int width =
            metrics.horizontalAdvance(model->headerData(column, Qt::Horizontal).toString()) + 16;
        for (int row = 0; row < model->rowCount(); ++row)
            width = std::max(
                width,
                metrics.horizontalAdvance(model->data(model->index(row, column)).toString()) + 12);
        const int minimum = fitAll ? initialWidth(column) : kRefitMinimum;
        m_table->setColumnWidth(column, std::max(width, minimum));
    }
}

void CandidateSearchDlg::updateCommandStates() {
    const bool enabled = m_targetCombo->currentIndex() >= 0 && m_table->model()->rowCount() > 1;
    m_saveButton->setEnabled(enabled);
    m_printButton->setEnabled(enabled);
    m_historyButton->setEnabled(enabled);
}

int CandidateSearchDlg::listScroll() const {
    return m_table->verticalScrollBar()->value();
}

void CandidateSearchDlg::setListScroll(int value) {
    m_table->verticalScrollBar()->setValue(value);
}

QString CandidateSearchDlg::chooseResultFile() {
    return chooseIndividualResultFile(this, m_model,
                                      m_target.isEmpty() ? m_targetCombo->currentText() : m_target);
}

void CandidateSearchDlg::printIndividualLayout(
    const std::function<IndividualSearchPrintJob()>& makeJob) {
    QPrinter printer(QPrinter::HighResolution);
    if (!chooseSearchPrinter(this, m_model, printer, QStringLiteral("個別検索印刷")))
        return;
    IndividualSearchPrintJob job = makeJob();
    wordPrintout(job);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printPages(printer, [&](const PrintMetrics& metrics) {
        return layoutIndividualSearchPrint(job, metrics);
    });
    QApplication::restoreOverrideCursor();
}

} // namespace qdx
