#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The operating system's HID services as the transport uses them: present interface
// paths by member index, opening, identity, report lengths, the input queue and one
// report read or write with a time-out. Handles are opaque; 0 means none.
class HidServices {
public:
    using Handle = uintptr_t;
    static constexpr Handle kNoHandle = 0;

    // System error codes the transport tells apart (the values Windows uses).
    static constexpr uint32_t kErrorFileNotFound = 2;
    static constexpr uint32_t kErrorInvalidHandle = 6;
    static constexpr uint32_t kErrorSharingViolation = 32;
    static constexpr uint32_t kErrorDeviceNotConnected = 1167;

    enum class Io { kDone, kTimedOut, kFailed };

    virtual ~HidServices() = default;

    // Device path of the present HID interface at memberIndex; false past the last one.
    virtual bool InterfacePath(uint32_t memberIndex, std::wstring& path) = 0;
    // Opens an interface for overlapped reading and writing, exclusively or shared.
    // On failure gives kNoHandle and the system error.
    virtual Handle Open(const std::wstring& path, bool exclusive, uint32_t& error) = 0;
    virtual bool Attributes(Handle handle, uint16_t& vendor, uint16_t& product) = 0;
    // The serial number string (at most 39 characters); it may be empty.
    virtual bool SerialNumber(Handle handle, std::wstring& serial) = 0;
    virtual bool ReportLengths(Handle handle, uint16_t& inputLength, uint16_t& outputLength) = 0;
    virtual void SetInputBufferCount(Handle handle, uint32_t count) = 0;
    // Drops the queued input reports; on failure gives the system error.
    virtual bool FlushInput(Handle handle, uint32_t& error) = 0;
    // One input report of up to `length` bytes, waiting at most timeoutMs.
    virtual Io ReadReport(Handle handle, uint8_t* report, size_t length, uint32_t timeoutMs, size_t& received) = 0;
    // One output report of exactly `length` bytes, waiting at most timeoutMs.
    virtual Io WriteReport(Handle handle, const uint8_t* report, size_t length, uint32_t timeoutMs) = 0;
    virtual void Close(Handle handle) = 0;

    // Arrival and removal notices of HID interfaces for a window; 0 when not registered.
    virtual uintptr_t WatchInterfaces(void* window) = 0;
    virtual void StopWatching(uintptr_t registration) = 0;
};
