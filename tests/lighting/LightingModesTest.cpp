#include "lighting/LightingModes.h"

#include <gtest/gtest.h>

namespace {

struct EffectCase {
    int mode;
    int level;
    uint8_t fieldMask;
    uint16_t timing1;
    uint16_t timing2;
};

class EffectForModeCases : public ::testing::TestWithParam<EffectCase> {};

TEST_P(EffectForModeCases, SendsTheTimingOfTheModeAndLevel)
{
    const EffectCase& c = GetParam();
    const ModeEffect e = EffectForMode(c.mode, c.level);
    EXPECT_EQ(e.fieldMask, c.fieldMask);
    EXPECT_EQ(e.timing1, c.timing1);
    EXPECT_EQ(e.timing2, c.timing2);
}

INSTANTIATE_TEST_SUITE_P(Modes, EffectForModeCases,
                         ::testing::Values(EffectCase{0, 8, 0x01, 0, 0},          // STATIC: mode only
                                           EffectCase{1, 8, 0x03, 48000, 20},     // BREATHE
                                           EffectCase{1, 1, 0x03, 48000, 160},
                                           EffectCase{1, 0, 0x03, 48000, 160},    // no level: first column
                                           EffectCase{2, 4, 0x03, 48000, 25},     // FADE
                                           EffectCase{3, 2, 0x03, 48000, 1000},   // CYCLE
                                           EffectCase{4, 2, 0x03, 48000, 100},    // WINK
                                           EffectCase{5, 2, 0x03, 48000, 50},     // SLIDE
                                           EffectCase{6, 1, 0x03, 4800, 8},       // RAINBOW
                                           EffectCase{6, 8, 0x03, 4800, 1},
                                           EffectCase{6, 9, 0x03, 4800, 8},
                                           EffectCase{7, 3, 0x03, 0, 0}));        // beyond the panel's modes

TEST(LightingModes, ColourAppliesToStaticBreatheWinkAndSlideOnly)
{
    const bool expected[] = {true, true, false, false, true, true, false, false};
    for (int mode = 0; mode < 8; ++mode) EXPECT_EQ(ModeTakesColor(mode), expected[mode]) << mode;
}

TEST(LightingModes, BrightnessAndLevelConvertBothWays)
{
    EXPECT_EQ(BrightnessForLevel(1), 31);
    EXPECT_EQ(BrightnessForLevel(3), 95);
    EXPECT_EQ(BrightnessForLevel(8), 255);
    EXPECT_EQ(BrightnessForLevel(0), 255);  // 8-bit arithmetic; nothing sends level 0

    EXPECT_EQ(LevelForBrightness(0, 8), 0);
    EXPECT_EQ(LevelForBrightness(1, 8), 1);
    EXPECT_EQ(LevelForBrightness(31, 8), 1);
    EXPECT_EQ(LevelForBrightness(32, 8), 2);
    EXPECT_EQ(LevelForBrightness(95, 8), 3);
    EXPECT_EQ(LevelForBrightness(255, 8), 8);
    EXPECT_EQ(LevelForBrightness(255, 7), 0);  // more than the control can show
}

TEST(LightingModes, PresetsMatchExactlyOrFallBackToRed)
{
    for (int preset = 1; preset <= kPresetCount; ++preset) EXPECT_EQ(PresetForColor(PresetColor(preset)), preset);
    EXPECT_EQ(PresetForColor({255, 128, 0}), 1);
    EXPECT_EQ(PresetColor(4), (ChannelBytes{0, 0, 255}));
    EXPECT_EQ(PresetColor(0), (ChannelBytes{255, 0, 0}));
    EXPECT_EQ(PresetColor(9), (ChannelBytes{255, 0, 0}));
}

TEST(PendingChanges, KeepsEachKindOnceInFirstOrder)
{
    PendingChanges pending;
    EXPECT_TRUE(pending.Add(ChangeKind::Color));
    EXPECT_TRUE(pending.Add(ChangeKind::OnOff));
    EXPECT_FALSE(pending.Add(ChangeKind::Color));
    EXPECT_EQ(pending.Kinds(), (std::vector<ChangeKind>{ChangeKind::Color, ChangeKind::OnOff}));
    pending.Clear();
    EXPECT_TRUE(pending.Empty());
}

}  // namespace
