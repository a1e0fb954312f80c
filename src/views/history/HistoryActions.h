#pragma once

#include "model/Wording.h"

#include "views/history/MatchHistoryEditor.h"

#include <optional>
#include <string>

namespace qdx {

class ProjectModel;

// Opens a record's history as the standalone window does: the record's entries from the model.
// Throws StoreError.
MatchHistoryEditor loadMatchHistory(const ProjectModel& model, int side, long long dentalId);

// True when `displayId` names a record of `otherSide` as the target lists offer it: an upper
// and a lower part, neither blank, of an existing record.
bool isOfferedTarget(const ProjectModel& model, int otherSide, const std::string& displayId);

// The question 登録 asks before a same-person registration takes the target away from another
// record (saving removes the target's other same-person rows): "D0006-00051 は T08-00021 と
// 同一人物として登録されています。登録を変更しますか？" when the target upper-lower, a record of
// the other side, is stored as the same person (kind 1 or 2) as a record other than the
// editor's. Nothing for other kinds, for a target without such a row and when 登録 would be
// refused anyway. Throws StoreError.
std::optional<std::string> registerQuestion(const MatchHistoryEditor& editor,
                                            const ProjectModel& model, KindChoice choice,
                                            SamePersonBasis basis, const std::string& upper,
                                            const std::string& lower, const Wording& wording = {});

// One control of the window, as `qdx history` runs it.
struct HistoryAction {
    enum class Type { Register, Delete, Identified };
    Type type = Type::Register;
    KindChoice choice = KindChoice::Blank; // Register
    SamePersonBasis basis = SamePersonBasis::DentalChart;
    std::string partner; // Register, Delete: the displayId of the other side's record
    bool on = false;     // Identified: the state to bring the box to
};

// Runs the action on the editor as the window's control does (削除 without its question). A
// partner that is not an offered target gives ChooseTarget; deleting a partner that is not
// listed gives NoDeleteTarget. Returns None on success.
HistoryMessage applyHistoryAction(MatchHistoryEditor& editor, const ProjectModel& model,
                                  const HistoryAction& action);

} // namespace qdx
