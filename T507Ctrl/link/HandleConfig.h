#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The configuration record of one lighting location. On the wire it is eleven bytes
// (mode, effect parameter, timing words 1 and 2 high byte first, flags, red, green,
// blue, brightness) followed by the location's element mask.
struct HandleConfig {
    static constexpr size_t kWireRecordSize = 11;
    static constexpr uint8_t kFlagOn = 0x80;
    static constexpr uint8_t kFlagEffect6 = 0x40;
    static constexpr uint8_t kFlagEffect5 = 0x20;

    uint8_t mode = 0;
    uint8_t effectParameter = 0;
    uint16_t timing1 = 0;
    uint16_t timing2 = 0;
    uint8_t flags = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t brightness = 0;
    // Bit n (bit n mod 8 of byte n / 8) set: element n of the controller belongs here.
    std::vector<uint8_t> elementMask;

    bool On() const { return (flags & kFlagOn) != 0; }
    void SetFlag(uint8_t flag, bool set) { flags = static_cast<uint8_t>(set ? flags | flag : flags & ~flag); }

    // Takes the eleven record bytes of the wire layout.
    void LoadWireRecord(const uint8_t* bytes);

    bool operator==(const HandleConfig&) const = default;
};

// An effect code with its display name.
struct Mode {
    int32_t code = 0;
    std::wstring name;
};
