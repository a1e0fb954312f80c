#pragma once

#include "store/SearchSettings.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QWidget;

namespace qdx {

class CColorStatic;

// The main window's working copy of the search conditions: the direction, display-count and
// rank-key choices and the hide-excluded check, hidden in the standard layout. The search
// windows start from them and hand their changes back; storing them is the project model's
// (ProjectModel::storeSearchConditions).
class SearchConditionControls : public QObject {
    Q_OBJECT
public:
    SearchConditionControls(QWidget* client, bool shown, QObject* parent);

    SearchConditions current() const;
    int direction() const;
    void setDirection(int direction);
    // The first direction and rank key, not hiding; nothing is signalled.
    void reset();
    // Takes the direction, rank key and hiding of `conditions`; the display count follows once
    // the candidates are offered (selectDisplayCount).
    void setChoices(const SearchConditions& conditions);
    // -1 clears the display count, as a project that never chose one stores it; an index the
    // list does not have changes nothing.
    void selectDisplayCount(int index);
    // Offers "TOP %d を表示" for the candidates, keeping the chosen count where it can.
    void offerDisplayCounts(int candidates);
    // Fills a search window's controls with these choices; returns the hiding (0 or 1).
    int copyTo(QComboBox* direction, QComboBox* topN, QComboBox* rank) const;
    void fitLabels();

signals:
    // The direction or the hiding changed: the candidates are counted on another basis.
    void candidatesChanged();

private:
    CColorStatic* m_labels[2] = {}; // "検索条件", "表示件数"
    QComboBox* m_directionCombo = nullptr;
    QComboBox* m_displayCountCombo = nullptr;
    QComboBox* m_rankKeyCombo = nullptr;
    QCheckBox* m_hideExcludedCheck = nullptr;
};

} // namespace qdx
