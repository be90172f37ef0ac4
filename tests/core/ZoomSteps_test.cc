#include "core/ZoomSteps.h"

#include <gtest/gtest.h>

namespace tellaria {
namespace {

struct StepCase
{
    const char *name;
    int percent;
    int steps;
    int expected;
};

class ZoomStepTest : public testing::TestWithParam<StepCase>
{};

TEST_P(ZoomStepTest, GoesToTheBrowsersStep)
{
    const StepCase &c = GetParam();
    EXPECT_EQ(ZoomStep(c.percent, c.steps), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps,
    ZoomStepTest,
    testing::Values(StepCase{"ActualSizeUp", 100, 1, 110},
                    StepCase{"ThreeUpFromActualSize", 100, 3, 150},
                    StepCase{"ActualSizeDown", 100, -1, 90},
                    StepCase{"TwoDownFromActualSize", 100, -2, 80},
                    StepCase{"HeldAtTheLargest", 500, 1, 500},
                    StepCase{"HeldAtTheSmallest", 25, -1, 25},
                    StepCase{"ManyStepsStopAtTheEnd", 100, 40, 500},
                    StepCase{"BetweenStepsUpGoesToTheNextAbove", 112, 1, 125},
                    StepCase{"BetweenStepsDownGoesToTheNextBelow", 112, -1, 110},
                    StepCase{"BeyondTheLargestComesDown", 900, -1, 500},
                    StepCase{"NoStepsGivesTheNearest", 104, 0, 100},
                    StepCase{"NoStepsOnAStepKeepsIt", 175, 0, 175}),
    [](const testing::TestParamInfo<StepCase> &row) { return row.param.name; });

} // namespace
} // namespace tellaria
