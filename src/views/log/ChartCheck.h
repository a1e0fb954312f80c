#pragma once

#include "model/Wording.h"
#include "store/JournalTable.h"

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qdx {

class ProjectModel;

// Whether a record's chart was checked by a second examiner, read from the change history: a
// check row marks it, a later row that changes the chart clears it.
struct ChartCheckState {
    bool checked = false;
    bool deleted = false; // the record was deleted; nothing is left to check
    std::string checkedBy;
    std::string checkedAt;
    std::string lastChangedBy; // who last changed the chart; empty when the history has no change
    std::string lastChangedAt;
};

// The state after the rows of one record, in the order they were written.
ChartCheckState chartCheckState(const std::vector<JournalRow>& recordRows);
// The states of every record the rows name, by (side, Dental_ID).
using RecordRef = std::pair<int, long long>;
std::map<RecordRef, ChartCheckState> chartCheckStates(const std::vector<JournalRow>& rows);
RecordRef recordOf(const JournalRow& row);

// The check column of every record that rows name, for the whole history of a large project:
// only whether each chart is checked or its record deleted is kept, not who and when. The rows
// are added in the order they were written.
class CheckColumns {
public:
    void add(const JournalRow& row);
    // checkColumnText of the state the row's record is in after the rows added.
    std::string text(const JournalRow& row) const;

private:
    struct Mark {
        bool checked = false;
        bool deleted = false;
    };
    static long long keyOf(const JournalRow& row);
    std::unordered_map<long long, Mark> m_marks;
};

// "確認済み" with who and when beside the entry dialog's match state; "未確認" otherwise.
std::string checkStateText(const ChartCheckState& state, const Wording& wording = {});
// The column of the change-history window: "確認済み", "未確認", or empty when the row names
// no record (or a deleted one).
std::string checkColumnText(const ChartCheckState& state);

enum class CheckRefusal { None, AlreadyChecked, SameExaminer, ChartEdited };
// Why the examiner `who` may not mark the chart as checked: it is checked already, they changed
// it last, or the entry dialog shows changes not yet saved.
CheckRefusal checkRefusal(const ChartCheckState& state, const std::string& who,
                          bool chartEdited = false);
std::string_view checkRefusalText(CheckRefusal refusal);

// The record's state as the project's history has it now.
ChartCheckState loadChartCheckState(const ProjectModel& model, int side, long long dentalId);
// The check of 確認 and `qdx check`: the rule for this run's examiner, then the history row.
CheckRefusal checkChart(ProjectModel& model, int side, long long dentalId,
                        bool chartEdited = false);

} // namespace qdx
