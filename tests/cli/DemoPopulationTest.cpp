#include "cli/DemoPopulation.h"

#include <gtest/gtest.h>

namespace qdx::cli {
namespace {

TEST(DemoPopulation, SameSeedSamePopulation) {
    const DemoPopulation a({50, 80, 7});
    const DemoPopulation b({50, 80, 7});
    const auto pmA = a.records(PostMortem);
    const auto pmB = b.records(PostMortem);
    ASSERT_EQ(pmA.size(), 50u);
    for (std::size_t i = 0; i < pmA.size(); ++i)
        EXPECT_EQ(pmA[i].classChart, pmB[i].classChart);
}

} // namespace
} // namespace qdx::cli
