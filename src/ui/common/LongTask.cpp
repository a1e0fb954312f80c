#include "ui/common/LongTask.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QPromise>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <exception>
#include <limits>

namespace qdx {

namespace {

int g_running = 0;

// The progress bar's steps of a cancellable task.
constexpr int kSteps = 1000;

// The wait cursor and the count of running tasks, for as long as a task runs.
class RunningScope {
public:
    RunningScope() {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++g_running;
    }
    ~RunningScope() {
        --g_running;
        QApplication::restoreOverrideCursor();
    }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
};

// A task's progress window, hidden until the task shows it: a busy bar, or a bar of kSteps
// with a cancel button.
void setUpProgressWindow(QProgressDialog& progress, bool cancellable) {
    progress.setWindowTitle(QStringLiteral("Quendix Free"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    if (cancellable) {
        progress.setCancelButtonText(QCoreApplication::translate("qdx::LongTask", "キャンセル"));
        progress.setRange(0, kSteps);
    }
    // The task decides when the window appears, not the window's own timer.
    progress.setValue(0);
    progress.setMinimumDuration(std::numeric_limits<int>::max());
}

} // namespace

LongTask::LongTask(QWidget* parent, QString label) : m_parent(parent), m_label(std::move(label)) {}

void LongTask::setProgressDelay(int milliseconds) {
    m_progressDelay = milliseconds;
}

void LongTask::exec(const std::function<void()>& work) {
    execWork(false, [&work](const SearchControl&) {
        work();
        return true;
    });
}

bool LongTask::execCancellable(const std::function<bool(const SearchControl&)>& work) {
    return execWork(true, work);
}

void LongTask::run(QWidget* parent, const QString& label, const std::function<void()>& work) {
    LongTask(parent, label).exec(work);
}

bool LongTask::isRunning() {
    return g_running > 0;
}

bool LongTask::execWork(bool cancellable, const std::function<bool(const SearchControl&)>& work) {
    const RunningScope running;
    m_progressShown = false;
    std::atomic<bool> cancel{false};
    bool completed = false;
    std::exception_ptr failure;

    QProgressDialog progress(m_label, QString(), 0, 0, m_parent);
    setUpProgressWindow(progress, cancellable);
    QEventLoop loop;
    QFutureWatcher<void> watcher;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    if (cancellable) {
        QObject::connect(&progress, &QProgressDialog::canceled, &loop,
                         [&cancel] { cancel = true; });
        QObject::connect(&watcher, &QFutureWatcherBase::progressValueChanged, &progress,
                         [&](int value) {
                             if (progress.wasCanceled())
                                 cancel = true;
                             if (!cancel)
                                 progress.setValue(value);
                         });
    }

    watcher.setFuture(QtConcurrent::run([&](QPromise<void>& promise) {
        promise.setProgressRange(0, kSteps);
        SearchControl control;
        control.cancel = &cancel;
        control.progress = [&](std::size_t done, std::size_t total) {
            if (total > 0)
                promise.setProgressValue(static_cast<int>(kSteps * done / total));
            return !cancel.load();
        };
        try {
            completed = work(control);
        } catch (...) {
            failure = std::current_exception();
        }
    }));

    // Input waits until the progress window appears; from then on the window's modality keeps
    // it from the other windows, and a cancellable window takes it for its button.
    QTimer delay;
    delay.setSingleShot(true);
    QObject::connect(&delay, &QTimer::timeout, &loop, &QEventLoop::quit);
    delay.start(m_progressDelay);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!watcher.future().isFinished()) {
        progress.show();
        m_progressShown = true;
        loop.exec(cancellable ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    // Also when something ended every event loop of the program early.
    watcher.waitForFinished();
    if (progress.wasCanceled())
        cancel = true;
    if (failure)
        std::rethrow_exception(failure);
    return completed && !cancel;
}

} // namespace qdx
