#pragma once

#include "matching/SearchRequest.h"
#include "ui/search/CandidateSearchDlg.h"
#include "views/bridge/BridgePattern.h"

#include <array>
#include <memory>

class QComboBox;
class QLabel;

namespace qdx {

class BridgeLegendWidget;
class BridgeSearchTableModel;
class CColorButton;
class CColorStatic;
class SearchRun;

// "ブリッジ指定検索": the candidates of one chart ordered by bridge agreement, and a picture of
// a pattern of missing teeth and bridges that the examiner draws and searches with instead.
// Opened modally from the main window; every change of a choice goes back through
// `onConditionsChanged` with the side in the place of the direction (bridgeConditions).
class CBridgeSearchDlg : public CandidateSearchDlg {
    Q_OBJECT
public:
    CBridgeSearchDlg(ProjectModel& model, const SearchConditions& conditions, const QString& target,
                     QWidget* parent = nullptr);
    ~CBridgeSearchDlg() override;

    SearchConditions conditions() const;
    int side() const;
    const BridgePattern& pattern() const { return m_pattern; }
    // The run lists a drawn pattern (検索) rather than a recorded chart.
    bool listsPattern() const { return m_patternRun; }
    BridgeSearchTableModel* tableModel() const { return m_tableModel; }
    void selectRow(int row) override;
    // A click on a list row: a candidate's chart becomes the pattern.
    void clickRow(int row);
    // A click on the picture, in its coordinates.
    void clickChart(QPoint point);

    void searchWithPattern();
    void saveToFile() override;
    void printList() override;
    void openHistory() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildLegend();
    void connectControls();
    bool searchRecords();
    bool searchPattern(const DentalRecord& pattern);
    const DentalRecord* recordToList(int side) const;
    bool adopt(std::unique_ptr<SearchRun> fresh, bool patternRun);
    // After a failed search that the run cannot outlive: nothing is listed.
    void dropRun();
    // The run holds the entry the target now lists (a pattern run always does).
    bool runListsTarget() const;
    void restoreTarget(const QString& target);
    const SearchEntry* listedEntry() const;
    void fillTargets();
    // Lists the target's candidates anew: all of them after a search of its own, the display
    // count kept where it can be after another target or hiding.
    void listFresh();
    void listKeepingCount();
    void relist(int n);
    void restorePlace(const ListPlace& place);
    void relistKeepingPlace();
    void fillDisplayCounts(int keptIndex);
    void fitColumns(bool fitAll);
    void takePatternFromTarget();
    void sideChanged();
    void targetChanged();
    void rankChanged();
    void countChanged();
    void hideChanged();
    void passConditions();
    void updatePicture();
    void updateCaption();
    int displayCount() const;
    int rankView() const;

    // The run of the one chart (or pattern) listed; it refers to the model's lists, so it is
    // searched again or dropped whenever they are reloaded.
    std::unique_ptr<SearchRun> m_run;
    BridgeLists m_lists;
    bool m_patternRun = false;
    DentalRecord m_patternRecord;
    BridgePattern m_pattern;
    int m_runSide = 0;

    BridgeSearchTableModel* m_tableModel = nullptr;
    QComboBox* m_sideCombo = nullptr;
    QComboBox* m_rankCombo = nullptr;
    std::array<QLabel*, 2> m_legendSwatches{};
    std::array<CColorStatic*, 2> m_legendTexts{};
    BridgeLegendWidget* m_bridgeLegend = nullptr;
    CColorStatic* m_bridgeLegendText = nullptr;
    CColorStatic* m_markLegend = nullptr;
    CColorButton* m_searchButton = nullptr;
};

} // namespace qdx
