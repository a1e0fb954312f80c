#pragma once

#include "store/SearchSettings.h"
#include "ui/search/CIndividualSearchDlg.h"

#include <QDialog>

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace qdx {

class CColorButton;
class CColorStatic;
class FullSearchTableModel;
class ProjectModel;
class SearchRun;

// "全検索": every searchable chart of one side against all charts of the other, one row per
// searching chart with its best N candidates. Every change of the four choices is handed back
// through `onConditionsChanged` so the main window can keep them.
class CFullSearchDlg : public QDialog {
    Q_OBJECT
public:
    CFullSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                   QWidget* parent = nullptr);
    ~CFullSearchDlg() override;

    std::function<void(const SearchConditions&)> onConditionsChanged;
    // After a change of outcomes in the individual search window, before searching again, so
    // the main window can reload the record lists the search reads.
    std::function<void(const SearchConditions&)> onMatchesChanged;
    // Handed to the individual search window for its "照合履歴".
    HistoryOpener historyOpener;
    // Handed to the individual search window for its "報告書".
    ReportOpener reportOpener;

    ProjectModel& model() const { return m_model; }
    const SearchRun& run() const { return *m_run; }
    SearchConditions conditions() const;
    int displayCountItems() const;
    FullSearchTableModel* tableModel() const { return m_tableModel; }
    QTableView* table() const { return m_table; }
    // How many searches ran; re-listing from the existing run does not count.
    int searchCount() const { return m_searchCount; }

    void saveToFile();
    void printTable();

    // A double click on a row: the individual search window lists the row's searching chart.
    void openIndividualSearch(int row);
    CIndividualSearchDlg* individualSearch() const { return m_individual; }
    // From the individual search window: its choices after a change there. With `changed`
    // (outcomes were changed) the main window takes them and this window searches again;
    // otherwise each differing choice is selected here as if the user had.
    void takeIndividualChoices(const SearchConditions& choices, bool changed);
    void individualClosed();
    // While the match history is open over the individual search window.
    void setBlocked(bool blocked);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    bool search();
    void fillDisplayCounts();
    void refill(bool fitAll);
    void fitColumns(bool fitAll);
    void directionChanged();
    void searchAgain();
    void displayCountChanged();
    void rankKeyChanged();
    void hideExcludedToggled();
    void passConditions();
    void updateCommandStates();
    int candidateSide() const;
    int displayCount() const;

    ProjectModel& m_model;
    SearchConditions m_initial;
    std::unique_ptr<SearchRun> m_run;
    FullSearchTableModel* m_tableModel = nullptr;
    CColorStatic* m_conditionLabel = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QComboBox* m_rankKeyCombo = nullptr;
    CColorStatic* m_countLabel = nullptr;
    QComboBox* m_countCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
    QTableView* m_table = nullptr;
    CColorStatic* m_legendLabel = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_closeButton = nullptr;
    CIndividualSearchDlg* m_individual = nullptr;
    std::vector<QPointer<QWidget>> m_blocked;
    bool m_opened = false;
    bool m_updating = false;
    int m_searchCount = 0;
    int m_runDirection = 0; // the direction the shown run was made for
};

} // namespace qdx
