#pragma once

#include <cstdint>

// Where a task reports its progress: the firmware dialog in the program (a blocking
// WM_USER+1002), a recorder in tests. The sender waits until the report is handled.
class ProgressWindow {
public:
    // WM_USER + 1002.
    static constexpr uint32_t kProgressMessage = 0x0400 + 1002;

    virtual ~ProgressWindow() = default;
    virtual void SendProgress(int32_t code, intptr_t value) = 0;
};
