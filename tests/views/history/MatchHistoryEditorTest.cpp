#include "views/history/MatchHistoryEditor.h"
#include "views/history/MatchHistoryList.h"

#include "model/ToothChart.h"

#include "views/search/SortRules.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using Kind = KindChoice;
constexpr auto Chart = SamePersonBasis::DentalChart;
constexpr auto Other = SamePersonBasis::OtherInformation;

MatchRow stored(const std::string& id, const std::string& kind, const std::string& partner) {
    MatchRow row;
    row.ID = id;
    row.ID_AFTER = "7";
    row.ID_BEFOR = partner.empty() ? "0" : "10" + id;
    row.KIND = MatchKind::fromStored(kind);
    row.Match_ID = partner;
    return row;
}

// "kind:partner:state" of every entry, deleted ones included.
std::vector<std::string> states(const MatchHistoryEditor& editor) {
    std::vector<std::string> texts;
    for (const MatchRow& row : editor.entries())
        texts.push_back(row.KIND.storedText() + ":" + row.Match_ID + ":" +
                        std::to_string(row.editState));
    return texts;
}

std::vector<std::string> listed(const MatchHistoryEditor& editor,
                                const SortRules& sort = SortRules(SortRules::List::History)) {
    std::vector<std::string> texts;
    for (const HistoryListRow& row : historyListRows(editor, sort))
        texts.push_back(row.cells[1] + "|" + row.cells[2]);
    return texts;
}

using Texts = std::vector<std::string>;

TEST(MatchHistoryEditorTest, AnEmptyHistoryAndTheIdentifiedBoxAlone) {
    MatchHistoryEditor editor(PostMortem, "7", {});
    EXPECT_TRUE(listed(editor).empty());
    EXPECT_FALSE(editor.identified());

    // On adds a hidden kind "0" entry for this record; off marks it deleted.
    EXPECT_EQ(editor.toggleIdentified(true), HistoryMessage::None);
    EXPECT_TRUE(editor.identified());
    ASSERT_EQ(editor.entries().size(), 1u);
    const MatchRow& unnamed = editor.entries()[0];
    EXPECT_EQ(unnamed.ID, "");
    EXPECT_EQ(unnamed.ID_AFTER, "7");
    EXPECT_EQ(unnamed.ID_BEFOR, "0");
    EXPECT_EQ(unnamed.Match_ID, "");
    EXPECT_EQ(unnamed.editState, MatchRow::Added);
    EXPECT_TRUE(listed(editor).empty());
    EXPECT_EQ(editor.toggleIdentified(false), HistoryMessage::None);
    EXPECT_FALSE(editor.identified());
    EXPECT_EQ(states(editor), (Texts{"0::3"}));

    // An ante-mortem record's entries carry its number in ID_BEFOR.
    MatchHistoryEditor am(AnteMortem, "12", {});
    am.toggleIdentified(true);
    EXPECT_EQ(am.entries()[0].ID_AFTER, "0");
    EXPECT_EQ(am.entries()[0].ID_BEFOR, "12");
}

TEST(MatchHistoryEditorTest, RegisterChecksTheKindAndTheTargetFirst) {
    MatchHistoryEditor editor(PostMortem, "7", {});
    EXPECT_EQ(editor.registerTarget(Kind::Blank, Chart, "A", "00001").message,
              HistoryMessage::ChooseKind);
    EXPECT_EQ(editor.registerTarget(Kind::Blank, Chart, "", "").message,
              HistoryMessage::ChooseKind);
    EXPECT_EQ(editor.registerTarget(Kind::Imposter, Chart, "", "00001").message,
              HistoryMessage::ChooseTarget);
    EXPECT_EQ(editor.registerTarget(Kind::Imposter, Chart, "A", "").message,
              HistoryMessage::ChooseTarget);
    EXPECT_TRUE(editor.entries().empty());

    const auto added = editor.registerTarget(Kind::UnderInvestigation, Chart, "A", "00001");
    EXPECT_EQ(added.message, HistoryMessage::None);
    ASSERT_EQ(added.selected, std::optional<std::size_t>(0));
    const MatchRow& row = editor.entries()[0];
    EXPECT_EQ(row.KIND, MatchKind::UnderInvestigation);
    EXPECT_EQ(row.Match_ID, "A-00001");
    EXPECT_EQ(row.ID_AFTER, "7");
    EXPECT_EQ(row.ID_BEFOR, "0");
    EXPECT_EQ(row.I_MATCHID, "");
    EXPECT_EQ(row.editState, MatchRow::Added);
    EXPECT_FALSE(editor.identified());
}

