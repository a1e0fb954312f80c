#include "ui/log/CChangeLogDlg.h"

#include "io/SearchResultFile.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/log/ChangeLogTableModel.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchWindowParts.h"
#include "views/log/ChangeLogPrintLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QTableView>
#include <QVBoxLayout>

#include <ctime>

namespace qdx {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void showStoreError(QWidget* parent, const StoreError& error) {
    Prompts::message(parent, failureText(error.message(), error.databaseText()), MessageButtons::Ok,
                     MessageIcon::Error);
}

} // namespace

CChangeLogDlg::CChangeLogDlg(ProjectModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("CChangeLogDlg"));
    setWindowTitle(tr("変更履歴"));
    buildControls();
    fillChoices();
    resize(1100, 600);
}

CColorButton* CChangeLogDlg::addButton(const QString& caption, const QString& name) {
    auto* button = new CColorButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumSize(110, 28);
    return button;
}

void CChangeLogDlg::buildControls() {
    m_sideCombo = new QComboBox(this);
    m_sideCombo->setObjectName(QStringLiteral("sideCombo"));
    m_sideCombo->addItems(
        {tr("すべて"), coreTr(sideLabel(PostMortem)), coreTr(sideLabel(AnteMortem))});
    m_idEdit = new QLineEdit(this);
    m_idEdit->setObjectName(QStringLiteral("idEdit"));
    m_idEdit->setMinimumWidth(140);
    m_examinerCombo = new QComboBox(this);
    m_examinerCombo->setObjectName(QStringLiteral("examinerCombo"));
    m_examinerCombo->setMinimumWidth(140);
    m_kindCombo = new QComboBox(this);
    m_kindCombo->setObjectName(QStringLiteral("kindCombo"));
    m_uncheckedBox = new QCheckBox(tr("未確認のみ"), this);
    m_uncheckedBox->setObjectName(QStringLiteral("uncheckedBox"));
    m_showButton = addButton(tr("表示"), QStringLiteral("showButton"));
    m_countLabel = new QLabel(this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));

    m_rows = new ChangeLogTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("logTable"));
    m_table->setModel(m_rows);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setSortIndicator(static_cast<int>(LogColumn::Time),
                                                  Qt::DescendingOrder);

    m_saveButton = addButton(tr("ファイルに保存"), QStringLiteral("saveButton"));
    m_printButton = addButton(tr("印刷"), QStringLiteral("printButton"));
    m_closeButton = addButton(tr("閉じる"), QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::cancelFace(), Qt::white);

    connect(m_showButton, &QPushButton::clicked, this, &CChangeLogDlg::reload);
    connect(m_idEdit, &QLineEdit::returnPressed, this, &CChangeLogDlg::reload);
    for (QComboBox* combo : {m_sideCombo, m_examinerCombo, m_kindCombo}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling)
                reload();
        });
    }
    connect(m_uncheckedBox, &QCheckBox::toggled, this, &CChangeLogDlg::reload);
    connect(m_saveButton, &QPushButton::clicked, this, &CChangeLogDlg::saveToFile);
    connect(m_printButton, &QPushButton::clicked, this, &CChangeLogDlg::print);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(tr("区分："), this));
    filters->addWidget(m_sideCombo);
    filters->addWidget(new QLabel(tr("ID："), this));
    filters->addWidget(m_idEdit);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(tr("担当者："), this));
    filters->addWidget(m_examinerCombo);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(tr("種類："), this));
    filters->addWidget(m_kindCombo);
    filters->addSpacing(12);
    filters->addWidget(m_uncheckedBox);
    filters->addWidget(m_showButton);
    filters->addStretch();
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_countLabel);
    commands->addStretch();
    commands->addWidget(m_saveButton);
    commands->addWidget(m_printButton);
    commands->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(m_table, 1);
    layout->addLayout(commands);
}

void CChangeLogDlg::fillChoices() {
    m_filling = true;
    m_kindCombo->clear();
    m_kindCombo->addItem(tr("すべて"));
    for (const std::string& kind : journalKinds())
        m_kindCombo->addItem(coreTr(kindLabel(kind)), qs(kind));
    m_examinerCombo->clear();
    m_examinerCombo->addItem(tr("すべて"));
    try {
        for (const std::string& name : journal::selectExaminers(m_model.database()))
            m_examinerCombo->addItem(qs(name), qs(name));
    } catch (const StoreError& error) {
        showStoreError(this, error);
    }
    m_filling = false;
}

