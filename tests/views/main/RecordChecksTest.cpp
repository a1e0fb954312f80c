#include "views/main/RecordChecks.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

// Each command names itself when no row is selected; delete refuses identified rows ("*", also
// a mark that only starts with it) and the comparison wants exactly an identified one.
TEST(RecordChecks, RefuseWithoutARowAndOnTheWrongMark) {
    const RowMark none;
    EXPECT_EQ(modifyRefusal(none),
              "修正対象が選択されていません。\n再度、行を選択し修正ボタンを押下してください。");
    EXPECT_EQ(deleteRefusal(none),
              "削除対象が選択されていません。\n再度、行を選択し削除ボタンを押下してください。");
    EXPECT_EQ(historyRefusal(none), "照合履歴設定対象が選択されていません。再度、行を選択し照合履"
                                    "歴ボタンを押下してください。");
    EXPECT_EQ(compareRefusal(none), "判明データ比較表示対象が選択されていません。再度、行を選択し"
                                    "比較表示ボタンを押下してください。");

    for (const char* mark : {"", "u"}) {
        EXPECT_FALSE(modifyRefusal(RowMark(mark)));
        EXPECT_FALSE(deleteRefusal(RowMark(mark))) << mark;
        EXPECT_FALSE(historyRefusal(RowMark(mark)));
        EXPECT_EQ(compareRefusal(RowMark(mark)), "判明済みデータを選択してください。") << mark;
    }
    for (const char* mark : {"*", "*u"}) {
        EXPECT_EQ(deleteRefusal(RowMark(mark)), "判明済みのデータは削除できません。") << mark;
        EXPECT_FALSE(modifyRefusal(RowMark(mark)));
    }
    EXPECT_FALSE(compareRefusal(RowMark("*")));
    EXPECT_EQ(compareRefusal(RowMark("*u")), "判明済みデータを選択してください。");
}

TEST(RecordChecks, TheDeleteQuestionNamesTheRowsThatGoWithTheRecord) {
    EXPECT_EQ(deleteQuestion({MatchKind::Imposter, MatchKind::UnderInvestigation}),
              "鑑定中データ、他人データがあります。本当に削除しますがよろしいですか？");
    EXPECT_EQ(deleteQuestion({}), "本当に削除しますがよろしいですか？");
}

} // namespace
} // namespace qdx
