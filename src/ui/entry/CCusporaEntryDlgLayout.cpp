#include "ui/entry/CCusporaEntryDlg.h"

#include "model/Labels.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/UiFonts.h"
#include "ui/entry/EntryLegend.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qdx {

CColorButton* CCusporaEntryDlg::addButton(const QString& caption, const QString& name) {
    auto* button = new CColorButton(caption, this);
    button->setObjectName(name);
    button->setColors(CColorButton::commandFace(), Qt::black);
    button->setAutoDefault(false);
    button->setMinimumHeight(28);
    return button;
}

void CCusporaEntryDlg::buildControls() {
    buildIdentityControls();
    buildChartControls();
    buildCommandButtons();
    // Right clicks and context menus anywhere but on the chart do nothing.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void CCusporaEntryDlg::buildIdentityControls() {
    const QFont large = UiFonts::scaled(font(), 1.2);
    const auto caption = [this, &large](const char* text) {
        auto* label = new QLabel(tr(text), this);
        label->setFont(large);
        m_captions.push_back(label);
        return label;
    };
    m_keyLabel = new QLabel(this);
    m_keyLabel->setObjectName(QStringLiteral("keyLabel"));
    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName(QStringLiteral("dateLabel"));
    caption(QT_TR_NOOP("ID ："));
    caption(QT_TR_NOOP("－"));
    m_upperCombo = new QComboBox(this);
    m_upperCombo->setObjectName(QStringLiteral("idUpperCombo"));
    m_upperCombo->setEditable(true);
    m_upperCombo->setInsertPolicy(QComboBox::NoInsert);
    m_lowerEdit = new QLineEdit(this);
    m_lowerEdit->setObjectName(QStringLiteral("idLowerEdit"));
    // Digits only: the input method stays off while the field has the focus.
    m_lowerEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_lowerEdit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhPreferLatin);
    caption(QT_TR_NOOP("性別 ："));
    m_sexGroup = new QButtonGroup(this);
    const char* const sexNames[] = {"sexUnknownRadio", "sexMaleRadio", "sexFemaleRadio"};
    for (int code = 0; code < 3; ++code) {
        auto* radio =
            new QRadioButton(qs(sexLabel(std::to_string(code), DisplayLanguage::current())), this);
        radio->setObjectName(QString::fromUtf8(sexNames[code]));
        radio->setFont(large);
        m_sexGroup->addButton(radio, code);
        m_sexRadios.push_back(radio);
    }
    caption(QT_TR_NOOP("年令 ："));
    m_ageCombo = new QComboBox(this);
    m_ageCombo->setObjectName(QStringLiteral("ageCombo"));
    for (int code = 0; code < kAgeGroupCount; ++code)
        m_ageCombo->addItem(qs(ageGroupLabel(std::to_string(code), DisplayLanguage::current())));
    caption(QT_TR_NOOP("摘要 ："));
    m_summaryEdit = new QPlainTextEdit(this);
    m_summaryEdit->setObjectName(QStringLiteral("summaryEdit"));
    m_summaryEdit->setTabChangesFocus(true);
    caption(QT_TR_NOOP("氏名 ："));
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    caption(QT_TR_NOOP("場所 ："));
    m_placeCombo = new QComboBox(this);
    m_placeCombo->setObjectName(QStringLiteral("placeCombo"));
    m_placeCombo->setEditable(true);
    m_placeCombo->setInsertPolicy(QComboBox::NoInsert);
    caption(QT_TR_NOOP("照合状態 ："));
    m_matchStateLabel = new QLabel(this);
    m_matchStateLabel->setObjectName(QStringLiteral("matchStateLabel"));
    caption(QT_TR_NOOP("判明ID ："));
    m_partnerLabel = new QLabel(this);
    m_partnerLabel->setObjectName(QStringLiteral("partnerIdLabel"));
    caption("確認状態 ：");
    m_checkStateLabel = new QLabel(this);
    m_checkStateLabel->setObjectName(QStringLiteral("checkStateLabel"));
    for (QWidget* w : std::initializer_list<QWidget*>{
             m_upperCombo, m_lowerEdit, m_ageCombo, m_nameEdit, m_placeCombo, m_matchStateLabel,
             m_partnerLabel, m_keyLabel, m_dateLabel, m_checkStateLabel})
        w->setFont(large);
}

void CCusporaEntryDlg::buildChartControls() {
    m_chart = new ChartWidget(this);
    connect(m_chart, &ChartWidget::clicked, this, &CCusporaEntryDlg::chartClicked);
    connect(m_chart, &ChartWidget::doubleClicked, this, &CCusporaEntryDlg::chartClicked);
    connect(m_chart, &ChartWidget::rightClicked, this, &CCusporaEntryDlg::chartRightClicked);

    m_legend = new EntryLegend(this);
}

