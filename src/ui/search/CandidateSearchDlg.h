#pragma once

#include "store/SearchSettings.h"
#include "ui/chart/ChartPainter.h"

#include <QDialog>
#include <QString>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class QAbstractItemModel;
class QCheckBox;
class QComboBox;
class QTableView;

namespace qdx {

class CColorButton;
class CColorStatic;
class ChartWidget;
class ProjectModel;
struct IndividualSearchPrintJob;

// Opens the match history of one record (side, Dental_ID) modally over `parent`; true when the
// outcomes changed.
using HistoryOpener = std::function<bool(QWidget* parent, int side, const std::string& dentalId)>;

// What the individual and the bridge search windows share: one searching chart in a target
// list, its candidates in a result list beside a chart picture with a caption, the display
// count and hiding choices, and the commands on the list (save, print, match history, close).
class CandidateSearchDlg : public QDialog {
    Q_OBJECT
public:
    // Every change of a choice; after a change of outcomes `onMatchesChanged` comes first, so
    // the main window can reload the record lists the next search reads.
    std::function<void(const SearchConditions&)> onConditionsChanged;
    std::function<void(const SearchConditions&)> onMatchesChanged;
    // "照合履歴"; without an opener the button is not shown.
    HistoryOpener historyOpener;

    QString target() const { return m_target; }
    QTableView* table() const { return m_table; }
    ChartWidget* chartView() const { return m_chart; }
    QString caption() const;
    // The window has opened and listed its target.
    bool isReady() const { return m_ready; }
    // How many searches this window ran itself.
    int searchCount() const { return m_searchCount; }
    virtual void selectRow(int row) = 0;

    virtual void saveToFile() = 0;
    virtual void printList() = 0;
    virtual void openHistory() = 0;

protected:
    CandidateSearchDlg(ProjectModel& model, const SearchConditions& conditions,
                       const QString& target, QWidget* parent);

    void makeTargetCombo();
    // The display count list and the (hidden) "検索対象外を非表示" box.
    void makeCountChoices();
    void makeResultList(QAbstractItemModel* model);
    void makeChartWithCaption();
    // Save, print and match history, coloured as the buttons `before` them, then close.
    void makeListButtons(std::initializer_list<CColorButton*> before);
    void connectListButtons();

    // A handler of a control's change that does nothing while the window fills its controls.
    template <class Window> auto unlessUpdating(void (Window::*handler)()) {
        return [this, handler] {
            if (!m_updating)
                (static_cast<Window*>(this)->*handler)();
        };
    }

    // True on the first show; every show shows the history button only with an opener.
    bool firstShow();
    // The chart picture of `content`. The pictures are loaded for the first drawing, which can
    // come before the window shows (the full search lists a row in it first).
    QImage drawChart(const ChartContent& content);
    // What every size puts in the same place.
    void placeSharedControls();

    int currentRow() const;
    void selectListRow(int row, int column);
    int hideExcluded() const;
    // Lists the targets and selects `wanted` (the first without one, none when it is not
    // listed); the index selected.
    int fillTargetCombo(const std::vector<std::string>& targets, const QString& wanted);
    // The target fillTargetCombo selects: `wanted` where listed, else none, or with no wish the
    // first; -1 for none.
    static int targetIndex(const std::vector<std::string>& targets, const QString& wanted);
    void fitListColumns(bool fitAll, int idColumn, int (*initialWidth)(int column));
    // The commands on the list need a target and a candidate.
    void updateCommandStates();

    struct ListPlace {
        std::string selectedId;
        int scroll = 0;
    };
    template <class Row> ListPlace listPlace(const std::vector<Row>& rows) const {
        const int row = currentRow();
        ListPlace place;
        if (row >= 0)
            place.selectedId = rows[static_cast<std::size_t>(row)].displayId;
        place.scroll = listScroll();
        return place;
    }
    // Selects the row of the same ID again where it is still listed, and scrolls back.
    template <class Model> void restoreListPlace(const ListPlace& place, const Model& model) {
        const int again = place.selectedId.empty() ? -1 : model.findRow(place.selectedId);
        if (again >= 0)
            selectRow(again);
        setListScroll(place.scroll);
    }
    // The row the match history opens for: the selected one, the first without a selection;
    // none without an opener or a candidate.
    template <class Row> const Row* historyRow(const std::vector<Row>& rows) const {
        if (!historyOpener || rows.size() < 2)
            return nullptr;
        return &rows[static_cast<std::size_t>(std::max(currentRow(), 0))];
    }

    // "ファイルに保存": asks for the file of the target (the listed one when it was emptied).
    QString chooseResultFile();
    // "印刷": the printout of the individual search's layout, the job made once a printer is
    // chosen.
    void printIndividualLayout(const std::function<IndividualSearchPrintJob()>& makeJob);

    ProjectModel& m_model;
    SearchConditions m_initial;
    QString m_target;

    CColorStatic* m_conditionLabel = nullptr;
    QComboBox* m_targetCombo = nullptr;
    CColorStatic* m_countLabel = nullptr;
    QComboBox* m_countCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
    QTableView* m_table = nullptr;
    ChartWidget* m_chart = nullptr;
    CColorStatic* m_captionLabel = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_printButton = nullptr;
    CColorButton* m_historyButton = nullptr;
    CColorButton* m_closeButton = nullptr;
    bool m_opened = false;
    bool m_ready = false;
    bool m_updating = false;
    int m_searchCount = 0;

private:
    int listScroll() const;
    void setListScroll(int value);

    ChartPainter m_painter;
    bool m_picturesLoaded = false;
};

} // namespace qdx
