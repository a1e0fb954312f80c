#pragma once

class QComboBox;

namespace qdx {

struct DisplayCountChoice;

// The condition lists every search window shows, filled from the labels and the display-count
// rule of views/search.

// "生前→死後", "死後→生前".
void fillDirectionCombo(QComboBox* combo);
// The four rank keys.
void fillRankKeyCombo(QComboBox* combo);
// "TOP 1 を表示" .. for `candidates`, keeping the list's own choice (`initialIndex` while the
// list is still empty) where the rule keeps it; the list is disabled when there is nothing to
// show.
void fillDisplayCountCombo(QComboBox* combo, int candidates, int initialIndex);
// The list as the choice gives it.
void showDisplayCountChoice(QComboBox* combo, const DisplayCountChoice& choice);

} // namespace qdx
