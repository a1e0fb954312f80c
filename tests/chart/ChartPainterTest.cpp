#include "support/TestFiles.h"

#include "model/Labels.h"
#include "ui/chart/BridgeLegendWidget.h"
#include "ui/chart/ChartGallery.h"
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/LegendSwatch.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <memory>

using namespace qdx;

namespace {

const QString kFolder = QStringLiteral(QDX_PICTURE_FOLDER);

QImage picture(const QString& file) {
    return QImage(kFolder + file).convertToFormat(QImage::Format_RGB32);
}

QImage mask(int position) {
    const std::string_view name = toothPictureNames()[static_cast<std::size_t>(position)];
    return picture("mask/" + QString::fromUtf8(name.data(), name.size()) + ".bmp");
}

QString kindFile(int kind) {
    return QString::fromUtf8(pictureStem(static_cast<PictureKind>(kind)).data()) + ".bmp";
}

bool black(QRgb c) {
    return (c & 0xffffffu) == 0u;
}

// The position whose mask is black at every pixel, or -1.
std::vector<int> toothOfPixel() {
    std::vector<int> owner(static_cast<std::size_t>(ChartPainter::kPictureSize.width() *
                                                    ChartPainter::kPictureSize.height()),
                           -1);
    for (int i = 0; i < kToothCount; ++i) {
        const QImage m = mask(i);
        for (int y = 0; y < m.height(); ++y) {
            for (int x = 0; x < m.width(); ++x) {
                if (black(m.pixel(x, y))) {
                    owner[static_cast<std::size_t>(y * m.width() + x)] = i;
                }
            }
        }
    }
    return owner;
}

// The copied picture set with some files gone or spoilt.
void copyPictures(const std::filesystem::path& to) {
    std::filesystem::copy(std::filesystem::path(QDX_PICTURE_FOLDER), to,
                          std::filesystem::copy_options::recursive);
}

// The share of a tooth's pixels that have `colour`.
double shareOf(const QImage& image, int position, const QColor& colour) {
    const QImage m = mask(position);
    int inside = 0;
    int same = 0;
    for (int y = 0; y < m.height(); ++y) {
        for (int x = 0; x < m.width(); ++x) {
            if (black(m.pixel(x, y))) {
                ++inside;
                same += QColor(image.pixel(x, y)) == colour;
            }
        }
    }
    return inside == 0 ? 0.0 : static_cast<double>(same) / inside;
}

QImage region(const QImage& image, const QRect& r) {
    return image.copy(r);
}

} // namespace

