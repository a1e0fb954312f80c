#pragma once

#include "model/MatchKind.h"

#include <string>
#include <vector>

namespace qdx {

// The start of the main window's delete question from the kinds of the record's match rows:
// "鑑定中データ、他人データがあります。", "鑑定中データがあります。", "他人データがあります。"
// or empty.
std::string deleteQuestionPrefix(const std::vector<MatchKind>& kinds);

} // namespace qdx
