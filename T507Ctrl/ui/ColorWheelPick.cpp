#include "ui/ColorWheelPick.h"

#include <cmath>
#include <cstdlib>

std::optional<WheelPoint> WheelPointAt(const WheelGeometry& wheel, int x, int y)
{
    const double dx = std::abs(x - wheel.centreX);
    const double dy = std::abs(y - wheel.centreY);
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d > wheel.radius) return std::nullopt;

    double angle = dx == 0 ? 90.0 : std::atan(dy / dx) / 3.141592653589793 * 180.0;
    if (x < wheel.centreX) angle = 180.0 - angle;
    if (y > wheel.centreY) angle = 360.0 - angle;
    return WheelPoint{angle, d / wheel.radius};
}

std::optional<ChannelBytes> PickWheelColor(const WheelGeometry& wheel, int x, int y, double level)
{
    const std::optional<WheelPoint> point = WheelPointAt(wheel, x, y);
    if (!point) return std::nullopt;
    return RgbToBytes(HsvToRgb(point->hue, point->saturation, level));
}
