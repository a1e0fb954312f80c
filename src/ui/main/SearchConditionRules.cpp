#include "ui/main/SearchConditionRules.h"

#include <algorithm>

namespace qdx::searchrules {

TopNChoices topNChoices(int candidates, int current) {
    TopNChoices choices;
    choices.entries = std::min(std::max(candidates, 0), kMaxTopN);
    if (choices.entries == 0) {
        return choices;
    }
    if (current >= 0 && current < candidates) {
        // An index beyond the fifty offered entries is brought onto the last one so that a
        // display count is always selected.
        choices.selected = std::min(current, choices.entries - 1);
    } else {
        choices.selected = std::min(candidates, 3) - 1;
    }
    return choices;
}

QString topNCaption(int index) {
    return QStringLiteral("TOP %1 を表示").arg(index + 1);
}

int candidateCount(int direction, bool hideExcluded, int pmRows, int pmSearchable, int amRows,
                   int amSearchable) {
    if (direction == 0) {
        return hideExcluded ? pmSearchable : pmRows;
    }
    return hideExcluded ? amSearchable : amRows;
}

QString deleteQuestionPrefix(const std::vector<std::string>& kinds) {
    const bool examined = std::find(kinds.begin(), kinds.end(), "3") != kinds.end();
    const bool other = std::find(kinds.begin(), kinds.end(), "4") != kinds.end();
    if (examined && other) {
        return QStringLiteral("鑑定中データ、他人データがあります。");
    }
    if (examined) {
        return QStringLiteral("鑑定中データがあります。");
    }
    if (other) {
        return QStringLiteral("他人データがあります。");
    }
    return {};
}

} // namespace qdx::searchrules
