#include "lighting/LightingModes.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint16_t kSlowTiming = 48000;
constexpr uint16_t kRainbowTiming = 4800;

constexpr std::array<uint16_t, 8> kBreatheByLevel = {160, 140, 120, 100, 80, 60, 40, 20};
constexpr std::array<uint16_t, 8> kFadeByLevel = {40, 35, 30, 25, 20, 15, 10, 5};
constexpr std::array<uint16_t, 8> kRainbowByLevel = {8, 7, 6, 5, 4, 3, 2, 1};

constexpr std::array<ChannelBytes, kPresetCount> kPresets = {{
    {255, 0, 0},      // red
    {255, 255, 255},  // white
    {0, 255, 255},    // cyan
    {0, 0, 255},      // blue
    {0, 255, 0},      // green
    {255, 191, 0},    // yellow
    {255, 70, 0},     // orange
    {255, 0, 172},    // purple
}};

uint16_t ByLevel(const std::array<uint16_t, 8>& table, int level)
{
    return table[(level >= 1 && level <= 8) ? level - 1 : 0];
}

}  // namespace

ModeEffect EffectForMode(int mode, int level)
{
    switch (mode) {
    case 0: return {0x01, 0, 0};
    case 1: return {0x03, kSlowTiming, ByLevel(kBreatheByLevel, level)};
    case 2: return {0x03, kSlowTiming, ByLevel(kFadeByLevel, level)};
    case 3: return {0x03, kSlowTiming, 1000};
    case 4: return {0x03, kSlowTiming, 100};
    case 5: return {0x03, kSlowTiming, 50};
    case 6: return {0x03, kRainbowTiming, ByLevel(kRainbowByLevel, level)};
    default: return {0x03, 0, 0};
    }
}

bool ModeTakesColor(int mode)
{
    return mode == 0 || mode == 1 || mode == 4 || mode == 5;
}

uint8_t BrightnessForLevel(int level)
{
    return static_cast<uint8_t>(level * 32 - 1);
}

int LevelForBrightness(uint8_t brightness, int levelCount)
{
    if (brightness == 0) return 0;
    const int level = brightness / 32 + 1;
    return level > levelCount ? 0 : level;
}

ChannelBytes PresetColor(int preset)
{
    return (preset >= 1 && preset <= kPresetCount) ? kPresets[static_cast<size_t>(preset - 1)] : kPresets[0];
}

int PresetForColor(ChannelBytes color)
{
    const auto found = std::find(kPresets.begin(), kPresets.end(), color);
    return found == kPresets.end() ? 1 : static_cast<int>(found - kPresets.begin()) + 1;
}

bool PendingChanges::Add(ChangeKind kind)
{
    if (std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end()) return false;
    kinds_.push_back(kind);
    return true;
}
