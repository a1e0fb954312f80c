#pragma once

#include "model/ToothChart.h"
#include "ui/chart/ChartGeometry.h"
#include "ui/chart/PictureKind.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <optional>
#include <string>

class QFont;
class QPainter;

namespace qdx {

// One value per tooth position 0..31, in chart order.
using ToothValues = std::array<int, kToothCount>;

// What one drawing of a chart shows.
struct ChartContent {
    // The PictureKind of each tooth as its number 0..7. A value outside 0..7, or a kind whose
    // picture is not loaded, leaves the tooth white inside its outline.
    ToothValues kinds{};
    // Bridge flags 0/1; when given, the 32 marks are drawn (filled black where 1).
    std::optional<ToothValues> bridges;
    // Deciduous flags 0/1; when given, the 32 tooth-number labels are drawn ("Ａ".."Ｅ" for a
    // deciduous tooth 1..5, empty for a deciduous-flagged tooth 6..8).
    std::optional<ToothValues> deciduous;

    // Every tooth in one kind, without marks or labels.
    static ChartContent allOf(PictureKind kind);
};

// The kinds of a chart as the entry dialog draws it: effective class 1..6 gives kinds 0..5,
// a class digit '7' gives Select.
ToothValues kindsOfChart(const ChartStrings& chart);
// A 32-character flag string ('1' set) as values 0/1.
ToothValues flagsOf(const std::string& chartString);

// Draws tooth charts from the picture set and finds what lies under a point. A window owns one
// painter: loadPictures when it opens, drawChart after every change of its chart (and show the
// image with a ChartWidget), releasePictures when it closes. The hit tests are plain functions.
//
// The running program finds the pictures in ProjectModel::pictureFolder() (the program's
// folder, where the build draws them); tests use QDX_PICTURE_FOLDER, which every test target
// has (add_dependencies(<test> chart_picture_files) makes sure the pictures are drawn first).
//
// Picture coordinates: the chart picture is 481 x 558 pixels with (0, 0) at its top-left
// corner; `picture` arguments give where it lies in the point's coordinates
// (ChartWidget::pictureRect()).
class ChartPainter {
public:
    static constexpr QSize kPictureSize{chart::kPictureWidth, chart::kPictureHeight};

    // Loads the masks "<folder>mask/<ur8..lr8>.bmp", the class pictures "<folder><stem>.bmp"
    // of kinds 0..kindCount-1 (kEntryKindCount or kSearchKindCount) and
    // "<folder>GreyBackground.bmp". `pictureFolder` ends with a path separator
    // (ProjectModel::pictureFolder()). Slots already filled are kept; a file that is missing
    // or unreadable leaves its slot empty without a message. Files are read once per run and
    // again when they change (PictureCache).
    void loadPictures(const QString& pictureFolder, int kindCount);
    void loadPictures(const std::string& pictureFolder, int kindCount);
    void releasePictures();

    bool hasPicture(PictureKind kind) const;
    bool hasMask(int position) const;
    bool hasBackground() const;

    // Composes the chart off screen: white, then per tooth W := W AND (mask OR class picture),
    // then W := W AND background, then the bridge marks and the labels when given. Empty slots
    // are left out and drawing goes on.
    QImage drawChart(const ChartContent& content) const;
    // The same into `into` (resized to the picture when needed), reusing its memory.
    void drawChart(const ChartContent& content, QImage& into) const;

    // Position 0..31 whose tooth rectangle strictly contains `p`, the lowest first; -1 none.
    static int toothAt(QPoint p, QRect picture);
    // Position whose bridge mark is strictly within 8 pixels of `p` (or of the mark moved a
    // twentieth towards the chart centre); -1 none.
    static int bridgeMarkAt(QPoint p, QRect picture);
    // Position whose tooth-number label strictly contains `p` (the entry dialog toggles the
    // deciduous flag there for teeth 1..5); -1 none.
    static int labelAt(QPoint p, QRect picture);

    // The label text of a position: "８".."１", or for a deciduous tooth "Ｅ".."Ａ" (teeth
    // 5..1) and "" (teeth 6..8).
    static QString labelText(int position, bool deciduous);
    // Where a label is drawn, in picture coordinates.
    static QRect labelRect(int position);
    static QFont labelFont();

    // The entry dialog's bridge legend: in `box`, a black-filled circle of radius 5 around
    // (w/2, h/4) and a white one around (w/2, 3h/4), both with a black edge. The text beside
    // it is bridgeLegendText().
    static void drawBridgeLegend(QPainter& painter, const QRect& box);
    static QString bridgeLegendText();

private:
    void composeTeeth(const ChartContent& content, QImage& into) const;
    static void drawBridgeMarks(QPainter& painter, const ToothValues& bridges);
    static void drawLabels(QPainter& painter, const ToothValues& deciduous);

    std::array<QImage, kPictureKindCount> m_kinds;
    // The part of each mask that is not white, and where it lies; outside it the mask leaves
    // the chart unchanged.
    std::array<QImage, kToothCount> m_masks;
    std::array<QRect, kToothCount> m_maskBounds;
    QImage m_background;
};

} // namespace qdx
