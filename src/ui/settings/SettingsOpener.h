#pragma once

namespace qdx {

class CCusporaDlg;

// Lets the main window's "環境設定..." open the settings window on its project.
void plugInSettingsWindow(CCusporaDlg& main);

} // namespace qdx
