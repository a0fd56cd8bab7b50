#include "ui/ColorPlateLogic.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A point at a distance and angle from the centre, angles as the plate counts them
// (0 = left of the centre, 90 = up).
void PointAt(const PlateGeometry& g, double distance, double degrees, float& x, float& y)
{
    const double rad = degrees * 3.141592653589793 / 180.0;
    x = static_cast<float>(g.centreX - distance * std::cos(rad));
    y = static_cast<float>(g.centreY - distance * std::sin(rad));
}

struct HitCase {
    bool fourK;
    double distance;  // in normal-size pixels; doubled for 4K
    double degrees;
    int expected;
};

class PlateHitCases : public ::testing::TestWithParam<HitCase> {};

TEST_P(PlateHitCases, FindsTheSectorUnderThePoint)
{
    const HitCase& c = GetParam();
    const PlateGeometry g = PlateGeometryFor(c.fourK);
    float x, y;
    PointAt(g, c.distance * (c.fourK ? 2 : 1), c.degrees, x, y);
    EXPECT_EQ(PlateHitTest(g, x, y), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Points, PlateHitCases,
    ::testing::Values(HitCase{false, 0, 0, 9}, HitCase{false, 48.5, 0, 9}, HitCase{false, 60, 0, -1},
                      HitCase{false, 100, 0, 8}, HitCase{false, 100, 22.6, 1}, HitCase{false, 100, 45, 1},
                      HitCase{false, 100, 90, 2}, HitCase{false, 100, 135, 3}, HitCase{false, 100, 180, 4},
                      HitCase{false, 100, 225, 5}, HitCase{false, 100, 270, 6}, HitCase{false, 100, 315, 7},
                      HitCase{false, 100, 350, 8}, HitCase{false, 78, 90, 2}, HitCase{false, 125, 90, 2},
                      HitCase{false, 126, 90, -1}, HitCase{false, 77, 90, -1},
                      HitCase{true, 0, 0, 9}, HitCase{true, 48.5, 0, 9}, HitCase{true, 60, 0, -1},
                      HitCase{true, 100, 45, 1}, HitCase{true, 100, 180, 4}, HitCase{true, 126, 90, -1}));

TEST(PlateHitTest, ExactSectorBoundariesHitNothing)
{
    for (int k = 0; k < 8; ++k) EXPECT_EQ(PlateSectorForAngle(22.5f + 45.0f * k), -1) << k;
    EXPECT_EQ(PlateSectorForAngle(0.0f), 8);
    EXPECT_EQ(PlateSectorForAngle(22.6f), 1);
    EXPECT_EQ(PlateSectorForAngle(359.9f), 8);
}

TEST(PlateHitTest, TheMainWindowsCentreIsAtItsPictureCentre)
{
    EXPECT_EQ(PlateHitTest(PlateGeometryFor(false), 138.5f, 138.5f), 9);
    EXPECT_EQ(PlateHitTest(PlateGeometryFor(true), 277.0f, 277.0f), 9);
}

class PlateClicks : public ::testing::Test {
protected:
    ColorPlateState plate;
};

TEST_F(PlateClicks, SectorClickWhileOffOrWithoutColourChangesNothing)
{
    plate.on = false;
    plate.shownPicture = 9;
    EXPECT_FALSE(plate.Release(3));
    EXPECT_EQ(plate.clickKind, ColorPlateState::kClickNothing);
    EXPECT_EQ(plate.shownPicture, 9);

    plate.on = true;
    plate.colorApplicable = false;
    plate.shownPicture = 0;
    EXPECT_FALSE(plate.Release(3));
    EXPECT_EQ(plate.clickKind, ColorPlateState::kClickNothing);
    EXPECT_EQ(plate.clickedIndex, -1);
    EXPECT_EQ(plate.shownPicture, 0);
}

TEST_F(PlateClicks, SectorClickPicksThePreset)
{
    plate.on = true;
    EXPECT_FALSE(plate.Release(5));
    EXPECT_EQ(plate.clickKind, ColorPlateState::kClickPreset);
    EXPECT_EQ(plate.clickedIndex, 5);
    EXPECT_EQ(plate.shownPicture, 5);
    EXPECT_TRUE(plate.clickOnState);
}

TEST_F(PlateClicks, LockedCentreNeverSwitchesAndOpensTheDialogOnlyWhenOnWithColour)
{
    plate.centreLocked = true;
    plate.dialogEnabled = true;
    const struct {
        bool on;
        bool applicable;
        bool opens;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const auto& c : cases) {
        plate.on = c.on;
        plate.colorApplicable = c.applicable;
        EXPECT_EQ(plate.Release(kPlateCentre), c.opens);
        EXPECT_EQ(plate.on, c.on);
        EXPECT_EQ(plate.clickKind, ColorPlateState::kClickNothing);
    }
}

TEST_F(PlateClicks, UnlockedCentreSwitchesTheLight)
{
    plate.on = true;
    plate.shownPicture = 4;
    plate.PictureDrawn();
    EXPECT_FALSE(plate.Release(kPlateCentre));
    EXPECT_FALSE(plate.on);
    EXPECT_EQ(plate.clickKind, ColorPlateState::kClickSwitched);
    EXPECT_EQ(plate.clickedIndex, 0);
    EXPECT_EQ(plate.shownPicture, 9);

    plate.Release(kPlateCentre);  // on again: back to the last preset
    EXPECT_TRUE(plate.on);
    EXPECT_EQ(plate.shownPicture, 4);
    EXPECT_EQ(plate.clickedIndex, 4);

    plate.on = false;
    plate.colorApplicable = false;
    plate.Release(kPlateCentre);
    EXPECT_EQ(plate.shownPicture, 0);
    EXPECT_EQ(plate.clickedIndex, 0);
}

TEST_F(PlateClicks, SwitchingOnWithNoPresetEverShownShowsNothing)
{
    plate.Release(kPlateCentre);
    EXPECT_TRUE(plate.on);
    EXPECT_EQ(plate.shownPicture, -1);
    EXPECT_EQ(plate.clickedIndex, -1);
}

TEST_F(PlateClicks, InitialPictureSettlesOnAndColourApplicable)
{
    plate.on = true;
    plate.ShowInitialPicture(0);
    EXPECT_FALSE(plate.colorApplicable);
    EXPECT_TRUE(plate.on);

    plate.ShowInitialPicture(9);
    EXPECT_FALSE(plate.on);

    plate.colorApplicable = false;
    plate.ShowInitialPicture(3);
    EXPECT_TRUE(plate.on);
    EXPECT_TRUE(plate.colorApplicable);
    EXPECT_EQ(plate.shownPicture, 3);
}

TEST_F(PlateClicks, ColourApplicableShowsTheLastPresetOrThePlainPicture)
{
    plate.on = true;
    plate.shownPicture = 6;
    plate.PictureDrawn();
    plate.SetColorApplicable(false);
    EXPECT_EQ(plate.shownPicture, 0);
    plate.SetColorApplicable(true);
    EXPECT_EQ(plate.shownPicture, 6);

    plate.on = false;
    plate.shownPicture = 9;
    plate.SetColorApplicable(false);
    EXPECT_EQ(plate.shownPicture, 9);  // nothing changes while off
    EXPECT_FALSE(plate.colorApplicable);
}

}  // namespace
