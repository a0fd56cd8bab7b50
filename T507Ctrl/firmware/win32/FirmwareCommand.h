#pragma once

#include "firmware/win32/FirmwareDlg.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class DeviceManager;
class FirmwarePrompts;
class Pauses;
class RequestWindow;

// Link state words of the main window around a firmware update.
constexpr int32_t kLinkStateBetweenUpdateAndReconnect = 0;
constexpr int32_t kLinkStateFirmwareDialog = 1;
constexpr int32_t kLinkStateReady = 2;

// The main window's "Firmware Update" command. With a connected controller: asks for
// the file and for confirmation, runs the firmware dialog as the link's request window
// (link state 1), then gives the link back to mainWindow, sets link state 0, drops the
// connection, waits 200 ms and sets link state 2. True when the dialog ran: the caller
// then arms its connection timer so the controller is found and read again.
// Without prompts the system's dialogs ask.
bool RunFirmwareCommand(HWND owner, DeviceManager& deviceManager, RequestWindow& mainWindow,
                        const std::wstring& language, const std::function<void(int32_t)>& setLinkState,
                        Pauses& pauses, FirmwarePrompts* prompts = nullptr, const FirmwareDlgTimings& timings = {});
