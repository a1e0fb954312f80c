#include "ui/log/LogWindows.h"

#include "ui/log/CChangeLogDlg.h"
#include "ui/main/CCusporaDlg.h"

namespace qdx {

void plugInLogWindow(CCusporaDlg& main) {
    main.setWindowOpener(
        CCusporaDlg::WindowKind::ChangeLog,
        [](CCusporaDlg& window, const CCusporaDlg::WindowRequest& request) {
            CChangeLogDlg dialog(window.model(), &window);
            const bool shown =
                request.dentalId > 0
                    ? dialog.showRecord(
                          request.side, request.dentalId,
                          window.model().getRecord(request.side, request.dentalId).displayId)
                    : dialog.reload();
            if (shown)
                dialog.exec();
            return false;
        });
}

void openChangeLog(QWidget* parent, ProjectModel& model, int side, long long dentalId,
                   const std::string& displayId) {
    CChangeLogDlg dialog(model, parent);
    if (dialog.showRecord(side, dentalId, displayId))
        dialog.exec();
}

QWidget* createLogPicture(CCusporaDlg& main) {
    auto* dialog = new CChangeLogDlg(main.model(), &main);
    if (!dialog->reload()) {
        delete dialog;
        return nullptr;
    }
    return dialog;
}

} // namespace qdx
