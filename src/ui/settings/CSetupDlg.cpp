#include "ui/settings/CSetupDlg.h"

#include "store/ProjectModel.h"
#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qdx {

namespace {

// Room for "-0.9950" and a little more.
constexpr int kCellWidth = 64;

} // namespace

CSetupDlg::CSetupDlg(ProjectModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("CSetupDlg"));
    setWindowTitle(tr("環境設定 - Quendix Free"));
    buildControls();
    showFields(settingsFields(m_model.settings()));
}

QLineEdit* CSetupDlg::numberEdit(const QString& objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    // The weights and the factor are typed in plain digits: no input method while typing them.
    // Qt switches it back on when the focus moves to a field that wants it.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
    return edit;
}

void CSetupDlg::buildControls() {
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("projectNameEdit"));
    m_nameEdit->setMinimumWidth(360);
    m_factorEdit = numberEdit(QStringLiteral("factorEdit"));
    m_factorEdit->setFixedWidth(kCellWidth + 16);

    auto* fields = new QGridLayout;
    fields->addWidget(new CColorStatic(tr("プロジェクト名："), this), 0, 0);
    fields->addWidget(m_nameEdit, 0, 1, Qt::AlignLeft);
    fields->addWidget(new CColorStatic(tr("照合優先度の係数："), this), 1, 0);
    fields->addWidget(m_factorEdit, 1, 1, Qt::AlignLeft);
    fields->setColumnStretch(2, 1);

    m_confirmButton = new CColorButton(tr("設定"), this);
    m_confirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_confirmButton->setColors(CColorButton::confirmFace(), Qt::white);
    m_cancelButton = new CColorButton(tr("キャンセル"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setColors(CColorButton::cancelFace(), Qt::white);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (CColorButton* button : {m_confirmButton, m_cancelButton}) {
        button->setAutoDefault(false);
        button->setFixedSize(button->sizeHint().expandedTo(QSize(110, 30)));
        buttons->addWidget(button);
    }
    connect(m_confirmButton, &QPushButton::clicked, this, &CSetupDlg::confirm);
    connect(m_cancelButton, &QPushButton::clicked, this, &CSetupDlg::askCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buildGroup(tr("5分類検索用"), SettingsGrid::AmToPm5, SettingsGrid::PmToAm5));
    layout->addWidget(
        buildGroup(tr("階層6分類検索用"), SettingsGrid::AmToPm6, SettingsGrid::PmToAm6));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* CSetupDlg::buildGroup(const QString& title, SettingsGrid left, SettingsGrid right) {
    auto* group = new QGroupBox(title, this);
    group->setObjectName(QStringLiteral("group-") + qs(gridName(left)).right(1));
    auto* row = new QHBoxLayout(group);
    row->addWidget(buildGrid(left));
    row->addWidget(buildGrid(right));
    row->addStretch(1);
    return group;
}

// Headings and class labels around the cells: the column side over the class labels, the row
// side left of them. The edits are made in storage order so that Tab follows the checks.
QGroupBox* CSetupDlg::buildGrid(SettingsGrid grid) {
    auto* box = new QGroupBox(coreTr(gridTitle(grid)), this);
    box->setObjectName(QStringLiteral("grid-") + qs(gridName(grid)));
    auto* cells = new QGridLayout(box);
    cells->setHorizontalSpacing(4);
    cells->setVerticalSpacing(3);
    const int n = gridClassCount(grid);
    auto* columnHeading = new CColorStatic(coreTr(gridColumnHeading(grid)), box);
    columnHeading->setAlignment(Qt::AlignCenter);
    cells->addWidget(columnHeading, 0, 2, 1, n);
    auto* rowHeading = new CColorStatic(coreTr(gridRowHeading(grid)), box);
    cells->addWidget(rowHeading, 2, 0, n, 1, Qt::AlignVCenter);
    for (int position = 0; position < n; ++position) {
        const QString label = coreTr(gridClassLabel(screenClass(grid, position)));
        auto* over = new CColorStatic(label, box);
        over->setAlignment(Qt::AlignCenter);
        cells->addWidget(over, 1, position + 2);
        cells->addWidget(new CColorStatic(label, box), position + 2, 1);
    }
    // Screen position of each class.
    std::array<int, 7> at{};
    for (int position = 0; position < n; ++position)
        at[static_cast<std::size_t>(screenClass(grid, position))] = position;
    for (int element = 0; element < n * n; ++element) {
        const int column = elementColumnClass(grid, element);
        const int rowClass = elementRowClass(grid, element);
        QLineEdit* edit = numberEdit(
            QStringLiteral("cell-%1-%2-%3").arg(qs(gridName(grid))).arg(column).arg(rowClass));
        edit->setParent(box);
        edit->setFixedWidth(kCellWidth);
        edit->setAlignment(Qt::AlignRight);
        m_cells[static_cast<std::size_t>(gridFirstCell(grid) + element)] = edit;
        cells->addWidget(edit, at[static_cast<std::size_t>(rowClass)] + 2,
                         at[static_cast<std::size_t>(column)] + 2);
    }
    return box;
}

QLineEdit* CSetupDlg::cellEdit(SettingsGrid grid, int columnClass, int rowClass) const {
    const int n = gridClassCount(grid);
    if (columnClass < 1 || columnClass > n || rowClass < 1 || rowClass > n)
        return nullptr;
    return m_cells[static_cast<std::size_t>(gridFirstCell(grid) +
                                            gridElement(grid, columnClass, rowClass))];
}

void CSetupDlg::showFields(const SettingsFields& fields) {
    m_nameEdit->setText(QString::fromStdString(fields.projectName));
    m_factorEdit->setText(QString::fromStdString(fields.factor));
    for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
        m_cells[cell]->setText(QString::fromStdString(fields.cells[cell]));
}

SettingsFields CSetupDlg::typedFields() const {
    SettingsFields fields;
    fields.projectName = m_nameEdit->text().toStdString();
    fields.factor = m_factorEdit->text().toStdString();
    for (std::size_t cell = 0; cell < m_cells.size(); ++cell)
        fields.cells[cell] = m_cells[cell]->text().toStdString();
    return fields;
}

QLineEdit* CSetupDlg::faultyEdit(const SettingsFault& fault) const {
    switch (fault.field) {
    case SettingsField::ProjectName:
        return m_nameEdit;
    case SettingsField::Factor:
        return m_factorEdit;
    case SettingsField::Cell:
        break;
    }
    return m_cells[static_cast<std::size_t>(fault.cell)];
}

void CSetupDlg::confirm() {
    const SettingsFields fields = typedFields();
    if (const auto fault = checkSettingsFields(fields)) {
        Prompts::message(this, coreTr(settingsMessageText(fault->message)), MessageButtons::Ok,
                         MessageIcon::Exclamation);
        QLineEdit* edit = faultyEdit(*fault);
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return;
    }
    storeSettingsFields(fields, m_model.settings());
    accept();
}

void CSetupDlg::askCancel() {
    if (Prompts::message(this, tr("データを保存しません。よろしいですか？"), MessageButtons::YesNo,
                         MessageIcon::Question) != MessageAnswer::Yes)
        return;
    reject();
}

void CSetupDlg::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (focusWidget() == m_confirmButton)
            confirm();
        else if (focusWidget() == m_cancelButton)
            askCancel();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// accept and reject close without coming here; only the close box does.
void CSetupDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    askCancel();
}

} // namespace qdx
