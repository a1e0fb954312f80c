#include "ui/common/CTextInputDlg.h"

#include "ui/common/CColorButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qdx {

CTextInputDlg::CTextInputDlg(const QString& title, const QString& label, const QString& text,
                             QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("CTextInputDlg"));
    setWindowTitle(title);
    auto* caption = new QLabel(label, this);
    m_edit = new QLineEdit(text, this);
    m_edit->setObjectName(QStringLiteral("textEdit"));
    m_edit->setMinimumWidth(260);
    m_edit->selectAll();
    m_ok = new CColorButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setColors(CColorButton::confirmFace(), Qt::white);
    m_ok->setDefault(true);
    m_cancel = new CColorButton(QStringLiteral("キャンセル"), this);
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
    m_cancel->setColors(CColorButton::cancelFace(), Qt::white);
    m_cancel->setAutoDefault(false);
    for (CColorButton* button : {m_ok, m_cancel})
        button->setMinimumSize(96, 28);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(caption);
    field->addWidget(m_edit, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addLayout(buttons);
}

QString CTextInputDlg::text() const {
    return m_edit->text();
}

} // namespace qdx
