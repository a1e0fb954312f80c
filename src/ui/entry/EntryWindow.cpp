#include "ui/entry/EntryWindow.h"

#include "ui/entry/CCusporaEntryDlg.h"
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
                             if (!dialog.load())
                                 return false;
                             return dialog.exec() == QDialog::Accepted;
                         });
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
    dialog->load();
    return dialog;
}

} // namespace qdx
