#include "ui/chart/ChartGeometry.h"
#include "ui/chart/PictureKind.h"

#include <QImage>
#include <QTest>

using namespace qdx;
using namespace qdx::chart;

namespace {

const QString kFolder = QStringLiteral(QDX_PICTURE_FOLDER);

QImage loadMask(int position) {
    const std::string_view name = toothPictureNames()[static_cast<std::size_t>(position)];
    return QImage(kFolder + "mask/" + QString::fromUtf8(name.data(), name.size()) + ".bmp");
}

QPoint rectCentre(int position) {
    const ToothRect& r = toothRects()[static_cast<std::size_t>(position)];
    return {(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2};
}

bool isBlack(const QImage& image, QPoint p) {
    return (image.pixel(p) & 0xffffffu) == 0u;
}

} // namespace

class ChartPicturesTest : public QObject {
    Q_OBJECT
private slots:
    void everyPictureIsAChartSizedBitmap() {
        QStringList files{QString::fromUtf8(kBackgroundStem.data()) + ".bmp"};
        for (int k = 0; k < kPictureKindCount; ++k) {
            files << QString::fromUtf8(pictureStem(static_cast<PictureKind>(k)).data()) + ".bmp";
        }
        for (const QString& file : files) {
            QFile bytes(kFolder + file);
            QVERIFY2(bytes.open(QIODevice::ReadOnly), qPrintable(file));
            QCOMPARE(bytes.read(2), QByteArray("BM"));
            QCOMPARE(QImage(kFolder + file).size(), QSize(kPictureWidth, kPictureHeight));
        }
    }

    // What a click finds and what the user sees agree: the middle of each tooth's hit
    // rectangle is inside that tooth's drawing and no other's, and a click on any pixel of a
    // tooth's drawing finds that tooth.
    void masksAgreeWithTheHitRectangles() {
        std::array<QImage, kToothCount> masks;
        for (int i = 0; i < kToothCount; ++i) {
            masks[static_cast<std::size_t>(i)] = loadMask(i);
            QCOMPARE(masks[static_cast<std::size_t>(i)].size(),
                     QSize(kPictureWidth, kPictureHeight));
        }
        for (int i = 0; i < kToothCount; ++i) {
            for (int j = 0; j < kToothCount; ++j) {
                QCOMPARE(isBlack(masks[static_cast<std::size_t>(j)], rectCentre(i)), i == j);
            }
        }
        // Every drawn pixel of a tooth is found as that tooth, also where positions 9 and 10
        // overlap.
        const Box picture{0, 0, kPictureWidth, kPictureHeight};
        for (int i = 0; i < kToothCount; ++i) {
            const QImage& mask = masks[static_cast<std::size_t>(i)];
            int outside = 0;
            int blackOrWhite = 0;
            for (int y = 0; y < mask.height(); ++y) {
                for (int x = 0; x < mask.width(); ++x) {
                    const QRgb c = mask.pixel(x, y) & 0xffffffu;
                    blackOrWhite += c == 0u || c == 0xffffffu;
                    outside += c == 0u && toothAt({x, y}, picture) != i;
                }
            }
            QCOMPARE(outside, 0);
            QCOMPARE(blackOrWhite, mask.width() * mask.height());
        }
    }

    // Each class picture covers its teeth with the kind's own colour (fissures and marks aside):
    // the sound picture is mostly the sound colour inside every mask, the no-information one
    // white.
    void classPicturesFillTheTeeth() {
        const QImage sound(kFolder + "sound.bmp");
        const QImage noinfo(kFolder + "noinfo.bmp");
        for (int i = 0; i < kToothCount; ++i) {
            const QImage mask = loadMask(i);
            int inside = 0;
            int blue = 0;
            int white = 0;
            for (int y = 0; y < mask.height(); ++y) {
                for (int x = 0; x < mask.width(); ++x) {
                    if (isBlack(mask, {x, y})) {
                        ++inside;
                        blue += QColor(sound.pixel(x, y)) == QColor(0, 158, 231);
                        white += QColor(noinfo.pixel(x, y)) == QColor(Qt::white);
                    }
                }
            }
            QVERIFY(inside > 300);
            QVERIFY2(blue > inside * 4 / 5, qPrintable(QString::number(i)));
            QVERIFY2(white > inside * 4 / 5, qPrintable(QString::number(i)));
        }
    }

