#pragma once

#include "model/DentalRecord.h"

#include <string>

namespace qdx {

// How the matching engine reads one position of a chart. Positions past the end of the class
// chart have no information. A class digit plus tooth-present flag outside 1..6 (a damaged
// code written by another tool) is read as no information too, so it never addresses a weight
// outside the 6 x 6 matrix. Flags read as set for any character other than '0'.
int comparisonClass(const DentalRecord& record, int position);
bool deciduousFlag(const DentalRecord& record, int position);
bool bridgeFlag(const DentalRecord& record, int position);

// Both sexes known and different: the pair is compared as if the candidate had no information.
bool isSexExcluded(const DentalRecord& searching, const DentalRecord& candidate);

// Key of the pair outcome map: post-mortem Dental_ID, "-", ante-mortem Dental_ID. Direction 0
// searches with ante-mortem charts, so the candidate is the post-mortem record.
std::string pairOutcomeKey(const DentalRecord& searching, const DentalRecord& candidate,
                           int direction);

} // namespace qdx
