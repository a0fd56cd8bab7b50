#pragma once

#include "base/SettingsStore.h"
#include "lighting/Color.h"

#include <cstdint>
#include <string>

struct HandleConfig;

// Each location's chosen colour at full brightness, kept in "settings.ini" in a section
// "hanlde_<location>" with the keys "maxR", "maxG" and "maxB", so that the brightness
// level can scale it without losing its hue.
class FullBrightnessColors {
public:
    explicit FullBrightnessColors(SettingsStore& settings) : settings_(settings) {}

    // The stored colour. When a key is missing, locations 0 and 1 derive it from their
    // record (the colour at value 1 unless the record is already at full brightness)
    // and store it; other locations read white and store nothing.
    ChannelBytes Read(uint8_t location, const HandleConfig* record);
    void Write(uint8_t location, ChannelBytes color);

    static std::wstring SectionName(uint8_t location);
    // A stored number as the C runtime reads it (spaces, sign, digits up to the first
    // other character, no digits = 0), reduced to 8 bits: "300" is 44, "-1" is 255.
    static uint8_t ParseChannel(const std::wstring& text);

private:
    SettingsStore& settings_;
};

// FullValueColor with the intermediate hue, saturation and value written to the trace.
uint32_t TracedFullValueColor(ChannelBytes color);
