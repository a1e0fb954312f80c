#include "ui/chart/ChartWidget.h"

#include "ui/chart/ChartPainter.h"

#include <QMouseEvent>
#include <QPainter>

namespace qdx {

ChartWidget::ChartWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chartPicture"));
    setFixedSize(ChartPainter::kPictureSize);
    setMouseTracking(true);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartWidget::setChart(const QImage& chart) {
    m_chart = chart;
    update();
}

QRect ChartWidget::pictureRect() const {
    return QRect(QPoint(0, 0), ChartPainter::kPictureSize);
}

void ChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (m_chart.isNull()) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    painter.drawImage(QPoint(0, 0), m_chart);
}

void ChartWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    // The press that makes a double click is reported as the double click alone.
    if (event->flags().testFlag(Qt::MouseEventCreatedDoubleClick)) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        emit clicked(point);
    } else if (event->button() == Qt::RightButton) {
        emit rightClicked(point);
    }
}

void ChartWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked(point);
    } else if (event->button() == Qt::RightButton) {
        emit rightClicked(point);
    }
    event->accept();
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
    event->accept();
}

} // namespace qdx
