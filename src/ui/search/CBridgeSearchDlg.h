#pragma once

#include "matching/SearchRequest.h"
#include "store/SearchSettings.h"
#include "ui/chart/ChartPainter.h"
#include "ui/search/CIndividualSearchDlg.h"
#include "views/bridge/BridgePattern.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;

namespace qdx {

class BridgeLegendWidget;
class BridgeSearchTableModel;
class CColorButton;
class CColorStatic;
class ChartWidget;
class ProjectModel;
class SearchRun;

// "ブリッジ指定検索": the candidates of one chart ordered by bridge agreement, and a picture of
// a pattern of missing teeth and bridges that the examiner draws and searches with instead.
// Opened modally from the main window; every change of a choice goes back through
// `onConditionsChanged` with the side in the place of the direction (bridgeConditions).
class CBridgeSearchDlg : public QDialog {
    Q_OBJECT
public:
    CBridgeSearchDlg(ProjectModel& model, const SearchConditions& conditions, const QString& target,
                     QWidget* parent = nullptr);
    ~CBridgeSearchDlg() override;

    // As the individual search's: choices, and after a change of outcomes first
    // `onMatchesChanged` so the main window reloads the lists before the window searches.
    std::function<void(const SearchConditions&)> onConditionsChanged;
    std::function<void(const SearchConditions&)> onMatchesChanged;
    HistoryOpener historyOpener;

    SearchConditions conditions() const;
    int side() const;
    QString target() const { return m_target; }
    const BridgePattern& pattern() const { return m_pattern; }
    // The run lists a drawn pattern (検索) rather than a recorded chart.
    bool listsPattern() const { return m_patternRun; }
    BridgeSearchTableModel* tableModel() const { return m_tableModel; }
    QTableView* table() const { return m_table; }
    ChartWidget* chartView() const { return m_chart; }
    QString caption() const;
    bool isReady() const { return m_ready; }
    int searchCount() const { return m_searchCount; }
    void selectRow(int row);
    // A click on a list row: a candidate's chart becomes the pattern.
    void clickRow(int row);
    // A click on the picture, in its coordinates.
    void clickChart(QPoint point);

    void searchWithPattern();
    void saveToFile();
    void printList();
    void openHistory();

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
    bool adopt(std::unique_ptr<SearchRun> fresh, const BridgeLists& lists, bool patternRun);
    const SearchEntry* listedEntry() const;
    void fillTargets();
    void listFresh();
    void relist(int n);
    struct ListPlace {
        std::string selectedId;
        int scroll = 0;
    };
    ListPlace listPlace() const;
    void restorePlace(const ListPlace& place);
    void relistKeepingPlace();
    void fillDisplayCounts();
    void fitColumns(bool fitAll);
    void takePatternFromTarget();
    void sideChanged();
    void targetChanged();
    void rankChanged();
    void countChanged();
    void hideChanged();
    void passConditions();
    void updateCommandStates();
    void updatePicture();
    void updateCaption();
    int currentRow() const;
    int displayCount() const;
    int hideExcluded() const;
    int rankView() const;

    ProjectModel& m_model;
    SearchConditions m_initial;
    std::unique_ptr<SearchRun> m_run;
    BridgeLists m_lists;
    bool m_patternRun = false;
    DentalRecord m_patternRecord;
    QString m_target;
    BridgePattern m_pattern;
    int m_runSide = 0;

    BridgeSearchTableModel* m_tableModel = nullptr;
    CColorStatic* m_conditionLabel = nullptr;
    QComboBox* m_sideCombo = nullptr;
    QComboBox* m_targetCombo = nullptr;
    CColorStatic* m_countLabel = nullptr;
    QComboBox* m_rankCombo = nullptr;
    QComboBox* m_countCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
    QTableView* m_table = nullptr;
    ChartPainter m_painter;
    ChartWidget* m_chart = nullptr;
    CColorStatic* m_captionLabel = nullptr;
    std::array<QLabel*, 2> m_legendSwatches{};
    std::array<CColorStatic*, 2> m_legendTexts{};
    BridgeLegendWidget* m_bridgeLegend = nullptr;
    CColorStatic* m_bridgeLegendText = nullptr;
    CColorStatic* m_markLegend = nullptr;
    CColorButton* m_searchButton = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_historyButton = nullptr;
    CColorButton* m_closeButton = nullptr;
    bool m_opened = false;
    bool m_ready = false;
    bool m_updating = false;
    int m_searchCount = 0;
};

} // namespace qdx
