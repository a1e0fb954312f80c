#pragma once

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace qdx {

class CCusporaDlg;

// A window that "--screenshot=FILE --screenshot-window=NAME" can picture. `open` builds the
// window on the main window's open project (the demo project of scripts/screenshot), parented
// to the main window and not yet shown; the program shows it, lets it settle, saves it and
// ends. It must not run the window's own event loop (no exec()). The main window itself is
// always there under the name "main".
struct ScreenshotWindow {
    QString name;
    std::function<QWidget*(CCusporaDlg& main)> open;
};
using ScreenshotWindows = std::vector<ScreenshotWindow>;

} // namespace qdx
