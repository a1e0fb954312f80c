#include "ui/entry/CRulerDlg.h"

#include "ui/common/CColorButton.h"
#include "ui/common/UiFonts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>

namespace qdx {

namespace {

const char* const kClassCaptions[] = {QT_TRANSLATE_NOOP("qdx::CRulerDlg", "分類１："),
                                      QT_TRANSLATE_NOOP("qdx::CRulerDlg", "分類２："),
                                      QT_TRANSLATE_NOOP("qdx::CRulerDlg", "分類３："),
                                      QT_TRANSLATE_NOOP("qdx::CRulerDlg", "分類４："),
                                      QT_TRANSLATE_NOOP("qdx::CRulerDlg", "分類５：")};

} // namespace

CRulerDlg::CRulerDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CRulerDlg"));
    setWindowTitle(tr("分類基準 - Quendix Free"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("infoIcon"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    grid->addWidget(icon, 0, 0, Qt::AlignTop);
    for (int i = 0; i < 5; ++i) {
        auto* caption = new QLabel(tr(kClassCaptions[i]), this);
        auto* edit = new QPlainTextEdit(this);
        edit->setObjectName(QStringLiteral("rulerText%1").arg(i + 1));
        edit->setReadOnly(true);
        edit->setFixedHeight(QFontMetrics(edit->font()).lineSpacing() * 3 + 12);
        edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(QLatin1Char('M')) * 30);
        m_texts[static_cast<std::size_t>(i)] = edit;
        grid->addWidget(caption, i, 1, Qt::AlignTop);
        grid->addWidget(edit, i, 2);
    }
    m_closeButton = new CColorButton(tr("終了"), this);
    m_closeButton->setObjectName(QStringLiteral("closeButton"));
    m_closeButton->setColors(CColorButton::confirmFace(), Qt::white);
    m_closeButton->setFont(UiFonts::scaled(font(), 1.2, true));
    m_closeButton->setAutoDefault(false);
    m_closeButton->setMinimumSize(QSize(100, 30));
    grid->addWidget(m_closeButton, 5, 2, Qt::AlignRight);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);
}

void CRulerDlg::showTexts(const std::array<std::string, 6>& rulers) {
    for (std::size_t i = 0; i < m_texts.size(); ++i)
        m_texts[i]->setPlainText(QString::fromStdString(rulers[i]).replace(QStringLiteral("\r\n"),
                                                                           QStringLiteral("\n")));
    show();
    raise();
}

QString CRulerDlg::text(int index) const {
    return m_texts[static_cast<std::size_t>(index)]->toPlainText();
}

void CRulerDlg::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() == m_closeButton)
        m_closeButton->click();
    // Esc and Enter elsewhere do nothing.
    event->accept();
}

void CRulerDlg::reject() {
    // The close box hides the window, as 終了 does; Esc never reaches here.
    hide();
}

} // namespace qdx