TEST(MatchHistoryEditorTest, OnlyOneSamePersonEntry) {
    MatchHistoryEditor editor(PostMortem, "7", {stored("1", "1", "A-00001")});
    EXPECT_TRUE(editor.identified());

    // A second target as the same person is refused and nothing is added.
    const auto refused = editor.registerTarget(Kind::SamePerson, Other, "A", "00002");
    EXPECT_EQ(refused.message, HistoryMessage::OneSamePersonOnly);
    EXPECT_FALSE(refused.selected);
    EXPECT_EQ(editor.entries().size(), 1u);

    // The existing entry may change between the two same-person kinds.
    EXPECT_EQ(editor.registerTarget(Kind::SamePerson, Other, "A", "00001").message,
              HistoryMessage::None);
    EXPECT_EQ(states(editor), (Texts{"2:A-00001:2"}));

    // Turned into another person, the other target can become the same person.
    editor.registerTarget(Kind::Imposter, Chart, "A", "00001");
    EXPECT_EQ(editor.registerTarget(Kind::SamePerson, Chart, "A", "00002").message,
              HistoryMessage::None);
    EXPECT_EQ(states(editor), (Texts{"4:A-00001:2", "1:A-00002:1"}));
    EXPECT_TRUE(editor.identified());
}

TEST(MatchHistoryEditorTest, ADeletedSamePersonEntryStaysDeletedWhileAnotherIsPresent) {
    MatchHistoryEditor editor(PostMortem, "7",
                              {stored("1", "1", "A-00001"), stored("2", "3", "A-00002")});
    editor.deleteEntry(0);
    editor.registerTarget(Kind::SamePerson, Chart, "A", "00002");
    EXPECT_EQ(states(editor), (Texts{"1:A-00001:3", "1:A-00002:2"}));

    const auto refused = editor.registerTarget(Kind::SamePerson, Other, "A", "00001");
    EXPECT_EQ(refused.message, HistoryMessage::OneSamePersonOnly);
    EXPECT_EQ(states(editor), (Texts{"1:A-00001:3", "1:A-00002:2"}));
    // The list is refilled, but the refused entry is not in it.
    ASSERT_TRUE(refused.selected);
    EXPECT_EQ(historyRowOfEntry(historyListRows(editor, SortRules(SortRules::List::History)),
                                *refused.selected),
              -1);

    // As another kind it comes back.
    editor.registerTarget(Kind::Imposter, Chart, "A", "00001");
    EXPECT_EQ(states(editor), (Texts{"4:A-00001:2", "1:A-00002:2"}));
}

TEST(MatchHistoryEditorTest, RegisteringATargetAgainChangesItsEntry) {
    MatchHistoryEditor editor(AnteMortem, "3", {});
    editor.registerTarget(Kind::Imposter, Chart, "T01", "00005");
    const auto again = editor.registerTarget(Kind::UnderInvestigation, Chart, "T01", "00005");
    EXPECT_EQ(again.selected, std::optional<std::size_t>(0));
    EXPECT_EQ(states(editor), (Texts{"3:T01-00005:2"}));
}

TEST(MatchHistoryEditorTest, SamePersonReplacesTheUnnamedIdentifiedEntry) {
    MatchHistoryEditor editor(PostMortem, "7", {stored("1", "4", "A-00003")});
    editor.toggleIdentified(true);
    editor.registerTarget(Kind::UnderInvestigation, Chart, "A", "00004");
    EXPECT_EQ(states(editor), (Texts{"4:A-00003:0", "0::1", "3:A-00004:1"}));
    EXPECT_TRUE(editor.identified());

    editor.registerTarget(Kind::SamePerson, Other, "A", "00005");
    EXPECT_EQ(states(editor), (Texts{"4:A-00003:0", "0::3", "3:A-00004:1", "2:A-00005:1"}));
    EXPECT_TRUE(editor.identified());

    // The box cannot go off while the same-person entry is listed.
    EXPECT_EQ(editor.toggleIdentified(false), HistoryMessage::CannotClearIdentified);
    EXPECT_TRUE(editor.identified());
    // Nor does setting it on again add an unnamed entry beside the named one.
    EXPECT_EQ(editor.toggleIdentified(true), HistoryMessage::None);
    EXPECT_EQ(editor.entries().size(), 4u);
}

TEST(MatchHistoryEditorTest, TheIdentifiedBoxFollowsTheEntriesAfterRegister) {
    // The only identified entry turned into "under examination": nothing identified remains.
    MatchHistoryEditor editor(PostMortem, "7", {stored("1", "1", "A-00001")});
    editor.registerTarget(Kind::UnderInvestigation, Chart, "A", "00001");
    EXPECT_FALSE(editor.identified());
    EXPECT_FALSE(editor.hasIdentifiedEntry());

    // With an unnamed identified entry left, the box stays on.
    MatchHistoryEditor unnamed(PostMortem, "7", {stored("1", "0", ""), stored("2", "1", "A-2")});
    EXPECT_TRUE(unnamed.identified());
    unnamed.registerTarget(Kind::Imposter, Chart, "A", "2");
    EXPECT_TRUE(unnamed.identified());
}

