#include "ui/search/CIndividualSearchDlg.h"

#include "io/SearchResultFile.h"
#include "matching/SearchRun.h"
#include "store/ProjectModel.h"
#include "ui/common/Prompts.h"
#include "ui/search/CFullSearchDlg.h"
#include "ui/search/IndividualSearchTableModel.h"
#include "ui/search/PrintRenderer.h"
#include "ui/search/SearchWindowParts.h"
#include "views/search/IndividualSearchPrintLayout.h"
#include "views/search/SearchResultCsv.h"

#include <QApplication>
#include <QComboBox>
#include <QPrinter>
#include <QTableView>

#include <ctime>

namespace qdx {

void CIndividualSearchDlg::saveToFile() {
    const SearchEntry* entry = targetEntry();
    if (!entry)
        return;
    const QString path = chooseIndividualResultFile(
        this, m_target.isEmpty() ? m_targetCombo->currentText() : m_target);
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
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, QStringLiteral("個別検索印刷"));
    if (!Prompts::choosePrinter(this, printer))
        return;
    preparePrinter(printer, QStringLiteral("個別検索印刷"));
    const IndividualSearchPrintJob job = individualSearchPrintJob(
        entry, m_directionCombo->currentIndex(), m_rankKeyCombo->currentIndex(), displayCount(),
        hideExcluded(), static_cast<long long>(std::time(nullptr)));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    printPages(printer, [&](const PrintMetrics& metrics) {
        return layoutIndividualSearchPrint(job, metrics);
    });
    QApplication::restoreOverrideCursor();
}

void CIndividualSearchDlg::openHistory() {
    const auto& rows = m_tableModel->rows();
    if (!historyOpener || rows.size() < 2)
        return;
    const int row = std::max(currentRow(), 0);
    const IndividualRow& chosen = rows[static_cast<std::size_t>(row)];
    const int side = chosen.isSearching() ? searchingSide() : 1 - searchingSide();
    const std::string dentalId = chosen.dentalId;
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
    if (search())
        relistKeepingPlace();
}

} // namespace qdx
