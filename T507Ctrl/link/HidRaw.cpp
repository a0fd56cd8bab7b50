#include "link/HidRaw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr uint32_t kMemberLimit = 128;          // member indexes looked at: 0 .. 127 (128 answers 255)
constexpr uint8_t kReportId = 0x3F;
constexpr size_t kInputHeader = 2;              // report ID, data length
constexpr size_t kOutputHeader = 3;             // report ID, chunk length, continuation
constexpr size_t kMaxChunk = 61;
constexpr size_t kOutputReportBufferSize = 256;
constexpr uint32_t kInputBufferCount = 512;
constexpr size_t kMaxCollectedSerials = 6;
constexpr size_t kInterfacePartAt = 26;         // "mi_" of \\?\hid#vid_xxxx&pid_xxxx&mi_nn
constexpr size_t kInterfaceDigitsAt = 30;

bool IsInvalidHandle(HidServices::Handle handle)
{
    return handle == HidServices::kNoHandle || handle == ~HidServices::Handle{0};
}

// The interface number of a path, when its interface part sits where the system puts it.
bool InterfaceNumber(const std::wstring& path, int& number)
{
    if (path.size() < kInterfacePartAt + 3 || path.compare(kInterfacePartAt, 3, L"mi_") != 0) return false;
    number = 0;
    for (size_t i = kInterfaceDigitsAt; i < path.size() && i < kInterfaceDigitsAt + 6; ++i) {
        if (path[i] < L'0' || path[i] > L'9') break;
        number = number * 10 + static_cast<int>(path[i] - L'0');
    }
    return true;
}

}  // namespace

void HidInitDevice(HidDevice& device)
{
    device.handle = HidServices::kNoHandle;
    device.open = false;
    device.pending = 0;
    device.inputReportLength = 0;
    device.outputReportLength = 0;
    if (device.readTimeout == 0) device.readTimeout = HidDevice::kDefaultReadTimeoutMs;
    if (device.writeTimeout == 0) device.writeTimeout = HidDevice::kDefaultWriteTimeoutMs;
}

std::recursive_mutex& HidDeviceLock()
{
    static std::recursive_mutex lock;
    return lock;
}

std::wstring HidIdPattern(uint16_t vendor, uint16_t product)
{
    char text[32];
    std::snprintf(text, sizeof text, "vid_%04x&pid_%04x", vendor, product);
    return std::wstring(text, text + std::strlen(text));
}

std::string HidNarrowSerial(const std::wstring& serial)
{
    std::string narrow;
    for (wchar_t c : serial) {
        if (c == L'\0' || narrow.size() == DeviceSerial::kSerialSize - 1) break;
        narrow.push_back(static_cast<uint32_t>(c) < 0x80 ? static_cast<char>(c) : '?');
    }
    return narrow;
}

HidStatus HidFindPath(HidServices& hid, uint16_t vendor, uint16_t product, uint32_t memberIndex, std::wstring& path)
{
    if (memberIndex >= kMemberLimit) return kHidOtherFailure;
    std::wstring found;
    if (!hid.InterfacePath(memberIndex, found)) return kHidOtherFailure;
    if (found.find(HidIdPattern(vendor, product)) == std::wstring::npos) return kHidOtherFailure;
    path = found;
    return kHidOk;
}

HidServices::Handle HidOpenPath(HidServices& hid, const std::wstring& path, uint16_t vendor, uint16_t product,
                                uint32_t& error, bool exclusiveFirst)
{
    error = 0;
    HidServices::Handle handle = hid.Open(path, exclusiveFirst, error);
    if (handle == HidServices::kNoHandle && error == HidServices::kErrorSharingViolation) {
        handle = hid.Open(path, false, error);
    }
    if (handle == HidServices::kNoHandle) return HidServices::kNoHandle;
    error = 0;

    uint16_t foundVendor = 0;
    uint16_t foundProduct = 0;
    if (!hid.Attributes(handle, foundVendor, foundProduct) || foundVendor != vendor || foundProduct != product) {
        hid.Close(handle);
        return HidServices::kNoHandle;
    }
    return handle;
}

