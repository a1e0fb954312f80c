#include "app/ScreenshotWindows.h"

#include "ui/chart/ChartGallery.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/HistoryWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/settings/CSetupDlg.h"

namespace qdx {

// One line per window: its name for "scripts/screenshot --window NAME" and a function that
// builds it on the main window's open project, parented to the main window, without exec().
ScreenshotWindows screenshotWindows() {
    return {
        {QStringLiteral("chart-gallery"),
         [](CCusporaDlg& main) { return createChartGallery(main.model().pictureFolder(), &main); }},
        {QStringLiteral("settings"),
         [](CCusporaDlg& main) -> QWidget* { return new CSetupDlg(main.model(), &main); }},
        {QStringLiteral("history"), createHistoryPicture},
        {QStringLiteral("compare"), createComparisonPicture},
        {QStringLiteral("entry"),
         [](CCusporaDlg& main) -> QWidget* { return openEntryForScreenshot(main); }},
        {QStringLiteral("individual"),
         [](CCusporaDlg& main) -> QWidget* {
             auto* dialog = new CIndividualSearchDlg(main.model(), main.currentConditions(),
                                                     main.currentId(), &main);
             dialog->setOpeningRow(1);
             return dialog;
         }},
    };
}

} // namespace qdx
