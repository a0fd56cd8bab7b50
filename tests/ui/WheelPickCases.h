#pragma once

#include "lighting/Color.h"

#include <array>

// Clicks on the custom colour dialog's wheel and the colour each picks: checked on the
// arithmetic alone and on the dialog itself.
struct WheelPickCase {
    int x;
    int y;
    double level;
    bool inside;
    ChannelBytes color;
};

inline const std::array<WheelPickCase, 9> kWheelPickCases = {{
    {400, 250, 0.5, true, {127, 127, 127}},  // the centre: grey whatever the hue
    {550, 250, 0.5, true, {127, 0, 0}},      // right edge
    {551, 250, 0.5, false, {}},              // just outside
    {400, 100, 0.5, true, {63, 127, 0}},     // top: hue 90
    {250, 250, 0.5, true, {0, 127, 127}},
    {400, 400, 0.5, true, {63, 0, 127}},     // bottom: hue 270
    {475, 250, 0.5, true, {127, 63, 63}},    // half-way to the right edge
    {550, 250, 1.0, true, {255, 0, 0}},
    {550, 250, 31.0 / 255.0, true, {31, 0, 0}},
}};
