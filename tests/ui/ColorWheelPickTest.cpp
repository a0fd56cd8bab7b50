#include "ui/ColorWheelPick.h"

#include <gtest/gtest.h>

namespace {

struct PickCase {
    int x;
    int y;
    double level;
    bool inside;
    ChannelBytes color;
};

class WheelPicks : public ::testing::TestWithParam<PickCase> {};

TEST_P(WheelPicks, GivesTheColourUnderThePoint)
{
    const PickCase& c = GetParam();
    const auto picked = PickWheelColor(WheelGeometry{}, c.x, c.y, c.level);
    ASSERT_EQ(picked.has_value(), c.inside);
    if (c.inside) {
        EXPECT_EQ(*picked, c.color);
    }
}

INSTANTIATE_TEST_SUITE_P(Points, WheelPicks,
                         ::testing::Values(PickCase{400, 250, 0.5, true, {127, 127, 127}},
                                           PickCase{550, 250, 0.5, true, {127, 0, 0}},
                                           PickCase{551, 250, 0.5, false, {}},
                                           PickCase{400, 100, 0.5, true, {63, 127, 0}},
                                           PickCase{250, 250, 0.5, true, {0, 127, 127}},
                                           PickCase{400, 400, 0.5, true, {63, 0, 127}},
                                           PickCase{475, 250, 0.5, true, {127, 63, 63}},
                                           PickCase{550, 250, 1.0, true, {255, 0, 0}},
                                           PickCase{550, 250, 31.0 / 255.0, true, {31, 0, 0}}));

}  // namespace
