#include "base/win32/SystemPauses.h"
#include "link/DebugTrace.h"
#include "link/win32/DebuggerTraceSink.h"
#include "sim/SimControllerFile.h"
#include "sim/SimGpu.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"
#include "sim/SimSensorPorts.h"
#include "win32/AppEnvironment.h"
#include "win32/T507CtrlApp.h"

#include <windows.h>

// The lighting utility on a simulated Kadu: a lighting controller on a simulated HID
// bus, simulated fan, CPU and GPU sensors. The controller keeps its lighting in a file
// beside the program from one run to the next.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    DebuggerTraceSink trace;
    InstallTraceSink(&trace);

    const std::wstring stateFile = DirectoryOf(ExecutablePath()) + L"simulated-controller.bin";
    SimClock clock;
    clock.FollowRealTime();
    SimLightingController controller(clock);
    LoadControllerState(controller, stateFile);
    SimHidBus bus(clock);
    bus.Attach(controller);
    SimSensorPorts ports;
    SimGpu gpu;
    SystemPauses pauses;
    Hardware hardware{bus, ports, gpu, pauses, MeasureDesktop, WindowDpi};

    CT507CtrlApp app(instance);
    const int exitCode = app.Run(hardware);
    SaveControllerState(controller, stateFile);
    InstallTraceSink(nullptr);
    return exitCode;
}
