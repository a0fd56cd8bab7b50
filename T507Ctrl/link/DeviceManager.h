#pragma once

#include "link/BrymoUsbDev.h"
#include "link/CommInter.h"
#include "link/ControllerLink.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class HidServices;
class RequestWindow;

// Connects and disconnects the lighting controller and hands out the link. Every public
// operation runs under the manager's mutex (taken before the transport's), because the
// firmware worker asks IsConnected from its own thread.
class DeviceManager {
public:
    explicit DeviceManager(HidServices& hid);
    ~DeviceManager();
    DeviceManager(const DeviceManager&) = delete;
    DeviceManager& operator=(const DeviceManager&) = delete;

    // Creates the transport over the table (kept alive by the caller) and attaches the
    // link to it and to the request window. notificationWindow receives HID arrival
    // notices when given.
    void Setup(RequestWindow* window, void* notificationWindow, DeviceEntry* table, int32_t rowCount);

    int32_t Connect(int32_t index);
    void Disconnect();
    int32_t IsConnected();
    // The link, or null before Setup.
    ControllerLink* Controller();
    int32_t SelectedIndex();
    // Rescans the machine and rebuilds one display name per controller present.
    void RefreshNames();
    std::vector<std::wstring> Names();
    int32_t PresentCount();

private:
    HidServices& hid_;
    DeviceEntry* table_ = nullptr;
    int32_t rowCount_ = 0;
    std::unique_ptr<BrymoUsbDev> transport_;
    ControllerLink link_;
    std::vector<std::wstring> names_;
    int32_t presentCount_ = 0;
    int32_t selectedIndex_ = -1;
    std::mutex lock_;
    int32_t linkType_ = 0;   // 0 nothing set up, 1 USB HID controller
};

// "0x%04X_%04X" of a table row.
std::wstring DeviceDisplayName(const DeviceEntry& entry);
