#include "link/BrymoUsbDev.h"

BrymoUsbDev::BrymoUsbDev(HidServices& hid) : hid_(hid)
{
    device_.readTimeout = kReadTimeoutMs;
    device_.writeTimeout = kWriteTimeoutMs;
}

BrymoUsbDev::~BrymoUsbDev()
{
    {
        std::lock_guard<std::mutex> lock(lock_);
        if (HidClose(hid_, device_) == kHidOk) open_ = 0;
    }
    if (notification_ != 0) hid_.StopWatching(notification_);
}

void BrymoUsbDev::Init(void* window, DeviceEntry* table, int32_t rowCount)
{
    window_ = window;
    table_ = table;
    rowCount_ = table != nullptr && rowCount > 0 ? rowCount : 0;
    serials_.assign(static_cast<size_t>(rowCount_), DeviceSerial{});
    HidInitDevice(device_);
    if (window_ != nullptr && notification_ == 0) notification_ = hid_.WatchInterfaces(window_);
}

int32_t BrymoUsbDev::CountPresent()
{
    int32_t present = 0;
    for (int32_t row = 0; row < rowCount_; ++row) {
        DeviceEntry& entry = table_[row];
        const int devices = HidCountDevices(hid_, entry.vendor, entry.product, serials_.data(),
                                            static_cast<int>(serials_.size()));
        entry.present = devices != 0 ? 1 : 0;
        present += entry.present;
    }
    return present;
}

int32_t BrymoUsbDev::Open(int32_t index)
{
    int32_t row = index;
    for (int32_t i = index; i >= 0 && i < rowCount_; ++i) {
        if (table_[i].present != 0) {
            row = i;
            break;
        }
    }

    std::lock_guard<std::mutex> lock(lock_);
    if (row < 0 || row >= rowCount_) {
        open_ = 0;
        return 0;
    }
    const DeviceEntry& entry = table_[row];
    const DeviceSerial& slot = serials_[static_cast<size_t>(row)];
    const int interfaces = HidCountInterfaces(hid_, entry.vendor, entry.product, 1);
    HidOpen(hid_, device_, entry.vendor, entry.product, slot.instance, slot.serial.data(), interfaces);
    // Open only when the device really is: an interface held exclusively elsewhere
    // leaves it closed, and no request could succeed.
    open_ = device_.open ? 1 : 0;
    return open_;
}

int32_t BrymoUsbDev::IsOpen()
{
    return open_;
}

int32_t BrymoUsbDev::Read(uint8_t* buffer, int32_t count)
{
    std::lock_guard<std::mutex> lock(lock_);
    if (open_ == 0 || buffer == nullptr || count <= 0) return 0;
    size_t received = 0;
    const HidStatus status = HidRead(hid_, device_, buffer, static_cast<size_t>(count), received);
    HidFlush(hid_, device_);   // stale replies never reach the next request
    return status == kHidOk ? static_cast<int32_t>(received) : 0;
}

int32_t BrymoUsbDev::Write(const uint8_t* buffer, int32_t count)
{
    std::lock_guard<std::mutex> lock(lock_);
    if (open_ == 0 || buffer == nullptr || count < 0) return 0;
    const HidStatus status = HidWrite(hid_, device_, buffer, static_cast<size_t>(count));
    HidFlush(hid_, device_);
    return status == kHidOk ? 1 : 0;
}

int32_t BrymoUsbDev::Close()
{
    std::lock_guard<std::mutex> lock(lock_);
    if (HidClose(hid_, device_) == kHidOk) open_ = 0;
    return 0;
}
