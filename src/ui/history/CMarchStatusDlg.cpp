#include "ui/history/CMarchStatusDlg.h"

#include "model/RecordId.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/history/CMatchSortListCtrl.h"
#include "views/history/HistoryActions.h"
#include "views/history/MatchHistoryList.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QRadioButton>
#include <QScrollBar>

namespace qdx {

namespace {

constexpr int kOpeningWidth = 660;
constexpr int kOpeningHeight = 520;

} // namespace

CMarchStatusDlg::CMarchStatusDlg(ProjectModel& model, int side, long long dentalId, Mode mode,
                                 QWidget* parent)
    : QDialog(parent), m_model(model), m_side(side), m_dentalId(dentalId), m_mode(mode) {
    setObjectName(QStringLiteral("CMarchStatusDlg"));
    setWindowTitle(tr("照合履歴設定 - Quendix Free"));
    buildControls();

    const DentalRecord record = m_model.getRecordWithMatch(m_side, m_dentalId);
    m_idLabel->setText(QString::fromStdString(record.displayId));
    m_idLabel->adjustSize();
    fillUpperTargets();
    if (m_mode == Mode::Standalone) {
        m_editor =
            std::make_unique<MatchHistoryEditor>(loadMatchHistory(m_model, m_side, m_dentalId));
    } else {
        m_cancelButton->setText(tr("終了"));
        m_cancelButton->setColors(CColorButton::confirmFace(), Qt::white);
        m_saveButton->setVisible(false);
        m_editor = std::make_unique<MatchHistoryEditor>(m_side, std::to_string(m_dentalId),
                                                        m_model.entryMatches());
    }
    refill();
    m_deleteButton->setEnabled(m_list->rowCount() > 0);
    blankControls();
    setIdentifiedBox();

    resize(kOpeningWidth, kOpeningHeight);
    setMinimumSize(kOpeningWidth, kOpeningHeight);
}

CMarchStatusDlg::~CMarchStatusDlg() = default;

CColorButton* CMarchStatusDlg::addButton(const QString& caption, const QString& name,
                                         const QColor& face, const QColor& text) {
    auto* button = new CColorButton(caption, this);
    button->setObjectName(name);
    button->setColors(face, text);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void CMarchStatusDlg::buildControls() {
    const auto statik = [this](const QString& text, const QString& name) {
        auto* label = new CColorStatic(text, this);
        label->setObjectName(name);
        label->adjustSize();
        return label;
    };
    m_sideLabel = statik(coreTr(historySideLabel(m_side)), QStringLiteral("sideLabel"));
    m_idLabel = statik(QString(), QStringLiteral("idLabel"));
    m_identifiedCheck = new QCheckBox(tr("判明済み"), this);
    m_identifiedCheck->setObjectName(QStringLiteral("identifiedCheck"));
    m_identifiedCheck->adjustSize();

    m_historyGroup = new QGroupBox(tr("照合履歴"), this);
    m_historyGroup->setObjectName(QStringLiteral("historyGroup"));
    m_historyGroup->resize(600, 98);
    m_historyGroup->lower();
    m_kindLabel = statik(tr("照合種別："), QStringLiteral("kindLabel"));
    m_kindCombo = new QComboBox(this);
    m_kindCombo->setObjectName(QStringLiteral("kindCombo"));
    for (KindChoice choice : {KindChoice::Blank, KindChoice::SamePerson, KindChoice::Imposter,
                              KindChoice::UnderInvestigation})
        m_kindCombo->addItem(coreTr(kindChoiceText(choice)));
    m_kindCombo->resize(130, m_kindCombo->sizeHint().height());

    m_basisFrame = new QGroupBox(this);
    m_basisFrame->setObjectName(QStringLiteral("basisFrame"));
    m_basisFrame->resize(300, 34);
    m_chartRadio = new QRadioButton(tr("デンタルチャート"), this);
    m_chartRadio->setObjectName(QStringLiteral("chartRadio"));
    m_chartRadio->adjustSize();
    m_otherRadio = new QRadioButton(tr("他の情報"), this);
    m_otherRadio->setObjectName(QStringLiteral("otherRadio"));
    m_otherRadio->adjustSize();

    m_targetLabel = statik(tr("対象ID ："), QStringLiteral("targetLabel"));
    m_upperCombo = new QComboBox(this);
    m_upperCombo->setObjectName(QStringLiteral("targetUpperCombo"));
    m_upperCombo->resize(100, m_upperCombo->sizeHint().height());
    m_dashLabel = statik(tr("－"), QStringLiteral("dashLabel"));
    m_lowerCombo = new QComboBox(this);
    m_lowerCombo->setObjectName(QStringLiteral("targetLowerCombo"));
    m_lowerCombo->resize(130, m_lowerCombo->sizeHint().height());
    m_registerButton = addButton(tr("登録"), QStringLiteral("registerButton"),
                                 CColorButton::commandFace(), Qt::black);
    m_registerButton->resize(90, 28);
    // The labels beside the combo boxes are as high as the boxes, their text centred.
    for (CColorStatic* label : {m_kindLabel, m_targetLabel, m_dashLabel}) {
        label->resize(label->width(), m_kindCombo->height());
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    m_listLabel = statik(tr("照合履歴一覧"), QStringLiteral("listLabel"));
    m_list = new CMatchSortListCtrl(m_side, this);
    m_list->setObjectName(QStringLiteral("historyList"));
    m_deleteButton = addButton(tr("削除"), QStringLiteral("deleteButton"),
                               CColorButton::commandFace(), Qt::black);
    m_deleteButton->resize(90, 28);
    m_saveButton =
        addButton(tr("保存"), QStringLiteral("saveButton"), CColorButton::confirmFace(), Qt::white);
    m_saveButton->resize(110, 34);
    m_cancelButton = addButton(tr("キャンセル"), QStringLiteral("cancelButton"),
                               CColorButton::cancelFace(), Qt::white);
    m_cancelButton->resize(110, 34);

    connect(m_kindCombo, &QComboBox::currentIndexChanged, this, [this] { kindChanged(); });
    connect(m_upperCombo, &QComboBox::currentIndexChanged, this,
            [this] { fillLowerTargets(m_upperCombo->currentText()); });
    connect(m_identifiedCheck, &QCheckBox::clicked, this, &CMarchStatusDlg::identifiedClicked);
    connect(m_list, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { rowClicked(index.row()); });
    connect(m_list, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { rowClicked(index.row()); });
    connect(m_registerButton, &QPushButton::clicked, this, &CMarchStatusDlg::registerTarget);
    connect(m_deleteButton, &QPushButton::clicked, this, &CMarchStatusDlg::deleteSelected);
    connect(m_saveButton, &QPushButton::clicked, this, &CMarchStatusDlg::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &CMarchStatusDlg::closeAsking);
}

void CMarchStatusDlg::fillUpperTargets() {
    m_upperCombo->clear();
    m_upperCombo->addItem(QString());
    for (const std::string& upper : m_model.loadIdUpperParts(1 - m_side))
        m_upperCombo->addItem(QString::fromStdString(upper));
}

void CMarchStatusDlg::fillLowerTargets(const QString& upper) {
    m_lowerCombo->clear();
    m_lowerCombo->addItem(QString());
    if (upper.isEmpty())
        return;
    try {
        for (const std::string& lower : m_model.loadIdLowerParts(1 - m_side, upper.toStdString()))
            m_lowerCombo->addItem(QString::fromStdString(lower));
    } catch (const StoreError& error) {
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
    }
}

KindChoice CMarchStatusDlg::kindChoice() const {
    return static_cast<KindChoice>(std::max(m_kindCombo->currentIndex(), 0));
}

SamePersonBasis CMarchStatusDlg::basis() const {
    return m_otherRadio->isChecked() ? SamePersonBasis::OtherInformation
                                     : SamePersonBasis::DentalChart;
}

void CMarchStatusDlg::kindChanged() {
    const bool samePerson = kindChoice() == KindChoice::SamePerson;
    m_chartRadio->setEnabled(samePerson);
    m_otherRadio->setEnabled(samePerson);
}

void CMarchStatusDlg::blankControls() {
    m_kindCombo->setCurrentIndex(0);
    m_upperCombo->blockSignals(true);
    m_upperCombo->setCurrentIndex(0);
    m_upperCombo->blockSignals(false);
    m_lowerCombo->clear();
    m_chartRadio->setChecked(true);
    kindChanged();
}

void CMarchStatusDlg::showEntryInControls(std::size_t entry) {
    const MatchRow& row = m_editor->entries()[entry];
    const KindControls controls = kindControlsFor(row.KIND);
    m_kindCombo->setCurrentIndex(static_cast<int>(controls.choice));
    if (controls.choice == KindChoice::SamePerson) {
        (controls.basis == SamePersonBasis::DentalChart ? m_chartRadio : m_otherRadio)
            ->setChecked(true);
    }
    kindChanged();
    // A partner without "-" selects the blank entries.
    const bool split = row.Match_ID.find('-') != std::string::npos;
    const IdParts parts = splitDisplayId(row.Match_ID);
    const QString upper = split ? QString::fromStdString(parts.upper) : QString();
    m_upperCombo->blockSignals(true);
    m_upperCombo->setCurrentIndex(std::max(m_upperCombo->findText(upper), 0));
    m_upperCombo->blockSignals(false);
    fillLowerTargets(m_upperCombo->currentText());
    const QString lower = split ? QString::fromStdString(parts.lower) : QString();
    m_lowerCombo->setCurrentIndex(std::max(m_lowerCombo->findText(lower), 0));
}

void CMarchStatusDlg::rowClicked(int row) {
    if (row >= 0 && row < m_list->rowCount())
        showEntryInControls(m_list->entryAt(row));
}

void CMarchStatusDlg::refill() {
    m_list->refill(*m_editor);
}

void CMarchStatusDlg::setIdentifiedBox() {
    m_identifiedCheck->setChecked(m_editor->identified());
}

void CMarchStatusDlg::message(HistoryMessage which, MessageIcon icon) {
    Prompts::message(this, coreTr(historyMessageText(which)), MessageButtons::Ok, icon);
}

bool CMarchStatusDlg::confirmRegistration(const std::string& upper, const std::string& lower) {
    std::optional<std::string> question;
    try {
        question = registerQuestion(*m_editor, m_model, kindChoice(), basis(), upper, lower,
                                    displayWording());
    } catch (const StoreError& error) {
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    return !question || Prompts::message(this, qs(*question), MessageButtons::YesNo,
                                         MessageIcon::Question) == MessageAnswer::Yes;
}

void CMarchStatusDlg::registerTarget() {
    const std::string upper = m_upperCombo->currentText().toStdString();
    const std::string lower = m_lowerCombo->currentText().toStdString();
    if (!confirmRegistration(upper, lower))
        return;
    const auto result = m_editor->registerTarget(kindChoice(), basis(), upper, lower);
    if (result.message != HistoryMessage::None) {
        message(result.message, MessageIcon::Exclamation);
        if (result.message == HistoryMessage::ChooseKind) {
            m_kindCombo->setFocus();
        } else if (result.message == HistoryMessage::ChooseTarget) {
            (m_upperCombo->currentText().isEmpty() ? m_upperCombo : m_lowerCombo)->setFocus();
        }
    }
    if (!result.selected)
        return;
    refill();
    setIdentifiedBox();
    m_list->selectListRow(m_list->rowOfEntry(*result.selected));
    m_deleteButton->setEnabled(true);
}

void CMarchStatusDlg::deleteSelected() {
    const int row = m_list->selectedRow();
    if (row < 0) {
        message(HistoryMessage::NoDeleteTarget, MessageIcon::Exclamation);
        return;
    }
    if (Prompts::message(this, coreTr(historyMessageText(HistoryMessage::ConfirmDelete)),
                         MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    m_editor->deleteEntry(m_list->entryAt(row));
    message(HistoryMessage::Deleted, MessageIcon::Information);
    const int scroll = m_list->verticalScrollBar()->value();
    refill();
    setIdentifiedBox();
    const int rows = m_list->rowCount();
    if (rows == 0) {
        blankControls();
        m_deleteButton->setEnabled(false);
        m_chartRadio->setEnabled(false);
        m_otherRadio->setEnabled(false);
        return;
    }
    const int next = std::min(row, rows - 1);
    m_list->selectRow(next);
    m_list->verticalScrollBar()->setValue(scroll);
    rowClicked(next);
}

void CMarchStatusDlg::identifiedClicked(bool checked) {
    const HistoryMessage refused = m_editor->toggleIdentified(checked);
    if (refused != HistoryMessage::None)
        message(refused, MessageIcon::Exclamation);
    setIdentifiedBox();
}

void CMarchStatusDlg::save() {
    if (m_mode != Mode::Standalone)
        return;
    for (int i = 0; i < m_editor->unnamedSamePersonCount(); ++i) {
        if (Prompts::message(this, coreTr(historyMessageText(HistoryMessage::PartnerNotNamed)),
                             MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
            return;
    }
    try {
        m_model.replaceMatchHistory(m_side, m_editor->entries());
    } catch (const StoreError& error) {
        // The rows written so far stay inside the project transaction; the edits stay here.
        Prompts::message(this, failureText(error.message(), error.databaseText()),
                         MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    accept();
}

void CMarchStatusDlg::closeAsking() {
    if (m_mode == Mode::Entry) {
        m_model.entryMatches() = m_editor->entries();
        m_closing = true;
        QDialog::reject();
        return;
    }
    if (Prompts::message(this, coreTr(historyMessageText(HistoryMessage::DiscardEdits)),
                         MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    m_closing = true;
    QDialog::reject();
}

void CMarchStatusDlg::reject() {
    // Esc does nothing; the close box and キャンセル / 終了 come through closeAsking.
}

void CMarchStatusDlg::closeEvent(QCloseEvent* event) {
    if (m_closing) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    closeAsking();
}

void CMarchStatusDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        for (CColorButton* button :
             {m_saveButton, m_cancelButton, m_registerButton, m_deleteButton}) {
            if (focusWidget() == button && button->isEnabled() && button->isVisible()) {
                button->click();
                break;
            }
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMarchStatusDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls(width(), height());
}

void CMarchStatusDlg::placeControls(int cx, int cy) {
    m_sideLabel->move(21, 13);
    m_idLabel->move(81, 13);
    m_identifiedCheck->move(19, 33);
    m_historyGroup->move(19, 68);
    m_kindLabel->move(21, 89);
    m_kindCombo->move(135, 88);
    m_basisFrame->move(285, 80);
    m_chartRadio->move(294, 90);
    m_otherRadio->move(439, 90);
    m_targetLabel->move(44, 124);
    m_upperCombo->move(135, 124);
    m_dashLabel->move(244, 124);
    m_lowerCombo->move(259, 124);
    m_registerButton->move(487, 124);
    m_listLabel->move(28, 175);
    m_list->setGeometry(26, 191, std::max(cx - 141, 0), std::max(cy - 268, 0));
    m_deleteButton->move(cx - 110, 190);
    m_saveButton->move(cx - 240, cy - 57);
    m_cancelButton->move(cx - 122, cy - 57);
}

} // namespace qdx
