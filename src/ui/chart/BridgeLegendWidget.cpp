#include "ui/chart/BridgeLegendWidget.h"

#include "ui/chart/ChartPainter.h"

#include <QPainter>

namespace qdx {

BridgeLegendWidget::BridgeLegendWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("bridgeLegend"));
    setFixedSize(16, 32);
}

void BridgeLegendWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    ChartPainter::drawBridgeLegend(painter, rect());
}

} // namespace qdx
