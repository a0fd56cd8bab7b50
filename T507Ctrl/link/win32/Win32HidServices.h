#pragma once

#include "link/HidServices.h"

#include <map>
#include <memory>
#include <mutex>

// The HID services of Windows: device setup for the interface paths, the HID class
// functions for identity and reports, overlapped file I/O with events for the
// bounded waits, and device-interface notifications.
class Win32HidServices final : public HidServices {
public:
    Win32HidServices();
    ~Win32HidServices() override;

    bool InterfacePath(uint32_t memberIndex, std::wstring& path) override;
    Handle Open(const std::wstring& path, bool exclusive, uint32_t& error) override;
    bool Attributes(Handle handle, uint16_t& vendor, uint16_t& product) override;
    bool SerialNumber(Handle handle, std::wstring& serial) override;
    bool ReportLengths(Handle handle, uint16_t& inputLength, uint16_t& outputLength) override;
    void SetInputBufferCount(Handle handle, uint32_t count) override;
    bool FlushInput(Handle handle, uint32_t& error) override;
    Io ReadReport(Handle handle, uint8_t* report, size_t length, uint32_t timeoutMs, size_t& received) override;
    Io WriteReport(Handle handle, const uint8_t* report, size_t length, uint32_t timeoutMs) override;
    void Close(Handle handle) override;
    uintptr_t WatchInterfaces(void* window) override;
    void StopWatching(uintptr_t registration) override;

private:
    struct OpenInterface;
    struct Watch;
    // The open interface behind a handle this object gave out, or null.
    OpenInterface* Find(Handle handle);

    std::mutex mutex_;
    std::map<Handle, std::unique_ptr<OpenInterface>> open_;
    std::map<uintptr_t, std::unique_ptr<Watch>> watches_;
    uintptr_t nextHandle_ = 0x10;
};
