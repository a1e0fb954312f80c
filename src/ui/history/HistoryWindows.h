#pragma once

namespace qdx {

class CCusporaDlg;

// Plugs the match history window and the identified-pair comparison into the main window's
// 照合履歴 and 比較表示 commands.
void plugInHistoryWindows(CCusporaDlg& main);

} // namespace qdx
