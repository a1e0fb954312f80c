#include "app/ScreenshotWindows.h"

#include "ui/chart/ChartGallery.h"
#include "ui/entry/CCusporaEntryDlg.h"
#include "ui/entry/EntryWindow.h"
#include "ui/history/HistoryWindows.h"
#include "ui/log/LogWindows.h"
#include "ui/main/CCusporaDlg.h"
#include "ui/main/RecordListModel.h"
#include "ui/qr/CQrCodeDlg.h"
#include "ui/report/ReportWindows.h"
#include "ui/search/CBridgeSearchDlg.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "ui/settings/CSetupDlg.h"

namespace qdx {

namespace {

// The QR picture of the first post-mortem row, as its button shows it.
QWidget* createQrPicture(CCusporaDlg& main) {
    const RecordListModel& list = *main.listModel(0);
    std::vector<std::string> cells;
    for (int column = 0; list.rowCount() > 0 && column < list.columnCount(); ++column)
        cells.push_back(list.cellText(0, column).toStdString());
    return new CQrCodeDlg(QString::fromStdString(qrRowText(cells)), QStringLiteral("QR.bmp"),
                          &main);
}

} // namespace

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
        {QStringLiteral("search"),
         [](CCusporaDlg& main) -> QWidget* {
             return new CFullSearchDlg(main.model(), main.currentConditions(), &main);
         }},
        {QStringLiteral("individual"),
         [](CCusporaDlg& main) -> QWidget* {
             auto* dialog = new CIndividualSearchDlg(main.model(), main.currentConditions(),
                                                     main.currentId(), &main);
             dialog->setOpeningRow(1);
             // The program opens the match history and the report from it; the picture only
             // shows the buttons.
             dialog->historyOpener = [](QWidget*, int, const std::string&) { return false; };
             dialog->reportOpener = [](QWidget*, long long, long long) {};
             return dialog;
         }},
        {QStringLiteral("qr"), createQrPicture},
        {QStringLiteral("log"), createLogPicture},
        {QStringLiteral("report"), createReportPicture},
        {QStringLiteral("bridge"),
         [](CCusporaDlg& main) -> QWidget* {
             auto* dialog = new CBridgeSearchDlg(main.model(), main.currentConditions(),
                                                 main.currentId(), &main);
             dialog->historyOpener = [](QWidget*, int, const std::string&) { return false; };
             return dialog;
         }},
    };
}

} // namespace qdx
