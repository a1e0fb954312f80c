#include "ui/search/CIndividualSearchDlg.h"

#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "ui/common/Prompts.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/IndividualSearchTableModel.h"
#include "ui/search/SearchWindowParts.h"
#include "views/search/IndividualSearchPrintLayout.h"
#include "views/search/SearchResultCsv.h"

#include <QComboBox>
#include <QTableView>

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace qdx {

void CIndividualSearchDlg::saveToFile() {
    const SearchEntry* entry = targetEntry();
    if (!entry)
        return;
    const QString path = chooseResultFile();
    if (path.isEmpty())
        return;
    writeIndividualResultFile(this, path,
                              individualSearchCsvLines(*entry, m_rankKeyCombo->currentIndex(),
                                                       displayCount(), hideExcluded()));
}

void CIndividualSearchDlg::printList() {
    const SearchEntry* entry = targetEntry();
    if (!entry)
        return;
    printIndividualLayout([&] {
        return individualSearchPrintJob(entry, m_directionCombo->currentIndex(),
                                        m_rankKeyCombo->currentIndex(), displayCount(),
                                        hideExcluded(), static_cast<long long>(std::time(nullptr)));
    });
}

void CIndividualSearchDlg::openHistory() {
    const IndividualRow* chosen = historyRow(m_tableModel->rows());
    if (!chosen)
        return;
    const int side = chosen->isSearching() ? searchingSide() : 1 - searchingSide();
    const std::string dentalId = chosen->dentalId;
    if (m_fullSearch)
        m_fullSearch->setBlocked(true);
    const bool changed = historyOpener(this, side, dentalId);
    if (m_fullSearch)
        m_fullSearch->setBlocked(false);
    if (!changed)
        return;
    m_changed = true;
    if (m_fullSearch) {
        // The full search searches again with the new outcomes and lists this target anew.
        passConditions();
        return;
    }
    // The main window reloads its lists first, so the search reads the new outcomes.
    m_changed = false;
    if (onMatchesChanged)
        onMatchesChanged(conditions());
    fillDisplayCounts();
    m_ownRun->clear(); // its records were reloaded
    relistKeepingPlace();
}

void CIndividualSearchDlg::openReport() {
    const auto& rows = m_tableModel->rows();
    if (!reportOpener || rows.size() < 2)
        return;
    const IndividualRow& candidate = rows[static_cast<std::size_t>(std::max(currentRow(), 1))];
    if (candidate.isSearching())
        return;
    const long long searching = std::atoll(rows.front().dentalId.c_str());
    const long long other = std::atoll(candidate.dentalId.c_str());
    const bool fromPostMortem = searchingSide() == PostMortem;
    if (m_fullSearch)
        m_fullSearch->setBlocked(true);
    reportOpener(this, fromPostMortem ? searching : other, fromPostMortem ? other : searching);
    if (m_fullSearch)
        m_fullSearch->setBlocked(false);
}

} // namespace qdx
