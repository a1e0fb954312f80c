#pragma once

#include "ui/common/ReportOpener.h"
#include "ui/search/CandidateSearchDlg.h"
#include "views/search/IndividualSearchRows.h"

#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;

namespace qdx {

class CColorStatic;
class CFullSearchDlg;
class IndividualSearchTableModel;
class SearchRun;

// "個別検索": one searching chart in the first row, its best N candidates below with their
// counts, score and teeth, and a chart picture marking where the selected candidate agrees.
// Opened from the main window it searches itself and hands every change of a choice back
// through `onConditionsChanged`; opened from the full search it shares that window's run, is
// re-used for every double-clicked row and hands its choices back to it.
class CIndividualSearchDlg : public CandidateSearchDlg {
    Q_OBJECT
public:
    // From the main window: modal, with the main window's choices and current record.
    CIndividualSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                         const QString& target, QWidget* parent = nullptr);
    // From the full search: modeless over it; call showTarget for each double-clicked row.
    explicit CIndividualSearchDlg(CFullSearchDlg& fullSearch);
    ~CIndividualSearchDlg() override;

    // onConditionsChanged and onMatchesChanged are for the main window mode.

    // Full search mode: takes the full search's choices and run, lists `displayId` and shows
    // the window.
    void showTarget(const QString& displayId);
    // Full search mode: the shared run was replaced; list the same target from the new one.
    void sharedRunReplaced();

    SearchConditions conditions() const;
    bool openedFromFullSearch() const { return m_fullSearch != nullptr; }
    IndividualSearchTableModel* tableModel() const { return m_tableModel; }
    // The picture kinds of the pictured row; none while the list is empty.
    const std::optional<ToothValues>& pictureKinds() const { return m_kinds; }
    void selectRow(int row) override;
    // The row selected once the window has opened (the first row unless set; a picture of the
    // window shows a candidate).
    void setOpeningRow(int row) { m_openingRow = row; }

    void saveToFile() override;
    void printList() override;
    void openHistory() override;
    // "報告書": the report of the searching chart and the selected candidate (the first one
    // without a selection). Without an opener the button is not shown.
    ReportOpener reportOpener;
    void openReport();

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
    // Whether the own run holds the entry of the shown target and direction.
    bool searchedTarget() const;
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
    void updatePicture();
    void showToothTip(const QPoint& point);
    int searchingSide() const;
    int displayCount() const;

    CColorButton* m_reportButton = nullptr;
    CFullSearchDlg* m_fullSearch = nullptr;
    std::unique_ptr<SearchRun> m_ownRun;
    bool m_changed = false;

    IndividualSearchTableModel* m_tableModel = nullptr;
    CColorStatic* m_targetLabel = nullptr;
    QComboBox* m_directionCombo = nullptr;
    QComboBox* m_rankKeyCombo = nullptr;
    std::optional<ToothValues> m_kinds;
    std::array<QLabel*, 6> m_legendSwatches{};
    std::array<CColorStatic*, 6> m_legendTexts{};
    CColorStatic* m_classLegend = nullptr;
    bool m_candidateLegend = false;
    int m_runDirection = 0;
    int m_tipPosition = -2;
    int m_openingRow = 0;
};

} // namespace qdx
