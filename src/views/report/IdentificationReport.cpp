#include "views/report/IdentificationReport.h"

#include "matching/Ranking.h"
#include "matching/SearchRequest.h"
#include "store/ProjectModel.h"

#include <algorithm>

namespace qdx {

namespace {

struct ConclusionNames {
    ReportConclusion conclusion;
    const char* text;
    const char* word;
};

constexpr ConclusionNames kConclusions[kConclusionCount] = {
    {ReportConclusion::Established, "身元確認（確定）", "established"},
    {ReportConclusion::Probable, "可能性が高い", "probable"},
    {ReportConclusion::Possible, "可能性あり", "possible"},
    {ReportConclusion::Excluded, "除外", "excluded"},
    {ReportConclusion::Insufficient, "判断不能", "insufficient"},
};

const ConclusionNames& namesOf(ReportConclusion conclusion) {
    return kConclusions[static_cast<int>(conclusion)];
}

ReportRecord reportRecord(const ProjectModel& model, int side, long long key) {
    ReportRecord r;
    r.side = side;
    r.record = model.getRecordWithMatch(side, key);
    r.check = loadChartCheckState(model, side, key);
    return r;
}

// The history rows of `own` about outcomes that name `partner`.
void addHistory(const ProjectModel& model, const ReportRecord& own, const ReportRecord& partner,
                std::vector<ReportHistoryLine>& lines) {
    journal::JournalQuery query;
    query.side = own.side;
    query.dentalId = std::atoll(own.record.Dental_ID.c_str());
    query.kind = journal::kMatches;
    for (const JournalRow& row : model.loadJournal(query)) {
        if (row.DETAIL.find(partner.record.displayId) == std::string::npos)
            continue;
        lines.push_back({row.TIME, row.who(), own.record.displayId, row.DETAIL});
    }
}

std::vector<std::string> pairOutcomes(const ProjectModel& model, long long pmKey, long long amKey) {
    std::vector<std::string> outcomes;
    const std::string partner = std::to_string(amKey);
    for (const MatchRow& row : model.getMatchHistory(PostMortem, pmKey)) {
        if (row.ID_BEFOR == partner && row.KIND.isRecorded())
            outcomes.emplace_back(row.KIND.stateLabel());
    }
    return outcomes;
}

} // namespace

std::string_view conclusionText(ReportConclusion conclusion) {
    return namesOf(conclusion).text;
}

std::string_view conclusionWord(ReportConclusion conclusion) {
    return namesOf(conclusion).word;
}

std::optional<ReportConclusion> conclusionFromWord(std::string_view word) {
    for (const ConclusionNames& names : kConclusions) {
        if (word == names.word)
            return names.conclusion;
    }
    return std::nullopt;
}

ReportRanks partnerRanks(const ProjectModel& model, int direction, const DentalRecord& searching,
                         const DentalRecord& partner) {
    ReportRanks ranks;
    SearchRun run;
    runEntrySearch(model, direction, searching, run);
    if (run.entries().empty())
        return ranks;
    ranks.searchable = true;
    const SearchEntry& entry = run.entries().front();
    for (int key = 0; key < kRankKeyCount; ++key) {
        const RankedView view = entry.view(key);
        for (std::size_t i = 0; i < view.size(); ++i) {
            if (view.at(i).candidate->Dental_ID == partner.Dental_ID) {
                ranks.rank[static_cast<std::size_t>(key)] = static_cast<int>(i) + 1;
                break;
            }
        }
    }
    return ranks;
}

IdentificationReport buildIdentificationReport(const ProjectModel& model, long long postMortemKey,
                                               long long anteMortemKey, const ReportInput& input,
                                               std::time_t now) {
    IdentificationReport report;
    report.projectName = model.settings().projectName;
    report.projectFile = model.projectPath();
    report.createdAt = now;
    report.input = input;
    report.postMortem = reportRecord(model, PostMortem, postMortemKey);
    report.anteMortem = reportRecord(model, AnteMortem, anteMortemKey);
    const DentalRecord& pm = report.postMortem.record;
    const DentalRecord& am = report.anteMortem.record;
    report.judgement = judgePair(pm, am, model.settings());
    report.anteMortemRank = partnerRanks(model, kPostToAnteMortem, pm, am);
    report.postMortemRank = partnerRanks(model, kAnteToPostMortem, am, pm);
    report.anteMortemEvidence = patternEvidence(PatternIndex(model.records(AnteMortem)), AnteMortem,
                                                report.judgement, pm, am);
    report.postMortemEvidence = patternEvidence(PatternIndex(model.records(PostMortem)), PostMortem,
                                                report.judgement, pm, am);
    report.outcomes = pairOutcomes(model, postMortemKey, anteMortemKey);
    addHistory(model, report.postMortem, report.anteMortem, report.history);
    addHistory(model, report.anteMortem, report.postMortem, report.history);
    std::stable_sort(report.history.begin(), report.history.end(),
                     [](const auto& a, const auto& b) { return a.time < b.time; });
    return report;
}

std::string reportJournalText(const IdentificationReport& report, const std::string& file) {
    std::string text = "報告書 " + std::string(conclusionText(report.input.conclusion)) + " " +
                       report.postMortem.record.displayId + " / " +
                       report.anteMortem.record.displayId;
    text += ", 担当 " + report.input.examiner + ", 確認 " + report.input.checker;
    text += ", ファイル " + file;
    return text;
}

void journalReport(ProjectModel& model, const IdentificationReport& report,
                   const std::string& file) {
    const DentalRecord& pm = report.postMortem.record;
    model.journal().writeRecord(journal::kReport, PostMortem, std::atoll(pm.Dental_ID.c_str()),
                                pm.displayId, {}, reportJournalText(report, file));
    model.setSettingsOrMatchesChanged();
}

} // namespace qdx
