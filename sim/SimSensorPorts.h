#pragma once

#include "monitor/PortAccess.h"
#include "sim/SimFanChip.h"
#include "sim/SimSmbusHost.h"
#include "sim/SimSuperIoMonitor.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// One port access as the simulated board saw it: the value read or written.
struct PortAccessRecord {
    enum Kind { kReadByte, kReadWord, kWriteByte, kWriteDword };
    Kind kind;
    uint16_t port;
    uint32_t value;

    bool operator==(const PortAccessRecord&) const = default;
};

// The I/O ports of a simulated Kadu board behind the port-access seam: the chipset's
// SMBus host (with the fan-speed chip) and the Super-I/O hardware monitor. Other ports
// read as a floating bus (all ones). Ports answer only between a successful Start and
// Stop, like the real library. Every access is logged in order (the most recent
// kLogLimit of them). Safe to use from several threads; defaults: fan 1500 rpm,
// CPU 40 °C.
class SimSensorPorts final : public PortAccess {
public:
    static constexpr size_t kLogLimit = 100000;

    bool Start() override;
    void Stop() override;
    uint8_t ReadPortByte(uint16_t port) override;
    uint16_t ReadPortWord(uint16_t port) override;
    void WritePortByte(uint16_t port, uint8_t value) override;
    void WritePortDword(uint16_t port, uint32_t value) override;

    // Port access as a whole.
    void SetStartFails(bool fails);
    bool Started() const;

    // The fan-speed chip.
    void SetFanRpm(uint32_t rpm);
    void SetTachometerCount(uint16_t count);
    void SetFanRegister(uint8_t reg, uint8_t value);

    // The Super-I/O hardware monitor.
    void SetCpuTemperature(uint8_t celsius);
    void SetSuperIoRegister(uint8_t bank, uint8_t reg, uint8_t value);

    // The SMBus host.
    void SetHostFault(SmbusHostFault fault);
    void SetHostBusyReads(int reads);
    void SetSmbusBase(uint16_t base);
    uint16_t SmbusBase() const;
    bool SmbusIoEnabled() const;

    std::vector<PortAccessRecord> Log() const;
    void ClearLog();

private:
    uint8_t ReadByteLocked(uint16_t port);
    void WriteByteLocked(uint16_t port, uint8_t value);
    void Record(PortAccessRecord::Kind kind, uint16_t port, uint32_t value);

    mutable std::mutex mutex_;
    SimFanChip fanChip_;
    SimSmbusHost smbusHost_{fanChip_};
    SimSuperIoMonitor superIo_;
    bool started_ = false;
    bool startFails_ = false;
    std::deque<PortAccessRecord> log_;
};
