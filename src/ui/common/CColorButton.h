#pragma once

#include <QColor>
#include <QPushButton>

namespace qdx {

// A push button drawn flat in its own face and text colour, with a raised edge, a sunken edge
// while pressed and a focus rectangle; disabled it falls back to the system face and grey text.
class CColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CColorButton(const QString& text = {}, QWidget* parent = nullptr);

    void setColors(const QColor& face, const QColor& text);
    QColor faceColor() const { return m_face; }
    QColor textColor() const { return m_text; }

    // The colours of the program's buttons.
    static QColor confirmFace() { return {51, 204, 51}; }
    static QColor cancelFace() { return {204, 51, 51}; }
    static QColor searchFace() { return {51, 15, 204}; }
    static QColor commandFace() { return {216, 233, 236}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face = commandFace();
    QColor m_text;
};

} // namespace qdx
