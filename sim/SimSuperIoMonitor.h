#pragma once

#include <cstdint>
#include <vector>

// The hardware-monitor block of the Super-I/O chip: an index port and a data port;
// index 0x4E selects the bank that the other indexes address. Bank 7 register 0x20
// holds the CPU temperature in °C.
class SimSuperIoMonitor {
public:
    static constexpr uint16_t kIndexPort = 0xA25;
    static constexpr uint16_t kDataPort = 0xA26;
    static constexpr uint8_t kBankSelect = 0x4E;
    static constexpr uint8_t kCpuTemperatureBank = 7;
    static constexpr uint8_t kCpuTemperatureRegister = 0x20;

    SimSuperIoMonitor() : registers_(256 * 256, 0xFF) { SetCpuTemperature(40); }

    void SetCpuTemperature(uint8_t celsius) { SetRegister(kCpuTemperatureBank, kCpuTemperatureRegister, celsius); }
    void SetRegister(uint8_t bank, uint8_t reg, uint8_t value) { registers_[bank * 256 + reg] = value; }
    uint8_t Register(uint8_t bank, uint8_t reg) const { return registers_[bank * 256 + reg]; }
    uint8_t SelectedBank() const { return bank_; }

    static bool Handles(uint16_t port) { return port == kIndexPort || port == kDataPort; }

    uint8_t Read(uint16_t port) const
    {
        if (port == kIndexPort) return index_;
        return index_ == kBankSelect ? bank_ : Register(bank_, index_);
    }

    void Write(uint16_t port, uint8_t value)
    {
        if (port == kIndexPort) {
            index_ = value;
        } else if (index_ == kBankSelect) {
            bank_ = value;
        } else {
            SetRegister(bank_, index_, value);
        }
    }

private:
    std::vector<uint8_t> registers_;
    uint8_t index_ = 0;
    uint8_t bank_ = 0;
};
