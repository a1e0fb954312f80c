#include "ui/chart/ChartPainter.h"

#include "ui/chart/PictureCache.h"
#include "ui/common/UiFonts.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace qdx {

namespace {

constexpr QRgb kWhite = 0xffffffffu;

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

chart::Point toPoint(QPoint p) {
    return {p.x(), p.y()};
}
chart::Box toBox(QRect r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

} // namespace

ChartContent ChartContent::allOf(PictureKind kind) {
    ChartContent content;
    content.kinds.fill(static_cast<int>(kind));
    return content;
}

ToothValues kindsOfChart(const ChartStrings& chart) {
    ToothValues kinds{};
    for (int i = 0; i < kToothCount; ++i) {
        const char digit = chart.classChart.size() > static_cast<std::size_t>(i)
                               ? chart.classChart[static_cast<std::size_t>(i)]
                               : '0';
        kinds[static_cast<std::size_t>(i)] = digit == '7' ? static_cast<int>(PictureKind::Select)
                                                          : kindOfClass(effectiveClass(chart, i));
    }
    return kinds;
}

ToothValues flagsOf(const std::string& chartString) {
    ToothValues flags{};
    for (std::size_t i = 0; i < flags.size() && i < chartString.size(); ++i) {
        flags[i] = chartString[i] == '1' ? 1 : 0;
    }
    return flags;
}

void ChartPainter::loadPictures(const QString& pictureFolder, int kindCount) {
    const auto& names = toothPictureNames();
    for (int i = 0; i < kToothCount; ++i) {
        QImage& mask = m_masks[static_cast<std::size_t>(i)];
        if (mask.isNull()) {
            const PictureCache::MaskPart part = PictureCache::mask(
                pictureFolder + "mask/" + fromView(names[static_cast<std::size_t>(i)]) + ".bmp");
            mask = part.part;
            m_maskBounds[static_cast<std::size_t>(i)] = part.bounds;
        }
    }
    for (int k = 0; k < kindCount && k < kPictureKindCount; ++k) {
        QImage& picture = m_kinds[static_cast<std::size_t>(k)];
        if (picture.isNull()) {
            picture = PictureCache::picture(
                pictureFolder + fromView(pictureStem(static_cast<PictureKind>(k))) + ".bmp");
        }
    }
    if (m_background.isNull()) {
        m_background = PictureCache::picture(pictureFolder + fromView(kBackgroundStem) + ".bmp");
    }
}

void ChartPainter::loadPictures(const std::string& pictureFolder, int kindCount) {
    loadPictures(QString::fromStdString(pictureFolder), kindCount);
}

void ChartPainter::releasePictures() {
    m_kinds = {};
    m_masks = {};
    m_maskBounds = {};
    m_background = QImage();
}

bool ChartPainter::hasPicture(PictureKind kind) const {
    const int k = static_cast<int>(kind);
    return k >= 0 && k < kPictureKindCount && !m_kinds[static_cast<std::size_t>(k)].isNull();
}

bool ChartPainter::hasMask(int position) const {
    return position >= 0 && position < kToothCount &&
           !m_masks[static_cast<std::size_t>(position)].isNull();
}

bool ChartPainter::hasBackground() const {
    return !m_background.isNull();
}

QImage ChartPainter::drawChart(const ChartContent& content) const {
    QImage image;
    drawChart(content, image);
    return image;
}

void ChartPainter::drawChart(const ChartContent& content, QImage& into) const {
    if (into.size() != kPictureSize || into.format() != QImage::Format_RGB32) {
        into = QImage(kPictureSize, QImage::Format_RGB32);
    }
    into.fill(kWhite);
    composeTeeth(content, into);
    if (!content.bridges && !content.deciduous) {
        return;
    }
    QPainter painter(&into);
    if (content.bridges) {
        drawBridgeMarks(painter, *content.bridges);
    }
    if (content.deciduous) {
        drawLabels(painter, *content.deciduous);
    }
}

// The raster steps are done only where a mask is black: elsewhere the mask is white, so
// mask OR picture is white and the AND leaves the chart as it is.
void ChartPainter::composeTeeth(const ChartContent& content, QImage& into) const {
    for (int i = 0; i < kToothCount; ++i) {
        const int kind = content.kinds[static_cast<std::size_t>(i)];
        if (kind < 0 || kind >= kPictureKindCount || !hasMask(i)) {
            continue;
        }
        const QImage& picture = m_kinds[static_cast<std::size_t>(kind)];
        if (picture.isNull()) {
            continue;
        }
        const QImage& mask = m_masks[static_cast<std::size_t>(i)];
        const QRect bounds = m_maskBounds[static_cast<std::size_t>(i)];
        for (int y = bounds.top(); y <= bounds.bottom(); ++y) {
            const auto* m =
                reinterpret_cast<const QRgb*>(mask.constScanLine(y - bounds.top())) - bounds.left();
            const auto* p = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            auto* w = reinterpret_cast<QRgb*>(into.scanLine(y));
            for (int x = bounds.left(); x <= bounds.right(); ++x) {
                w[x] &= m[x] | p[x];
            }
        }
    }
    if (m_background.isNull()) {
        return;
    }
    const auto* b = reinterpret_cast<const QRgb*>(m_background.constBits());
    auto* w = reinterpret_cast<QRgb*>(into.bits());
    const qsizetype count = static_cast<qsizetype>(into.width()) * into.height();
    for (qsizetype n = 0; n < count; ++n) {
        w[n] &= b[n];
    }
}

void ChartPainter::drawBridgeMarks(QPainter& painter, const ToothValues& bridges) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    const auto& centres = chart::bridgeMarkCentres();
    for (int i = 0; i < kToothCount; ++i) {
        const chart::Point c = centres[static_cast<std::size_t>(i)];
        painter.setBrush(bridges[static_cast<std::size_t>(i)] == 1 ? Qt::black : Qt::white);
        painter.drawEllipse(QPoint(c.x, c.y), chart::kBridgeMarkRadius, chart::kBridgeMarkRadius);
    }
}

