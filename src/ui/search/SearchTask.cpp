#include "ui/search/SearchTask.h"

#include "matching/SearchRequest.h"
#include "matching/SearchRun.h"
#include "store/StoreError.h"
#include "ui/common/CoreText.h"
#include "ui/common/Prompts.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <atomic>
#include <exception>
#include <thread>

namespace qdx {

namespace {

int g_progressDelay = 500;

} // namespace

void setSearchProgressDelay(int milliseconds) {
    g_progressDelay = milliseconds;
}

bool runSearchTask(QWidget* parent, const QString& label,
                   const std::function<bool(const SearchControl&)>& work) {
    std::atomic<bool> cancel{false};
    std::atomic<bool> finished{false};
    std::atomic<std::size_t> done{0};
    std::atomic<std::size_t> total{0};
    bool completed = false;
    std::exception_ptr failure;

    SearchControl control;
    control.cancel = &cancel;
    control.progress = [&](std::size_t d, std::size_t t) {
        done = d;
        total = t;
        return !cancel.load();
    };

    QApplication::setOverrideCursor(Qt::WaitCursor);
    QProgressDialog progress(label, QStringLiteral("キャンセル"), 0, 1000, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(g_progressDelay);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setValue(0);

    std::thread worker([&] {
        try {
            completed = work(control);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });

    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (progress.wasCanceled())
            cancel = true;
        const std::size_t t = total.load();
        if (t > 0)
            progress.setValue(static_cast<int>(1000.0 * static_cast<double>(done.load()) /
                                               static_cast<double>(t)));
        if (finished)
            loop.quit();
    });
    poll.start(30);
    loop.exec();
    worker.join();
    progress.close();
    QApplication::restoreOverrideCursor();
    if (failure)
        std::rethrow_exception(failure);
    return completed && !cancel.load();
}

std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const ProjectModel& model,
                                          int direction) {
    return searchInWindow(parent, [&](SearchRun& run, const SearchControl& control) {
        return runSearchOnCopies(model, direction, run, control);
    });
}

std::unique_ptr<SearchRun> searchInWindow(QWidget* parent, const RunSearch& search) {
    auto run = std::make_unique<SearchRun>();
    try {
        const bool done =
            runSearchTask(parent, QStringLiteral("検索しています…"),
                          [&](const SearchControl& control) { return search(*run, control); });
        if (!done)
            return nullptr;
    } catch (const StoreError& error) {
        Prompts::message(parent, qs(error.fullText()), MessageButtons::Ok, MessageIcon::Error);
        return nullptr;
    }
    return run;
}

} // namespace qdx
