#pragma once

#include "model/DentalRecord.h"
#include "store/MatchRow.h"
#include "store/SearchSettings.h"

#include <string>
#include <vector>

namespace qdx {

// The compact, readable form in which the change history keeps a change. Each text lists the
// items that changed, separated by ", "; an empty text means nothing changed.

// A tooth as the lists show it, with the deciduous mark: "3b", "2d", "6".
std::string toothCellText(const ChartStrings& chart, int position);
// The teeth that differ: "右上8 5→4, 左上1 1→3b".
std::string teethChangeText(const ChartStrings& before, const ChartStrings& after);
// The record's other fields that differ (not the chart, the key or the registration date,
// which an update keeps): "ID A-1→B-1, 性別
// 不明→男性, 場所 →気仙沼".
std::string fieldChangeText(const DentalRecord& before, const DentalRecord& after);
// What a new record brings, as changes from a record with nothing entered.
std::string addedTeethText(const DentalRecord& record);
std::string addedFieldsText(const DentalRecord& record);
// One outcome of a record's match history: "鑑定中 D0004-00031"; "判明済み" without a partner.
std::string outcomeText(const MatchRow& row);
// A history before and after: "鑑定中 D1 → 他人 D1, なし → 他人 D2, 他人 D3 → なし".
std::string outcomeChangeText(const std::vector<MatchRow>& before,
                              const std::vector<MatchRow>& after);
// The stored settings that differ: "照合優先度の係数 2→3, am-pm6:6:6 1.0000→0.5000".
std::string settingsChangeText(const SearchSettings& before, const SearchSettings& after);

// Joins the non-empty parts with ", ".
std::string joinChanges(const std::vector<std::string>& parts);

} // namespace qdx
