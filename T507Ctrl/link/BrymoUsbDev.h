#pragma once

#include "link/CommInter.h"
#include "link/HidRaw.h"
#include "link/HidServices.h"

#include <atomic>
#include <mutex>
#include <vector>

// The USB HID transport of the lighting controller: finds the device of a table row,
// opens it, and moves frames as 0x3F reports. Open, Read, Write, Close and the
// destructor hold the transport's mutex, then the raw layer's lock; CountPresent and
// IsOpen take none.
class BrymoUsbDev final : public CommInter {
public:
    static constexpr uint32_t kReadTimeoutMs = 1000;
    static constexpr uint32_t kWriteTimeoutMs = 50;

    explicit BrymoUsbDev(HidServices& hid);
    ~BrymoUsbDev();
    BrymoUsbDev(const BrymoUsbDev&) = delete;
    BrymoUsbDev& operator=(const BrymoUsbDev&) = delete;

    // Keeps the table (owned by the caller, who keeps it alive) and, when a window is
    // given, registers it for HID arrival and removal notices.
    void Init(void* window, DeviceEntry* table, int32_t rowCount);

    int32_t CountPresent() override;
    int32_t Open(int32_t index) override;
    int32_t IsOpen() override;
    int32_t Read(uint8_t* buffer, int32_t count) override;
    int32_t Write(const uint8_t* buffer, int32_t count) override;
    int32_t Close() override;

    const std::vector<DeviceSerial>& Serials() const { return serials_; }

private:
    HidServices& hid_;
    std::mutex lock_;
    void* window_ = nullptr;
    std::atomic<int32_t> open_{0};
    HidDevice device_;
    uintptr_t notification_ = 0;
    DeviceEntry* table_ = nullptr;
    int32_t rowCount_ = 0;
    std::vector<DeviceSerial> serials_;
};