    void toothHitsAreStrictAndInIndexOrder() {
        const Box picture{0, 0, kPictureWidth, kPictureHeight};
        // Position 7: 188 < x < 240, 16 < y < 49.
        QCOMPARE(toothAt({189, 17}, picture), 7);
        QCOMPARE(toothAt({239, 48}, picture), 7);
        QCOMPARE(toothAt({188, 30}, picture), -1);
        QCOMPARE(toothAt({200, 16}, picture), -1);
        QCOMPARE(toothAt({240, 30}, picture), -1); // between the central incisors
        QCOMPARE(toothAt({200, 49}, picture), -1);
        // Positions 9 and 10 overlap in 326 < x < 335, 52 < y < 56: the lower index wins.
        QCOMPARE(toothAt({330, 54}, picture), 9);
        QCOMPARE(toothAt({330, 60}, picture), 10);
        QCOMPARE(toothAt({240, 279}, picture), -1);
        for (int i = 0; i < kToothCount; ++i) {
            QCOMPARE(toothAt({rectCentre(i).x(), rectCentre(i).y()}, picture), i);
        }
        // The picture placed elsewhere and drawn at double size: edges scale and truncate.
        const Box moved{100, 50, 2 * kPictureWidth, 2 * kPictureHeight};
        QCOMPARE(toothAt({100 + 2 * 188, 50 + 2 * 30}, moved), -1);
        QCOMPARE(toothAt({100 + 2 * 188 + 1, 50 + 2 * 30}, moved), 7);
        // 1.5 times: 188 * 721 / 481 = 281.8 truncates to 281.
        const Box wider{0, 0, 721, kPictureHeight};
        QCOMPARE(toothAt({281, 30}, wider), -1);
        QCOMPARE(toothAt({282, 30}, wider), 7);
    }

    void bridgeMarksHitWithinEightPixels() {
        const Box picture{0, 0, kPictureWidth, kPictureHeight};
        QCOMPARE(bridgeMarkAt({262, 49}, picture), 8);
        QCOMPARE(bridgeMarkAt({262, 48}, picture), -1);
        QCOMPARE(bridgeMarkAt({269, 56}, picture), 8);
        QCOMPARE(bridgeMarkAt({270, 56}, picture), -1);
        // Position 0 (117, 242): the box moved towards the centre lies around (123, 243), so
        // 9 pixels to the right of the mark still hits.
        QCOMPARE(bridgeMarkAt({126, 242}, picture), 0);
        QCOMPARE(bridgeMarkAt({108, 242}, picture), -1);
        QCOMPARE(bridgeMarkAt({131, 242}, picture), -1);
        for (int i = 0; i < kToothCount; ++i) {
            const Point c = bridgeMarkCentres()[static_cast<std::size_t>(i)];
            QCOMPARE(bridgeMarkAt(c, picture), i);
            QCOMPARE(toothAt(c, picture), -1);
        }
        QCOMPARE(bridgeMarkAt({240, 279}, picture), -1);
        // At double size the boxes stay 8 pixels: mark 8 lies around (524, 112) moved by the
        // picture's corner, the shifted box around (19 * 262 + 240) / 20 = 260 and 67 -> (520,
        // 134).
        const Box moved{10, 20, 2 * kPictureWidth, 2 * kPictureHeight};
        QCOMPARE(bridgeMarkAt({10 + 524, 20 + 112 + 7}, moved), 8);
        QCOMPARE(bridgeMarkAt({10 + 524, 20 + 112 - 8}, moved), -1);
        QCOMPARE(bridgeMarkAt({10 + 520, 20 + 134 + 7}, moved), 8);
        QCOMPARE(bridgeMarkAt({10 + 520, 20 + 134 + 8}, moved), -1);
    }

    // The tooth-number labels lie in the picture outside every tooth and every mark, so a
    // click on one never changes a tooth.
    void labelsLieBesideTheTeeth() {
        const Box picture{0, 0, kPictureWidth, kPictureHeight};
        for (int i = 0; i < kToothCount; ++i) {
            const Box b = labelBox(i);
            QVERIFY(b.left >= 0 && b.left + b.width <= kPictureWidth);
            QVERIFY(b.top >= 0 && b.top + b.height <= kPictureHeight);
            for (int y = b.top + 1; y < b.top + b.height; ++y) {
                for (int x = b.left + 1; x < b.left + b.width; ++x) {
                    QCOMPARE(labelAt({x, y}, picture), i);
                    QCOMPARE(toothAt({x, y}, picture), -1);
                    QCOMPARE(bridgeMarkAt({x, y}, picture), -1);
                }
            }
            QCOMPARE(labelAt({b.left, b.top + 1}, picture), -1);
        }
    }
};

QTEST_MAIN(ChartPicturesTest)
#include "ChartPicturesTest.moc"
