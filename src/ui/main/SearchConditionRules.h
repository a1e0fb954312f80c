#pragma once

#include <QString>

#include <string>
#include <vector>

namespace qdx {

// The rules behind the main window's search-condition controls and commands, kept free of
// widgets so they can be checked directly.
namespace searchrules {

inline constexpr int kMaxTopN = 50;

// The display-count choices for `candidates` candidates: how many "TOP %d を表示" entries are
// offered and which one is selected. `current` is the selection so far (-1 for none); it is
// kept when it names an offered entry, otherwise the third entry (or the last, with fewer
// candidates) is taken.
struct TopNChoices {
    int entries = 0;
    int selected = -1;
};
TopNChoices topNChoices(int candidates, int current);

// "TOP %d を表示".
QString topNCaption(int index);

// The searched-against side's count: post-mortem for direction 0, ante-mortem for 1; the
// searchable count instead of the row count when excluded records are hidden.
int candidateCount(int direction, bool hideExcluded, int pmRows, int pmSearchable, int amRows,
                   int amSearchable);

// The start of the delete question from the kinds of the record's match rows.
QString deleteQuestionPrefix(const std::vector<std::string>& kinds);

} // namespace searchrules
} // namespace qdx
