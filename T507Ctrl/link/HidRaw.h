#pragma once

#include "link/HidServices.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

// Status codes of the raw HID layer.
enum HidStatus : uint8_t {
    kHidOk = 0,
    kHidNoInterface = 1,
    kHidNotOpen = 2,
    kHidBusy = 3,            // already open, or held exclusively by another handle
    kHidTimeout = 4,
    kHidIoFailure = 5,
    kHidInvalidHandle = 6,
    kHidOtherFailure = 255,  // or path not found
};

// Which device of a table row to open: the n-th matching interface with this serial.
struct DeviceSerial {
    static constexpr size_t kSerialSize = 40;
    uint32_t instance = 0;
    std::array<char, kSerialSize> serial{};   // narrow text, NUL-terminated
};

// State of the raw connection to one HID interface.
struct HidDevice {
    static constexpr size_t kReceiveBufferSize = 8192;
    static constexpr uint32_t kDefaultReadTimeoutMs = 600;
    static constexpr uint32_t kDefaultWriteTimeoutMs = 500;

    HidServices::Handle handle = HidServices::kNoHandle;
    bool open = false;
    uint32_t readTimeout = 0;
    uint32_t writeTimeout = 0;
    uint16_t inputReportLength = 0;
    uint16_t outputReportLength = 0;
    std::array<uint8_t, kReceiveBufferSize> receiveBuffer{};
    uint16_t pending = 0;   // undelivered data bytes at the start of receiveBuffer
};

// Resets the device to closed and puts the default time-outs into those that are 0.
void HidInitDevice(HidDevice& device);

// The process-wide lock of every operation that touches an open device. Taken after
// the transport's own mutex.
std::recursive_mutex& HidDeviceLock();

// "vid_xxxx&pid_xxxx" in lower-case hexadecimal, as device paths carry it.
std::wstring HidIdPattern(uint16_t vendor, uint16_t product);

// Serial number as narrow text: at most 39 characters, anything beyond ASCII as '?'.
std::string HidNarrowSerial(const std::wstring& serial);

HidStatus HidFindPath(HidServices& hid, uint16_t vendor, uint16_t product, uint32_t memberIndex, std::wstring& path);
HidServices::Handle HidOpenPath(HidServices& hid, const std::wstring& path, uint16_t vendor, uint16_t product,
                                uint32_t& error, bool exclusiveFirst);
int HidCountInterfaces(HidServices& hid, uint16_t vendor, uint16_t product, int divisor);
int HidCountDevices(HidServices& hid, uint16_t vendor, uint16_t product, DeviceSerial* slots, int slotCount);
HidStatus HidOpen(HidServices& hid, HidDevice& device, uint16_t vendor, uint16_t product, uint32_t instance,
                  const char* wantedSerial, int interfaceCount);
HidStatus HidRead(HidServices& hid, HidDevice& device, uint8_t* buffer, size_t count, size_t& received);
HidStatus HidWrite(HidServices& hid, HidDevice& device, const uint8_t* buffer, size_t count);
HidStatus HidFlush(HidServices& hid, HidDevice& device);
HidStatus HidClose(HidServices& hid, HidDevice& device);
