#include "base/win32/SystemPauses.h"
#include "link/DebugTrace.h"
#include "link/win32/DebuggerTraceSink.h"
#include "link/win32/Win32HidServices.h"
#include "monitor/win32/NvApiLibrary.h"
#include "monitor/win32/WinRing0Ports.h"
#include "win32/T507CtrlApp.h"

#include <windows.h>

// The lighting utility on the PC's own hardware.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    DebuggerTraceSink trace;
    InstallTraceSink(&trace);

    Win32HidServices hid;
    WinRing0Ports ports;
    NvApiDriver gpu = MakeSystemNvApiDriver();
    SystemPauses pauses;
    Hardware hardware{hid, ports, gpu, pauses, MeasureDesktop, WindowDpi};

    CT507CtrlApp app(instance);
    const int exitCode = app.Run(hardware);
    InstallTraceSink(nullptr);
    return exitCode;
}
