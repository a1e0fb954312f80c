#include "ui/common/LongTask.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

#include <atomic>
#include <exception>
#include <memory>
#include <thread>

namespace qdx {

namespace {
int g_delay = 500;
int g_running = 0;
QString g_lastShown;
} // namespace

void LongTask::setProgressDelay(int milliseconds) {
    g_delay = milliseconds;
}

int LongTask::progressDelay() {
    return g_delay;
}

QString LongTask::lastShownLabel() {
    return g_lastShown;
}

bool LongTask::isRunning() {
    return g_running > 0;
}

void LongTask::run(QWidget* parent, const QString& label, const std::function<void()>& work) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    g_lastShown.clear();
    ++g_running;
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });

    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    while (!finished) {
        if (!progress && clock.elapsed() >= g_delay) {
            progress = std::make_unique<QProgressDialog>(label, QString(), 0, 0, parent);
            progress->setWindowTitle(QStringLiteral("Quendix Free"));
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(0);
            progress->show();
            g_lastShown = label;
        }
        // Only painting and timers: no user input reaches the windows meanwhile.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
    worker.join();
    --g_running;
    progress.reset();
    QApplication::restoreOverrideCursor();
    if (failure) {
        std::rethrow_exception(failure);
    }
}

} // namespace qdx
