#include "lighting/Color.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

ChannelBytes Bytes(const RgbColor& rgb)
{
    return RgbToBytes(rgb);
}

TEST(ColorBytes, UnitConversionTruncatesAndWrapsWithoutClamping)
{
    for (int b = 0; b < 256; ++b) EXPECT_EQ(UnitToByte(ByteToUnit(static_cast<uint8_t>(b))), b);
    EXPECT_EQ(UnitToByte(0.999999), 254);
    EXPECT_EQ(UnitToByte(-1.0 / 255.0), 255);
    EXPECT_EQ(UnitToByte(2.0), 254);  // 510 keeps its low byte
    EXPECT_EQ(UnitToByte(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(HsvToRgb, SaturationAtOrBelowZeroIsGreyForAnyHue)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double hue : {0.0, 123.0, 400.0, -5.0, nan}) {
        for (double s : {0.0, -0.5}) {
            const RgbColor c = HsvToRgb(hue, s, 0.4);
            EXPECT_EQ(c.red, 0.4);
            EXPECT_EQ(c.green, 0.4);
            EXPECT_EQ(c.blue, 0.4);
        }
    }
}

struct SectorCase {
    double hue;
    ChannelBytes expected;
};

class HsvToRgbSectors : public ::testing::TestWithParam<SectorCase> {};

TEST_P(HsvToRgbSectors, FullySaturatedHues)
{
    EXPECT_EQ(Bytes(HsvToRgb(GetParam().hue, 1.0, 1.0)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Hues, HsvToRgbSectors,
                         ::testing::Values(SectorCase{0, {255, 0, 0}}, SectorCase{60, {255, 255, 0}},
                                           SectorCase{120, {0, 255, 0}}, SectorCase{180, {0, 255, 255}},
                                           SectorCase{240, {0, 0, 255}}, SectorCase{300, {255, 0, 255}},
                                           SectorCase{330, {255, 0, 127}},   // last sector, row "other"
                                           SectorCase{360, {255, 0, 0}},     // 360 and above count as 0
                                           SectorCase{725, {255, 0, 0}},
                                           SectorCase{-120, {255, 0, 255}}));  // sector -2 uses the last row

TEST(RgbToHsv, GreysAndPrimaries)
{
    const HsvColor white = RgbToHsv(1, 1, 1);
    EXPECT_EQ(white.hue, 0);
    EXPECT_EQ(white.saturation, 0);
    EXPECT_EQ(white.value, 1);
    const HsvColor black = RgbToHsv(0, 0, 0);
    EXPECT_EQ(black.hue, 0);
    EXPECT_EQ(black.saturation, 0);
    EXPECT_EQ(black.value, 0);
    EXPECT_DOUBLE_EQ(RgbToHsv(1, 1, 0).hue, 60);      // red wins the tie with green
    EXPECT_DOUBLE_EQ(RgbToHsv(0, 1, 1).hue, 180);     // green wins the tie with blue
    EXPECT_DOUBLE_EQ(RgbToHsv(0, 0, 1).hue, 240);
    EXPECT_DOUBLE_EQ(RgbToHsv(1, 0, 1).hue, 300);
}

TEST(RgbToHsv, NegativeMaximumGivesNoHue)
{
    const HsvColor c = RgbToHsv(-0.5, -0.2, -0.9);
    EXPECT_TRUE(std::isnan(c.hue));
    EXPECT_EQ(c.saturation, 0);
    EXPECT_EQ(c.value, -0.2);
}

TEST(RgbToHsv, PurplePresetRoundTripsThroughHsv)
{
    const HsvColor hsv = RgbToHsv(1.0, 0.0, 172.0 / 255.0);
    EXPECT_NEAR(hsv.hue, 319.53, 0.01);
    EXPECT_EQ(Bytes(HsvToRgb(hsv.hue, hsv.saturation, 1.0)), (ChannelBytes{255, 0, 172}));
}

TEST(FullValueColor, KeepsHueAndSaturationAtFullValue)
{
    EXPECT_EQ(FullValueColor({255, 191, 0}), 0xFFFFBE00u);  // not 0xFFFFBF00: the round trip truncates
    EXPECT_EQ(FullValueColor({128, 0, 0}), 0xFFFF0000u);
    EXPECT_EQ(FullValueColor({0, 64, 0}), 0xFF00FF00u);
    EXPECT_EQ(FullValueColor({0, 0, 0}), 0xFFFFFFFFu);  // black has no hue: white at full value

    HsvColor traced;
    FullValueColor({0, 0, 255}, &traced);
    EXPECT_DOUBLE_EQ(traced.hue, 240);
    EXPECT_DOUBLE_EQ(traced.saturation, 1);
    EXPECT_DOUBLE_EQ(traced.value, 1);
}

TEST(ScaleToLevel, PureChannelsTakeTheLevelValueExactly)
{
    for (int level = 1; level <= 8; ++level) {
        const uint8_t v = static_cast<uint8_t>(level * 32 - 1);
        EXPECT_EQ(ScaleToLevel({255, 0, 0}, level), (ChannelBytes{v, 0, 0})) << "level " << level;
        EXPECT_EQ(ScaleToLevel({0, 255, 0}, level), (ChannelBytes{0, v, 0})) << "level " << level;
        EXPECT_EQ(ScaleToLevel({0, 0, 255}, level), (ChannelBytes{0, 0, v})) << "level " << level;
    }
}

TEST(ScaleToLevel, LevelZeroWrapsTheBrightestChannelTo255)
{
    EXPECT_EQ(ScaleToLevel({255, 0, 0}, 0), (ChannelBytes{255, 0, 0}));
    EXPECT_EQ(ScaleToLevel({0, 0, 200}, 0), (ChannelBytes{0, 0, 255}));
}

TEST(ColorWord, PacksWithOpaqueAlpha)
{
    EXPECT_EQ(MakeColorWord({0x12, 0x34, 0x56}), 0xFF123456u);
    EXPECT_EQ(ColorWordBytes(0xFF123456u), (ChannelBytes{0x12, 0x34, 0x56}));
}

}  // namespace
