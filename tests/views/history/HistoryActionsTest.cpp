#include "views/history/HistoryActions.h"
#include "views/history/MatchHistoryList.h"
#include "views/history/PairComparison.h"

#include "store/StoreTestSupport.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

using Texts = std::vector<std::string>;

// Two post-mortem and three ante-mortem records, saved; P-00001 is edited.
class HistoryActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::openIn(model, dir, "h");
        test::storeNew(model, PostMortem, "P", "00001");
        test::storeNew(model, PostMortem, "P", "00002");
        for (const char* lower : {"00001", "00002", "00003"})
            test::storeNew(model, AnteMortem, "A", lower);
        model.save();
    }

    std::string key(int side, const std::string& id) const {
        return std::to_string(test::keyOf(model, side, id));
    }
    void addRow(const std::string& after, const std::string& before, const std::string& kind) {
        test::exec(test::connectionOf(model),
                   "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) VALUES (" + after +
                       ", " + before + ", '" + kind + "', '')");
    }
    Texts tableRows() const {
        return test::rowsOf(test::connectionOf(model),
                            "SELECT ID_AFTER, ID_BEFOR, KIND FROM TB_MATCH ORDER BY ID");
    }
    HistoryMessage run(MatchHistoryEditor& editor, HistoryAction action) {
        return applyHistoryAction(editor, model, action);
    }
    static HistoryAction registering(KindChoice choice, const std::string& partner,
                                     SamePersonBasis basis = SamePersonBasis::DentalChart) {
        HistoryAction action;
        action.choice = choice;
        action.basis = basis;
        action.partner = partner;
        return action;
    }
    static HistoryAction deleting(const std::string& partner) {
        HistoryAction action;
        action.type = HistoryAction::Type::Delete;
        action.partner = partner;
        return action;
    }
    static HistoryAction identified(bool on) {
        HistoryAction action;
        action.type = HistoryAction::Type::Identified;
        action.on = on;
        return action;
    }

    test::TempDir dir;
    ProjectModel model;
};

TEST_F(HistoryActionsTest, TargetsMustBeRecordsOfTheOtherSide) {
    EXPECT_TRUE(isOfferedTarget(model, AnteMortem, "A-00002"));
    for (const char* text : {"A-00009", "P-00001", "A00001", "-00001", "A-", "", "A-00001-"})
        EXPECT_FALSE(isOfferedTarget(model, AnteMortem, text)) << text;

    const long long pm1 = test::keyOf(model, PostMortem, "P-00001");
    MatchHistoryEditor editor = loadMatchHistory(model, PostMortem, pm1);
    EXPECT_EQ(editor.recordNumber(), std::to_string(pm1));
    EXPECT_EQ(run(editor, registering(KindChoice::Imposter, "P-00002")),
              HistoryMessage::ChooseTarget);
    EXPECT_EQ(run(editor, registering(KindChoice::Blank, "A-00001")), HistoryMessage::ChooseKind);
    EXPECT_EQ(run(editor, deleting("A-00001")), HistoryMessage::NoDeleteTarget);
    EXPECT_EQ(run(editor, deleting("nonsense")), HistoryMessage::ChooseTarget);
    EXPECT_TRUE(editor.entries().empty());

    // The box is brought to a state; nothing happens when it is already there.
    EXPECT_EQ(run(editor, identified(false)), HistoryMessage::None);
    EXPECT_TRUE(editor.entries().empty());
    EXPECT_EQ(run(editor, identified(true)), HistoryMessage::None);
    EXPECT_EQ(run(editor, identified(true)), HistoryMessage::None);
    EXPECT_EQ(editor.entries().size(), 1u);
}

TEST_F(HistoryActionsTest, SavedRowsTakeThePartnerKeysAndTheOneSamePersonRule) {
    const std::string p1 = key(PostMortem, "P-00001"), p2 = key(PostMortem, "P-00002");
    const std::string a1 = key(AnteMortem, "A-00001"), a2 = key(AnteMortem, "A-00002"),
                      a3 = key(AnteMortem, "A-00003");
    // A-00002 was the same person as P-00002 and is under examination with P-00002 as well.
    addRow(p2, a2, "2");
    addRow(p2, a3, "3");
    addRow(p1, a1, "4");

    MatchHistoryEditor editor = loadMatchHistory(model, PostMortem, std::stoll(p1));
    EXPECT_EQ(run(editor, registering(KindChoice::SamePerson, "A-00002")), HistoryMessage::None);
    EXPECT_EQ(run(editor, registering(KindChoice::UnderInvestigation, "A-00003")),
              HistoryMessage::None);
    EXPECT_EQ(run(editor, deleting("A-00001")), HistoryMessage::None);
    EXPECT_EQ(historyListing(editor), "同一人物 (デンタルチャート)\tA-00002\n鑑定中\tA-00003\n"
                                      "判明済み\ton\n");
    model.save();
    model.replaceMatchHistory(PostMortem, editor.entries());
    EXPECT_TRUE(model.settingsOrMatchesChanged());
    // P-00002 lost its same-person row with A-00002, but keeps its other row.
    EXPECT_EQ(tableRows(),
              (Texts{p2 + "|" + a3 + "|3", p1 + "|" + a2 + "|1", p1 + "|" + a3 + "|3"}));
    EXPECT_EQ(historyListing(loadMatchHistory(model, AnteMortem, std::stoll(a2))),
              "同一人物 (デンタルチャート)\tP-00001\n判明済み\ton\n");

    // The hidden unnamed entry is stored with partner 0 and marks the record identified.
    MatchHistoryEditor second = loadMatchHistory(model, PostMortem, std::stoll(p2));
    EXPECT_EQ(run(second, identified(true)), HistoryMessage::None);
    model.replaceMatchHistory(PostMortem, second.entries());
    EXPECT_EQ(tableRows().back(), p2 + "|0|0");
    EXPECT_EQ(model.loadRecordList(PostMortem)[1].MATCH_KIND, MatchKind::Identified);
    EXPECT_TRUE(loadMatchHistory(model, PostMortem, std::stoll(p2)).identified());

    // A refused action changes nothing that is stored: the tool saves only when all passed.
    MatchHistoryEditor third = loadMatchHistory(model, PostMortem, std::stoll(p1));
    EXPECT_EQ(run(third, identified(false)), HistoryMessage::CannotClearIdentified);
    EXPECT_EQ(run(third, registering(KindChoice::SamePerson, "A-00001",
                                     SamePersonBasis::OtherInformation)),
              HistoryMessage::OneSamePersonOnly);
}

