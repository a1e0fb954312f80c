#pragma once

#include "app/StartupOptions.h"

#include <functional>

namespace qdx {

class CCusporaDlg;

// The application object: sets up fonts, creates the main window and runs it modally. The
// program ends when the main window ends; its exit code is always 0.
class CCusporaApp {
public:
    // Called with the main window before it starts, so that windows built elsewhere can be
    // plugged in.
    using WindowSetup = std::function<void(CCusporaDlg&)>;

    explicit CCusporaApp(WindowSetup setup = {}) : m_setup(std::move(setup)) {}

    int run(const StartupOptions& options);

    // The documents folder the desktop uses.
    static QString systemDocumentsFolder();

private:
    WindowSetup m_setup;
};

} // namespace qdx
