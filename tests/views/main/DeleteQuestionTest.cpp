#include "views/main/DeleteQuestion.h"

#include <gtest/gtest.h>

namespace qdx {
namespace {

TEST(DeleteQuestion, NamesTheExaminedAndOtherPersonRows) {
    EXPECT_EQ(deleteQuestionPrefix({"3", "4"}), "鑑定中データ、他人データがあります。");
    EXPECT_EQ(deleteQuestionPrefix({"4", "4"}), "他人データがあります。");
    EXPECT_EQ(deleteQuestionPrefix({"3"}), "鑑定中データがあります。");
    EXPECT_EQ(deleteQuestionPrefix({}), "");
    EXPECT_EQ(deleteQuestionPrefix({"0", "1"}), "");
}

} // namespace
} // namespace qdx
