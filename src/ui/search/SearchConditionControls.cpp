#include "ui/search/SearchConditionControls.h"

#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "views/search/DisplayCount.h"
#include "views/search/SearchLabels.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace qdx {

void fillDirectionCombo(QComboBox* combo) {
    combo->addItems({coreTr(directionLabel(0)), coreTr(directionLabel(1))});
}

void fillRankKeyCombo(QComboBox* combo) {
    for (int k = 0; k < 4; ++k)
        combo->addItem(coreTr(rankKeyLabel(k)));
}

void fillDisplayCountCombo(QComboBox* combo, int candidates, int initialIndex) {
    const int carriedIndex = combo->count() > 0 ? combo->currentIndex() : initialIndex;
    showDisplayCountChoice(combo, displayCountChoice(candidates, carriedIndex));
}

void showDisplayCountChoice(QComboBox* combo, const DisplayCountChoice& choice) {
    combo->clear();
    for (int i = 0; i < choice.items; ++i)
        combo->addItem(qs(displayCountCaption(i, displayWording())));
    combo->setCurrentIndex(choice.selected);
    combo->setEnabled(choice.items > 0);
    combo->adjustSize();
}

} // namespace qdx
