#include "ui/report/CReportDlg.h"

#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/report/ReportRenderer.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchWindowParts.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QVBoxLayout>

#include <ctime>

namespace qdx {

namespace {

constexpr int kPreviewWidth = 420;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string text(const QString& text) {
    return text.toStdString();
}

} // namespace

CReportDlg::CReportDlg(ProjectModel& model, long long postMortemKey, long long anteMortemKey,
                       QWidget* parent)
    : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("CReportDlg"));
    m_read = buildIdentificationReport(model, postMortemKey, anteMortemKey, {}, std::time(nullptr));
    setWindowTitle(
        tr("報告書 - %1 / %2")
            .arg(qs(m_read.postMortem.record.displayId), qs(m_read.anteMortem.record.displayId)));
    buildControls();
    showPreview();
}

void CReportDlg::buildControls() {
    m_conclusionCombo = new QComboBox(this);
    m_conclusionCombo->setObjectName(QStringLiteral("conclusionCombo"));
    for (int c = 0; c < kConclusionCount; ++c)
        m_conclusionCombo->addItem(coreTr(conclusionText(static_cast<ReportConclusion>(c))));
    m_conclusionCombo->setCurrentIndex(static_cast<int>(ReportConclusion::Insufficient));
    m_examinerEdit = new QLineEdit(qs(m_model.examiner()), this);
    m_examinerEdit->setObjectName(QStringLiteral("examinerEdit"));
    m_checkerEdit = new QLineEdit(this);
    m_checkerEdit->setObjectName(QStringLiteral("checkerEdit"));
    m_remarksEdit = new QPlainTextEdit(this);
    m_remarksEdit->setObjectName(QStringLiteral("remarksEdit"));
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_printButton = new CColorButton(tr("印刷"), this);
    m_printButton->setObjectName(QStringLiteral("printButton"));
    m_pdfButton = new CColorButton(tr("PDF保存"), this);
    m_pdfButton->setObjectName(QStringLiteral("pdfButton"));
    m_closeButton = new CColorButton(tr("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    for (CColorButton* b : {m_printButton, m_pdfButton, m_closeButton}) {
        b->setAutoDefault(false);
        b->setMinimumSize(100, 28);
    }
    connect(m_printButton, &QPushButton::clicked, this, &CReportDlg::print);
    connect(m_pdfButton, &QPushButton::clicked, this, &CReportDlg::saveToPdf);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* form = new QFormLayout;
    form->addRow(tr("死後："), new QLabel(qs(m_read.postMortem.record.displayId), this));
    form->addRow(tr("生前："), new QLabel(qs(m_read.anteMortem.record.displayId), this));
    form->addRow(tr("結論："), m_conclusionCombo);
    form->addRow(tr("担当者："), m_examinerEdit);
    form->addRow(tr("確認者："), m_checkerEdit);
    form->addRow(tr("所見・備考："), m_remarksEdit);
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_printButton);
    commands->addWidget(m_pdfButton);
    commands->addStretch();
    commands->addWidget(m_closeButton);
    auto* left = new QVBoxLayout;
    left->addLayout(form, 1);
    left->addLayout(commands);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(m_preview);
}

IdentificationReport CReportDlg::report() const {
    IdentificationReport report = m_read;
    report.createdAt = std::time(nullptr);
    report.input.conclusion = static_cast<ReportConclusion>(m_conclusionCombo->currentIndex());
    report.input.examiner = text(m_examinerEdit->text().trimmed());
    report.input.checker = text(m_checkerEdit->text().trimmed());
    report.input.remarks = text(m_remarksEdit->toPlainText());
    return report;
}

void CReportDlg::showPreview() {
    const QImage page =
        ReportRenderer(m_model.pictureFolder()).pagePicture(m_read, 0, kPreviewWidth);
    m_preview->setPixmap(QPixmap::fromImage(page));
    m_preview->setFixedSize(page.size() + QSize(2, 2));
}

void CReportDlg::recordOutput(const IdentificationReport& report, const QString& file) {
    try {
        journalReport(m_model, report, text(file));
    } catch (const StoreError& error) {
        Prompts::message(this, qs(error.fullText()), MessageButtons::Ok, MessageIcon::Error);
    }
}

void CReportDlg::print() {
    QPrinter printer(QPrinter::HighResolution);
    prepareReportPrinter(printer);
    proposePrintFile(printer, inProjectFolder(m_model, QStringLiteral("身元確認報告書.pdf")));
    if (!Prompts::choosePrinter(this, printer))
        return;
    if (printer.outputFormat() == QPrinter::NativeFormat)
        printer.setOutputFileName(QString());
    prepareReportPrinter(printer);
    const IdentificationReport made = report();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = ReportRenderer(m_model.pictureFolder()).paint(printer, made);
    QApplication::restoreOverrideCursor();
    if (!printed)
        return;
    recordOutput(made, printer.outputFileName().isEmpty() ? printer.printerName()
                                                          : printer.outputFileName());
}

void CReportDlg::saveToPdf() {
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Save;
    choice.filter = tr("PDF (*.pdf);;すべてのファイル (*.*)");
    choice.defaultSuffix = QStringLiteral("pdf");
    choice.initialPath = inProjectFolder(m_model, QStringLiteral("報告書_%1_%2.pdf")
                                                      .arg(qs(m_read.postMortem.record.displayId),
                                                           qs(m_read.anteMortem.record.displayId)));
    const QString path = Prompts::chooseFile(this, choice);
    if (path.isEmpty())
        return;
    const IdentificationReport made = report();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = writeReportPdf(path, made, m_model.pictureFolder());
    QApplication::restoreOverrideCursor();
    if (!written) {
        Prompts::message(this, tr("ファイルに書き込めませんでした。\n%1").arg(path),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    recordOutput(made, path);
}

} // namespace qdx
