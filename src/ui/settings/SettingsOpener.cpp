#include "ui/settings/SettingsOpener.h"

#include "ui/main/CCusporaDlg.h"
#include "ui/settings/CSetupDlg.h"

namespace qdx {

void plugInSettingsWindow(CCusporaDlg& main) {
    main.setWindowOpener(CCusporaDlg::WindowKind::Settings,
                         [](CCusporaDlg& window, const CCusporaDlg::WindowRequest&) {
                             CSetupDlg dialog(window.model(), &window);
                             return dialog.exec() == QDialog::Accepted;
                         });
}

} // namespace qdx
