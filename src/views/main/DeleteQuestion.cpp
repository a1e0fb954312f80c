#include "views/main/DeleteQuestion.h"

#include <algorithm>

namespace qdx {

std::string deleteQuestionPrefix(const std::vector<std::string>& kinds) {
    const bool examined = std::find(kinds.begin(), kinds.end(), "3") != kinds.end();
    const bool other = std::find(kinds.begin(), kinds.end(), "4") != kinds.end();
    if (examined && other)
        return "鑑定中データ、他人データがあります。";
    if (examined)
        return "鑑定中データがあります。";
    if (other)
        return "他人データがあります。";
    return {};
}

} // namespace qdx
