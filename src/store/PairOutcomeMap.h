#pragma once

#include "model/MatchKind.h"

#include <map>
#include <string>

namespace qdx {

// "%s-%s" of (ID_AFTER, ID_BEFOR) -> KIND of the lowest-ID complete match row for that pair.
using PairOutcomeMap = std::map<std::string, MatchKind>;

} // namespace qdx
