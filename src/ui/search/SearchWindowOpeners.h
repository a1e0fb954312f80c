#pragma once

#include "ui/common/ReportOpener.h"
#include "ui/search/CIndividualSearchDlg.h"

namespace qdx {

class CCusporaDlg;

// Plugs the full, the individual and the bridge search window into the main window. Each opens
// modally with the main window's choices (the individual and the bridge search with its
// current record as the target) and hands every change back; after a change of outcomes the main
// window reloads its lists. `history` opens the match history from them; without it their button
// stays hidden; `report` opens the identification report from the individual search.
void plugInSearchWindows(CCusporaDlg& main, HistoryOpener history = {}, ReportOpener report = {});

} // namespace qdx
