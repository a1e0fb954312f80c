#pragma once

#include "ui/main/RecordListPane.h"

#include <QCoreApplication>
#include <QString>

namespace qdx {

class CCusporaDlg;

// The main window's commands on the selected row of a record list (new, modify, delete, match
// history, comparison, QR picture) and the hidden commands that change the lists as a whole.
// Their checks and messages are the views' (views/main/RecordChecks.h); this runs them, opens
// the windows, stores through the project model and reloads the lists.
class RecordCommands {
    Q_DECLARE_TR_FUNCTIONS(RecordCommands)

public:
    explicit RecordCommands(CCusporaDlg& window) : m_window(window) {}

    // The command of a list button.
    void run(int side, RecordListPane::Button button);

    void newRecord(int side);
    void modifyRecord(int side);
    void deleteRecord(int side);
    void openMatchHistory(int side);
    void openComparison(int side);
    void showQrPicture(int side);
    void removeDuplicatePostMortem();
    void readMarkSheet(int side, const QString& path);

private:
    using Position = RecordListPane::Position;
    void storeEntryAndReload(int side, const QString& oldIdText, bool isNew,
                             const Position& ownBefore, const Position& otherBefore);

    CCusporaDlg& m_window;
};

} // namespace qdx
