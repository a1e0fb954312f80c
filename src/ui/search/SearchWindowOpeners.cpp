#include "ui/search/SearchWindowOpeners.h"

#include "ui/main/CCusporaDlg.h"
#include "ui/search/CBridgeSearchDlg.h"
#include "ui/search/CFullSearchDlg.h"

namespace qdx {

namespace {

// The main window keeps every choice a search window makes; with reload it also refreshes its
// lists, since the outcomes shown there changed.
template <class Dialog> void handChoicesBack(Dialog& search, CCusporaDlg& main) {
    search.onConditionsChanged = [&main](const SearchConditions& conditions) {
        main.applySearchConditions(conditions, false);
    };
    search.onMatchesChanged = [&main](const SearchConditions& conditions) {
        main.applySearchConditions(conditions, true);
    };
}

} // namespace

void plugInSearchWindows(CCusporaDlg& main, HistoryOpener history, ReportOpener report) {
    main.setWindowOpener(CCusporaDlg::WindowKind::FullSearch,
                         [history, report](CCusporaDlg& window, const CCusporaDlg::WindowRequest&) {
                             CFullSearchDlg search(window.model(), window.currentConditions(),
                                                   &window);
                             handChoicesBack(search, window);
                             search.historyOpener = history;
                             search.reportOpener = report;
                             search.exec();
                             return true;
                         });
    main.setWindowOpener(CCusporaDlg::WindowKind::IndividualSearch,
                         [history, report](CCusporaDlg& window, const CCusporaDlg::WindowRequest&) {
                             CIndividualSearchDlg search(window.model(), window.currentConditions(),
                                                         window.currentId(), &window);
                             handChoicesBack(search, window);
                             search.historyOpener = history;
                             search.reportOpener = report;
                             search.exec();
                             return true;
                         });
    main.setWindowOpener(CCusporaDlg::WindowKind::BridgeSearch,
                         [history](CCusporaDlg& window, const CCusporaDlg::WindowRequest&) {
                             CBridgeSearchDlg search(window.model(), window.currentConditions(),
                                                     window.currentId(), &window);
                             handChoicesBack(search, window);
                             search.historyOpener = history;
                             search.exec();
                             return true;
                         });
}

} // namespace qdx
