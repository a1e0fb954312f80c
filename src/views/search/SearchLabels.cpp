#include "views/search/SearchLabels.h"

namespace qdx {

namespace {

const std::array<std::string_view, 5> kCountHeadings = {
    "検索数", "完全一致数", "全修復・欠損一致数", "矛盾なし一致数", "スコア"};

} // namespace

std::string_view directionLabel(int direction) {
    return direction == 1 ? "死後→生前" : "生前→死後";
}

std::string_view rankKeyLabel(int rankKey) {
    if (rankKey < 0 || rankKey >= static_cast<int>(kCountHeadings.size()) - 1)
        return {};
    return kCountHeadings[static_cast<std::size_t>(rankKey) + 1];
}

const std::array<std::string_view, 5>& resultCountHeadings() {
    return kCountHeadings;
}

} // namespace qdx
