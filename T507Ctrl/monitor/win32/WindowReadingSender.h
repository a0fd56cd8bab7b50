#pragma once

#include "monitor/ReadingSender.h"

// Sends each reading to its window with SendMessageW (value in the first parameter,
// 0 in the second) and so waits until the window has handled it.
class WindowReadingSender final : public ReadingSender {
public:
    void SendReading(WindowHandle target, uint32_t message, int32_t value) override;
    // Handles the messages other threads are sending to this thread's windows.
    void ServePendingReadings() override;
};
