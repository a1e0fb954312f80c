#pragma once

#include <QCoreApplication>

namespace qdx {

class CCusporaDlg;

// The main window's import and export commands: the questions and the messages; the imports
// themselves (backup, import, log, finish or restore) are the core's.
class ImportCommands {
    Q_DECLARE_TR_FUNCTIONS(ImportCommands)

public:
    explicit ImportCommands(CCusporaDlg& window) : m_window(window) {}

    void importPenCsv(int side);
    void importOes(int side);
    void importProject();
    void exportProject();

private:
    CCusporaDlg& m_window;
};

} // namespace qdx
