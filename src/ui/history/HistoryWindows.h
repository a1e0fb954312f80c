#pragma once

#include "ui/common/ReportOpener.h"

class QWidget;

namespace qdx {

class CCusporaDlg;

// Plugs the match history window and the identified-pair comparison into the main window's
// 照合履歴 and 比較表示 commands; the comparison opens the pair's report with `report`.
void plugInHistoryWindows(CCusporaDlg& main, ReportOpener report = {});

// The match history window of one record, standalone, over `parent` (the main window or a
// search window); true after 保存. A store failure is shown and gives false.
bool openMatchHistory(CCusporaDlg& main, QWidget* parent, int side, long long dentalId);

// For pictures of the windows: the match history window (standalone) and the comparison of the
// first post-mortem record with a recorded outcome, preferring an identified one (the first
// record when none has one). Built on the main window, not shown; nullptr when the project
// cannot be read.
QWidget* createHistoryPicture(CCusporaDlg& main);
QWidget* createComparisonPicture(CCusporaDlg& main);

} // namespace qdx