bool CChangeLogDlg::showRecord(int side, long long dentalId, const std::string& displayId) {
    m_shownKey = dentalId;
    m_shownId = displayId;
    m_filling = true;
    m_sideCombo->setCurrentIndex(side == AnteMortem ? 2 : 1);
    m_idEdit->setText(qs(displayId));
    m_filling = false;
    return reload();
}

bool CChangeLogDlg::readFilter() {
    LogFilter filter;
    const int sideChoice = m_sideCombo->currentIndex();
    const std::string id = m_idEdit->text().trimmed().toStdString();
    if (sideChoice > 0 && !id.empty()) {
        const int side = sideChoice == 2 ? AnteMortem : PostMortem;
        long long key = id == m_shownId ? m_shownKey : 0;
        if (key == 0 && m_model.isIdFree(side, id, key)) {
            Prompts::message(this, coreTr("該当データがありませんでした。"), MessageButtons::Ok,
                             MessageIcon::Exclamation);
            m_idEdit->setFocus();
            m_idEdit->selectAll();
            return false;
        }
        filter.side = side;
        filter.dentalId = key;
    }
    filter.examiner = m_examinerCombo->currentData().toString().toStdString();
    filter.kind = m_kindCombo->currentData().toString().toStdString();
    filter.uncheckedOnly = m_uncheckedBox->isChecked();
    m_filter = filter;
    return true;
}

bool CChangeLogDlg::reload() {
    try {
        if (!readFilter())
            return false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        std::vector<ChangeLogRow> rows = loadChangeLog(m_model, m_filter);
        QApplication::restoreOverrideCursor();
        const auto* header = m_table->horizontalHeader();
        sortChangeLog(rows, static_cast<LogColumn>(header->sortIndicatorSection()),
                      header->sortIndicatorOrder() == Qt::AscendingOrder, displayWording());
        m_rows->setRows(std::move(rows));
    } catch (const StoreError& error) {
        QApplication::restoreOverrideCursor();
        showStoreError(this, error);
        return false;
    }
    m_countLabel->setText(tr("%1件").arg(m_rows->rowCount()));
    // The change is the last column and takes the room that is left; its full text is the
    // tooltip.
    for (int column = 0; column < static_cast<int>(LogColumn::Change); ++column)
        m_table->resizeColumnToContents(column);
    m_saveButton->setEnabled(m_rows->rowCount() > 0);
    m_printButton->setEnabled(m_rows->rowCount() > 0);
    return true;
}

void CChangeLogDlg::saveToFile() {
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Save;
    choice.filter = Prompts::csvFilter();
    choice.defaultSuffix = QStringLiteral("csv");
    choice.initialPath = inProjectFolder(m_model, qs(std::string(kChangeLogFileName)));
    const QString path = Prompts::chooseFile(this, choice);
    if (path.isEmpty())
        return;
    try {
        writeChangeLogCsv(path.toStdString(), m_rows->rows());
    } catch (const SearchResultFileError& error) {
        Prompts::message(this, failureText(kCsvOpenFailedMessage, error.systemText()),
                         MessageButtons::Ok, MessageIcon::Error);
    }
}

ChangeLogPrintJob CChangeLogDlg::printJob() const {
    ChangeLogPrintJob job;
    // In English the printout takes its words from the display language, as the search
    // printouts do; in Japanese it prints the program's own texts.
    job.english = DisplayLanguage::english();
    if (DisplayLanguage::current() != Language::Japanese)
        job.wording = displayWording();
    job.filterText = logFilterText(m_filter, m_idEdit->text().trimmed().toStdString(), job.wording);
    job.createdText = printCreatedText(std::time(nullptr), job.wording);
    job.rows = m_rows->rows();
    return job;
}

void CChangeLogDlg::print() {
    QPrinter printer(QPrinter::HighResolution);
    if (!chooseSearchPrinter(this, m_model, printer, QStringLiteral("変更履歴")))
        return;
    const ChangeLogPrintJob job = printJob();
    printPages(printer,
               [&job](const PrintMetrics& metrics) { return layoutChangeLogPrint(job, metrics); });
}

} // namespace qdx