int HidCountInterfaces(HidServices& hid, uint16_t vendor, uint16_t product, int divisor)
{
    int count = 0;
    for (uint32_t member = 0; member <= kMemberLimit; ++member) {
        std::wstring path;
        if (HidFindPath(hid, vendor, product, member, path) != kHidOk) continue;
        uint32_t error = 0;
        const HidServices::Handle handle = HidOpenPath(hid, path, vendor, product, error, false);
        if (handle != HidServices::kNoHandle || error == HidServices::kErrorSharingViolation) ++count;
        if (handle != HidServices::kNoHandle) hid.Close(handle);
    }
    return divisor > 0 ? count / divisor : count;
}

// Devices are told apart by serial number; the interfaces of a device without one are
// folded together by their interface numbers.
int HidCountDevices(HidServices& hid, uint16_t vendor, uint16_t product, DeviceSerial* slots, int slotCount)
{
    const size_t slotLimit = std::min<size_t>(kMaxCollectedSerials, slots != nullptr && slotCount > 0 ? slotCount : 0);
    std::vector<std::string> collected;
    bool anyCollected = false;
    int interfaces = 1;
    int largestInterface = 0;
    std::string last;

    for (uint32_t member = 0; member <= kMemberLimit; ++member) {
        std::wstring path;
        if (HidFindPath(hid, vendor, product, member, path) != kHidOk) continue;
        uint32_t error = 0;
        const HidServices::Handle handle = HidOpenPath(hid, path, vendor, product, error, false);
        if (handle == HidServices::kNoHandle) continue;
        std::wstring wide;
        if (!hid.SerialNumber(handle, wide)) {
            hid.Close(handle);
            continue;
        }
        const std::string serial = HidNarrowSerial(wide);
        last = serial;
        const bool known = std::find(collected.begin(), collected.end(), serial) != collected.end();
        if (serial.empty() && anyCollected && known) {
            ++interfaces;
            int number = 0;
            if (InterfaceNumber(path, number)) largestInterface = std::max(largestInterface, number);
        } else if (!known && interfaces == 1) {
            anyCollected = true;
            if (collected.size() < slotLimit) {
                DeviceSerial& slot = slots[collected.size()];
                slot.serial.fill(0);
                std::memcpy(slot.serial.data(), serial.data(), serial.size());
                collected.push_back(serial);
            }
        }
        hid.Close(handle);
    }

    int devices = static_cast<int>(collected.size());
    if (interfaces > 2) {
        devices = interfaces / (largestInterface + 1);
    } else if (interfaces == 2 && collected.size() != 2) {
        devices = 2 / (largestInterface + 1);
    } else {
        return devices;
    }
    for (size_t i = collected.size(); i < static_cast<size_t>(std::max(devices, 0)) && i < slotLimit; ++i) {
        slots[i].serial.fill(0);
        std::memcpy(slots[i].serial.data(), last.data(), last.size());
    }
    return devices;
}

HidStatus HidOpen(HidServices& hid, HidDevice& device, uint16_t vendor, uint16_t product, uint32_t instance,
                  const char* wantedSerial, int interfaceCount)
{
    std::lock_guard<std::recursive_mutex> lock(HidDeviceLock());
    if (device.open) return kHidBusy;
    const std::string wanted = wantedSerial != nullptr ? wantedSerial : "";
    uint32_t matches = 0;

    for (uint32_t member = 0; member < kMemberLimit; ++member) {
        std::wstring path;
        if (HidFindPath(hid, vendor, product, member, path) != kHidOk) continue;
        uint32_t error = 0;
        const HidServices::Handle handle = HidOpenPath(hid, path, vendor, product, error, interfaceCount == 1);
        if (handle == HidServices::kNoHandle && error == HidServices::kErrorSharingViolation) return kHidBusy;
        if (handle == HidServices::kNoHandle) continue;

        std::wstring serial;
        if (!hid.SerialNumber(handle, serial)) serial.clear();
        if (HidNarrowSerial(serial) != wanted || matches++ != instance) {
            hid.Close(handle);
            continue;
        }
        device.handle = handle;
        device.open = true;
        device.pending = 0;
        uint16_t inputLength = 0;
        uint16_t outputLength = 0;
        if (hid.ReportLengths(handle, inputLength, outputLength)) {
            if (inputLength != 0) device.inputReportLength = inputLength;
            if (outputLength != 0) device.outputReportLength = outputLength;
        }
        hid.SetInputBufferCount(handle, kInputBufferCount);
        return kHidOk;
    }
    return kHidNoInterface;
}

