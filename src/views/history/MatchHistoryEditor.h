#pragma once

#include "model/Wording.h"

#include "store/MatchRow.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qdx {

// The entries of the kind choice, in the order the kind list shows them.
enum class KindChoice { Blank = 0, SamePerson = 1, Imposter = 2, UnderInvestigation = 3 };

// How a same person was identified (the two radio buttons).
enum class SamePersonBasis { DentalChart, OtherInformation };

// What the history window tells the user; each has its text in historyMessageText.
enum class HistoryMessage {
    None,
    ChooseKind,            // no kind chosen for 登録
    ChooseTarget,          // no (or no existing) target record
    OneSamePersonOnly,     // a second same-person entry
    NoDeleteTarget,        // 削除 without a row
    ConfirmDelete,         // the question before deleting
    Deleted,               // after deleting
    CannotClearIdentified, // 判明済み off while a same-person entry is listed
    PartnerNotNamed,       // the save question for a same-person entry without partner ID
    DiscardEdits,          // the question before closing without saving
};

std::string_view historyMessageText(HistoryMessage message);

// The kind words of the kind list: "", "同一人物", "他人", "鑑定中".
std::string_view kindChoiceText(KindChoice choice);
// The text the history list shows for a kind ("同一人物 (デンタルチャート)", ...); empty for
// kind 0 (never listed) and for a stored text that is no kind.
std::string historyKindText(const MatchKind& kind, const Wording& wording = {});
// The kind choice and basis that show a stored kind in the controls (a row click).
struct KindControls {
    KindChoice choice = KindChoice::Blank;
    SamePersonBasis basis = SamePersonBasis::DentalChart;
};
KindControls kindControlsFor(const MatchKind& kind);

// One record's match history as the history window edits it: the entries with their edit
// states, the 判明済み box, 登録, 削除 and the save check. Nothing reaches the project until the
// caller stores entries() (ProjectModel::replaceMatchHistory, or the entry dialog's list).
// Deleted entries stay in the list, unlisted, so that storing removes their rows.
class MatchHistoryEditor {
public:
    // `side` of the record, its Dental_ID as text and its entries as read (or as the entry
    // dialog holds them).
    MatchHistoryEditor(int side, std::string recordNumber, std::vector<MatchRow> entries);

    int side() const { return m_side; }
    const std::string& recordNumber() const { return m_recordNumber; }
    const std::vector<MatchRow>& entries() const { return m_entries; }

    // The entries the list shows, by index into entries(), in list order: not deleted and not
    // of kind 0.
    std::vector<std::size_t> listedEntries() const;
    // The 判明済み box.
    bool identified() const { return m_identified; }
    // True when an entry, not deleted, has an identified kind (0, 1 or 2).
    bool hasIdentifiedEntry() const;

    // 登録: adds or changes the entry for the target upper-lower. Returns the message to show
    // (None on success) and, whenever the list is to be refilled, the entry to select.
    struct RegisterResult {
        HistoryMessage message = HistoryMessage::None;
        std::optional<std::size_t> selected; // entry index of the target, when refilled
    };
    RegisterResult registerTarget(KindChoice choice, SamePersonBasis basis,
                                  const std::string& upper, const std::string& lower);
    // What 登録 would refuse with (ChooseKind, ChooseTarget, OneSamePersonOnly), or None;
    // changes nothing.
    HistoryMessage registerRefusal(KindChoice choice, SamePersonBasis basis,
                                   const std::string& upper, const std::string& lower) const;

    // The listed entry naming the partner `matchId` (the first in list order), if any.
    std::optional<std::size_t> findListed(const std::string& matchId) const;
    // 削除 of a listed row (after the question): marks its entry deleted; the box goes off when
    // no identified entry remains.
    void deleteEntry(std::size_t index);

    // A click on 判明済み that leaves the box `on`. Returns CannotClearIdentified (and the box
    // on again) when a same-person entry forbids clearing it.
    HistoryMessage toggleIdentified(bool on);

    // The same-person entries without a partner ID; saving asks once for each.
    int unnamedSamePersonCount() const;

private:
    bool isLive(const MatchRow& row) const { return row.editState != MatchRow::Deleted; }
    bool hasSamePersonEntry(std::optional<std::size_t> except = {}) const;
    std::optional<std::size_t> findByPartner(const std::string& matchId, bool liveOnly) const;
    void deleteUnnamedIdentified();
    MatchRow newEntry(MatchKind kind, const std::string& matchId) const;

    int m_side;
    std::string m_recordNumber;
    std::vector<MatchRow> m_entries;
    bool m_identified = false;
};

} // namespace qdx
