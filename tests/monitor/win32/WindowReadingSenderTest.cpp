#include "monitor/Kadu.h"
#include "monitor/win32/WindowReadingSender.h"
#include "sim/CountingPauses.h"
#include "sim/SimGpu.h"
#include "sim/SimSensorPorts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <memory>
#include <sstream>

namespace {

// A message-only window that keeps the last first parameter of each message.
class ReadingWindow {
public:
    ReadingWindow()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &ReadingWindow::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"LumivarReadingWindowTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~ReadingWindow() { DestroyWindow(window_); }

    HWND Handle() const { return window_; }
    std::map<UINT, int32_t> last;
    std::map<UINT, LPARAM> lastLParam;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<ReadingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && message >= kFanSpeedMessage && message <= kCpuTemperatureMessage) {
            self->last[message] = static_cast<int32_t>(wParam);
            self->lastLParam[message] = lParam;
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

TEST(WindowReadingSender, DeliversTheValueInTheFirstParameter)
{
    ReadingWindow window;
    WindowReadingSender sender;
    sender.SendReading(window.Handle(), kGpuTemperatureMessage, -12);
    EXPECT_EQ(window.last[kGpuTemperatureMessage], -12);
    EXPECT_EQ(window.lastLParam[kGpuTemperatureMessage], 0);
}

TEST(WindowReadingSender, SensorThreadsReportToAWindowAndTheHostEndsWhileTheyAreSending)
{
    SimSensorPorts ports;
    ports.Start();
    ports.SetFanRpm(1200);
    ports.SetCpuTemperature(51);
    SimGpu gpu;
    gpu.SetTemperature(44);
    CountingPauses pauses;
    WindowReadingSender sender;
    std::ostringstream gpuOutput;
    ReadingWindow window;
    auto kadu = std::make_unique<Kadu>(ports, pauses, sender, gpu, gpuOutput);
    ASSERT_EQ(kadu->Gpu().Open(), 0);
    ASSERT_TRUE(kadu->Start(window.Handle()));

    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (window.last.size() < 3 && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(1);
    }
    EXPECT_EQ(window.last[kFanSpeedMessage], 1200);
    EXPECT_EQ(window.last[kGpuTemperatureMessage], 44);
    EXPECT_EQ(window.last[kCpuTemperatureMessage], 51);

    // Unserved for a while, every thread ends up blocked sending its next reading to
    // this thread's window; ending the host must serve them rather than wait forever.
    Sleep(50);
    kadu.reset();
}

}  // namespace
