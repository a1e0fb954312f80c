#include "views/main/DeleteQuestion.h"

#include <algorithm>

namespace qdx {

std::string deleteQuestionPrefix(const std::vector<MatchKind>& kinds) {
    const auto has = [&kinds](MatchKind kind) {
        return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
    };
    const bool examined = has(MatchKind::UnderInvestigation);
    const bool other = has(MatchKind::Imposter);
    if (examined && other)
        return "鑑定中データ、他人データがあります。";
    if (examined)
        return "鑑定中データがあります。";
    if (other)
        return "他人データがあります。";
    return {};
}

} // namespace qdx
