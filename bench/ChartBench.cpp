// One refresh of a chart picture, as a window does it after every click: the composition of
// the 32 teeth with the background, the bridge marks and the tooth-number labels, and the
// widget painting the result; and the loading of the picture set when a window opens.
#include "ui/chart/ChartPainter.h"
#include "ui/chart/ChartWidget.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

qdx::ChartContent entryChart() {
    qdx::ChartContent content;
    qdx::ToothValues bridges{};
    qdx::ToothValues deciduous{};
    for (int i = 0; i < qdx::kToothCount; ++i) {
        const auto p = static_cast<std::size_t>(i);
        content.kinds[p] = (i * 5 + 3) % 7;
        bridges[p] = i % 6 == 0 ? 1 : 0;
        deciduous[p] = i % 9 == 4 ? 1 : 0;
    }
    content.bridges = bridges;
    content.deciduous = deciduous;
    return content;
}

const qdx::ChartPainter& painter() {
    static const qdx::ChartPainter loaded = [] {
        qdx::ChartPainter p;
        p.loadPictures(QStringLiteral(QDX_PICTURE_FOLDER), qdx::kSearchKindCount);
        return p;
    }();
    return loaded;
}

// The entry dialog's refresh: teeth, marks and labels.
void BM_EntryChartRefresh(benchmark::State& state) {
    const qdx::ChartContent content = entryChart();
    QImage image;
    for (auto _ : state) {
        painter().drawChart(content, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_EntryChartRefresh)->Unit(benchmark::kMicrosecond);

// The individual search's refresh: teeth only.
void BM_SearchChartRefresh(benchmark::State& state) {
    qdx::ChartContent content = entryChart();
    content.kinds[3] = static_cast<int>(qdx::PictureKind::Mismatch);
    content.bridges.reset();
    content.deciduous.reset();
    QImage image;
    for (auto _ : state) {
        painter().drawChart(content, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SearchChartRefresh)->Unit(benchmark::kMicrosecond);

// A refresh as the user sees it: a new picture composed and the widget repainted from it.
void BM_WidgetRefresh(benchmark::State& state) {
    const qdx::ChartContent content = entryChart();
    qdx::ChartWidget widget;
    QImage shown(widget.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        widget.setChart(painter().drawChart(content));
        widget.render(&shown);
        benchmark::DoNotOptimize(shown.constBits());
    }
}
BENCHMARK(BM_WidgetRefresh)->Unit(benchmark::kMicrosecond);

// What a window spends on opening: reading the 41 pictures of the set.
void BM_LoadPictures(benchmark::State& state) {
    for (auto _ : state) {
        qdx::ChartPainter p;
        p.loadPictures(QStringLiteral(QDX_PICTURE_FOLDER), qdx::kSearchKindCount);
        benchmark::DoNotOptimize(p.hasBackground());
    }
}
BENCHMARK(BM_LoadPictures)->Unit(benchmark::kMillisecond);

// What the first window of a run spends: decoding the 41 files themselves.
void BM_ReadPictureFiles(benchmark::State& state) {
    QStringList files;
    const QString folder = QStringLiteral(QDX_PICTURE_FOLDER);
    for (int k = 0; k < qdx::kPictureKindCount; ++k) {
        files << folder +
                     QString::fromUtf8(qdx::pictureStem(static_cast<qdx::PictureKind>(k)).data()) +
                     ".bmp";
    }
    files << folder + "GreyBackground.bmp";
    for (const std::string_view name : qdx::toothPictureNames()) {
        files << folder + "mask/" +
                     QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + ".bmp";
    }
    for (auto _ : state) {
        for (const QString& file : files) {
            benchmark::DoNotOptimize(
                QImage(file).convertToFormat(QImage::Format_RGB32).constBits());
        }
    }
}
BENCHMARK(BM_ReadPictureFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
