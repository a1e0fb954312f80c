// Opens the individual search window offscreen on a project and reports how long it takes
// until its list is filled, how long a click on a candidate row takes until the chart is drawn
// again, and how long the full search's double click takes to show a row in the window.
//   QT_QPA_PLATFORM=offscreen bench_individual_window PROJECT.qdx [direction [picture.png]]
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/search/FullSearchTableModel.h"
#include "ui/chart/ChartWidget.h"
#include "ui/search/IndividualSearchTableModel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <algorithm>
#include <cstdio>

namespace {

// The mean time of a row click until the chart has been painted, over the listed rows.
double rowClickMilliseconds(qdx::CIndividualSearchDlg& dialog) {
    const int rows = dialog.tableModel()->rowCount();
    if (rows < 2)
        return 0.0;
    const int clicks = 40;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < clicks; ++i) {
        dialog.selectRow(1 + i % (rows - 1));
        dialog.chartView()->repaint();
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / clicks;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_individual_window PROJECT.qdx [direction [png]]\n");
        return 2;
    }
    const int direction = argc > 2 ? std::atoi(argv[2]) : 0;
    qdx::ProjectModel model;
    qdx::openProjectFile(model, qdx::splitProjectPath(argv[1]));
    model.reloadRecords(qdx::PostMortem);
    model.reloadRecords(qdx::AnteMortem);
    const auto& searching = model.records(direction == 0 ? qdx::AnteMortem : qdx::PostMortem);
    const QString target = QString::fromStdString(searching[searching.size() / 2].displayId);

    QElapsedTimer timer;
    timer.start();
    qdx::CIndividualSearchDlg dialog(model, {direction, 9, 0, 0}, target);
    dialog.show();
    QApplication::processEvents();
    const qint64 opened = timer.elapsed();
    const double click = rowClickMilliseconds(dialog);
    std::printf("records %zu PM x %zu AM, target %s, rows %d\n",
                model.records(qdx::PostMortem).size(), model.records(qdx::AnteMortem).size(),
                target.toUtf8().constData(), dialog.tableModel()->rowCount());
    std::printf("open to filled list %lld ms, row click to drawn chart %.2f ms\n",
                static_cast<long long>(opened), click);
    if (argc > 3) {
        dialog.selectRow(1);
        dialog.grab().save(QString::fromLocal8Bit(argv[3]));
    }
    dialog.hide();

    qdx::CFullSearchDlg full(model, {direction, 9, 0, 0});
    full.show();
    QApplication::processEvents();
    timer.restart();
    full.openIndividualSearch(std::min(5, full.tableModel()->rowCount() - 1));
    QApplication::processEvents();
    std::printf("full search double click to listed row %lld ms\n",
                static_cast<long long>(timer.elapsed()));
    model.close(false);
    return 0;
}
