#include "monitor/GraphHistory.h"

#include <gtest/gtest.h>

namespace {

GraphHistory FanGraph(int32_t scale)
{
    GraphHistory history(scale);
    history.lowerBound = 500;
    history.upperBound = 2600;
    history.unitsPerPixel = 2100.0f / (60.0f * static_cast<float>(scale));
    return history;
}

GraphHistory TemperatureGraph(int32_t scale)
{
    GraphHistory history(scale);
    history.lowerBound = 0;
    history.upperBound = 100;
    history.unitsPerPixel = 100.0f / (60.0f * static_cast<float>(scale));
    return history;
}

TEST(GraphScale, DoublesFromA4kScreenOn)
{
    EXPECT_EQ(GraphScaleForScreen(3840, 2160), 2);
    EXPECT_EQ(GraphScaleForScreen(3839, 2160), 1);
    EXPECT_EQ(GraphScaleForScreen(3840, 2159), 1);
    EXPECT_EQ(GraphScaleForScreen(1920, 1080), 1);
}

TEST(GraphHistory, StartsEmptyWithOnePointPerPixel)
{
    for (int32_t scale : {1, 2}) {
        const GraphHistory history(scale);
        ASSERT_EQ(history.Points().size(), static_cast<size_t>(225 * scale));
        EXPECT_EQ(history.Count(), 0);
        EXPECT_FLOAT_EQ(history.Points()[0].x, 4.0f * scale);
        EXPECT_FLOAT_EQ(history.Points()[10].x, 10.0f + 4.0f * scale);
        EXPECT_FLOAT_EQ(history.Points()[10].y, 16.0f * scale);
        EXPECT_TRUE(history.Curve().empty());
        EXPECT_TRUE(history.Area(scale).empty());
        EXPECT_EQ(history.MinimumText(), L"");
    }
}

TEST(GraphHistory, FirstGpuReading)
{
    GraphHistory history = TemperatureGraph(1);
    history.Add(45, 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_EQ(history.Minimum(), 45);
    EXPECT_EQ(history.Maximum(), 45);
    EXPECT_EQ(history.ValueText(), L"45");
    EXPECT_EQ(history.MinimumText(), L"45");
    EXPECT_EQ(history.MaximumText(), L"45");
    EXPECT_NEAR(history.Points()[0].y, 49.0f, 0.01f);  // 76 - 45 / (100 / 60)
}

struct Clamp {
    int32_t reading;
    int32_t recorded;
};

class GraphClampTest : public ::testing::TestWithParam<Clamp> {};

TEST_P(GraphClampTest, ReadingsOutsideTheBoundsAreRecordedAtTheBound)
{
    GraphHistory history = FanGraph(1);
    history.Add(GetParam().reading, 1);
    EXPECT_EQ(history.ValueText(), std::to_wstring(GetParam().recorded));
    EXPECT_EQ(history.Maximum(), GetParam().recorded);
    const float expectedY = 76.0f - static_cast<float>(GetParam().recorded - 500) / (2100.0f / 60.0f);
    EXPECT_FLOAT_EQ(history.Points()[0].y, expectedY);
}

INSTANTIATE_TEST_SUITE_P(FanSpeed, GraphClampTest,
                         ::testing::Values(Clamp{3000, 2600}, Clamp{2600, 2600}, Clamp{100, 500}, Clamp{-7, 500},
                                           Clamp{1550, 1550}));

TEST(GraphHistory, BoundsFillTheSixtyPixelsOfThePlot)
{
    for (int32_t scale : {1, 2}) {
        GraphHistory history = FanGraph(scale);
        history.Add(2600, scale);
        EXPECT_NEAR(history.Points()[0].y, 16.0f * scale, 0.001f);
        history.Add(500, scale);
        EXPECT_NEAR(history.Points()[0].y, 76.0f * scale, 0.001f);
    }
}

TEST(GraphHistory, ZeroMinimumMeansNoMinimumYet)
{
    GraphHistory history = TemperatureGraph(1);
    history.Add(0, 1);
    EXPECT_EQ(history.Minimum(), 0);
    history.Add(70, 1);
    EXPECT_EQ(history.Minimum(), 70);  // the next reading becomes the minimum whatever its value
    history.Add(80, 1);
    EXPECT_EQ(history.Minimum(), 70);
    EXPECT_EQ(history.Maximum(), 80);
    history.Add(60, 1);
    EXPECT_EQ(history.MinimumText(), L"60");
    EXPECT_EQ(history.MaximumText(), L"80");
}

TEST(GraphHistory, NewestAtTheLeftOldestDroppedWhenFull)
{
    for (int32_t scale : {1, 2}) {
        GraphHistory history = TemperatureGraph(scale);
        const int32_t capacity = 225 * scale;
        for (int32_t i = 0; i < capacity + 5; ++i) history.Add(i % 100, scale);
        EXPECT_EQ(history.Count(), capacity);
        const float unit = 100.0f / (60.0f * static_cast<float>(scale));
        const auto yOf = [&](int32_t reading) { return 76.0f * scale - static_cast<float>(reading) / unit; };
        const int32_t newest = (capacity + 4) % 100;
        EXPECT_FLOAT_EQ(history.Points()[0].y, yOf(newest));
        EXPECT_FLOAT_EQ(history.Points()[1].y, yOf((capacity + 3) % 100));
        // The last point holds the oldest reading still shown: reading 5.
        EXPECT_FLOAT_EQ(history.Points()[static_cast<size_t>(capacity - 1)].y, yOf(5));
        // x never moves.
        EXPECT_FLOAT_EQ(history.Points()[7].x, 7.0f + 4.0f * scale);
    }
}

TEST(GraphHistory, ResetEmptiesTheCurveButKeepsTheExtremes)
{
    GraphHistory history = TemperatureGraph(1);
    history.Add(30, 1);
    history.Add(60, 1);
    history.Reset(1);
    EXPECT_EQ(history.Count(), 0);
    EXPECT_TRUE(history.Curve().empty());
    EXPECT_FLOAT_EQ(history.Points()[0].y, 16.0f);
    EXPECT_EQ(history.Minimum(), 30);
    EXPECT_EQ(history.Maximum(), 60);
    EXPECT_EQ(history.ValueText(), L"60");
}

TEST(GraphHistory, ScaleGrownWithoutResetStaysInsideTheHistory)
{
    GraphHistory history = TemperatureGraph(1);
    for (int32_t i = 0; i < 600; ++i) history.Add(50, 2);
    EXPECT_EQ(history.Count(), 225);
    EXPECT_EQ(history.Points().size(), 225u);
}

TEST(GraphHistory, AreaClosesAlongTheBaseLine)
{
    GraphHistory history = TemperatureGraph(1);
    history.Add(30, 1);
    history.Add(60, 1);
    history.Add(90, 1);
    const auto area = history.Area(1);
    ASSERT_EQ(area.size(), 6u);
    EXPECT_FLOAT_EQ(area[3].x, history.Points()[2].x);
    EXPECT_FLOAT_EQ(area[3].y, 76.0f);
    EXPECT_FLOAT_EQ(area[4].x, 4.0f);
    EXPECT_FLOAT_EQ(area[4].y, 76.0f);
    EXPECT_FLOAT_EQ(area[5].x, area[0].x);
    EXPECT_FLOAT_EQ(area[5].y, area[0].y);
    EXPECT_EQ(history.Curve().size(), 3u);
}

}  // namespace