void CCusporaEntryDlg::buildCommandButtons() {
    for (const auto& b : kBulkButtons) {
        CColorButton* button = addButton(coreTr(b.caption), QString::fromUtf8(b.name));
        const BulkSetting setting = b.setting;
        connect(button, &QPushButton::clicked, this, [this, setting] { bulk(setting); });
        m_bulkButtons.emplace_back(button, setting);
    }
    m_historyButton = addButton(tr("照合履歴"), QStringLiteral("historyButton"));
    m_historyButton->setEnabled(false);
    m_checkButton = addButton(tr("確認"), QStringLiteral("checkButton"));
    m_checkButton->setEnabled(false);
    m_logButton = addButton(tr("変更履歴"), QStringLiteral("changeLogButton"));
    m_logButton->setEnabled(false);
    m_rulerButton = addButton(tr("分類基準"), QStringLiteral("rulerButton"));
    m_saveButton = addButton(tr("保存"), QStringLiteral("saveButton"));
    m_saveButton->setColors(CColorButton::confirmFace(), Qt::white);
    m_cancelButton = addButton(tr("キャンセル"), QStringLiteral("cancelButton"));
    m_cancelButton->setColors(CColorButton::cancelFace(), Qt::white);
    for (CColorButton* b : {m_saveButton, m_cancelButton}) {
        b->setFont(UiFonts::scaled(font(), 1.2, true));
        b->setMinimumSize(110, 34);
    }
    connect(m_historyButton, &QPushButton::clicked, this, &CCusporaEntryDlg::openHistory);
    connect(m_checkButton, &QPushButton::clicked, this, &CCusporaEntryDlg::checkChart);
    connect(m_logButton, &QPushButton::clicked, this, &CCusporaEntryDlg::openLog);
    connect(m_rulerButton, &QPushButton::clicked, this, &CCusporaEntryDlg::openRuler);
    connect(m_saveButton, &QPushButton::clicked, this, &CCusporaEntryDlg::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &CCusporaEntryDlg::cancel);
}

void CCusporaEntryDlg::layOut() {
    // Left: the record's fields; middle: the chart; right: legend and commands.
    auto* fields = new QGridLayout;
    int row = 0;
    const auto captionAt = [this](int i) { return m_captions[static_cast<std::size_t>(i)]; };
    fields->addWidget(m_keyLabel, row, 0, 1, 2);
    fields->addWidget(m_dateLabel, ++row, 0, 1, 2);
    auto* id = new QHBoxLayout;
    id->addWidget(m_upperCombo, 3);
    id->addWidget(captionAt(1));
    id->addWidget(m_lowerEdit, 2);
    fields->addWidget(captionAt(0), ++row, 0);
    fields->addLayout(id, row, 1);
    auto* sex = new QHBoxLayout;
    for (QRadioButton* radio : m_sexRadios)
        sex->addWidget(radio);
    sex->addStretch();
    fields->addWidget(captionAt(2), ++row, 0);
    fields->addLayout(sex, row, 1);
    fields->addWidget(captionAt(3), ++row, 0);
    fields->addWidget(m_ageCombo, row, 1, Qt::AlignLeft);
    fields->addWidget(captionAt(5), ++row, 0);
    fields->addWidget(m_nameEdit, row, 1);
    fields->addWidget(captionAt(6), ++row, 0);
    fields->addWidget(m_placeCombo, row, 1);
    fields->addWidget(captionAt(4), ++row, 0, Qt::AlignTop);
    fields->addWidget(m_summaryEdit, row, 1);
    fields->setRowStretch(row, 1);
    fields->addWidget(captionAt(7), ++row, 0);
    fields->addWidget(m_matchStateLabel, row, 1);
    fields->addWidget(captionAt(8), ++row, 0);
    fields->addWidget(m_partnerLabel, row, 1);
    fields->addWidget(captionAt(9), ++row, 0);
    fields->addWidget(m_checkStateLabel, row, 1);
    auto* recordButtons = new QHBoxLayout;
    for (CColorButton* button : {m_historyButton, m_checkButton, m_logButton}) {
        button->setMinimumWidth(120);
        recordButtons->addWidget(button);
    }
    recordButtons->addStretch();
    fields->addLayout(recordButtons, ++row, 1);

    auto* bulk = new QGridLayout;
    for (std::size_t i = 0; i < m_bulkButtons.size(); ++i)
        bulk->addWidget(m_bulkButtons[i].first, static_cast<int>(i % 3), static_cast<int>(i / 3));
    auto* commands = new QHBoxLayout;
    commands->addWidget(m_rulerButton);
    commands->addStretch();
    commands->addWidget(m_saveButton);
    commands->addWidget(m_cancelButton);
    auto* right = new QVBoxLayout;
    right->addWidget(m_legend);
    right->addStretch();
    right->addLayout(bulk);
    right->addSpacing(12);
    right->addLayout(commands);

    auto* top = new QHBoxLayout(this);
    top->addLayout(fields, 3);
    top->addWidget(m_chart, 0, Qt::AlignTop);
    top->addLayout(right, 3);
}

} // namespace qdx
