#pragma once

namespace qdx {

class CCusporaDlg;
class CCusporaEntryDlg;

// Plugs the record entry dialog into the main window's 新規登録 and 修正.
void plugInEntryWindow(CCusporaDlg& main);
// The dialog in modify mode on a post-mortem record of the open project (one with bridge or
// deciduous marks when there is one), loaded and not shown, for the screenshot.
CCusporaEntryDlg* openEntryForScreenshot(CCusporaDlg& main);

} // namespace qdx