TEST(MatchHistoryEditorTest, DeletingTheLastIdentifiedEntryClearsTheBox) {
    MatchHistoryEditor editor(PostMortem, "7",
                              {stored("1", "1", "A-00001"), stored("2", "4", "A-00002")});
    EXPECT_EQ(editor.findListed("A-00002"), std::optional<std::size_t>(1));
    EXPECT_FALSE(editor.findListed("A-00009"));
    editor.deleteEntry(*editor.findListed("A-00002"));
    EXPECT_TRUE(editor.identified());
    editor.deleteEntry(*editor.findListed("A-00001"));
    EXPECT_FALSE(editor.identified());
    EXPECT_TRUE(listed(editor).empty());
    EXPECT_EQ(states(editor), (Texts{"1:A-00001:3", "4:A-00002:3"}));
    EXPECT_FALSE(editor.findListed("A-00001")); // deleted entries are not listed
}

TEST(MatchHistoryEditorTest, DeletingARowWithoutPartnerDeletesThatRow) {
    // A stored row whose partner is gone lists with an empty partner ID, like the hidden
    // unnamed identified entry: the row chosen is the one deleted.
    MatchHistoryEditor editor(PostMortem, "7", {stored("1", "0", ""), stored("2", "3", "")});
    ASSERT_EQ(editor.listedEntries(), (std::vector<std::size_t>{1}));
    editor.deleteEntry(1);
    EXPECT_EQ(states(editor), (Texts{"0::0", "3::3"}));
    EXPECT_TRUE(editor.identified());
}

TEST(MatchHistoryEditorTest, TheSaveQuestionCountsSamePersonEntriesWithoutPartner) {
    MatchHistoryEditor editor(PostMortem, "7",
                              {stored("1", "2", ""), stored("2", "0", ""), stored("3", "3", "")});
    EXPECT_EQ(editor.unnamedSamePersonCount(), 1);
    editor.deleteEntry(0);
    EXPECT_EQ(editor.unnamedSamePersonCount(), 0);
}

TEST(MatchHistoryEditorTest, ListTextsOrderAndSorting) {
    MatchHistoryEditor editor(PostMortem, "7",
                              {stored("1", "0", ""), stored("2", "1", "A-00004"),
                               stored("3", "3", "A-00001"), stored("4", "3", "A-00003"),
                               stored("5", "4", "A-00002"), stored("6", "2", "B-1")});
    editor.deleteEntry(5);
    EXPECT_EQ(listed(editor), (Texts{"同一人物 (デンタルチャート)|A-00004", "鑑定中|A-00001",
                                     "鑑定中|A-00003", "他人|A-00002"}));
    const auto rows = historyListRows(editor, SortRules(SortRules::List::History));
    EXPECT_EQ(rows[1].cells[3], "3");
    EXPECT_EQ(rows[1].cells[4], "7");
    EXPECT_EQ(rows[1].cells[6], "3");

    SortRules sort(SortRules::List::History);
    sort.click(2);
    EXPECT_EQ(listed(editor, sort), (Texts{"鑑定中|A-00001", "他人|A-00002", "鑑定中|A-00003",
                                           "同一人物 (デンタルチャート)|A-00004"}));
    sort.click(1); // kind ascending, IDs ascending within a kind
    editor.registerTarget(Kind::UnderInvestigation, Chart, "A", "00000");
    EXPECT_EQ(listed(editor, sort), (Texts{"同一人物 (デンタルチャート)|A-00004", "鑑定中|A-00000",
                                           "鑑定中|A-00001", "鑑定中|A-00003", "他人|A-00002"}));
    sort.click(1); // descending, IDs descending within a kind
    EXPECT_EQ(listed(editor, sort).front(), "他人|A-00002");
    EXPECT_EQ(listed(editor, sort)[1], "鑑定中|A-00003");

    EXPECT_EQ(historyKindText(MatchKind::IdentifiedByOther), "同一人物 (他の情報)");
    EXPECT_EQ(historyKindText(MatchKind::UnderInvestigation), "鑑定中");
    EXPECT_EQ(historyKindText(MatchKind::Identified), "");
    EXPECT_EQ(historyKindText(MatchKind::fromStored("9")), "");
    EXPECT_EQ(historyHeaderText(2, PostMortem), "生前ID");
    EXPECT_EQ(historyHeaderText(2, AnteMortem), "死後ID");
    EXPECT_EQ(historySideLabel(AnteMortem), "生前ID：");
    EXPECT_EQ(kindControlsFor(MatchKind::IdentifiedByOther).basis,
              SamePersonBasis::OtherInformation);
    EXPECT_EQ(kindControlsFor(MatchKind::Imposter).choice, KindChoice::Imposter);
    EXPECT_EQ(kindControlsFor(MatchKind::Identified).choice, KindChoice::Blank);
}

TEST(MatchHistoryEditorTest, TheListingForTheTool) {
    MatchHistoryEditor editor(AnteMortem, "3", {stored("1", "4", "T-00002")});
    editor.registerTarget(Kind::SamePerson, Chart, "T", "00009");
    EXPECT_EQ(historyListing(editor),
              "他人\tT-00002\n同一人物 (デンタルチャート)\tT-00009\n判明済み\ton\n");
    EXPECT_EQ(historyListing(MatchHistoryEditor(PostMortem, "1", {})), "判明済み\toff\n");
}

} // namespace
} // namespace qdx
