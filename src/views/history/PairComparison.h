#pragma once

#include "model/Wording.h"

#include "model/Labels.h"

#include "model/DentalRecord.h"

#include <string>
#include <vector>

namespace qdx {

class ProjectModel;

// The identified-pair comparison: column 0 empty, 1 ID, 2 sex, 3 age group, 4..35 the teeth.
inline constexpr int kComparisonColumns = 4 + kToothCount;

struct ComparisonRow {
    int side = PostMortem;
    std::vector<std::string> cells; // kComparisonColumns texts
};

// The record and, when its match summary names a match row, the record on the other side of
// that row; the post-mortem record always first. Throws StoreError.
std::vector<ComparisonRow> pairComparisonRows(const ProjectModel& model, int side,
                                              long long dentalId,
                                              Language language = Language::Japanese);
// The key of the record on the other side of the match row the record's summary names; 0 when
// it names none (or a row without a partner). Throws StoreError.
long long comparisonPartnerKey(const ProjectModel& model, const DentalRecord& record, int side);
// One record's row.
ComparisonRow comparisonRow(const DentalRecord& record, int side,
                            Language language = Language::Japanese);
// A tooth cell: the class digit and "b" for a bridge, else a blank ("2b", "5 ").
std::string comparisonToothCell(const DentalRecord& record, int position);
std::string comparisonHeaderText(int column, const Wording& wording = {});
int comparisonInitialWidth(int column);

} // namespace qdx
