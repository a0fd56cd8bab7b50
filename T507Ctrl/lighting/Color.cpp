#include "lighting/Color.h"

#include <cmath>
#include <limits>

namespace {

// Truncation toward zero into a 32-bit integer, defined for every double: values the
// integer cannot hold (and not-a-number) would be undefined behaviour in C++.
int32_t TruncateToInt32(double x)
{
    if (std::isnan(x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(x);
}

}  // namespace

double ByteToUnit(uint8_t byte)
{
    return static_cast<double>(byte) / 255.0;
}

uint8_t UnitToByte(double unit)
{
    return static_cast<uint8_t>(static_cast<uint32_t>(TruncateToInt32(unit * 255.0)) & 0xFF);
}

RgbColor HsvToRgb(double hue, double saturation, double value)
{
    if (saturation <= 0) return {value, value, value};

    double hh = hue >= 360.0 ? 0.0 : hue;
    hh /= 60.0;
    // A hue that is not a number lands in the last sector like any other odd sector.
    const int32_t sector = std::isnan(hh) ? -1 : TruncateToInt32(hh);
    const double f = std::isnan(hh) ? 0.0 : hh - sector;
    const double p = value * (1.0 - saturation);
    const double q = value * (1.0 - saturation * f);
    const double t = value * (1.0 - saturation * (1.0 - f));

    switch (sector) {
    case 0: return {value, t, p};
    case 1: return {q, value, p};
    case 2: return {p, value, t};
    case 3: return {p, q, value};
    case 4: return {t, p, value};
    default: return {value, p, q};
    }
}

HsvColor RgbToHsv(double red, double green, double blue)
{
    double min = red < green ? red : green;
    min = min < blue ? min : blue;
    double max = red > green ? red : green;
    max = max > blue ? max : blue;

    HsvColor out;
    out.value = max;
    const double delta = max - min;
    if (delta < 0.00001) return out;

    if (!(max > 0)) {
        out.hue = std::numeric_limits<double>::quiet_NaN();
        return out;
    }
    out.saturation = delta / max;

    if (red >= max) out.hue = (green - blue) / delta;
    else if (green >= max) out.hue = 2.0 + (blue - red) / delta;
    else out.hue = 4.0 + (red - green) / delta;

    out.hue *= 60.0;
    if (out.hue < 0.0) out.hue += 360.0;
    return out;
}

RgbColor BytesToRgb(ChannelBytes bytes)
{
    return {ByteToUnit(bytes.red), ByteToUnit(bytes.green), ByteToUnit(bytes.blue)};
}

ChannelBytes RgbToBytes(const RgbColor& rgb)
{
    return {UnitToByte(rgb.red), UnitToByte(rgb.green), UnitToByte(rgb.blue)};
}

uint32_t MakeColorWord(ChannelBytes bytes)
{
    return 0xFF000000u | (uint32_t{bytes.red} << 16) | (uint32_t{bytes.green} << 8) | bytes.blue;
}

ChannelBytes ColorWordBytes(uint32_t colorWord)
{
    return {static_cast<uint8_t>(colorWord >> 16), static_cast<uint8_t>(colorWord >> 8),
            static_cast<uint8_t>(colorWord)};
}

uint32_t FullValueColor(ChannelBytes bytes, HsvColor* intermediate)
{
    const RgbColor rgb = BytesToRgb(bytes);
    const HsvColor hsv = RgbToHsv(rgb.red, rgb.green, rgb.blue);
    if (intermediate != nullptr) *intermediate = hsv;
    return MakeColorWord(RgbToBytes(HsvToRgb(hsv.hue, hsv.saturation, 1.0)));
}

ChannelBytes ScaleToLevel(ChannelBytes bytes, int32_t level)
{
    const RgbColor rgb = BytesToRgb(bytes);
    const HsvColor hsv = RgbToHsv(rgb.red, rgb.green, rgb.blue);
    // 32-bit integer arithmetic as the controller's brightness byte is computed.
    const int32_t scaled = static_cast<int32_t>(static_cast<uint32_t>(level) * 32u - 1u);
    return RgbToBytes(HsvToRgb(hsv.hue, hsv.saturation, static_cast<double>(scaled) / 255.0));
}
