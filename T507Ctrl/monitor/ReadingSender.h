#pragma once

#include <cstdint>

// The window the sensor threads report to, as an opaque handle (an HWND on Windows).
using WindowHandle = void*;

// Window messages that carry the readings, as their first parameter.
inline constexpr uint32_t kUserMessage = 0x0400;  // WM_USER
inline constexpr uint32_t kFanSpeedMessage = kUserMessage + 2;        // rpm
inline constexpr uint32_t kGpuTemperatureMessage = kUserMessage + 3;  // °C
inline constexpr uint32_t kCpuTemperatureMessage = kUserMessage + 4;  // °C

// Hands one reading to the target window and returns once the window has handled it.
class ReadingSender {
public:
    virtual ~ReadingSender() = default;
    virtual void SendReading(WindowHandle target, uint32_t message, int32_t value) = 0;

    // Called over and over on the target window's thread while it waits for the
    // sensor threads to end: delivers a reading a thread is sending right then, which
    // would otherwise wait for the waiting thread while that thread waits for it.
    virtual void ServePendingReadings() {}
};
