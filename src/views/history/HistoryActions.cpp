#include "views/history/HistoryActions.h"

#include "model/RecordId.h"
#include "store/ProjectModel.h"

namespace qdx {

MatchHistoryEditor loadMatchHistory(const ProjectModel& model, int side, long long dentalId) {
    return MatchHistoryEditor(side, std::to_string(dentalId),
                              model.getMatchHistory(side, dentalId));
}

bool isOfferedTarget(const ProjectModel& model, int otherSide, const std::string& displayId) {
    if (displayId.find('-') == std::string::npos)
        return false;
    const IdParts parts = splitDisplayId(displayId);
    if (parts.upper.empty() || parts.lower.empty())
        return false;
    long long key = 0;
    return !model.isIdFree(otherSide, displayId, key);
}

std::optional<std::string> registerQuestion(const MatchHistoryEditor& editor,
                                            const ProjectModel& model, KindChoice choice,
                                            SamePersonBasis basis, const std::string& upper,
                                            const std::string& lower, const Wording& wording) {
    if (choice != KindChoice::SamePerson ||
        editor.registerRefusal(choice, basis, upper, lower) != HistoryMessage::None)
        return std::nullopt;
    const int partnerSide = 1 - editor.side();
    const std::string target = composeDisplayId(upper, lower);
    long long key = 0;
    if (model.isIdFree(partnerSide, target, key))
        return std::nullopt;
    for (const MatchRow& row : model.getMatchHistory(partnerSide, key)) {
        const bool another = row.ownColumn(editor.side()) != editor.recordNumber();
        if (row.KIND.namesPartner() && another && !row.Match_ID.empty())
            return fillText(worded(wording, "%1 は %2 と同一人物として登録されています。"
                                            "登録を変更しますか？"),
                            {target, row.Match_ID});
    }
    return std::nullopt;
}

HistoryMessage applyHistoryAction(MatchHistoryEditor& editor, const ProjectModel& model,
                                  const HistoryAction& action) {
    const int otherSide = 1 - editor.side();
    switch (action.type) {
    case HistoryAction::Type::Register: {
        if (action.choice == KindChoice::Blank)
            return HistoryMessage::ChooseKind;
        if (!isOfferedTarget(model, otherSide, action.partner))
            return HistoryMessage::ChooseTarget;
        const IdParts parts = splitDisplayId(action.partner);
        return editor.registerTarget(action.choice, action.basis, parts.upper, parts.lower).message;
    }
    case HistoryAction::Type::Delete: {
        if (!isOfferedTarget(model, otherSide, action.partner))
            return HistoryMessage::ChooseTarget;
        const auto entry = editor.findListed(action.partner);
        if (!entry)
            return HistoryMessage::NoDeleteTarget;
        editor.deleteEntry(*entry);
        return HistoryMessage::None;
    }
    case HistoryAction::Type::Identified:
        if (editor.identified() == action.on)
            return HistoryMessage::None;
        return editor.toggleIdentified(action.on);
    }
    return HistoryMessage::None;
}

} // namespace qdx
