#pragma once

#include "model/DentalRecord.h"

#include <string>

namespace qdx::cli {

// A tooth cell as the main window's lists show it: the effective class (1..6) and "b" for a
// bridged tooth, else a blank ("3b", "5 ").
std::string toothCell(const ChartStrings& chart, int position);

// One record as a line of the main window's list: mark, ID, the 32 tooth cells and the
// Dental_ID as stored, separated by tabs. The mark leaves other-person rows unmarked.
std::string recordListLine(const DentalRecord& record);

} // namespace qdx::cli
