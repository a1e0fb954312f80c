#include "views/log/ChartCheck.h"

#include "store/ProjectModel.h"

#include <cstdlib>

namespace qdx {

namespace {

void apply(ChartCheckState& state, const JournalRow& row) {
    if (row.KIND == journal::kChecked) {
        state.checked = true;
        state.checkedBy = row.who();
        state.checkedAt = row.TIME;
    } else if (row.KIND == journal::kDeleted) {
        state = ChartCheckState{};
        state.deleted = true;
    } else if (!row.TEETH.empty()) {
        state.checked = false;
        state.checkedBy.clear();
        state.checkedAt.clear();
        state.deleted = false;
        state.lastChangedBy = row.who();
        state.lastChangedAt = row.TIME;
    }
}

} // namespace

RecordRef recordOf(const JournalRow& row) {
    return {row.SIDE == "1" ? AnteMortem : PostMortem, std::atoll(row.Dental_ID.c_str())};
}

ChartCheckState chartCheckState(const std::vector<JournalRow>& recordRows) {
    ChartCheckState state;
    for (const JournalRow& row : recordRows)
        apply(state, row);
    return state;
}

std::map<RecordRef, ChartCheckState> chartCheckStates(const std::vector<JournalRow>& rows) {
    std::map<RecordRef, ChartCheckState> states;
    for (const JournalRow& row : rows) {
        if (row.isRecordRow())
            apply(states[recordOf(row)], row);
    }
    return states;
}

std::string checkStateText(const ChartCheckState& state) {
    if (!state.checked)
        return "未確認";
    return "確認済み（" + state.checkedBy + " " + state.checkedAt + "）";
}

std::string checkColumnText(const ChartCheckState& state) {
    if (state.deleted)
        return {};
    return state.checked ? "確認済み" : "未確認";
}

CheckRefusal checkRefusal(const ChartCheckState& state, const std::string& who, bool chartEdited) {
    if (chartEdited)
        return CheckRefusal::ChartEdited;
    if (state.checked)
        return CheckRefusal::AlreadyChecked;
    if (!state.lastChangedBy.empty() && state.lastChangedBy == who)
        return CheckRefusal::SameExaminer;
    return CheckRefusal::None;
}

std::string_view checkRefusalText(CheckRefusal refusal) {
    switch (refusal) {
    case CheckRefusal::AlreadyChecked:
        return "この歯式は既に確認済みです。";
    case CheckRefusal::SameExaminer:
        return "最後に歯式を変更した担当者は確認できません。別の担当者が確認してください。";
    case CheckRefusal::ChartEdited:
        return "歯式が変更されています。保存してから確認してください。";
    case CheckRefusal::None:
        break;
    }
    return {};
}

ChartCheckState loadChartCheckState(const ProjectModel& model, int side, long long dentalId) {
    journal::JournalQuery query;
    query.side = side;
    query.dentalId = dentalId;
    query.chartAndChecks = true;
    return chartCheckState(model.loadJournal(query));
}

CheckRefusal checkChart(ProjectModel& model, int side, long long dentalId, bool chartEdited) {
    const CheckRefusal refusal = checkRefusal(loadChartCheckState(model, side, dentalId),
                                              model.journal().who(), chartEdited);
    if (refusal == CheckRefusal::None)
        model.recordChartCheck(side, dentalId);
    return refusal;
}

} // namespace qdx
