#include "views/log/ChartCheck.h"

#include "store/ProjectModel.h"

#include <cstdlib>

namespace qdx {

namespace {

// What a row of a record does to its check: marks the chart checked, ends with the record,
// changes the chart (which clears the check), or nothing.
enum class CheckStep { None, Checked, Deleted, ChartChanged };

CheckStep stepOf(const JournalRow& row) {
    if (row.KIND == journal::kChecked)
        return CheckStep::Checked;
    if (row.KIND == journal::kDeleted)
        return CheckStep::Deleted;
    return row.TEETH.empty() ? CheckStep::None : CheckStep::ChartChanged;
}

void apply(ChartCheckState& state, const JournalRow& row) {
    const CheckStep step = stepOf(row);
    if (step == CheckStep::Checked) {
        state.checked = true;
        state.checkedBy = row.who();
        state.checkedAt = row.TIME;
    } else if (step == CheckStep::Deleted) {
        state = ChartCheckState{};
        state.deleted = true;
    } else if (step == CheckStep::ChartChanged) {
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

void CheckColumns::add(const JournalRow& row) {
    if (!row.isRecordRow())
        return;
    const CheckStep step = stepOf(row);
    if (step == CheckStep::None)
        return;
    // As apply() changes the two flags.
    Mark& mark = m_marks[keyOf(row)];
    mark.checked = step == CheckStep::Checked;
    if (step != CheckStep::Checked)
        mark.deleted = step == CheckStep::Deleted;
}

std::string CheckColumns::text(const JournalRow& row) const {
    if (!row.isRecordRow())
        return {};
    ChartCheckState state;
    const auto found = m_marks.find(keyOf(row));
    if (found != m_marks.end()) {
        state.checked = found->second.checked;
        state.deleted = found->second.deleted;
    }
    return checkColumnText(state);
}

long long CheckColumns::keyOf(const JournalRow& row) {
    const RecordRef record = recordOf(row);
    return record.second * 2 + (record.first == AnteMortem ? 1 : 0);
}

std::string checkStateText(const ChartCheckState& state, const Wording& wording) {
    if (!state.checked)
        return worded(wording, "未確認");
    return fillText(worded(wording, "確認済み（%1 %2）"), {state.checkedBy, state.checkedAt});
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