void ChartPainter::drawLabels(QPainter& painter, const ToothValues& deciduous) {
    painter.setFont(labelFont());
    painter.setPen(Qt::black);
    for (int i = 0; i < kToothCount; ++i) {
        const QString text = labelText(i, deciduous[static_cast<std::size_t>(i)] == 1);
        painter.drawText(labelRect(i), Qt::AlignCenter, text);
    }
}

int ChartPainter::toothAt(QPoint p, QRect picture) {
    return chart::toothAt(toPoint(p), toBox(picture));
}

int ChartPainter::bridgeMarkAt(QPoint p, QRect picture) {
    return chart::bridgeMarkAt(toPoint(p), toBox(picture));
}

int ChartPainter::labelAt(QPoint p, QRect picture) {
    return chart::labelAt(toPoint(p), toBox(picture));
}

QString ChartPainter::labelText(int position, bool deciduous) {
    const QString digits = QCoreApplication::translate("qdx::ChartPainter", "１２３４５６７８");
    const QString letters = QCoreApplication::translate("qdx::ChartPainter", "ＡＢＣＤＥ");
    const int number = toothNumber(position);
    if (!deciduous) {
        return digits.mid(number - 1, 1);
    }
    return number <= 5 ? letters.mid(number - 1, 1) : QString();
}

QRect ChartPainter::labelRect(int position) {
    const chart::Box b = chart::labelBox(position);
    return {b.left, b.top, b.width, b.height};
}

QFont ChartPainter::labelFont() {
    QFont font = UiFonts::dialogFont();
    font.setPixelSize(13);
    return font;
}

void ChartPainter::drawBridgeLegend(QPainter& painter, const QRect& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    const int x = box.left() + box.width() / 2;
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(x, box.top() + box.height() / 4), 5, 5);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPoint(x, box.top() + 3 * box.height() / 4), 5, 5);
    painter.restore();
}

QString ChartPainter::bridgeLegendText() {
    return QCoreApplication::translate("qdx::ChartPainter", "ブリッジあり\r\nブリッジなし");
}

} // namespace qdx
