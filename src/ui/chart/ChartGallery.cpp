#include "ui/chart/ChartGallery.h"

#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"
#include "ui/chart/LegendSwatch.h"
#include "ui/common/UiFonts.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace qdx {

namespace {

ToothValues zeros() {
    return ToothValues{};
}

// An adult as an examiner charts one: crowned molars, fillings, two missing teeth, a bridge
// from upper left 4 to 6 over the missing 5, a present tooth of unknown state and one tooth
// without information.
ChartContent adultChart() {
    ChartStrings chart = ChartStrings::defaults();
    chart.classChart = "43221111111123244332111111122334";
    chart.classChart[12] = '4';
    chart.classChart[11] = '3';
    chart.classChart[13] = '3';
    chart.bridgeChart = std::string(kToothCount, '0');
    chart.bridgeChart[11] = chart.bridgeChart[12] = chart.bridgeChart[13] = '1';
    chart.classChart[20] = '5';
    chart.presentChart[20] = '1';
    chart.classChart[26] = '5';
    ChartContent content;
    content.kinds = kindsOfChart(chart);
    content.bridges = flagsOf(chart.bridgeChart);
    content.deciduous = zeros();
    return content;
}

// A child with milk teeth on every position that can carry them, the flag also set on an upper
// right 8 (which shows no label), and every bridge mark filled.
ChartContent childChart() {
    ChartContent content = ChartContent::allOf(PictureKind::Sound);
    ToothValues deciduous{};
    for (int i = 0; i < kToothCount; ++i) {
        deciduous[static_cast<std::size_t>(i)] = canBeDeciduous(i) ? 1 : 0;
        if (toothNumber(i) >= 7) {
            content.kinds[static_cast<std::size_t>(i)] = static_cast<int>(PictureKind::NoInfo);
        }
    }
    deciduous[0] = 1;
    content.kinds[6] = content.kinds[9] = static_cast<int>(PictureKind::Filling);
    content.kinds[3] = static_cast<int>(PictureKind::Missing);
    content.deciduous = deciduous;
    ToothValues bridges;
    bridges.fill(1);
    content.bridges = bridges;
    return content;
}

// A candidate as the individual search shows it: agreeing teeth in their kind, the others as
// mismatches.
ChartContent comparisonChart() {
    ChartContent content = adultChart();
    for (int i : {2, 5, 9, 17, 22, 29, 30}) {
        content.kinds[static_cast<std::size_t>(i)] = static_cast<int>(PictureKind::Mismatch);
    }
    content.kinds[26] = static_cast<int>(PictureKind::NoInfo);
    content.bridges.reset();
    content.deciduous.reset();
    return content;
}

// The bridge-specified search: missing teeth and bridge marks chosen, the rest unspecified.
ChartContent bridgeSearchChart() {
    ChartContent content = ChartContent::allOf(PictureKind::NoInfo);
    ToothValues bridges{};
    for (int i : {11, 12, 13, 27, 28, 29}) {
        bridges[static_cast<std::size_t>(i)] = 1;
    }
    content.kinds[12] = content.kinds[28] = static_cast<int>(PictureKind::Missing);
    content.bridges = bridges;
    return content;
}

QWidget* chartCell(const ChartPainter& painter, const ChartContent& content, const QString& title,
                   QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* layout = new QVBoxLayout(cell);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* caption = new QLabel(title, cell);
    caption->setFont(UiFonts::scaled(UiFonts::dialogFont(), 1.3, true));
    auto* picture = new ChartWidget(cell);
    picture->setChart(painter.drawChart(content));
    layout->addWidget(caption);
    layout->addWidget(picture);
    return cell;
}

QWidget* legendRow(QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    const std::pair<LegendSwatch, const char*> swatches[] = {
        {LegendSwatch::Sound, QT_TRANSLATE_NOOP("qdx::ChartGallery", "健全歯、齲蝕歯")},
        {LegendSwatch::Filling, QT_TRANSLATE_NOOP("qdx::ChartGallery", "金属による部分修復")},
        {LegendSwatch::Crown, QT_TRANSLATE_NOOP("qdx::ChartGallery", "全部修復")},
        {LegendSwatch::Missing, QT_TRANSLATE_NOOP("qdx::ChartGallery", "C4、欠損")},
        {LegendSwatch::NoInfo, QT_TRANSLATE_NOOP("qdx::ChartGallery", "情報なし")},
        {LegendSwatch::Exist, QT_TRANSLATE_NOOP("qdx::ChartGallery", "歯あり")},
        {LegendSwatch::Mismatch, QT_TRANSLATE_NOOP("qdx::ChartGallery", "不一致")}};
    for (const auto& [swatch, text] : swatches) {
        auto* icon = new QLabel(row);
        icon->setPixmap(swatchPixmap(swatch, 24));
        auto* label = new QLabel(QCoreApplication::translate("qdx::ChartGallery", text), row);
        label->setFont(UiFonts::scaled(UiFonts::dialogFont(), 1.3));
        layout->addWidget(icon);
        layout->addWidget(label);
        layout->addSpacing(18);
    }
    layout->addStretch();
    return row;
}

} // namespace

