// Opens the full search window offscreen on a project and reports how long it takes until the
// table is filled, and how long re-listing for another ranking criterion takes.
//   QT_QPA_PLATFORM=offscreen bench_search_window PROJECT.qdx [direction [picture.png]]
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/FullSearchTableModel.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_search_window PROJECT.qdx [direction]\n");
        return 2;
    }
    const int direction = argc > 2 ? std::atoi(argv[2]) : 0;
    qdx::ProjectModel model;
    qdx::openProjectFile(model, qdx::splitProjectPath(argv[1]));
    QElapsedTimer timer;
    timer.start();
    model.reloadRecords(qdx::PostMortem);
    model.reloadRecords(qdx::AnteMortem);
    const qint64 loaded = timer.elapsed();

    timer.restart();
    qdx::CFullSearchDlg dialog(model, {direction, 2, 0, 0});
    dialog.show();
    QApplication::processEvents();
    const qint64 opened = timer.elapsed();

    timer.restart();
    dialog.findChild<QComboBox*>("rankKeyCombo")->setCurrentIndex(3);
    QApplication::processEvents();
    const qint64 relisted = timer.elapsed();

    std::printf("records %zu PM x %zu AM, rows %d\n", model.records(qdx::PostMortem).size(),
                model.records(qdx::AnteMortem).size(), dialog.tableModel()->rowCount());
    std::printf("list load %lld ms, open to filled table %lld ms, rank key change %lld ms\n",
                static_cast<long long>(loaded), static_cast<long long>(opened),
                static_cast<long long>(relisted));
    if (argc > 3)
        dialog.grab().save(QString::fromLocal8Bit(argv[3]));
    model.close(false);
    return 0;
}
