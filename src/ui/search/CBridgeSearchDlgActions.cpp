#include "ui/search/CBridgeSearchDlg.h"

#include "matching/SearchRun.h"
#include "ui/chart/ChartWidget.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/common/Prompts.h"
#include "ui/search/BridgeSearchTableModel.h"
#include "ui/search/SearchWindowParts.h"
#include "views/bridge/BridgeSearchView.h"
#include "views/search/IndividualSearchPrintLayout.h"
#include "views/search/IndividualSearchRows.h"

#include <QComboBox>
#include <QScrollBar>
#include <QTableView>

#include <ctime>
#include <vector>

namespace qdx {

void CBridgeSearchDlg::clickRow(int row) {
    const auto& rows = m_tableModel->rows();
    if (row <= 0 || row >= static_cast<int>(rows.size()))
        return;
    const BridgeRow& chosen = rows[static_cast<std::size_t>(row)];
    m_pattern = patternFromCells({chosen.teeth.begin(), chosen.teeth.end()});
    updateCaption();
    updatePicture();
}

void CBridgeSearchDlg::clickChart(QPoint point) {
    const QRect picture = m_chart->pictureRect();
    m_pattern.toggleTooth(ChartPainter::toothAt(point, picture));
    m_pattern.toggleBridge(ChartPainter::bridgeMarkAt(point, picture));
    updatePicture();
}

void CBridgeSearchDlg::searchWithPattern() {
    const DentalRecord pattern = patternRecord(m_pattern);
    const int row = currentRow();
    const int scroll = m_table->verticalScrollBar()->value();
    if (!searchPattern(pattern)) {
        // Cancelled: the previous run is kept, and so are the list and its target.
        return;
    }
    m_patternRecord = pattern;
    m_target.clear();
    listFresh();
    fitColumns(false);
    if (m_tableModel->rowCount() <= 1)
        Prompts::message(this, coreTr(kBridgeNothingFoundMessage), MessageButtons::Ok,
                         MessageIcon::Exclamation);
    updateCommandStates();
    if (row > 0 && row < m_tableModel->rowCount())
        selectRow(row);
    m_table->verticalScrollBar()->setValue(scroll);
    updateCaption();
    passConditions();
}

void CBridgeSearchDlg::saveToFile() {
    const SearchEntry* entry = listedEntry();
    if (!entry || m_tableModel->rowCount() < 2)
        return;
    const QString path = chooseResultFile();
    if (path.isEmpty())
        return;
    writeIndividualResultFile(this, path,
                              bridgeCsvLines(*entry, rankView(), displayCount(), hideExcluded()));
}

void CBridgeSearchDlg::printList() {
    const SearchEntry* entry = listedEntry();
    if (!entry || m_tableModel->rowCount() < 2)
        return;
    printIndividualLayout([&] {
        return bridgeSearchPrintJob(entry, side(), rankView(), displayCount(), hideExcluded(),
                                    static_cast<long long>(std::time(nullptr)));
    });
}

void CBridgeSearchDlg::openHistory() {
    const BridgeRow* chosen = historyRow(m_tableModel->rows());
    if (!chosen)
        return;
    const DentalRecord* record = chosen->record;
    // A drawn pattern is no stored record and has no history.
    const int recordSide = m_lists.sideOf(record);
    if (recordSide < 0)
        return;
    if (!historyOpener(this, recordSide, record->Dental_ID))
        return;
    const ListPlace place = listPlace(m_tableModel->rows());
    // The main window reloads its lists first, so the search reads the new outcomes. The run
    // refers to the lists it replaced: without a new search there is nothing to list.
    if (onMatchesChanged)
        onMatchesChanged(conditions());
    const bool again = m_patternRun ? searchPattern(m_patternRecord) : searchRecords();
    if (!again) {
        dropRun();
        return;
    }
    fillTargets();
    relist(displayCount());
    restorePlace(place);
}

} // namespace qdx
