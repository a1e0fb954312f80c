#pragma once

#include <QColor>
#include <QLabel>

namespace qdx {

// Static text painted in its own colour on a transparent background.
class CColorStatic : public QLabel {
    Q_OBJECT
public:
    explicit CColorStatic(const QString& text = {}, QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    QColor textColor() const { return m_color; }

private:
    QColor m_color;
};

} // namespace qdx
