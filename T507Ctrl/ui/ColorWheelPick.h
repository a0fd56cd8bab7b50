#pragma once

#include "lighting/Color.h"

#include <optional>

// The custom colour dialog's wheel: hue counter-clockwise from 0 degrees at the right,
// saturation rising linearly from the centre to the rim, value fixed by the level.
struct WheelGeometry {
    int centreX = 400;
    int centreY = 250;
    double radius = 150;
};

// Hue (degrees) and saturation under a client point.
struct WheelPoint {
    double hue = 0;
    double saturation = 0;
};

// The hue and saturation under a client point, or nothing outside the wheel.
std::optional<WheelPoint> WheelPointAt(const WheelGeometry& wheel, int x, int y);

// The colour under a client point at the level's value, or nothing outside the wheel.
std::optional<ChannelBytes> PickWheelColor(const WheelGeometry& wheel, int x, int y, double level);
