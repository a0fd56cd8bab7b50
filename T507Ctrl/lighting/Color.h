#pragma once

#include <cstdint>

// The colour forms of the program: channel bytes (what the controller takes), the
// 32-bit colour word 0xAARRGGBB the graphics library draws with, and unit RGB and HSV
// in doubles. Byte to unit divides by 255; unit to byte multiplies by 255 and
// truncates to a 32-bit integer whose low byte is kept: no rounding, no clamping.

struct RgbColor {
    double red = 0;
    double green = 0;
    double blue = 0;
};

struct HsvColor {
    double hue = 0;         // degrees, 0 <= hue < 360
    double saturation = 0;  // 0..1
    double value = 0;       // 0..1
};

struct ChannelBytes {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    friend bool operator==(const ChannelBytes&, const ChannelBytes&) = default;
};

double ByteToUnit(uint8_t byte);
uint8_t UnitToByte(double unit);

RgbColor HsvToRgb(double hue, double saturation, double value);
HsvColor RgbToHsv(double red, double green, double blue);

RgbColor BytesToRgb(ChannelBytes bytes);
ChannelBytes RgbToBytes(const RgbColor& rgb);

// Colour words always carry alpha 255.
uint32_t MakeColorWord(ChannelBytes bytes);
ChannelBytes ColorWordBytes(uint32_t colorWord);

// The same hue and saturation at value 1. The intermediate HSV is handed out for
// callers that trace it.
uint32_t FullValueColor(ChannelBytes bytes, HsvColor* intermediate = nullptr);

// The same hue and saturation at the value of a brightness level: (32 * level - 1) / 255.
ChannelBytes ScaleToLevel(ChannelBytes bytes, int32_t level);