class ChartPainterTest : public QObject {
    Q_OBJECT
private slots:
    // Every tooth pixel shows its kind's picture under the outline; every other pixel shows
    // the background alone.
    void composesEachToothFromItsKind() {
        ChartPainter painter;
        painter.loadPictures(kFolder, kSearchKindCount);
        ChartContent content;
        for (int i = 0; i < kToothCount; ++i) {
            content.kinds[static_cast<std::size_t>(i)] = i % kPictureKindCount;
        }
        const QImage drawn = painter.drawChart(content);
        QCOMPARE(drawn.size(), ChartPainter::kPictureSize);
        std::array<QImage, kPictureKindCount> kinds;
        for (int k = 0; k < kPictureKindCount; ++k) {
            kinds[static_cast<std::size_t>(k)] = picture(kindFile(k));
        }
        const QImage background = picture("GreyBackground.bmp");
        const std::vector<int> owner = toothOfPixel();
        int wrong = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                const int tooth = owner[static_cast<std::size_t>(y * drawn.width() + x)];
                QRgb expected = background.pixel(x, y);
                if (tooth >= 0) {
                    expected &=
                        kinds[static_cast<std::size_t>(tooth % kPictureKindCount)].pixel(x, y);
                }
                wrong += drawn.pixel(x, y) != expected;
            }
        }
        QCOMPARE(wrong, 0);

        // All kinds 4: the no-information picture at every tooth pixel.
        const QImage noinfo = painter.drawChart(ChartContent::allOf(PictureKind::NoInfo));
        wrong = 0;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (owner[static_cast<std::size_t>(y * drawn.width() + x)] >= 0) {
                    wrong += noinfo.pixel(x, y) != (kinds[4].pixel(x, y) & background.pixel(x, y));
                }
            }
        }
        QCOMPARE(wrong, 0);
    }

    void missingOrSpoiltFilesLeaveTheirSlotsEmpty() {
        test::TempDir dir;
        const std::filesystem::path folder = dir.path() / "pictures";
        copyPictures(folder);
        std::filesystem::remove(folder / "sound.bmp");
        std::filesystem::remove(folder / "mask" / "ul1.bmp");
        test::writeBytes((folder / "crown.bmp").string(), "BM this is no bitmap");
        test::writeBytes((folder / "GreyBackground.bmp").string(), "");
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(Qt::black);
        QVERIFY(small.save(QString::fromStdString((folder / "exist.bmp").string()), "BMP"));

        ChartPainter painter;
        painter.loadPictures(folder.string() + "/", kEntryKindCount);
        QVERIFY(!painter.hasPicture(PictureKind::Sound));
        QVERIFY(!painter.hasPicture(PictureKind::Crown));
        QVERIFY(painter.hasPicture(PictureKind::Filling));
        QVERIFY(painter.hasPicture(PictureKind::Select));
        QVERIFY(!painter.hasPicture(PictureKind::Exist));    // not a chart-sized picture
        QVERIFY(!painter.hasPicture(PictureKind::Mismatch)); // not asked for
        QVERIFY(!painter.hasMask(8));
        QVERIFY(painter.hasMask(9));
        QVERIFY(!painter.hasBackground());

        ChartContent content = ChartContent::allOf(PictureKind::Missing);
        content.kinds[0] = static_cast<int>(PictureKind::Sound);
        content.kinds[1] = static_cast<int>(PictureKind::Crown);
        content.kinds[2] = -1;
        content.kinds[3] = 99;
        content.bridges = ToothValues{};
        content.deciduous = ToothValues{};
        const QImage drawn = painter.drawChart(content);
        QCOMPARE(drawn.size(), ChartPainter::kPictureSize);
        const QColor red(231, 20, 26);
        for (int i : {0, 1, 2, 3, 8}) {
            QCOMPARE(shareOf(drawn, i, Qt::white), 1.0);
        }
        QVERIFY2(shareOf(drawn, 9, red) > 0.5, qPrintable(QString::number(shareOf(drawn, 9, red))));
        QVERIFY(black(drawn.pixel(QPoint(262, 56) + QPoint(5, 0)))); // marks still drawn

        // A file that appears or changes is read again by the next window.
        std::filesystem::copy_file(std::filesystem::path(QDX_PICTURE_FOLDER) / "sound.bmp",
                                   folder / "sound.bmp");
        std::filesystem::copy_file(std::filesystem::path(QDX_PICTURE_FOLDER) / "missing.bmp",
                                   folder / "filling.bmp",
                                   std::filesystem::copy_options::overwrite_existing);
        QFile changed(QString::fromStdString((folder / "filling.bmp").string()));
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(10),
                                    QFileDevice::FileModificationTime));
        changed.close();
        ChartPainter next;
        next.loadPictures(folder.string() + "/", kEntryKindCount);
        QVERIFY(next.hasPicture(PictureKind::Sound));
        const QImage refilled = next.drawChart(ChartContent::allOf(PictureKind::Filling));
        QVERIFY(shareOf(refilled, 20, red) > 0.5);

        // Loading again fills only the empty slots.
        painter.loadPictures(kFolder, kSearchKindCount);
        QVERIFY(painter.hasPicture(PictureKind::Sound) && painter.hasMask(8));
        QVERIFY(painter.hasPicture(PictureKind::Mismatch) && painter.hasBackground());
        painter.releasePictures();
        QVERIFY(!painter.hasPicture(PictureKind::Filling) && !painter.hasMask(0));
        QCOMPARE(shareOf(painter.drawChart(content), 9, Qt::white), 1.0);
    }

    void bridgeMarksAreBlackWhereSet() {
        ChartPainter painter;
        painter.loadPictures(kFolder, kSearchKindCount);
        ChartContent content = ChartContent::allOf(PictureKind::Sound);
        ToothValues all;
        all.fill(1);
        content.bridges = all;
        const QImage set = painter.drawChart(content);
        content.bridges = ToothValues{};
        const QImage unset = painter.drawChart(content);
        for (const chart::Point c : chart::bridgeMarkCentres()) {
            for (const QPoint d : {QPoint(0, 0), QPoint(3, 0), QPoint(0, -3), QPoint(-2, 2)}) {
                QVERIFY(black(set.pixel(QPoint(c.x, c.y) + d)));
                QCOMPARE(QColor(unset.pixel(QPoint(c.x, c.y) + d)), QColor(Qt::white));
            }
            for (const QPoint edge : {QPoint(5, 0), QPoint(-5, 0), QPoint(0, 5), QPoint(0, -5)}) {
                QVERIFY(black(unset.pixel(QPoint(c.x, c.y) + edge)));
            }
            QVERIFY(!black(set.pixel(QPoint(c.x, c.y) + QPoint(7, 7))));
        }
        // Without marks the centres show what lies under them.
        const QImage none = painter.drawChart(ChartContent::allOf(PictureKind::Sound));
        QVERIFY(!black(none.pixel(262, 56)));
    }

    void labelsFollowTheDeciduousFlag() {
        QCOMPARE(ChartPainter::labelText(5, false), QStringLiteral("３"));
        QCOMPARE(ChartPainter::labelText(5, true), QStringLiteral("Ｃ"));
        QCOMPARE(ChartPainter::labelText(0, false), QStringLiteral("８"));
        QCOMPARE(ChartPainter::labelText(0, true), QString());
        QCOMPARE(ChartPainter::labelText(7, true), QStringLiteral("Ａ"));
        QCOMPARE(ChartPainter::labelText(24, false), QStringLiteral("１"));
        QCOMPARE(ChartPainter::labelText(28, true), QStringLiteral("Ｅ"));
        QCOMPARE(ChartPainter::labelText(29, true), QString());

        ChartPainter painter;
        painter.loadPictures(kFolder, kEntryKindCount);
        ChartContent content = ChartContent::allOf(PictureKind::NoInfo);
        const QImage bare = painter.drawChart(content);
        content.deciduous = ToothValues{};
        const QImage permanent = painter.drawChart(content);
        content.deciduous->at(5) = 1;
        content.deciduous->at(0) = 1;
        const QImage deciduous = painter.drawChart(content);
        const QRect three = ChartPainter::labelRect(5);
        QVERIFY(region(permanent, three) != region(bare, three));
        QVERIFY(region(deciduous, three) != region(permanent, three));
        QVERIFY(region(deciduous, three) != region(bare, three));
        // Upper right 8 flagged deciduous: an empty label.
        const QRect eight = ChartPainter::labelRect(0);
        QVERIFY(region(permanent, eight) != region(bare, eight));
        QCOMPARE(region(deciduous, eight), region(bare, eight));
        // Other labels are untouched.
        const QRect four = ChartPainter::labelRect(4);
        QCOMPARE(region(deciduous, four), region(permanent, four));
    }

    void kindsComeFromTheChartStrings() {
        ChartStrings chart = ChartStrings::defaults();
        chart.classChart = "12345" + std::string(27, '5');
        chart.presentChart[4] = '1';
        chart.classChart[5] = '7';
        chart.classChart[6] = 'x';
        const ToothValues kinds = kindsOfChart(chart);
        QCOMPARE(kinds[0], 0);
        QCOMPARE(kinds[3], 3);
        QCOMPARE(kinds[4], static_cast<int>(PictureKind::Exist));
        QCOMPARE(kinds[5], static_cast<int>(PictureKind::Select));
        QCOMPARE(kinds[6], -1);
        QCOMPARE(kinds[31], static_cast<int>(PictureKind::NoInfo));
        const ToothValues flags = flagsOf("0110");
        QCOMPARE(flags[1] + flags[2], 2);
        QCOMPARE(flags[0] + flags[3] + flags[31], 0);
    }

    void widgetReportsTheMouseInPictureCoordinates() {
        ChartWidget widget;
        QCOMPARE(widget.size(), ChartPainter::kPictureSize);
        QCOMPARE(widget.pictureRect(), QRect(QPoint(0, 0), ChartPainter::kPictureSize));
        ChartPainter painter;
        painter.loadPictures(kFolder, kSearchKindCount);
        widget.setChart(painter.drawChart(ChartContent::allOf(PictureKind::Crown)));
        widget.show();
        QVERIFY(QTest::qWaitForWindowExposed(&widget));
        QCOMPARE(widget.grab().toImage().pixel(214, 32), widget.chart().pixel(214, 32));

        QSignalSpy clicks(&widget, &ChartWidget::clicked);
        QSignalSpy doubles(&widget, &ChartWidget::doubleClicked);
        QSignalSpy rights(&widget, &ChartWidget::rightClicked);
        QSignalSpy moves(&widget, &ChartWidget::mouseMoved);
        QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(214, 32));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(clicks.at(0).at(0).toPoint(), QPoint(214, 32));
        QCOMPARE(ChartPainter::toothAt(clicks.at(0).at(0).toPoint(), widget.pictureRect()), 7);
        QTest::mouseDClick(&widget, Qt::LeftButton, {}, QPoint(262, 56));
        QCOMPARE(doubles.size(), 1);
        QCOMPARE(doubles.at(0).at(0).toPoint(), QPoint(262, 56));
        QTest::mouseClick(&widget, Qt::RightButton, {}, QPoint(70, 240));
        QTest::mouseDClick(&widget, Qt::RightButton, {}, QPoint(70, 240));
        QCOMPARE(rights.size(), 2);
        QCOMPARE(rights.at(1).at(0).toPoint(), QPoint(70, 240));
        QCOMPARE(clicks.size(), 1); // the second press of a double click is the double click
        QTest::mouseMove(&widget, QPoint(400, 320));
        QTRY_VERIFY(!moves.isEmpty());
        QCOMPARE(moves.last().at(0).toPoint(), QPoint(400, 320));
    }

    void swatchesAndLegends() {
        const QImage sound = swatchPixmap(LegendSwatch::Sound, 24).toImage();
        QCOMPARE(sound.size(), QSize(24, 24));
        QCOMPARE(qAlpha(sound.pixel(0, 0)), 0);
        const QImage noinfo = swatchPixmap(LegendSwatch::NoInfo, 24).toImage();
        int blue = 0;
        int white = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                blue += QColor(sound.pixel(x, y)) == QColor(0, 158, 231);
                white += QColor(noinfo.pixel(x, y)) == QColor(Qt::white);
            }
        }
        QVERIFY(blue > 150);
        QVERIFY(white > 150);
        QVERIFY(!swatchColour(LegendSwatch::Mismatch));
        QCOMPARE(*swatchColour(LegendSwatch::Exist), QColor(0, 74, 159));
        QCOMPARE(static_cast<int>(LegendSwatch::Exist), 449);

        const auto entry = legendEntries(ChartLegendSet::Entry);
        QCOMPARE(entry.size(), 6u);
        QCOMPARE(entry[0].swatch, LegendSwatch::Exist);
        QCOMPARE(entry[0].textControl, 1491);
        QCOMPARE(entry[0].text.toStdString(), std::string(classDescription(6)));
        QCOMPARE(entry[5].text.toStdString(), std::string(classDescription(5)));
        const auto own = legendEntries(ChartLegendSet::IndividualOwn);
        const auto candidate = legendEntries(ChartLegendSet::IndividualCandidate);
        QCOMPARE(own.size(), candidate.size());
        QCOMPARE(own[4].swatch, LegendSwatch::NoInfo);
        QCOMPARE(candidate[4].swatch, LegendSwatch::Mismatch);
        QCOMPARE(candidate[4].text, QStringLiteral("不一致または情報なしで一致"));
        QCOMPARE(candidate[3].text, QStringLiteral("Ｃ４、欠損で一致"));
        const auto bridge = legendEntries(ChartLegendSet::BridgeSearch);
        QCOMPARE(bridge.size(), 2u);
        QCOMPARE(bridge[1].text, QStringLiteral("\n\r検索指定なし"));
    }

    void galleryShowsTwelveCharts() {
        std::unique_ptr<QWidget> gallery(createChartGallery(QDX_PICTURE_FOLDER));
        const auto charts = gallery->findChildren<ChartWidget*>();
        QCOMPARE(charts.size(), 12);
        for (const ChartWidget* chart : charts) {
            QCOMPARE(chart->chart().size(), ChartPainter::kPictureSize);
        }
    }

    void bridgeLegendDrawsTwoCircles() {
        QImage image(40, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        ChartPainter::drawBridgeLegend(painter, QRect(0, 0, 40, 60));
        painter.end();
        QVERIFY(black(image.pixel(20, 15)));
        QCOMPARE(QColor(image.pixel(20, 45)), QColor(Qt::white));
        QVERIFY(black(image.pixel(25, 45)));
        QCOMPARE(ChartPainter::bridgeLegendText(), QStringLiteral("ブリッジあり\r\nブリッジなし"));

        BridgeLegendWidget legend;
        const QImage shown = legend.grab().toImage();
        QVERIFY(black(shown.pixel(legend.width() / 2, legend.height() / 4)));
        QCOMPARE(QColor(shown.pixel(legend.width() / 2, 3 * legend.height() / 4)),
                 QColor(Qt::white));
    }
};

QTEST_MAIN(ChartPainterTest)
#include "ChartPainterTest.moc"
