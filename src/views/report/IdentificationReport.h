#pragma once

#include "model/DentalRecord.h"
#include "views/log/ChartCheck.h"
#include "views/report/PairJudgement.h"
#include "views/report/PatternEvidence.h"

#include <array>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

class ProjectModel;

// What the examiners conclude about the pair, in the categories of identification practice.
enum class ReportConclusion { Established, Probable, Possible, Excluded, Insufficient };
inline constexpr int kConclusionCount = 5;

// "身元確認（確定）", "可能性が高い", "可能性あり", "除外", "判断不能".
std::string_view conclusionText(ReportConclusion conclusion);
// The word of `qdx report --conclusion`: established, probable, possible, excluded,
// insufficient.
std::string_view conclusionWord(ReportConclusion conclusion);
std::optional<ReportConclusion> conclusionFromWord(std::string_view word);

// What the examiners type for the report.
struct ReportInput {
    ReportConclusion conclusion = ReportConclusion::Insufficient;
    std::string examiner;
    std::string checker;
    std::string remarks;
};

// One record's identification data and chart as the report prints them.
struct ReportRecord {
    int side = PostMortem;
    DentalRecord record;
    ChartCheckState check;
};

// The rank of a chart in the other's candidate list under each rank key; 0 when it is not
// among the first 50. `searchable` is false for a chart that does not search.
struct ReportRanks {
    bool searchable = false;
    std::array<int, 4> rank{};
};

// A change-history row about the pair's outcomes.
struct ReportHistoryLine {
    std::string time;
    std::string who;
    std::string recordId;
    std::string detail;
};

struct IdentificationReport {
    std::string projectName;
    std::string projectFile;
    std::time_t createdAt = 0;
    ReportRecord postMortem;
    ReportRecord anteMortem;
    PairJudgement judgement;
    // The ante-mortem chart among the post-mortem chart's candidates (search direction 1), and
    // the post-mortem chart among the ante-mortem chart's (direction 0).
    ReportRanks anteMortemRank;
    ReportRanks postMortemRank;
    // Charts sharing the agreement: among the ante-mortem and among the post-mortem charts.
    PatternEvidence anteMortemEvidence;
    PatternEvidence postMortemEvidence;
    // The pair's recorded outcomes ("デンタルチャートで判明"), and the history rows about them.
    std::vector<std::string> outcomes;
    std::vector<ReportHistoryLine> history;
    ReportInput input;
};

// Everything the report says about the pair, read from the project: both records (keys of the
// two sides), the comparison, the ranks from one-record searches in both directions over the
// lists last loaded into the model, the pattern evidence over those lists, the pair's outcomes
// with their history and the charts' check state. Throws StoreError.
IdentificationReport buildIdentificationReport(const ProjectModel& model, long long postMortemKey,
                                               long long anteMortemKey, const ReportInput& input,
                                               std::time_t now);

// The ranks of `partner` in the candidate list of `searching` (direction 0: an ante-mortem
// chart searching) under every rank key, from a one-record search.
ReportRanks partnerRanks(const ProjectModel& model, int direction, const DentalRecord& searching,
                         const DentalRecord& partner);

// The history row of a printed report: the conclusion, the names and the file.
std::string reportJournalText(const IdentificationReport& report, const std::string& file);
// Writes it into the project's change history, on the post-mortem record.
void journalReport(ProjectModel& model, const IdentificationReport& report,
                   const std::string& file);

} // namespace qdx
