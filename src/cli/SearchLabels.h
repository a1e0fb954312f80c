#pragma once

#include <string>

namespace qdx::cli {

// "生前→死後" (0) or "死後→生前" (1).
std::string directionLabel(int searchDirection);
// "完全一致数", "全修復・欠損一致数", "矛盾なし一致数" or "スコア"; empty out of range.
std::string rankKeyLabel(int rankKey);

} // namespace qdx::cli
