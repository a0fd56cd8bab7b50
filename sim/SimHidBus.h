#pragma once

#include "link/HidServices.h"
#include "sim/SimClock.h"
#include "sim/SimLightingController.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// The machine's HID bus with simulated devices on it: lighting controllers (each with
// one path per interface, lower-case vid_04d9&pid_8008, mi_nn parts when there are
// several) and other HID devices that only take up member indexes. Waits for reports
// run on the simulated clock: a read that finds nothing moves the clock on by its
// time-out instead of waiting. Thread-safe.
class SimHidBus final : public HidServices {
public:
    explicit SimHidBus(SimClock& clock);

    // Hosts a controller (not owned; it must outlive the bus).
    void Attach(SimLightingController& controller);
    // Another HID device (a keyboard, a mouse) with one interface.
    void AddOtherDevice(uint16_t vendor, uint16_t product, const std::wstring& serial = L"");

    std::vector<std::wstring> PresentPaths() const;
    size_t OpenHandleCount() const;
    std::vector<uint32_t> InputBufferCounts() const;   // what each SetInputBufferCount asked for
    size_t WatchCount() const;                        // registrations not yet stopped

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
    struct Device {
        SimLightingController* controller = nullptr;   // null: another device
        uint16_t vendor = 0;
        uint16_t product = 0;
        std::wstring serial;
        int interfaces = 1;
        int busNumber = 0;
    };
    struct Interface {
        size_t device = 0;
        int number = 0;
        std::wstring path;
    };
    struct OpenHandle {
        Interface where;
        bool exclusive = false;
        uint64_t epoch = 0;
    };

    std::vector<Interface> PresentInterfacesLocked() const;
    bool DevicePresentLocked(const Device& device) const;
    std::wstring PathLocked(const Device& device, int interfaceNumber) const;
    // The handle's controller when the handle is alive and on the reporting interface.
    const OpenHandle* AliveLocked(Handle handle) const;

    SimClock& clock_;
    mutable std::mutex mutex_;
    std::vector<Device> devices_;
    std::map<Handle, OpenHandle> handles_;
    Handle nextHandle_ = 0x100;
    std::vector<uint32_t> inputBufferCounts_;
    std::map<uintptr_t, void*> watches_;
    uintptr_t nextWatch_ = 1;
};
