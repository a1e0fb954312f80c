#include "ui/common/CColorButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <qdrawutil.h>

namespace qdx {

CColorButton::CColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    m_text = palette().color(QPalette::ButtonText);
}

void CColorButton::setColors(const QColor& face, const QColor& text) {
    m_face = face;
    m_text = text;
    update();
}

void CColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    const bool enabled = isEnabled();
    const QColor face = enabled ? m_face : palette().color(QPalette::Active, QPalette::Button);
    const QColor text =
        enabled ? m_text : palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.fillRect(area, face);
    qDrawWinButton(&painter, area, palette(), isDown(), nullptr);

    painter.setPen(text);
    painter.setFont(font());
    const QRect textArea = isDown() ? area.translated(1, 1) : area;
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextShowMnemonic, this->text());

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = area.adjusted(4, 4, -4, -4);
        option.backgroundColor = face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace qdx
