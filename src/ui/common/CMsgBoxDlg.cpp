#include "ui/common/CMsgBoxDlg.h"

#include "store/StoreError.h"
#include "ui/common/CColorButton.h"
#include "ui/common/DisplayLanguage.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace qdx {

namespace {
const char* const kIdProperty = "actingId";
}

CMsgBoxDlg::CMsgBoxDlg(const QString& text, MessageButtons buttons, MessageIcon icon,
                       QWidget* parent)
    : QDialog(parent) {
    build(text, buttons, icon);
}

CMsgBoxDlg::CMsgBoxDlg(int messageId, MessageButtons buttons, MessageIcon icon, QWidget* parent)
    : QDialog(parent) {
    build(coreTr(storeErrorMessage(messageId)), buttons, icon);
}

void CMsgBoxDlg::build(const QString& text, MessageButtons buttons, MessageIcon icon) {
    setObjectName(QStringLiteral("messageBox"));
    setWindowTitle(QStringLiteral("Quendix Free"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(true);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("iconArea"));
    QStyle::StandardPixmap pixmap = QStyle::SP_CustomBase;
    switch (icon) {
    case MessageIcon::Error:
        pixmap = QStyle::SP_MessageBoxCritical;
        break;
    case MessageIcon::Question:
        pixmap = QStyle::SP_MessageBoxQuestion;
        break;
    case MessageIcon::Exclamation:
        pixmap = QStyle::SP_MessageBoxWarning;
        break;
    case MessageIcon::Information:
        pixmap = QStyle::SP_MessageBoxInformation;
        break;
    case MessageIcon::None:
        break;
    }
    if (pixmap != QStyle::SP_CustomBase) {
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        m_icon->setPixmap(style()->standardIcon(pixmap, nullptr, this).pixmap(size, size));
    }
    m_icon->setFixedWidth(40);
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    // Long messages grow the box instead of being cut off.
    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("messageText"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(300);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setFocusPolicy(Qt::NoFocus);

    auto* top = new QHBoxLayout;
    top->addWidget(m_icon);
    top->addWidget(m_text, 1);

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (auto& b : m_buttons) {
        b = new CColorButton(QString(), this);
        b->setMinimumSize(80, 26);
        b->setAutoDefault(true);
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { done(resultFor(actingId(b))); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(row);
    setUpButtons(buttons);
}

void CMsgBoxDlg::setUpButtons(MessageButtons buttons) {
    const QString ok = QStringLiteral("OK");
    const QString cancel = tr("キャンセル");
    const QString yes = tr("はい");
    const QString no = tr("いいえ");
    switch (buttons) {
    case MessageButtons::Ok:
        m_buttons[0]->hide();
        m_buttons[1]->hide();
        setButton(2, ok, kConfirmId);
        break;
    case MessageButtons::OkCancel:
        m_buttons[0]->hide();
        setButton(1, ok, kConfirmId);
        setButton(2, cancel, kCancelId);
        break;
    case MessageButtons::YesNo:
        m_buttons[0]->hide();
        setButton(1, yes, kConfirmId);
        setButton(2, no, kNoId);
        break;
    case MessageButtons::YesNoCancel:
        setButton(0, yes, kConfirmId);
        setButton(1, no, kNoId);
        setButton(2, cancel, kCancelId);
        break;
    }
    for (auto* b : m_buttons) {
        if (b->property(kIdProperty).isValid()) {
            b->setFocus();
            break;
        }
    }
}

void CMsgBoxDlg::setButton(int position, const QString& caption, int id) {
    CColorButton* b = m_buttons[position];
    b->setText(caption);
    b->setProperty(kIdProperty, id);
    b->setObjectName(QStringLiteral("button%1").arg(id));
    const QColor white(Qt::white);
    if (id == kConfirmId) {
        b->setColors(CColorButton::confirmFace(), white);
    } else if (id == kCancelId) {
        b->setColors(CColorButton::cancelFace(), white);
    } else {
        b->setColors(CColorButton::commandFace(), palette().color(QPalette::ButtonText));
    }
}

QString CMsgBoxDlg::text() const {
    return m_text->text();
}

bool CMsgBoxDlg::hasIcon() const {
    return !m_icon->pixmap().isNull();
}

int CMsgBoxDlg::actingId(const CColorButton* button) {
    return button->property(kIdProperty).toInt();
}

int CMsgBoxDlg::resultFor(int id) {
    switch (id) {
    case kConfirmId:
        return 6;
    case kNoId:
        return 7;
    default:
        return 2;
    }
}

MessageAnswer CMsgBoxDlg::answerFor(int result) {
    switch (result) {
    case 6:
        return MessageAnswer::Yes;
    case 7:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Cancel;
    }
}

void CMsgBoxDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CMsgBoxDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    done(2);
}

} // namespace qdx
