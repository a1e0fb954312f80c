#pragma once

#include "ui/entry/CCusporaEntryDlg.h"

namespace qdx {

class CCusporaDlg;

// Plugs the record entry dialog into the main window's 新規登録 and 修正.
void plugInEntryWindow(CCusporaDlg& main);
// 照合履歴 of the entry dialog: the match history window in its entry mode.
CCusporaEntryDlg::HistoryOpener entryHistoryOpener();
// 変更履歴 of the entry dialog: the change-history window on the record.
CCusporaEntryDlg::LogOpener entryLogOpener();
// The dialog in modify mode on a post-mortem record of the open project (one with bridge or
// deciduous marks when there is one), loaded and not shown, for the screenshot.
CCusporaEntryDlg* openEntryForScreenshot(CCusporaDlg& main);

} // namespace qdx
