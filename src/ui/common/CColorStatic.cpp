#include "ui/common/CColorStatic.h"

namespace qdx {

CColorStatic::CColorStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    m_color = palette().color(QPalette::WindowText);
}

void CColorStatic::setTextColor(const QColor& color) {
    m_color = color;
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, color);
    colors.setColor(QPalette::Disabled, QPalette::WindowText, color);
    setPalette(colors);
}

} // namespace qdx
