#pragma once

#include <array>
#include <cstdint>

// The fan-speed monitor chip on the SMBus. Its tachometer count is 13 bits: the high
// 8 bits in register 0x10, the low 5 bits in bits 7..3 of register 0x13. The fan turns
// at 1350000 / count rpm; a stopped fan lets the counter run to its top (0x1FFF).
class SimFanChip {
public:
    static constexpr uint8_t kAddress = 0x2D;
    static constexpr uint8_t kTachometerHigh = 0x10;
    static constexpr uint8_t kTachometerLow = 0x13;
    static constexpr uint32_t kRpmFactor = 1350000;
    static constexpr uint16_t kMaxCount = 0x1FFF;

    SimFanChip() { SetFanRpm(1500); }

    // Nearest count for the speed; 0 rpm is a stopped fan.
    void SetFanRpm(uint32_t rpm)
    {
        if (rpm == 0) {
            SetTachometerCount(kMaxCount);
            return;
        }
        const uint32_t count = (kRpmFactor + rpm / 2) / rpm;
        SetTachometerCount(static_cast<uint16_t>(count == 0 ? 1 : (count > kMaxCount ? kMaxCount : count)));
    }

    // Counts above 13 bits saturate, as the chip's counter does.
    void SetTachometerCount(uint16_t count)
    {
        if (count > kMaxCount) count = kMaxCount;
        registers_[kTachometerHigh] = static_cast<uint8_t>(count >> 5);
        registers_[kTachometerLow] = static_cast<uint8_t>(((count & 0x1F) << 3) | (registers_[kTachometerLow] & 0x07));
    }

    void SetRegister(uint8_t reg, uint8_t value) { registers_[reg] = value; }
    uint8_t Register(uint8_t reg) const { return registers_[reg]; }

private:
    std::array<uint8_t, 256> registers_{};
};
