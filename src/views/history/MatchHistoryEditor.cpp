#include "views/history/MatchHistoryEditor.h"

#include "model/RecordId.h"

#include <utility>

namespace qdx {

namespace {

MatchKind kindFor(KindChoice choice, SamePersonBasis basis) {
    switch (choice) {
    case KindChoice::SamePerson:
        return basis == SamePersonBasis::DentalChart ? MatchKind::IdentifiedByChart
                                                     : MatchKind::IdentifiedByOther;
    case KindChoice::Imposter:
        return MatchKind::Imposter;
    case KindChoice::UnderInvestigation:
        return MatchKind::UnderInvestigation;
    case KindChoice::Blank:
        break;
    }
    return {};
}

} // namespace

std::string_view historyMessageText(HistoryMessage message) {
    switch (message) {
    case HistoryMessage::None:
        return "";
    case HistoryMessage::ChooseKind:
        return "照合種別を選択してください。";
    case HistoryMessage::ChooseTarget:
        return "対象IDを指定してください。";
    case HistoryMessage::OneSamePersonOnly:
        return "同一人物の情報は１件のみ登録可能です。\n"
               "既に同一人物となっている情報の照合種別を変更してから登録してください";
    case HistoryMessage::NoDeleteTarget:
        return "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。";
    case HistoryMessage::ConfirmDelete:
        return "本当に削除しますがよろしいですか？";
    case HistoryMessage::Deleted:
        return "削除しました。";
    case HistoryMessage::CannotClearIdentified:
        return "照合履歴一覧に同一人物が設定されている場合、判明済みをOFFにできません。\n"
               "OFFにしたい場合同一人物を削除してください。";
    case HistoryMessage::PartnerNotNamed:
        return "判明IDが指定されていません。保存してよろしいですか？";
    case HistoryMessage::DiscardEdits:
        return "データを保存しません。よろしいですか？";
    }
    return "";
}

std::string_view kindChoiceText(KindChoice choice) {
    switch (choice) {
    case KindChoice::Blank:
        return "";
    case KindChoice::SamePerson:
        return "同一人物";
    case KindChoice::Imposter:
        return "他人";
    case KindChoice::UnderInvestigation:
        return "鑑定中";
    }
    return "";
}

std::string historyKindText(const MatchKind& kind, const Wording& wording) {
    const KindControls controls = kindControlsFor(kind);
    std::string text = worded(wording, kindChoiceText(controls.choice));
    if (controls.choice == KindChoice::SamePerson) {
        const bool chart = controls.basis == SamePersonBasis::DentalChart;
        text += " (" + worded(wording, chart ? "デンタルチャート" : "他の情報") + ")";
    }
    return text;
}

KindControls kindControlsFor(const MatchKind& kind) {
    switch (kind.value().value_or(MatchKind::Identified)) {
    case MatchKind::IdentifiedByChart:
        return {KindChoice::SamePerson, SamePersonBasis::DentalChart};
    case MatchKind::IdentifiedByOther:
        return {KindChoice::SamePerson, SamePersonBasis::OtherInformation};
    case MatchKind::UnderInvestigation:
        return {KindChoice::UnderInvestigation, SamePersonBasis::DentalChart};
    case MatchKind::Imposter:
        return {KindChoice::Imposter, SamePersonBasis::DentalChart};
    case MatchKind::Identified:
        break;
    }
    return {};
}

MatchHistoryEditor::MatchHistoryEditor(int side, std::string recordNumber,
                                       std::vector<MatchRow> entries)
    : m_side(side), m_recordNumber(std::move(recordNumber)), m_entries(std::move(entries)) {
    m_identified = hasIdentifiedEntry();
}

std::vector<std::size_t> MatchHistoryEditor::listedEntries() const {
    std::vector<std::size_t> listed;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (isLive(m_entries[i]) && m_entries[i].KIND != MatchKind::Identified)
            listed.push_back(i);
    }
    return listed;
}

bool MatchHistoryEditor::hasIdentifiedEntry() const {
    for (const MatchRow& row : m_entries) {
        if (isLive(row) && row.KIND.isIdentified())
            return true;
    }
    return false;
}

bool MatchHistoryEditor::hasSamePersonEntry(std::optional<std::size_t> except) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (i != except && isLive(m_entries[i]) && m_entries[i].KIND.namesPartner())
            return true;
    }
    return false;
}

