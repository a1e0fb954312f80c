#include "cli/SearchLabels.h"

namespace qdx::cli {

std::string directionLabel(int searchDirection) {
    return searchDirection == 1 ? "死後→生前" : "生前→死後";
}

std::string rankKeyLabel(int rankKey) {
    static const char* const labels[] = {"完全一致数", "全修復・欠損一致数", "矛盾なし一致数",
                                         "スコア"};
    return rankKey >= 0 && rankKey < 4 ? labels[rankKey] : "";
}

} // namespace qdx::cli
