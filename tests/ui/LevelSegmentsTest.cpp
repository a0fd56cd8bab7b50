#include "ui/LevelSegments.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelSegments, EightLevelsOnAHundredFiftyPixelRow)
{
    const auto segments = DivideIntoSegments(0, 0, 150, 20, 8);
    ASSERT_EQ(segments.size(), 8u);
    EXPECT_EQ(segments.front(), (SegmentRect{0, 0, 18, 20}));
    EXPECT_EQ(segments.back(), (SegmentRect{126, 0, 144, 20}));
}

struct Hit {
    int32_t x;
    int32_t y;
    int32_t level;
};

class LevelAtPointTest : public ::testing::TestWithParam<Hit> {};

TEST_P(LevelAtPointTest, FindsTheSegmentUnderThePoint)
{
    const auto segments = DivideIntoSegments(0, 0, 150, 20, 8);
    EXPECT_EQ(LevelAtPoint(segments, GetParam().x, GetParam().y), GetParam().level);
}

INSTANTIATE_TEST_SUITE_P(Row150, LevelAtPointTest,
                         ::testing::Values(Hit{0, 0, 1}, Hit{17, 19, 1}, Hit{18, 0, 2}, Hit{143, 10, 8},
                                           // the six pixels after 8 x 18 belong to no level
                                           Hit{144, 10, 0}, Hit{149, 10, 0},
                                           // outside the row
                                           Hit{-1, 10, 0}, Hit{10, 20, 0}, Hit{10, -1, 0}, Hit{150, 0, 0}));

TEST(LevelSegments, RowNarrowerThanTheLevelsHasNoClickArea)
{
    const auto segments = DivideIntoSegments(0, 0, 7, 20, 8);
    ASSERT_EQ(segments.size(), 8u);
    for (int32_t x = 0; x < 7; ++x) EXPECT_EQ(LevelAtPoint(segments, x, 5), 0);
}

TEST(LevelSegments, NoLevelPicturesNoSegments)
{
    EXPECT_TRUE(DivideIntoSegments(0, 0, 150, 20, 0).empty());
    EXPECT_EQ(LevelAtPoint({}, 5, 5), 0);
}

TEST(LevelSegments, ShownLevelIsZeroUnlessItHasAPicture)
{
    EXPECT_EQ(ShownLevel(0, 8), 0);
    EXPECT_EQ(ShownLevel(1, 8), 1);
    EXPECT_EQ(ShownLevel(8, 8), 8);
    EXPECT_EQ(ShownLevel(9, 8), 0);
    EXPECT_EQ(ShownLevel(-1, 8), 0);
    EXPECT_EQ(ShownLevel(1, 0), 0);
}

}  // namespace
