#include "sim/SimSensorPorts.h"

using Lock = std::lock_guard<std::mutex>;

bool SimSensorPorts::Start()
{
    Lock lock(mutex_);
    started_ = !startFails_;
    return started_;
}

void SimSensorPorts::Stop()
{
    Lock lock(mutex_);
    started_ = false;
}

uint8_t SimSensorPorts::ReadPortByte(uint16_t port)
{
    Lock lock(mutex_);
    const uint8_t value = started_ ? ReadByteLocked(port) : 0;
    Record(PortAccessRecord::kReadByte, port, value);
    return value;
}

uint16_t SimSensorPorts::ReadPortWord(uint16_t port)
{
    Lock lock(mutex_);
    uint16_t value = 0;
    if (started_) value = static_cast<uint16_t>(ReadByteLocked(port) | (ReadByteLocked(port + 1) << 8));
    Record(PortAccessRecord::kReadWord, port, value);
    return value;
}

void SimSensorPorts::WritePortByte(uint16_t port, uint8_t value)
{
    Lock lock(mutex_);
    if (started_) WriteByteLocked(port, value);
    Record(PortAccessRecord::kWriteByte, port, value);
}

void SimSensorPorts::WritePortDword(uint16_t port, uint32_t value)
{
    Lock lock(mutex_);
    if (started_) {
        if (port == SimSmbusHost::kConfigAddressPort) {
            smbusHost_.WriteConfigAddress(value);
        } else {
            for (int i = 0; i < 4; ++i) WriteByteLocked(static_cast<uint16_t>(port + i), static_cast<uint8_t>(value >> (8 * i)));
        }
    }
    Record(PortAccessRecord::kWriteDword, port, value);
}

uint8_t SimSensorPorts::ReadByteLocked(uint16_t port)
{
    if (SimSmbusHost::HandlesConfig(port)) return smbusHost_.ReadConfigByte(port);
    if (SimSuperIoMonitor::Handles(port)) return superIo_.Read(port);
    if (smbusHost_.Handles(port)) return smbusHost_.Read(port);
    return 0xFF;
}

void SimSensorPorts::WriteByteLocked(uint16_t port, uint8_t value)
{
    if (SimSmbusHost::HandlesConfig(port)) {
        smbusHost_.WriteConfigByte(port, value);
    } else if (SimSuperIoMonitor::Handles(port)) {
        superIo_.Write(port, value);
    } else if (smbusHost_.Handles(port)) {
        smbusHost_.Write(port, value);
    }
}

void SimSensorPorts::Record(PortAccessRecord::Kind kind, uint16_t port, uint32_t value)
{
    if (log_.size() == kLogLimit) log_.pop_front();
    log_.push_back({kind, port, value});
}

void SimSensorPorts::SetStartFails(bool fails)
{
    Lock lock(mutex_);
    startFails_ = fails;
}

bool SimSensorPorts::Started() const
{
    Lock lock(mutex_);
    return started_;
}

void SimSensorPorts::SetFanRpm(uint32_t rpm)
{
    Lock lock(mutex_);
    fanChip_.SetFanRpm(rpm);
}

void SimSensorPorts::SetTachometerCount(uint16_t count)
{
    Lock lock(mutex_);
    fanChip_.SetTachometerCount(count);
}

void SimSensorPorts::SetFanRegister(uint8_t reg, uint8_t value)
{
    Lock lock(mutex_);
    fanChip_.SetRegister(reg, value);
}

void SimSensorPorts::SetCpuTemperature(uint8_t celsius)
{
    Lock lock(mutex_);
    superIo_.SetCpuTemperature(celsius);
}

void SimSensorPorts::SetSuperIoRegister(uint8_t bank, uint8_t reg, uint8_t value)
{
    Lock lock(mutex_);
    superIo_.SetRegister(bank, reg, value);
}

void SimSensorPorts::SetHostFault(SmbusHostFault fault)
{
    Lock lock(mutex_);
    smbusHost_.SetFault(fault);
}

void SimSensorPorts::SetHostBusyReads(int reads)
{
    Lock lock(mutex_);
    smbusHost_.SetBusyReads(reads);
}

void SimSensorPorts::SetSmbusBase(uint16_t base)
{
    Lock lock(mutex_);
    smbusHost_.SetBase(base);
}

uint16_t SimSensorPorts::SmbusBase() const
{
    Lock lock(mutex_);
    return smbusHost_.Base();
}

bool SimSensorPorts::SmbusIoEnabled() const
{
    Lock lock(mutex_);
    return smbusHost_.IoEnabled();
}

std::vector<PortAccessRecord> SimSensorPorts::Log() const
{
    Lock lock(mutex_);
    return {log_.begin(), log_.end()};
}

void SimSensorPorts::ClearLog()
{
    Lock lock(mutex_);
    log_.clear();
}
