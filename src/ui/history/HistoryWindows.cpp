#include "ui/history/HistoryWindows.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/history/CMarchStatusDlg.h"
#include "ui/history/CMatchDiffDlg.h"
#include "ui/main/CCusporaDlg.h"

namespace qdx {

void plugInHistoryWindows(CCusporaDlg& main) {
    using Request = CCusporaDlg::WindowRequest;
    main.setWindowOpener(
        CCusporaDlg::WindowKind::History, [](CCusporaDlg& window, const Request& request) {
            try {
                CMarchStatusDlg dialog(window.model(), request.side, request.dentalId,
                                       CMarchStatusDlg::Mode::Standalone, &window);
                return dialog.exec() == QDialog::Accepted;
            } catch (const StoreError& error) {
                window.shell().showStoreError(error);
                return false;
            }
        });
    main.setWindowOpener(
        CCusporaDlg::WindowKind::Compare, [](CCusporaDlg& window, const Request& request) {
            try {
                CMatchDiffDlg dialog(window.model(), request.side, request.dentalId, &window);
                dialog.exec();
            } catch (const StoreError& error) {
                window.shell().showStoreError(error);
            }
            return false;
        });
}

} // namespace qdx
