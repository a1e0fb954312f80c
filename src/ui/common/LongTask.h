#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace qdx {

// Runs a piece of long work (a list load, an import) under the wait cursor. The work runs on
// a helper thread while this thread keeps the windows painted; when it takes longer than about
// half a second a progress window appears, and input to the other windows is blocked until it
// ends. An exception thrown by the work is rethrown here. The work must not touch widgets.
class LongTask {
public:
    static void run(QWidget* parent, const QString& label, const std::function<void()>& work);

    // True while work runs: timers still fire then, and must not start other work.
    static bool isRunning();

    // Shown after this long; tests lower it to see the window.
    static void setProgressDelay(int milliseconds);
    static int progressDelay();
    // The label of the progress window last shown (empty when none was needed).
    static QString lastShownLabel();
};

} // namespace qdx
