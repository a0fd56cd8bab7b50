#pragma once

#include "lighting/Color.h"

#include <cstdint>
#include <vector>

// The lighting panel's vocabulary: the seven modes with the values sent for each, the
// brightness levels and the eight preset colours of the colour plate.

inline constexpr int kModeCount = 7;          // STATIC, BREATHE, FADE, CYCLE, WINK, SLIDE, RAINBOW
inline constexpr int kModeStatic = 0;
inline constexpr int kPresetCount = 8;        // plate pictures 1..8
inline constexpr int kPictureOn = 0;          // light on, no preset highlighted
inline constexpr int kPictureOff = 9;
inline constexpr uint8_t kNoLocation = 255;

// What SetEffect sends for a mode: field mask 0x01 (mode only) or 0x03 (mode and timing).
struct ModeEffect {
    uint8_t fieldMask = 0x03;
    uint16_t timing1 = 0;
    uint16_t timing2 = 0;
};

// The level picks timing word 2 of the level-driven modes (index level - 1, or 0 when
// the level is outside 1..8). Codes above 6 send field mask 0x03 with both words 0.
ModeEffect EffectForMode(int mode, int level);

// Modes whose look depends on the colour: the plate lets presets be picked only then.
bool ModeTakesColor(int mode);

// Brightness byte of a level: 32 * level - 1 in 8 bits (level 1 is 31, level 8 is 255).
uint8_t BrightnessForLevel(int level);

// The level a brightness byte shows: 0 for 0, otherwise byte / 32 + 1; a level beyond
// what the control can show is 0.
int LevelForBrightness(uint8_t brightness, int levelCount);

// Colour of preset 1..8; any other number gives preset 1's red.
ChannelBytes PresetColor(int preset);

// The preset whose colour equals the given one exactly; preset 1 when none does.
int PresetForColor(ChannelBytes color);

// Kinds of pending change, in the order their apply steps are registered.
enum class ChangeKind : int { OnOff = 0, Brightness = 1, Mode = 2, Color = 3 };

// Changes not yet sent: each kind at most once, in the order first added.
class PendingChanges {
public:
    // True when the kind was not pending yet.
    bool Add(ChangeKind kind);
    void Clear() { kinds_.clear(); }
    bool Empty() const { return kinds_.empty(); }
    const std::vector<ChangeKind>& Kinds() const { return kinds_; }

private:
    std::vector<ChangeKind> kinds_;
};
