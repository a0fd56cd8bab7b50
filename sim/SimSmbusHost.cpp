#include "sim/SimSmbusHost.h"

namespace {

constexpr uint8_t kControlStart = 0x40;
constexpr uint8_t kProtocolMask = 0x1C;
constexpr uint8_t kProtocolByteData = 0x08;

}  // namespace

SimSmbusHost::SimSmbusHost(SimFanChip& fanChip) : fanChip_(fanChip)
{
    // An Intel SMBus controller (class 0C 05 00) as firmware leaves it: base assigned,
    // I/O space not yet enabled.
    config_[0x00] = 0x86;
    config_[0x01] = 0x80;
    config_[0x02] = 0x23;
    config_[0x03] = 0xA3;
    config_[0x0A] = 0x05;
    config_[0x0B] = 0x0C;
    SetBase(kDefaultBase);
}

int SimSmbusHost::ConfigOffset(uint16_t port) const
{
    const uint32_t expected = 0x80000000u | (kBus << 16) | (kDevice << 11) | (kFunction << 8);
    if ((configAddress_ & 0xFFFFFF00u) != expected) return -1;
    return static_cast<int>((configAddress_ & 0xFC) + (port - kConfigDataPort));
}

uint8_t SimSmbusHost::ReadConfigByte(uint16_t port) const
{
    if (port == kConfigAddressPort) return static_cast<uint8_t>(configAddress_);
    const int offset = ConfigOffset(port);
    return offset < 0 ? 0xFF : config_[offset];
}

void SimSmbusHost::WriteConfigByte(uint16_t port, uint8_t value)
{
    if (port == kConfigAddressPort) return;  // the latch takes double words only
    const int offset = ConfigOffset(port);
    if (offset == kCommandRegister) {
        config_[offset] = value & 0x07;  // I/O, memory, bus master
    } else if (offset == kBaseAddressRegister) {
        config_[offset] = static_cast<uint8_t>((value & 0xE0) | 0x01);  // bit 0: I/O space
    } else if (offset == kBaseAddressRegister + 1) {
        config_[offset] = value;
    }
}

uint16_t SimSmbusHost::Base() const
{
    return static_cast<uint16_t>((config_[kBaseAddressRegister] | (config_[kBaseAddressRegister + 1] << 8)) & 0xFFE0);
}

void SimSmbusHost::SetBase(uint16_t base)
{
    config_[kBaseAddressRegister] = static_cast<uint8_t>((base & 0xE0) | 0x01);
    config_[kBaseAddressRegister + 1] = static_cast<uint8_t>(base >> 8);
}

void SimSmbusHost::SetIoEnabled(bool enabled)
{
    config_[kCommandRegister] = static_cast<uint8_t>(enabled ? config_[kCommandRegister] | 0x01 : config_[kCommandRegister] & ~0x01);
}

bool SimSmbusHost::Handles(uint16_t port) const
{
    return IoEnabled() && port >= Base() && port < Base() + 32;
}

uint8_t SimSmbusHost::Read(uint16_t port)
{
    switch (port - Base()) {
    case kStatus: {
        if (fault_ == SmbusHostFault::kStaysBusy) return status_ | kBusy;
        const uint8_t seen = status_;
        if (running_ && --busyReadsLeft_ <= 0) Complete();
        return seen;
    }
    case kControl: return control_ & static_cast<uint8_t>(~kControlStart);
    case kHostCommand: return hostCommand_;
    case kSlaveAddress: return slaveAddress_;
    case kData0: return data0_;
    default: return 0xFF;
    }
}

void SimSmbusHost::Write(uint16_t port, uint8_t value)
{
    switch (port - Base()) {
    case kStatus: status_ &= static_cast<uint8_t>(~(value & 0xFE)); break;
    case kControl:
        control_ = value;
        if ((value & kControlStart) != 0) StartTransaction(value);
        break;
    case kHostCommand: hostCommand_ = value; break;
    case kSlaveAddress: slaveAddress_ = value; break;
    case kData0: data0_ = value; break;
    default: break;
    }
}

void SimSmbusHost::StartTransaction(uint8_t control)
{
    if (fault_ == SmbusHostFault::kStaysBusy || running_) return;
    switch (fault_) {
    case SmbusHostFault::kDeviceError: status_ |= kDeviceError; return;
    case SmbusHostFault::kBusError: status_ |= kBusError; return;
    case SmbusHostFault::kFailed: status_ |= kFailedBit; return;
    default: break;
    }
    // Only the byte-data protocol to the fan chip is answered; anything else is not
    // acknowledged.
    if ((control & kProtocolMask) != kProtocolByteData || (slaveAddress_ >> 1) != SimFanChip::kAddress) {
        status_ |= kDeviceError;
        return;
    }
    running_ = true;
    status_ |= kBusy;
    busyReadsLeft_ = busyReads_;
    if (busyReadsLeft_ == 0) Complete();
}

void SimSmbusHost::Complete()
{
    running_ = false;
    if ((slaveAddress_ & 0x01) != 0) {
        data0_ = fanChip_.Register(hostCommand_);
    } else {
        fanChip_.SetRegister(hostCommand_, data0_);
    }
    status_ = static_cast<uint8_t>((status_ & ~kBusy) | kInterrupt);
}
