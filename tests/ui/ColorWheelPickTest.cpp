#include "ui/ColorWheelPick.h"
#include "ui/WheelPickCases.h"

#include <gtest/gtest.h>

namespace {

class WheelPicks : public ::testing::TestWithParam<WheelPickCase> {};

TEST_P(WheelPicks, GivesTheColourUnderThePoint)
{
    const WheelPickCase& c = GetParam();
    const auto picked = PickWheelColor(WheelGeometry{}, c.x, c.y, c.level);
    ASSERT_EQ(picked.has_value(), c.inside);
    if (c.inside) {
        EXPECT_EQ(*picked, c.color);
    }
}

INSTANTIATE_TEST_SUITE_P(Points, WheelPicks, ::testing::ValuesIn(kWheelPickCases));

}  // namespace
