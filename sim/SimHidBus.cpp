#include "sim/SimHidBus.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwctype>

namespace {

constexpr uint16_t kOtherReportLength = 9;

std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::strlen(text));
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

}  // namespace

SimHidBus::SimHidBus(SimClock& clock) : clock_(clock) {}

void SimHidBus::Attach(SimLightingController& controller)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const SimControllerIdentity& id = controller.Identity();
    devices_.push_back({&controller, id.vendor, id.product, id.serial, std::max(id.interfaceCount, 1),
                        static_cast<int>(devices_.size())});
}

void SimHidBus::AddOtherDevice(uint16_t vendor, uint16_t product, const std::wstring& serial)
{
    std::lock_guard<std::mutex> lock(mutex_);
    devices_.push_back({nullptr, vendor, product, serial, 1, static_cast<int>(devices_.size())});
}

bool SimHidBus::DevicePresentLocked(const Device& device) const
{
    return device.controller == nullptr || device.controller->Present();
}

std::wstring SimHidBus::PathLocked(const Device& device, int interfaceNumber) const
{
    char text[160];
    int n = std::snprintf(text, sizeof text, "\\\\?\\hid#vid_%04x&pid_%04x", device.vendor, device.product);
    if (device.interfaces > 1) n += std::snprintf(text + n, sizeof text - n, "&mi_%02d", interfaceNumber);
    std::snprintf(text + n, sizeof text - n, "#7&%x&0&%04d#{4d1e55b2-f16f-11cf-88cb-001111000030}",
                  0x2a8c31f0u + static_cast<unsigned>(device.busNumber) * 0x1011u, interfaceNumber);
    std::wstring path = Widen(text);
    if (device.controller != nullptr && device.controller->Identity().upperCasePaths) {
        for (wchar_t& c : path) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    return path;
}

std::vector<SimHidBus::Interface> SimHidBus::PresentInterfacesLocked() const
{
    std::vector<Interface> present;
    for (size_t i = 0; i < devices_.size(); ++i) {
        if (!DevicePresentLocked(devices_[i])) continue;
        for (int number = 0; number < devices_[i].interfaces; ++number) {
            present.push_back({i, number, PathLocked(devices_[i], number)});
        }
    }
    return present;
}

std::vector<std::wstring> SimHidBus::PresentPaths() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::wstring> paths;
    for (const Interface& each : PresentInterfacesLocked()) paths.push_back(each.path);
    return paths;
}

size_t SimHidBus::OpenHandleCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return handles_.size();
}

std::vector<uint32_t> SimHidBus::InputBufferCounts() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return inputBufferCounts_;
}

size_t SimHidBus::WatchCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return watches_.size();
}

bool SimHidBus::InterfacePath(uint32_t memberIndex, std::wstring& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const std::vector<Interface> present = PresentInterfacesLocked();
    if (memberIndex >= present.size()) return false;
    path = present[memberIndex].path;
    return true;
}

HidServices::Handle SimHidBus::Open(const std::wstring& path, bool exclusive, uint32_t& error)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Interface& each : PresentInterfacesLocked()) {
        if (!SamePath(each.path, path)) continue;
        const Device& device = devices_[each.device];
        if (device.controller != nullptr && device.controller->HeldExclusively()) {
            error = kErrorSharingViolation;
            return kNoHandle;
        }
        for (const auto& [handle, open] : handles_) {
            if (open.where.device == each.device && open.where.number == each.number && (open.exclusive || exclusive)) {
                error = kErrorSharingViolation;
                return kNoHandle;
            }
        }
        const Handle handle = nextHandle_++;
        handles_[handle] = {each, exclusive, device.controller != nullptr ? device.controller->Epoch() : 0};
        error = 0;
        return handle;
    }
    error = kErrorFileNotFound;
    return kNoHandle;
}

const SimHidBus::OpenHandle* SimHidBus::AliveLocked(Handle handle) const
{
    const auto it = handles_.find(handle);
    if (it == handles_.end()) return nullptr;
    const Device& device = devices_[it->second.where.device];
    if (device.controller == nullptr) return &it->second;
    if (!device.controller->Present() || device.controller->Epoch() != it->second.epoch) return nullptr;
    return &it->second;
}

bool SimHidBus::Attributes(Handle handle, uint16_t& vendor, uint16_t& product)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr) return false;
    vendor = devices_[open->where.device].vendor;
    product = devices_[open->where.device].product;
    return true;
}

bool SimHidBus::SerialNumber(Handle handle, std::wstring& serial)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr) return false;
    serial = devices_[open->where.device].serial.substr(0, 39);
    return true;
}

bool SimHidBus::ReportLengths(Handle handle, uint16_t& inputLength, uint16_t& outputLength)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr) return false;
    const Device& device = devices_[open->where.device];
    if (device.controller != nullptr && open->where.number == 0) {
        inputLength = device.controller->Identity().inputReportLength;
        outputLength = device.controller->Identity().outputReportLength;
    } else {
        inputLength = kOtherReportLength;
        outputLength = kOtherReportLength;
    }
    return true;
}

void SimHidBus::SetInputBufferCount(Handle handle, uint32_t count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (AliveLocked(handle) != nullptr) inputBufferCounts_.push_back(count);
}

bool SimHidBus::FlushInput(Handle handle, uint32_t& error)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (handles_.find(handle) == handles_.end()) {
        error = kErrorInvalidHandle;
        return false;
    }
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr) {
        error = kErrorDeviceNotConnected;
        return false;
    }
    SimLightingController* controller = devices_[open->where.device].controller;
    if (controller != nullptr && open->where.number == 0) controller->DropArrivedInput();
    return true;
}

HidServices::Io SimHidBus::ReadReport(Handle handle, uint8_t* report, size_t length, uint32_t timeoutMs,
                                      size_t& received)
{
    std::lock_guard<std::mutex> lock(mutex_);
    received = 0;
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr || report == nullptr) return Io::kFailed;
    SimLightingController* controller = devices_[open->where.device].controller;
    if (controller != nullptr && open->where.number == 0) {
        const std::optional<SimInputReport> next = controller->PeekInputReport();
        const uint64_t now = clock_.NowMs();
        if (next && next->readyMs <= now + timeoutMs) {
            if (next->readyMs > now) clock_.Advance(next->readyMs - now);
            controller->PopInputReport();
            received = std::min(length, next->bytes.size());
            std::memcpy(report, next->bytes.data(), received);
            return Io::kDone;
        }
    }
    clock_.Advance(timeoutMs);   // nothing came within the wait
    return Io::kTimedOut;
}

HidServices::Io SimHidBus::WriteReport(Handle handle, const uint8_t* report, size_t length, uint32_t)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const OpenHandle* open = AliveLocked(handle);
    if (open == nullptr || report == nullptr) return Io::kFailed;
    SimLightingController* controller = devices_[open->where.device].controller;
    if (controller == nullptr || open->where.number != 0) return Io::kDone;
    // The driver takes output reports of exactly the device's length.
    if (length != controller->Identity().outputReportLength) return Io::kFailed;
    controller->ReceiveOutputReport(report, length);
    return Io::kDone;
}

void SimHidBus::Close(Handle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    handles_.erase(handle);
}

uintptr_t SimHidBus::WatchInterfaces(void* window)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const uintptr_t registration = nextWatch_++;
    watches_[registration] = window;
    return registration;
}

void SimHidBus::StopWatching(uintptr_t registration)
{
    std::lock_guard<std::mutex> lock(mutex_);
    watches_.erase(registration);
}