TEST_F(HistoryActionsTest, AskingBeforeTakingASamePersonFromAnotherRecord) {
    const std::string p1 = key(PostMortem, "P-00001"), p2 = key(PostMortem, "P-00002");
    const std::string a1 = key(AnteMortem, "A-00001"), a2 = key(AnteMortem, "A-00002");
    addRow(p2, a2, "2"); // A-00002 is P-00002's same person
    addRow(p2, a1, "3");
    addRow(p1, a1, "1"); // and A-00001 is P-00001's
    addRow(p1, "0", "0");
    const auto question = [&](const MatchHistoryEditor& editor, KindChoice choice,
                              const std::string& lower) {
        return registerQuestion(editor, model, choice, SamePersonBasis::OtherInformation, "A",
                                lower)
            .value_or("-");
    };

    MatchHistoryEditor second = loadMatchHistory(model, PostMortem, std::stoll(p2));
    // While P-00002 has a same person, 登録 refuses with 166 before any question.
    EXPECT_EQ(question(second, KindChoice::SamePerson, "00001"), "-");
    EXPECT_EQ(run(second, registering(KindChoice::Imposter, "A-00002")), HistoryMessage::None);
    EXPECT_EQ(question(second, KindChoice::SamePerson, "00001"),
              "A-00001 は P-00001 と同一人物として登録されています。登録を変更しますか？");
    // Other kinds take nothing away; A-00002's same person is P-00002 itself; a target that is
    // no record asks nothing.
    EXPECT_EQ(question(second, KindChoice::UnderInvestigation, "00001"), "-");
    EXPECT_EQ(question(second, KindChoice::SamePerson, "00002"), "-");
    EXPECT_EQ(question(second, KindChoice::SamePerson, "00009"), "-");
    EXPECT_EQ(question(second, KindChoice::SamePerson, ""), "-");

    // A same-person row whose partner record is missing names nobody to ask about.
    test::exec(test::connectionOf(model), "DELETE FROM TB_AFTER WHERE Dental_ID=" + p1);
    MatchHistoryEditor third = loadMatchHistory(model, PostMortem, std::stoll(p2));
    EXPECT_EQ(run(third, registering(KindChoice::Imposter, "A-00002")), HistoryMessage::None);
    EXPECT_EQ(question(third, KindChoice::SamePerson, "00001"), "-");
}

TEST_F(HistoryActionsTest, ComparisonRowsPostMortemFirstFromEitherSide) {
    const std::string p1 = key(PostMortem, "P-00001");
    const std::string a3 = key(AnteMortem, "A-00003");
    test::exec(test::connectionOf(model),
               "UPDATE TB_AFTER SET sex='1', agegroup='3', dru6='2100000000', dlu1='5000010000' "
               "WHERE Dental_ID=" +
                   p1);
    addRow(p1, a3, "1");
    addRow(p1, key(AnteMortem, "A-00001"), "4");

    for (int side : {PostMortem, AnteMortem}) {
        const auto rows = pairComparisonRows(model, side, std::stoll(side == 0 ? p1 : a3));
        ASSERT_EQ(rows.size(), 2u) << side;
        EXPECT_EQ(rows[0].side, PostMortem);
        EXPECT_EQ(rows[0].cells[1], "P-00001");
        EXPECT_EQ(rows[1].cells[1], "A-00003");
    }
    const auto rows = pairComparisonRows(model, PostMortem, std::stoll(p1));
    ASSERT_EQ(rows[0].cells.size(), static_cast<std::size_t>(kComparisonColumns));
    EXPECT_EQ(rows[0].cells[2], "男性");
    EXPECT_EQ(rows[0].cells[4 + 2], "2b"); // upper right 6 with a bridge
    EXPECT_EQ(rows[0].cells[4 + 8], "5 "); // tooth present, no information: the digit only
    EXPECT_EQ(rows[1].cells[4], "5 ");

    // Without a match row, or identified without a named partner: one row.
    EXPECT_EQ(pairComparisonRows(model, PostMortem, std::stoll(key(PostMortem, "P-00002"))).size(),
              1u);
    addRow(key(PostMortem, "P-00002"), "0", "0");
    EXPECT_EQ(pairComparisonRows(model, PostMortem, std::stoll(key(PostMortem, "P-00002"))).size(),
              1u);
    EXPECT_TRUE(pairComparisonRows(model, PostMortem, 999).empty());

    EXPECT_EQ(comparisonHeaderText(3), "年令");
    EXPECT_EQ(comparisonHeaderText(4), "右上8");
    EXPECT_EQ(comparisonHeaderText(4 + 8), "左上1");
    EXPECT_EQ(comparisonHeaderText(4 + 31), "右下8");
    EXPECT_EQ(comparisonInitialWidth(1), 100);
    EXPECT_EQ(comparisonInitialWidth(20), 50);
}

} // namespace
} // namespace qdx