HidStatus HidRead(HidServices& hid, HidDevice& device, uint8_t* buffer, size_t count, size_t& received)
{
    std::lock_guard<std::recursive_mutex> lock(HidDeviceLock());
    received = 0;
    if (buffer == nullptr && count != 0) return kHidOtherFailure;
    uint8_t* const data = device.receiveBuffer.data();

    if (device.pending > count) {
        std::memcpy(buffer, data, count);
        std::memmove(data, data + count, device.pending - count);
        device.pending = static_cast<uint16_t>(device.pending - count);
        received = count;
        return kHidOk;
    }

    size_t delivered = device.pending;
    if (delivered != 0) std::memcpy(buffer, data, delivered);
    device.pending = 0;

    HidStatus status = kHidOk;
    while (delivered < count && status == kHidOk) {
        if (!device.open) {
            status = kHidNotOpen;
            break;
        }
        const size_t reportLength = std::min<size_t>(device.inputReportLength, HidDevice::kReceiveBufferSize);
        if (reportLength <= kInputHeader) {
            status = kHidIoFailure;
            break;
        }
        size_t got = 0;
        const HidServices::Io io = hid.ReadReport(device.handle, data, reportLength, device.readTimeout, got);
        if (io == HidServices::Io::kTimedOut) {
            if (delivered == 0) status = kHidTimeout;
            break;
        }
        if (io != HidServices::Io::kDone) {
            status = kHidIoFailure;
            break;
        }
        got = std::min(got, reportLength);
        if (got < kInputHeader || data[0] != kReportId) continue;   // another report: skip it

        // A length byte beyond what the report holds is cut to the report.
        const size_t n = std::min<size_t>(data[1], got - kInputHeader);
        const size_t remaining = count - delivered;
        if (n > remaining) {
            std::memcpy(buffer + delivered, data + kInputHeader, remaining);
            std::memmove(data, data + kInputHeader + remaining, n - remaining);
            device.pending = static_cast<uint16_t>(n - remaining);
            delivered = count;
        } else {
            std::memcpy(buffer + delivered, data + kInputHeader, n);
            delivered += n;
        }
    }
    received = delivered;
    return status;
}

HidStatus HidWrite(HidServices& hid, HidDevice& device, const uint8_t* buffer, size_t count)
{
    std::lock_guard<std::recursive_mutex> lock(HidDeviceLock());
    if (buffer == nullptr && count != 0) return kHidOtherFailure;
    size_t sent = 0;
    while (sent < count) {
        if (!device.open) return kHidNotOpen;
        const size_t reportLength = device.outputReportLength;
        if (reportLength <= kOutputHeader || reportLength > kOutputReportBufferSize) return kHidOtherFailure;

        const size_t chunk = std::min({kMaxChunk, count - sent, reportLength - kOutputHeader});
        std::array<uint8_t, kOutputReportBufferSize> report{};
        report[0] = kReportId;
        report[1] = static_cast<uint8_t>(chunk);
        report[2] = sent + chunk < count ? 1 : 0;
        std::memcpy(report.data() + kOutputHeader, buffer + sent, chunk);

        const HidServices::Io io = hid.WriteReport(device.handle, report.data(), reportLength, device.writeTimeout);
        if (io == HidServices::Io::kTimedOut) return kHidTimeout;
        if (io != HidServices::Io::kDone) return kHidIoFailure;
        sent += chunk;
    }
    return kHidOk;
}

HidStatus HidFlush(HidServices& hid, HidDevice& device)
{
    std::lock_guard<std::recursive_mutex> lock(HidDeviceLock());
    device.pending = 0;
    if (IsInvalidHandle(device.handle)) return kHidInvalidHandle;
    uint32_t error = 0;
    if (hid.FlushInput(device.handle, error)) return kHidOk;
    return error == HidServices::kErrorInvalidHandle ? kHidInvalidHandle : kHidOtherFailure;
}

HidStatus HidClose(HidServices& hid, HidDevice& device)
{
    std::lock_guard<std::recursive_mutex> lock(HidDeviceLock());
    if (!device.open) return kHidNotOpen;
    if (IsInvalidHandle(device.handle)) return kHidInvalidHandle;
    hid.Close(device.handle);
    device.handle = HidServices::kNoHandle;
    device.open = false;
    device.pending = 0;
    return kHidOk;
}
