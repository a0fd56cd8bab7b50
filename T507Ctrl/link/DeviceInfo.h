#pragma once

#include "link/HandleConfig.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What the controller reported about itself (the 18-byte device information), its
// version text, mode state, entry tables and configuration records. Bank 1 exists only
// when flags bit 1 is set.
class DeviceInfo {
public:
    static constexpr size_t kInfoLength = 18;
    static constexpr size_t kEntryStride = 5;
    static constexpr uint16_t kFlagUpgradeMode = 0x8000;
    static constexpr uint16_t kFlagSecondBank = 0x0002;
    // Tables larger than this are not what a lighting controller holds: refused.
    static constexpr size_t kMaxTableBytes = 0x10000;

    DeviceInfo();

    bool IsValid() const { return valid_; }
    bool InUpgradeMode() const { return (flags_ & kFlagUpgradeMode) != 0; }
    bool HasSecondBank() const { return (flags_ & kFlagSecondBank) != 0; }
    int BankCount() const { return HasSecondBank() ? 2 : 1; }

    // Frees the version, the entry banks and the configuration banks; not valid afterwards.
    void Reset();
    // Takes an 18-byte device information once; does nothing while already valid, and
    // refuses a shorter record.
    void ParseInfo(const uint8_t* bytes, size_t length);

    uint16_t Flags() const { return flags_; }
    uint16_t MaskLength() const { return maskLength_; }
    uint16_t MaxPayload() const { return maxPayload_; }
    uint16_t Reserved() const { return reserved_; }
    uint16_t EntrySize() const { return entrySize_; }
    uint16_t EntryCount() const { return entryCount_; }
    uint16_t ConfigRecordSize() const { return configRecordSize_; }
    uint16_t LocationCount() const { return locationCount_; }
    uint16_t VersionLength() const { return versionLength_; }

    // The tables can be read: entries fit the 5-byte stride, records hold 11 bytes and
    // the mask, and nothing is absurdly large.
    bool TablesSupported() const { return tablesSupported_; }

    // versionLength bytes as the controller sent them (not necessarily NUL-terminated).
    uint8_t* Version() { return version_.data(); }
    const std::vector<uint8_t>& VersionBytes() const { return version_; }
    // The version up to its first NUL or its length, whichever comes first.
    std::string VersionText() const;

    int32_t ModeState() const { return modeState_; }
    void SetModeState(int32_t state) { modeState_ = state; }

    // The entry table of a bank: EntryCount() entries of 5 bytes; empty when absent.
    std::vector<uint8_t>& Entries(int bank);
    const std::vector<uint8_t>& Entries(int bank) const;
    // The 5 bytes of one entry, or null.
    const uint8_t* Entry(size_t index, int bank = 0) const;

    // The record of one location, or null.
    HandleConfig* Configuration(size_t index, int bank = 0);
    const HandleConfig* Configuration(size_t index, int bank = 0) const;
    std::vector<HandleConfig>& Configurations(int bank);
    // Loads a bank from wire records of 11 + maskLength bytes each.
    bool LoadConfigurations(int bank, const uint8_t* wire, size_t length);

    const std::vector<Mode>& Modes() const { return modes_; }
    const std::vector<Mode>& Modes2() const { return modes2_; }

private:
    bool valid_ = false;
    uint16_t flags_ = 0;
    uint16_t maskLength_ = 0;
    uint16_t maxPayload_ = 0;
    uint16_t reserved_ = 0;
    uint16_t entrySize_ = 0;
    uint16_t entryCount_ = 0;
    uint16_t configRecordSize_ = 0;
    uint16_t locationCount_ = 0;
    uint16_t versionLength_ = 0;
    bool tablesSupported_ = false;
    std::vector<uint8_t> version_;
    int32_t modeState_ = -1;
    std::array<std::vector<uint8_t>, 2> entries_;
    std::array<std::vector<HandleConfig>, 2> configurations_;
    std::vector<Mode> modes_;
    std::vector<Mode> modes2_;
};