QWidget* createChartGallery(const std::string& pictureFolder, QWidget* parent) {
    auto* gallery = new QWidget(parent, Qt::Window);
    gallery->setObjectName(QStringLiteral("chartGallery"));
    gallery->setWindowTitle(QStringLiteral("Chart pictures"));
    gallery->setAutoFillBackground(true);
    ChartPainter painter;
    painter.loadPictures(pictureFolder, kSearchKindCount);

    const std::pair<PictureKind, const char*> kinds[] = {
        {PictureKind::Sound, QT_TRANSLATE_NOOP("qdx::ChartGallery", "1 健全歯、齲蝕歯 (sound)")},
        {PictureKind::Filling,
         QT_TRANSLATE_NOOP("qdx::ChartGallery", "2 金属による部分修復 (filling)")},
        {PictureKind::Crown, QT_TRANSLATE_NOOP("qdx::ChartGallery", "3 全部修復 (crown)")},
        {PictureKind::Missing, QT_TRANSLATE_NOOP("qdx::ChartGallery", "4 C4、欠損 (missing)")},
        {PictureKind::NoInfo, QT_TRANSLATE_NOOP("qdx::ChartGallery", "5 情報なし (noinfo)")},
        {PictureKind::Exist, QT_TRANSLATE_NOOP("qdx::ChartGallery", "6 歯あり (exist)")},
        {PictureKind::Select, QT_TRANSLATE_NOOP("qdx::ChartGallery", "選択 (select)")},
        {PictureKind::Mismatch, QT_TRANSLATE_NOOP("qdx::ChartGallery", "不一致 (mismatch)")}};
    auto* grid = new QGridLayout;
    int cell = 0;
    auto add = [&](const ChartContent& content, const QString& title) {
        grid->addWidget(chartCell(painter, content, title, gallery), cell / 4, cell % 4);
        ++cell;
    };
    for (const auto& [kind, title] : kinds) {
        ChartContent content = ChartContent::allOf(kind);
        content.bridges = zeros();
        content.deciduous = zeros();
        add(content, QCoreApplication::translate("qdx::ChartGallery", title));
    }
    add(adultChart(),
        QCoreApplication::translate("qdx::ChartGallery", "記録入力の例: ブリッジ 左上4-6"));
    add(childChart(),
        QCoreApplication::translate("qdx::ChartGallery", "乳歯 A-E, ブリッジ印すべて"));
    add(comparisonChart(),
        QCoreApplication::translate("qdx::ChartGallery", "個別検索: 候補との比較"));
    add(bridgeSearchChart(), QCoreApplication::translate("qdx::ChartGallery", "ブリッジ指定検索"));

    auto* layout = new QVBoxLayout(gallery);
    layout->addLayout(grid);
    layout->addWidget(legendRow(gallery));
    return gallery;
}

} // namespace qdx
