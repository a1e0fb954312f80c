#pragma once

#include <QWidget>

class QComboBox;

namespace qdx {

// The entry dialog's legend: a swatch and text for each tooth state, the bridge mark and the
// deciduous label. Its object name is "classLegend"; the bridge mark's picture "bridgeLegend".
class EntryLegend : public QWidget {
    Q_OBJECT
public:
    explicit EntryLegend(QWidget* parent);
};

// Widens a combo box's drop-down list so that its longest item shows whole.
void fitPopupToItems(QComboBox* combo);

} // namespace qdx
