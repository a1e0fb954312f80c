#pragma once

#include <QImage>
#include <QWidget>

namespace qdx {

// Shows a composed chart (ChartPainter::drawChart) at 481 x 558 pixels, its top-left corner
// at the widget's, and reports the mouse in picture coordinates, which are the widget's own:
// pass pictureRect() to ChartPainter's hit tests. It decides nothing itself; the window
// changes its chart and calls setChart again.
class ChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit ChartWidget(QWidget* parent = nullptr);

    void setChart(const QImage& chart);
    const QImage& chart() const { return m_chart; }
    // The picture in the coordinates of the reported points.
    QRect pictureRect() const;

signals:
    // The left button went down on the picture.
    void clicked(QPoint point);
    // The second press of a left double click (the first arrived as clicked).
    void doubleClicked(QPoint point);
    // The right button went down, or was double-clicked, on the picture. No context menu is
    // shown.
    void rightClicked(QPoint point);
    // The pointer moved over the picture, with or without a button held.
    void mouseMoved(QPoint point);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_chart;
};

} // namespace qdx
