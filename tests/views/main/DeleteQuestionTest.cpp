#include "views/main/DeleteQuestion.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

constexpr auto Examined = MatchKind::UnderInvestigation;
constexpr auto Other = MatchKind::Imposter;

TEST(DeleteQuestion, NamesTheExaminedAndOtherPersonRows) {
    using Kinds = std::vector<MatchKind>;
    EXPECT_EQ(deleteQuestionPrefix(Kinds{Examined, Other}), "鑑定中データ、他人データがあります。");
    EXPECT_EQ(deleteQuestionPrefix(Kinds{Other, Other}), "他人データがあります。");
    EXPECT_EQ(deleteQuestionPrefix(Kinds{Examined}), "鑑定中データがあります。");
    EXPECT_EQ(deleteQuestionPrefix({}), "");
    EXPECT_EQ(deleteQuestionPrefix(Kinds{MatchKind::Identified, MatchKind::IdentifiedByChart}), "");
    EXPECT_EQ(deleteQuestionPrefix(Kinds{MatchKind::fromStored("33")}), "");
}

} // namespace
} // namespace qdx
