#pragma once

#include <array>
#include <string_view>

namespace qdx {

// "生前→死後" (0: the ante-mortem charts search the post-mortem side) or "死後→生前" (1).
std::string_view directionLabel(int direction);

// "完全一致数", "全修復・欠損一致数", "矛盾なし一致数" or "スコア"; empty out of range.
std::string_view rankKeyLabel(int rankKey);

// The headings of a candidate's counts in the result lists and files: "検索数" and the four
// rank-key labels.
const std::array<std::string_view, 5>& resultCountHeadings();

} // namespace qdx
