#pragma once

#include "matching/SearchControl.h"

#include <QString>

#include <functional>

class QWidget;

namespace qdx {

// Long work (a list load, an import, a search) on a background thread under the wait cursor.
// The windows keep painting and timers keep firing, but no user input reaches them: until the
// progress window appears (after about half a second) input waits, and then the progress
// window is modal to the whole program. An exception thrown by the work is rethrown by exec on
// the calling thread. The work must not touch widgets.
class LongTask {
public:
    LongTask(QWidget* parent, QString label);

    // How long the work may run before the progress window appears (500 ms).
    void setProgressDelay(int milliseconds);

    // Work without progress or cancel (list loads, imports): the progress window shows a busy
    // bar and nothing else.
    void exec(const std::function<void()>& work);
    // Work that reports progress and watches for cancelling through its control (the
    // searches): the progress window has a bar and a "キャンセル" button. False when the user
    // cancelled or the work returned false.
    bool execCancellable(const std::function<bool(const SearchControl&)>& work);

    // Whether the progress window appeared during the last exec.
    bool progressShown() const { return m_progressShown; }

    // exec of a task with the usual delay.
    static void run(QWidget* parent, const QString& label, const std::function<void()>& work);

    // True while work runs: timers still fire then, and must not start other work.
    static bool isRunning();

private:
    bool execWork(bool cancellable, const std::function<bool(const SearchControl&)>& work);

    QWidget* m_parent;
    QString m_label;
    int m_progressDelay = 500;
    bool m_progressShown = false;
};

} // namespace qdx
