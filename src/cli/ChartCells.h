#pragma once

#include "views/entry/EntryChart.h"

#include <optional>
#include <string>

namespace qdx::cli {

// Reads the --chart option of `qdx add` / `qdx edit`: 32 cells separated by blanks or commas,
// in position order; a cell is a class digit 1..6 (6 = 歯あり), then optionally "b" (bridge)
// and "d" (deciduous, teeth 1..5 only). On a malformed text `error` says what is wrong.
std::optional<EntryChart> parseChartCells(const std::string& text, std::string& error);

} // namespace qdx::cli
