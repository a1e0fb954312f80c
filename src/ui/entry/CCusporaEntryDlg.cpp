#include "ui/entry/CCusporaEntryDlg.h"

#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/entry/CRulerDlg.h"
#include "ui/entry/EntryLegend.h"
#include "views/entry/EntryMessages.h"
#include "views/log/ChartCheck.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>

namespace qdx {

namespace {

std::string text(const QString& value) {
    return value.toStdString();
}

// The import check runs this long after the window opened.
constexpr int kImportCheckDelayMs = 50;

} // namespace

CCusporaEntryDlg::CCusporaEntryDlg(ProjectModel& model, int side, Mode mode, long long dentalId,
                                   QWidget* parent)
    : QDialog(parent), m_model(model), m_side(side), m_mode(mode), m_dentalId(dentalId),
      m_painter(std::make_unique<ChartPainter>()) {
    setObjectName(QStringLiteral("CCusporaEntryDlg"));
    setWindowTitle(qs(entryCaption(side, mode == Mode::Modify, displayWording())));
    buildControls();
    layOut();
}

CCusporaEntryDlg::~CCusporaEntryDlg() = default;

void CCusporaEntryDlg::setHistoryOpener(HistoryOpener opener) {
    m_historyOpener = std::move(opener);
    updateRecordButtons();
}

void CCusporaEntryDlg::setLogOpener(LogOpener opener) {
    m_logOpener = std::move(opener);
    updateRecordButtons();
}

void CCusporaEntryDlg::updateRecordButtons() {
    const bool modify = m_mode == Mode::Modify;
    m_historyButton->setEnabled(modify && m_historyOpener);
    m_logButton->setEnabled(modify && m_logOpener);
    m_checkButton->setEnabled(modify);
}

bool CCusporaEntryDlg::load() {
    try {
        fillLists();
        if (m_mode == Mode::Modify) {
            m_form = modifyEntryForm(m_side, m_model.getRecordWithMatch(m_side, m_dentalId),
                                     DisplayLanguage::current());
            m_form.dentalId = m_dentalId;
            m_model.entryMatches() = m_model.getMatchHistory(m_side, m_dentalId);
            m_storedChart = m_form.chart;
            showCheckState();
        } else {
            m_form = newEntryForm(m_side, DisplayLanguage::current());
            m_form.dentalId = m_dentalId;
        }
    } catch (const StoreError& error) {
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    showForm();
    m_painter->loadPictures(m_model.pictureFolder(), kEntryKindCount);
    m_lastHit = -1;
    redrawChart();
    QTimer::singleShot(kImportCheckDelayMs, this, &CCusporaEntryDlg::checkImportedId);
    return true;
}

void CCusporaEntryDlg::fillLists() {
    m_upperCombo->clear();
    for (const std::string& upper : m_model.loadIdUpperParts(m_side))
        m_upperCombo->addItem(QString::fromStdString(upper));
    fitPopupToItems(m_upperCombo);
    const bool modify = m_mode == Mode::Modify;
    m_upperCombo->setEnabled(!modify);
    m_lowerEdit->setEnabled(!modify);
    if (m_side == PostMortem) {
        m_placeCombo->clear();
        for (const std::string& place : m_model.loadPlaces())
            m_placeCombo->addItem(QString::fromStdString(place));
        fitPopupToItems(m_placeCombo);
        m_nameEdit->setEnabled(false);
    } else {
        m_placeCombo->setEnabled(false);
    }
    updateRecordButtons();
}

void CCusporaEntryDlg::showForm() {
    m_keyLabel->setText(m_form.dentalId > 0
                            ? QString::fromStdString(keyLabel(std::to_string(m_form.dentalId)))
                            : QString());
    m_dateLabel->setText(qs(registrationDateText(m_form.registrationDate,
                                                 DisplayLanguage::current(), displayWording())));
    m_upperCombo->setEditText(QString::fromStdString(m_form.upper));
    m_lowerEdit->setText(QString::fromStdString(m_form.lower));
    m_sexRadios[static_cast<std::size_t>(m_form.sex)]->setChecked(true);
    m_ageCombo->setCurrentIndex(m_form.agegroup);
    m_summaryEdit->setPlainText(QString::fromStdString(m_form.summary));
    m_nameEdit->setText(QString::fromStdString(m_form.name));
    const QString place = QString::fromStdString(m_form.place);
    const int placeRow = place.isEmpty() ? -1 : m_placeCombo->findText(place);
    m_placeCombo->setCurrentIndex(placeRow);
    m_placeCombo->setEditText(place);
    showMatchState();
}

void CCusporaEntryDlg::showMatchState() {
    m_matchStateLabel->setText(QString::fromStdString(m_form.matchState.label));
    m_partnerLabel->setText(QString::fromStdString(m_form.matchState.partnerId));
}

void CCusporaEntryDlg::showCheckState() {
    if (m_mode != Mode::Modify)
        return;
    m_checkStateLabel->setText(
        qs(checkStateText(loadChartCheckState(m_model, m_side, m_dentalId))));
}

void CCusporaEntryDlg::checkChart() {
    if (m_mode != Mode::Modify)
        return;
    try {
        const CheckRefusal refused =
            qdx::checkChart(m_model, m_side, m_dentalId, !(m_form.chart == m_storedChart));
        if (refused != CheckRefusal::None) {
            Prompts::message(this, qs(checkRefusalText(refused)), MessageButtons::Ok,
                             MessageIcon::Exclamation);
            return;
        }
        showCheckState();
    } catch (const StoreError& error) {
        Prompts::message(this, QString::fromStdString(error.fullText()), MessageButtons::Ok,
                         MessageIcon::Error);
    }
}

void CCusporaEntryDlg::openLog() {
    if (m_mode != Mode::Modify || !m_logOpener)
        return;
    std::string displayId;
    try {
        displayId = m_model.getRecord(m_side, m_dentalId).displayId;
    } catch (const StoreError& error) {
        Prompts::message(this, QString::fromStdString(error.fullText()), MessageButtons::Ok,
                         MessageIcon::Error);
        return;
    }
    m_logOpener(*this, m_side, m_dentalId, displayId);
}

void CCusporaEntryDlg::readControls() {
    m_form.upper = text(m_upperCombo->currentText());
    m_form.lower = text(m_lowerEdit->text());
    m_form.sex = std::max(m_sexGroup->checkedId(), 0);
    m_form.agegroup = std::max(m_ageCombo->currentIndex(), 0);
    m_form.summary = text(m_summaryEdit->toPlainText());
    m_form.name = text(m_nameEdit->text());
    m_form.place = text(m_placeCombo->currentText());
}

void CCusporaEntryDlg::redrawChart() {
    ChartContent content;
    content.kinds = m_form.chart.pictureKinds();
    content.bridges = m_form.chart.bridgeFlag;
    content.deciduous = m_form.chart.deciduousFlag;
    m_chart->setChart(m_painter->drawChart(content));
}

void CCusporaEntryDlg::chartClicked(QPoint point) {
    const QRect picture = m_chart->pictureRect();
    m_lastHit = ChartPainter::toothAt(point, picture);
    m_form.chart.stepForward(m_lastHit);
    m_form.chart.toggleBridge(ChartPainter::bridgeMarkAt(point, picture));
    m_form.chart.toggleDeciduous(ChartPainter::labelAt(point, picture));
    redrawChart();
}

void CCusporaEntryDlg::chartRightClicked(QPoint point) {
    m_lastHit = ChartPainter::toothAt(point, m_chart->pictureRect());
    m_form.chart.stepBackward(m_lastHit);
    redrawChart();
}

void CCusporaEntryDlg::bulk(BulkSetting setting) {
    m_form.chart.apply(setting);
    redrawChart();
}

void CCusporaEntryDlg::checkImportedId() {
    bool imported = false;
    try {
        imported = hasImportedId(m_model, m_side, m_dentalId);
    } catch (const StoreError& error) {
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (!imported)
        return;
    m_form.importedId = true;
    Prompts::message(this, coreTr(entry_messages::kImportPrefixFound), MessageButtons::Ok,
                     MessageIcon::Exclamation);
    m_upperCombo->setEnabled(true);
    m_lowerEdit->setEnabled(true);
    m_upperCombo->setFocus();
}

bool CCusporaEntryDlg::ask(std::string_view question) {
    return Prompts::message(this, coreTr(question), MessageButtons::YesNo, MessageIcon::Question) ==
           MessageAnswer::Yes;
}

void CCusporaEntryDlg::save() {
    readControls();
    EntryIdCheck check;
    try {
        check = checkEntryId(m_form, m_model);
    } catch (const StoreError& error) {
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (check.error) {
        Prompts::message(this, coreTr(*check.error), MessageButtons::Ok, MessageIcon::Exclamation);
        if (check.focus == EntryField::Lower) {
            m_lowerEdit->setFocus();
            m_lowerEdit->selectAll();
        } else {
            m_upperCombo->setFocus();
            m_upperCombo->lineEdit()->selectAll();
        }
        return;
    }
    for (EntryQuestion question : entryQuestions(m_form)) {
        if (!ask(questionText(question)))
            return;
    }
    fillRecordEntry(m_form, check.storedLower, m_model.entry());
    m_painter->releasePictures();
    m_closing = true;
    done(Accepted);
}

void CCusporaEntryDlg::cancel() {
    if (!ask(entry_messages::kDiscard))
        return;
    m_painter->releasePictures();
    m_closing = true;
    done(Rejected);
}

void CCusporaEntryDlg::openHistory() {
    if (m_mode != Mode::Modify || !m_historyOpener)
        return;
    if (m_ruler)
        m_ruler->setEnabled(false);
    m_historyOpener(*this, m_side, m_form.dentalId);
    if (m_ruler)
        m_ruler->setEnabled(true);
    m_form.matchState = matchStateOfHistory(m_model.entryMatches(), DisplayLanguage::current());
    showMatchState();
}

void CCusporaEntryDlg::openRuler() {
    if (!m_ruler)
        m_ruler = new CRulerDlg(this);
    m_ruler->showTexts(m_model.settings().rulers);
}

void CCusporaEntryDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (enter && button != nullptr && button->isEnabled() && button->window() == this)
        button->click();
    // Esc does nothing, and Enter nowhere else either (the summary takes its own line breaks).
    event->accept();
}

void CCusporaEntryDlg::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    cancel();
}

void CCusporaEntryDlg::reject() {
    // Reached by the close box through closeEvent only; Esc is taken by keyPressEvent.
    if (m_closing)
        QDialog::reject();
    else
        cancel();
}

bool CCusporaEntryDlg::eventFilter(QObject* watched, QEvent* event) {
    // The right button belongs to the chart: anywhere else in the window it does nothing.
    const auto type = event->type();
    if (type == QEvent::ContextMenu)
        return true;
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) &&
        watched != m_chart) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace qdx
