#include "ui/entry/EntryWindow.h"

#include "store/StoreError.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/history/CMarchStatusDlg.h"
#include "ui/log/LogWindows.h"
#include "ui/main/CCusporaDlg.h"

#include <cstdlib>

namespace qdx {

void plugInEntryWindow(CCusporaDlg& main) {
    main.setWindowOpener(CCusporaDlg::WindowKind::Entry,
                         [](CCusporaDlg& window, const CCusporaDlg::WindowRequest& request) {
                             const auto mode = request.mode == 1 ? CCusporaEntryDlg::Mode::Modify
                                                                 : CCusporaEntryDlg::Mode::New;
                             CCusporaEntryDlg dialog(window.model(), request.side, mode,
                                                     request.dentalId, &window);
                             dialog.setHistoryOpener(entryHistoryOpener());
                             dialog.setLogOpener(entryLogOpener());
                             if (!dialog.load())
                                 return false;
                             return dialog.exec() == QDialog::Accepted;
                         });
}

CCusporaEntryDlg::HistoryOpener entryHistoryOpener() {
    return [](CCusporaEntryDlg& entry, int side, long long dentalId) {
        try {
            CMarchStatusDlg history(entry.model(), side, dentalId, CMarchStatusDlg::Mode::Entry,
                                    &entry);
            history.exec();
        } catch (const StoreError& error) {
            Prompts::message(&entry, failureText(error.message(), error.databaseText()),
                             MessageButtons::Ok, MessageIcon::Error);
        }
    };
}

CCusporaEntryDlg::LogOpener entryLogOpener() {
    return [](CCusporaEntryDlg& entry, int side, long long dentalId, const std::string& displayId) {
        openChangeLog(&entry, entry.model(), side, dentalId, displayId);
    };
}

CCusporaEntryDlg* openEntryForScreenshot(CCusporaDlg& main) {
    const std::vector<DentalRecord> records = main.model().loadRecordList(PostMortem);
    if (records.empty())
        return nullptr;
    const DentalRecord* shown = &records.front();
    for (const DentalRecord& record : records) {
        const bool marked = record.bridgeChart.find('1') != std::string::npos;
        if (marked && !record.place.empty()) {
            shown = &record;
            break;
        }
    }
    auto* dialog = new CCusporaEntryDlg(main.model(), PostMortem, CCusporaEntryDlg::Mode::Modify,
                                        std::atoll(shown->Dental_ID.c_str()), &main);
    dialog->setHistoryOpener(entryHistoryOpener());
    dialog->setLogOpener(entryLogOpener());
    dialog->load();
    return dialog;
}

} // namespace qdx
