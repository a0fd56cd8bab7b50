#pragma once

#include <windows.h>

#include <functional>
#include <string>

class GpuDriver;
class HidServices;
class Pauses;
class PortAccess;

// What the application object settles at start-up and the windows read.
struct AppState {
    std::wstring languageCode = L"EN";
    bool minimiseToTray = false;
    std::wstring executableDirectory;  // ends with a backslash
    std::wstring settingsPath;
    int screenWidth = 0;
    int screenHeight = 0;

    bool FourKScreen() const { return screenWidth >= 3840 && screenHeight >= 2160; }
    // The skin's PNG files.
    std::wstring SkinFolder() const { return executableDirectory + L"/res/"; }
};

// The hardware the program talks to: the real machine, or the simulated Kadu of the demo.
struct Hardware {
    HidServices& hid;
    PortAccess& ports;
    GpuDriver& gpu;
    Pauses& pauses;
    // The desktop's size, measured at start-up and on display changes (tests set it).
    std::function<SIZE()> measureScreen;
    // The main window's DPI (tests set it; Wine always reports 96).
    std::function<UINT(HWND)> windowDpi;
};

SIZE MeasureDesktop();
UINT WindowDpi(HWND window);
