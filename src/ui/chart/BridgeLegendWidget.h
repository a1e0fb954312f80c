#pragma once

#include <QWidget>

namespace qdx {

// The entry dialog's bridge legend: a black and a white bridge-mark circle, one above the
// other (ChartPainter::drawBridgeLegend); the window puts ChartPainter::bridgeLegendText()
// beside it.
class BridgeLegendWidget : public QWidget {
    Q_OBJECT
public:
    explicit BridgeLegendWidget(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qdx
