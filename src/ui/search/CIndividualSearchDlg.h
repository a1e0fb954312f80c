#pragma once

#include "store/SearchSettings.h"
#include "ui/chart/ChartPainter.h"
#include "views/search/IndividualSearchRows.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace qdx {

class CColorButton;
class CColorStatic;
class CFullSearchDlg;
class ChartWidget;
class IndividualSearchTableModel;
class ProjectModel;
class SearchRun;

// Opens the match history of one record (side, Dental_ID) modally over `parent`; true when the
// outcomes changed.
using HistoryOpener =
    std::function<bool(QWidget* parent, int side, const std::string& dentalId)>;

// "個別検索": one searching chart in the first row, its best N candidates below with their
// counts, score and teeth, and a chart picture marking where the selected candidate agrees.
// Opened from the main window it searches itself and hands every change of a choice back
// through `onConditionsChanged`; opened from the full search it shares that window's run, is
// re-used for every double-clicked row and hands its choices back to it.
class CIndividualSearchDlg : public QDialog {
    Q_OBJECT
public:
    // From the main window: modal, with the main window's choices and current record.
    CIndividualSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                         const QString& target, QWidget* parent = nullptr);
    // From the full search: modeless over it; call showTarget for each double-clicked row.
    explicit CIndividualSearchDlg(CFullSearchDlg& fullSearch);
    ~CIndividualSearchDlg() override;

    // Main window mode: every change of a choice; after a change of outcomes
    // `onMatchesChanged` comes first, so the main window can reload the record lists the next
    // search reads.
    std::function<void(const SearchConditions&)> onConditionsChanged;
    std::function<void(const SearchConditions&)> onMatchesChanged;
    // "照合履歴"; without an opener the button is not shown.
    HistoryOpener historyOpener;

    // Full search mode: takes the full search's choices and run, lists `displayId` and shows
    // the window.
    void showTarget(const QString& displayId);
    // Full search mode: the shared run was replaced; list the same target from the new one.
    void sharedRunReplaced();

    SearchConditions conditions() const;
    QString target() const { return m_target; }
    bool openedFromFullSearch() const { return m_fullSearch != nullptr; }
    IndividualSearchTableModel* tableModel() const { return m_tableModel; }
    QTableView* table() const { return m_table; }
    ChartWidget* chartView() const { return m_chart; }
    // The picture kinds of the pictured row; none while the list is empty.
    const std::optional<ToothValues>& pictureKinds() const { return m_kinds; }
    QString caption() const;
    // The window has opened and listed its target.
    bool isReady() const { return m_ready; }
    // How many searches this window ran itself.
    int searchCount() const { return m_searchCount; }
    void selectRow(int row);
    // The row selected once the window has opened (the first row unless set; a picture of the
    // window shows a candidate).
    void setOpeningRow(int row) { m_openingRow = row; }

    void saveToFile();
    void printList();
    void openHistory();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void buildLegend();
    void showLegend(bool candidate);
    void connectControls();
    void openFromMainWindow();
    void copyFullSearchChoices();
    bool search();
    const SearchRun* run() const;
    const SearchEntry* targetEntry() const;
    void fillDisplayCounts();
    void fillTargets();
    void refill(bool fitAll);
    void relistKeepingPlace();
    void fitColumns(bool fitAll);
    void directionChanged();
    void targetChanged();
    void choiceChanged(bool countsToo);
    void passConditions();
    void updateCommandStates();
    void updatePicture();
    void showToothTip(const QPoint& point);
    int currentRow() const;
    int searchingSide() const;
    int displayCount() const;
    int hideExcluded() const;

    ProjectModel& m_model;
    CFullSearchDlg* m_fullSearch = nullptr;
    SearchConditions m_initial;
    std::unique_ptr<SearchRun> m_ownRun;
    QString m_target;
    bool m_changed = false;

    IndividualSearchTableModel* m_tableModel = nullptr;
    CColorStatic* m_targetLabel = nullptr;
    QComboBox* m_targetCombo = nullptr;
    CColorStatic* m_conditionLabel = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QComboBox* m_rankKeyCombo = nullptr;
    CColorStatic* m_countLabel = nullptr;
    QComboBox* m_countCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
    QTableView* m_table = nullptr;
    ChartPainter m_painter;
    ChartWidget* m_chart = nullptr;
    std::optional<ToothValues> m_kinds;
    CColorStatic* m_captionLabel = nullptr;
    std::array<QLabel*, 6> m_legendSwatches{};
    std::array<CColorStatic*, 6> m_legendTexts{};
    CColorStatic* m_classLegend = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_historyButton = nullptr;
    CColorButton* m_closeButton = nullptr;
    bool m_opened = false;
    bool m_ready = false;
    bool m_updating = false;
    bool m_candidateLegend = false;
    int m_searchCount = 0;
    int m_runDirection = 0;
    int m_tipPosition = -2;
    int m_openingRow = 0;
};

} // namespace qdx
