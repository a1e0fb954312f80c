#include "ui/history/HistoryWindows.h"

#include "app/ProjectShell.h"
#include "store/StoreError.h"
#include "ui/history/CMarchStatusDlg.h"
#include "ui/history/CMatchDiffDlg.h"
#include "ui/main/CCusporaDlg.h"

#include <cstdlib>

namespace qdx {

namespace {

// The key of the post-mortem record to picture, or 0 for an empty list.
long long pictureRecord(const ProjectModel& model) {
    const std::vector<DentalRecord> list = model.loadRecordList(PostMortem);
    const DentalRecord* chosen = nullptr;
    for (const DentalRecord& record : list) {
        if (record.MATCH_KIND.namesPartner()) {
            chosen = &record;
            break;
        }
        if (!chosen && !record.MATCH.empty())
            chosen = &record;
    }
    if (!chosen && !list.empty())
        chosen = &list.front();
    return chosen ? std::atoll(chosen->Dental_ID.c_str()) : 0;
}

} // namespace

QWidget* createHistoryPicture(CCusporaDlg& main) {
    try {
        return new CMarchStatusDlg(main.model(), PostMortem, pictureRecord(main.model()),
                                   CMarchStatusDlg::Mode::Standalone, &main);
    } catch (const StoreError&) {
        return nullptr;
    }
}

QWidget* createComparisonPicture(CCusporaDlg& main) {
    try {
        return new CMatchDiffDlg(main.model(), PostMortem, pictureRecord(main.model()), &main);
    } catch (const StoreError&) {
        return nullptr;
    }
}

bool openMatchHistory(CCusporaDlg& main, QWidget* parent, int side, long long dentalId) {
    try {
        CMarchStatusDlg dialog(main.model(), side, dentalId, CMarchStatusDlg::Mode::Standalone,
                               parent);
        return dialog.exec() == QDialog::Accepted;
    } catch (const StoreError& error) {
        main.shell().showStoreError(error);
        return false;
    }
}

void plugInHistoryWindows(CCusporaDlg& main, ReportOpener report) {
    using Request = CCusporaDlg::WindowRequest;
    main.setWindowOpener(
        CCusporaDlg::WindowKind::History, [](CCusporaDlg& window, const Request& request) {
            return openMatchHistory(window, &window, request.side, request.dentalId);
        });
    main.setWindowOpener(
        CCusporaDlg::WindowKind::Compare, [report](CCusporaDlg& window, const Request& request) {
            try {
                CMatchDiffDlg dialog(window.model(), request.side, request.dentalId, &window);
                dialog.setReportOpener(report);
                dialog.exec();
            } catch (const StoreError& error) {
                window.shell().showStoreError(error);
            }
            return false;
        });
}

} // namespace qdx
