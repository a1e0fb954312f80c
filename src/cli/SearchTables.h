#pragma once

#include "cli/CommandSearch.h"

#include <string>
#include <vector>

namespace qdx::cli {

// The full search window's table as tab-separated lines: a heading line, then per row the
// searching chart's mark and ID, the displayed priority and seven cells per candidate.
std::vector<std::string> fullSearchTable(const std::vector<const SearchEntry*>& rows,
                                         const ResolvedConditions& conditions);

// The individual search window's list: the searching chart, its visible candidates and (when
// hiding) the grey rows, with the tooth cells as the window shows them ("#3#" where the
// candidate's tooth agrees).
std::vector<std::string> individualSearchTable(const SearchEntry& entry,
                                               const ResolvedConditions& conditions);

} // namespace qdx::cli
