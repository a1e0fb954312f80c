#include "store/ChangeText.h"

#include "model/Labels.h"

#include <algorithm>
#include <cstdio>

namespace qdx {

namespace {

constexpr const char* kArrow = "→";
constexpr const char* kNothing = "なし";

std::string change(const std::string& label, const std::string& before, const std::string& after) {
    return label + " " + before + kArrow + after;
}

void addIfDiffers(std::vector<std::string>& parts, const char* label, const std::string& before,
                  const std::string& after) {
    if (before != after)
        parts.push_back(change(label, before, after));
}

std::string weightText(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

// A weight matrix under the name qdx settings gives it: "am-pm6:COL:ROW" per changed weight.
template <std::size_t N>
void addScores(std::vector<std::string>& parts, const char* grid, int n,
               const std::array<double, N>& before, const std::array<double, N>& after) {
    for (std::size_t k = 0; k < N; ++k) {
        // Compared as shown: a weight read back from the file may differ in its last bits.
        const std::string old = weightText(before[k]);
        const std::string now = weightText(after[k]);
        if (old == now)
            continue;
        const int column = static_cast<int>(k) / n + 1;
        const int row = static_cast<int>(k) % n + 1;
        const std::string label =
            std::string(grid) + ":" + std::to_string(column) + ":" + std::to_string(row);
        parts.push_back(change(label, old, now));
    }
}

bool sameOutcome(const MatchRow& a, const MatchRow& b) {
    return a.KIND == b.KIND && a.Match_ID == b.Match_ID;
}

} // namespace

std::string joinChanges(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += ", ";
        text += part;
    }
    return text;
}

std::string toothCellText(const ChartStrings& chart, int position) {
    const int effective = effectiveClass(chart, position);
    std::string cell = effective == 0 ? "?" : std::to_string(effective);
    const auto p = static_cast<std::size_t>(position);
    if (p < chart.bridgeChart.size() && chart.bridgeChart[p] == '1')
        cell += 'b';
    if (p < chart.deciduousChart.size() && chart.deciduousChart[p] == '1')
        cell += 'd';
    return cell;
}

std::string teethChangeText(const ChartStrings& before, const ChartStrings& after) {
    std::vector<std::string> parts;
    for (int p = 0; p < kToothCount; ++p) {
        const std::string old = toothCellText(before, p);
        const std::string now = toothCellText(after, p);
        if (old != now)
            parts.push_back(toothHeading(p) + " " + old + kArrow + now);
    }
    return joinChanges(parts);
}

std::string fieldChangeText(const DentalRecord& before, const DentalRecord& after) {
    std::vector<std::string> parts;
    addIfDiffers(parts, "ID", before.displayId, after.displayId);
    addIfDiffers(parts, "性別", std::string(sexLabel(before.sex)),
                 std::string(sexLabel(after.sex)));
    addIfDiffers(parts, "年令", std::string(ageGroupLabel(before.agegroup)),
                 std::string(ageGroupLabel(after.agegroup)));
    addIfDiffers(parts, "氏名", before.name, after.name);
    addIfDiffers(parts, "場所", before.place, after.place);
    addIfDiffers(parts, "摘要", before.summary, after.summary);
    return joinChanges(parts);
}

std::string addedTeethText(const DentalRecord& record) {
    return teethChangeText(ChartStrings::defaults(), record.chart());
}

std::string addedFieldsText(const DentalRecord& record) {
    DentalRecord empty;
    empty.displayId = record.displayId;
    empty.UpdateTime = record.UpdateTime;
    return fieldChangeText(empty, record);
}

std::string outcomeText(const MatchRow& row) {
    const std::string label(row.KIND.stateLabel());
    const std::string kind = label.empty() ? row.KIND.storedText() : label;
    return row.Match_ID.empty() ? kind : kind + " " + row.Match_ID;
}

std::string outcomeChangeText(const std::vector<MatchRow>& before,
                              const std::vector<MatchRow>& after) {
    // Entries that stayed as they were drop out; what is left pairs up by partner.
    std::vector<MatchRow> gone = before;
    std::vector<MatchRow> come;
    for (const MatchRow& row : after) {
        const auto same = std::find_if(gone.begin(), gone.end(), [&row](const MatchRow& old) {
            return sameOutcome(old, row);
        });
        if (same != gone.end())
            gone.erase(same);
        else
            come.push_back(row);
    }
    std::vector<std::string> parts;
    for (const MatchRow& old : gone) {
        const auto now = std::find_if(come.begin(), come.end(), [&old](const MatchRow& row) {
            return row.Match_ID == old.Match_ID;
        });
        if (now == come.end()) {
            parts.push_back(outcomeText(old) + " " + kArrow + " " + kNothing);
            continue;
        }
        parts.push_back(outcomeText(old) + " " + kArrow + " " + outcomeText(*now));
        come.erase(now);
    }
    for (const MatchRow& row : come)
        parts.push_back(std::string(kNothing) + " " + kArrow + " " + outcomeText(row));
    return joinChanges(parts);
}

std::string settingsChangeText(const SearchSettings& before, const SearchSettings& after) {
    std::vector<std::string> parts;
    addIfDiffers(parts, "プロジェクト名", before.projectName, after.projectName);
    addIfDiffers(parts, "照合優先度の係数", std::to_string(before.factor),
                 std::to_string(after.factor));
    addScores(parts, "am-pm5", 5, before.amToPmScores5, after.amToPmScores5);
    addScores(parts, "pm-am5", 5, before.pmToAmScores5, after.pmToAmScores5);
    addScores(parts, "am-pm6", 6, before.amToPmScores6, after.amToPmScores6);
    addScores(parts, "pm-am6", 6, before.pmToAmScores6, after.pmToAmScores6);
    const SearchConditions& b = before.conditions;
    const SearchConditions& a = after.conditions;
    addIfDiffers(parts, "検索方向", std::to_string(b.searchDirection),
                 std::to_string(a.searchDirection));
    addIfDiffers(parts, "表示件数", std::to_string(b.topNIndex), std::to_string(a.topNIndex));
    addIfDiffers(parts, "並び順", std::to_string(b.rankKey), std::to_string(a.rankKey));
    addIfDiffers(parts, "判明除外", std::to_string(b.hideExcluded), std::to_string(a.hideExcluded));
    for (std::size_t i = 0; i < before.rulers.size(); ++i) {
        const std::string label = "分類基準" + std::to_string(i + 1);
        addIfDiffers(parts, label.c_str(), before.rulers[i], after.rulers[i]);
    }
    return joinChanges(parts);
}

} // namespace qdx
