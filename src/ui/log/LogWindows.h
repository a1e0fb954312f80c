#pragma once

#include <string>

class QWidget;

namespace qdx {

class CCusporaDlg;
class ProjectModel;

// Plugs the change-history window into the main window's "変更履歴..." (the whole history;
// a request with a record lists that record's rows).
void plugInLogWindow(CCusporaDlg& main);
// The change history of one record over `parent` (the entry dialog's 変更履歴).
void openChangeLog(QWidget* parent, ProjectModel& model, int side, long long dentalId,
                   const std::string& displayId);
// For the picture of the window: the whole history of the open project, built on the main
// window and not shown.
QWidget* createLogPicture(CCusporaDlg& main);

} // namespace qdx