std::optional<std::size_t> MatchHistoryEditor::findByPartner(const std::string& matchId,
                                                             bool liveOnly) const {
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].Match_ID == matchId && (!liveOnly || isLive(m_entries[i])))
            return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> MatchHistoryEditor::findListed(const std::string& matchId) const {
    for (std::size_t i : listedEntries()) {
        if (m_entries[i].Match_ID == matchId)
            return i;
    }
    return std::nullopt;
}

void MatchHistoryEditor::deleteUnnamedIdentified() {
    for (MatchRow& row : m_entries) {
        if (row.KIND == MatchKind::Identified)
            row.editState = MatchRow::Deleted;
    }
}

MatchRow MatchHistoryEditor::newEntry(MatchKind kind, const std::string& matchId) const {
    MatchRow row;
    row.KIND = std::move(kind);
    row.Match_ID = matchId;
    row.editState = MatchRow::Added;
    row.ownColumn(m_side) = m_recordNumber;
    row.partnerColumn(m_side) = "0";
    return row;
}

HistoryMessage MatchHistoryEditor::registerRefusal(KindChoice choice, SamePersonBasis basis,
                                                   const std::string& upper,
                                                   const std::string& lower) const {
    if (choice == KindChoice::Blank)
        return HistoryMessage::ChooseKind;
    if (upper.empty() || lower.empty())
        return HistoryMessage::ChooseTarget;
    // The entry of the target itself may be changed to the same person.
    const auto found = findByPartner(composeDisplayId(upper, lower), false);
    if (kindFor(choice, basis).namesPartner() && hasSamePersonEntry(found))
        return HistoryMessage::OneSamePersonOnly;
    return HistoryMessage::None;
}

MatchHistoryEditor::RegisterResult MatchHistoryEditor::registerTarget(KindChoice choice,
                                                                      SamePersonBasis basis,
                                                                      const std::string& upper,
                                                                      const std::string& lower) {
    const HistoryMessage refused = registerRefusal(choice, basis, upper, lower);
    if (refused == HistoryMessage::ChooseKind || refused == HistoryMessage::ChooseTarget)
        return {refused, std::nullopt};
    const std::string target = composeDisplayId(upper, lower);
    const MatchKind kind = kindFor(choice, basis);

    std::optional<std::size_t> found = findByPartner(target, false);
    if (found) {
        // Refused, the entry stays as it was but is still selected; a deleted entry found
        // here is otherwise restored.
        if (refused == HistoryMessage::None) {
            m_entries[*found].KIND = kind;
            m_entries[*found].editState = MatchRow::Changed;
        }
    } else {
        if (refused != HistoryMessage::None)
            return {refused, std::nullopt};
        m_entries.push_back(newEntry(kind, target));
        found = m_entries.size() - 1;
    }
    if (m_identified && kind.namesPartner())
        deleteUnnamedIdentified();
    // The box follows the entries: it goes off when the change left nothing identified.
    m_identified = hasIdentifiedEntry();
    return {refused, found};
}

void MatchHistoryEditor::deleteEntry(std::size_t index) {
    if (index >= m_entries.size())
        return;
    m_entries[index].editState = MatchRow::Deleted;
    if (!hasIdentifiedEntry())
        m_identified = false;
}

HistoryMessage MatchHistoryEditor::toggleIdentified(bool on) {
    m_identified = on;
    std::optional<MatchKind> smallest;
    for (const MatchRow& row : m_entries) {
        if (isLive(row) && row.KIND.isIdentified() && (!smallest || row.KIND < *smallest))
            smallest = row.KIND;
    }
    if (!on || (smallest && smallest->namesPartner()))
        deleteUnnamedIdentified();
    else if (!smallest)
        m_entries.push_back(newEntry(MatchKind::Identified, ""));
    if (!on && hasSamePersonEntry()) {
        m_identified = true;
        return HistoryMessage::CannotClearIdentified;
    }
    return HistoryMessage::None;
}

int MatchHistoryEditor::unnamedSamePersonCount() const {
    int count = 0;
    for (const MatchRow& row : m_entries) {
        if (isLive(row) && row.KIND.namesPartner() && row.Match_ID.empty())
            ++count;
    }
    return count;
}

} // namespace qdx
