#include "ui/report/ReportWindows.h"

#include "app/ProjectShell.h"
#include "store/ProjectModel.h"
#include "store/StoreError.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/report/CReportDlg.h"
#include "views/history/PairComparison.h"

#include <cstdlib>

namespace qdx {

ReportOpener reportOpener(CCusporaDlg& main) {
    return [&main](QWidget* parent, long long postMortemKey, long long anteMortemKey) {
        try {
            CReportDlg dialog(main.model(), postMortemKey, anteMortemKey, parent);
            dialog.exec();
        } catch (const StoreError& error) {
            main.shell().showStoreError(error);
        }
    };
}

QWidget* createReportPicture(CCusporaDlg& main) {
    ProjectModel& model = main.model();
    const auto& bodies = model.records(PostMortem);
    const auto& persons = model.records(AnteMortem);
    if (bodies.empty() || persons.empty())
        return nullptr;
    try {
        long long body = std::atoll(bodies.front().Dental_ID.c_str());
        long long person = std::atoll(persons.front().Dental_ID.c_str());
        for (const DentalRecord& record : bodies) {
            if (!record.MATCH_KIND.namesPartner())
                continue;
            const long long partner = comparisonPartnerKey(model, record, PostMortem);
            if (partner > 0) {
                body = std::atoll(record.Dental_ID.c_str());
                person = partner;
                break;
            }
        }
        return new CReportDlg(model, body, person, &main);
    } catch (const StoreError&) {
        return nullptr;
    }
}

} // namespace qdx
