#pragma once

#include "sim/SimFanChip.h"

#include <array>
#include <cstdint>

// How the simulated SMBus host misbehaves, if at all.
enum class SmbusHostFault {
    kNone,
    kStaysBusy,    // the busy bit never clears and no transaction starts
    kDeviceError,  // every transaction ends with the device-error bit
    kBusError,     // ... with the bus-error (collision) bit
    kFailed,       // ... with the failed bit
};

// The chipset's SMBus host controller, PCI function 0:31.4: its configuration space
// (reached through ports 0xCF8/0xCFC) and its I/O registers at the base that
// configuration register 0x20 gives. It answers at its base only while I/O space is
// enabled in the command register (0x04). A started transaction reads busy for a
// number of status reads, then completes with the interrupt bit and its data; the
// status bits 1..7 are cleared by writing 1s.
class SimSmbusHost {
public:
    static constexpr uint16_t kConfigAddressPort = 0xCF8;
    static constexpr uint16_t kConfigDataPort = 0xCFC;
    static constexpr uint32_t kBus = 0, kDevice = 31, kFunction = 4;
    static constexpr uint8_t kCommandRegister = 0x04;
    static constexpr uint8_t kBaseAddressRegister = 0x20;
    static constexpr uint16_t kDefaultBase = 0xF040;

    // I/O registers, as offsets from the base.
    static constexpr uint16_t kStatus = 0, kControl = 2, kHostCommand = 3, kSlaveAddress = 4, kData0 = 5;
    static constexpr uint8_t kBusy = 0x01, kInterrupt = 0x02, kDeviceError = 0x04, kBusError = 0x08,
                             kFailedBit = 0x10;

    explicit SimSmbusHost(SimFanChip& fanChip);

    // Configuration space ports: the address latch and the four data bytes.
    static bool HandlesConfig(uint16_t port) { return port == kConfigAddressPort || (port >= kConfigDataPort && port < kConfigDataPort + 4); }
    uint8_t ReadConfigByte(uint16_t port) const;
    void WriteConfigByte(uint16_t port, uint8_t value);
    void WriteConfigAddress(uint32_t address) { configAddress_ = address; }
    uint32_t ConfigAddress() const { return configAddress_; }

    // The host's I/O ports, while enabled.
    bool Handles(uint16_t port) const;
    uint8_t Read(uint16_t port);
    void Write(uint16_t port, uint8_t value);

    uint16_t Base() const;
    bool IoEnabled() const { return (config_[kCommandRegister] & 0x01) != 0; }
    void SetBase(uint16_t base);
    void SetIoEnabled(bool enabled);
    void SetFault(SmbusHostFault fault) { fault_ = fault; }
    // Status reads that still see the host busy after a start (at least 1 models a
    // host that is slower than the status read right after the start).
    void SetBusyReads(int reads) { busyReads_ = reads < 0 ? 0 : reads; }

private:
    // Register offset of this function in configuration space, or -1 when the latch
    // addresses another function or is not enabled.
    int ConfigOffset(uint16_t port) const;
    void StartTransaction(uint8_t control);
    void Complete();

    SimFanChip& fanChip_;
    std::array<uint8_t, 256> config_{};
    uint32_t configAddress_ = 0;
    SmbusHostFault fault_ = SmbusHostFault::kNone;
    int busyReads_ = 1;

    uint8_t status_ = 0;
    uint8_t control_ = 0;
    uint8_t hostCommand_ = 0;
    uint8_t slaveAddress_ = 0;
    uint8_t data0_ = 0;
    int busyReadsLeft_ = 0;
    bool running_ = false;
};
