#pragma once

class QWidget;

namespace qdx {

class CCusporaDlg;

// Plugs the match history window and the identified-pair comparison into the main window's
// 照合履歴 and 比較表示 commands.
void plugInHistoryWindows(CCusporaDlg& main);

// For pictures of the windows: the match history window (standalone) and the comparison of the
// first post-mortem record with a recorded outcome, preferring an identified one (the first
// record when none has one). Built on the main window, not shown; nullptr when the project
// cannot be read.
QWidget* createHistoryPicture(CCusporaDlg& main);
QWidget* createComparisonPicture(CCusporaDlg& main);

} // namespace qdx
