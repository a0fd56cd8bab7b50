#pragma once

#include "base/win32/UniqueHandle.h"

#include <setupapi.h>
// The HID headers of mingw-w64 declare C functions without saying so.
extern "C" {
#include <hidsdi.h>
}

// Owning types of the device-setup and HID handles, in the manner of UniqueHandle.h.

struct DeviceInfoListTraits {
    using Handle = HDEVINFO;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::SetupDiDestroyDeviceInfoList(h); }
};
using UniqueDeviceInfoList = UniqueHandle<DeviceInfoListTraits>;

struct PreparsedDataTraits {
    using Handle = PHIDP_PREPARSED_DATA;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::HidD_FreePreparsedData(h); }
};
using UniquePreparsedData = UniqueHandle<PreparsedDataTraits>;

struct DeviceNotificationTraits {
    using Handle = HDEVNOTIFY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::UnregisterDeviceNotification(h); }
};
using UniqueDeviceNotification = UniqueHandle<DeviceNotificationTraits>;
