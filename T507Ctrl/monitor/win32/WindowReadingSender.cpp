#include "monitor/win32/WindowReadingSender.h"

#include <windows.h>

void WindowReadingSender::SendReading(WindowHandle target, uint32_t message, int32_t value)
{
    // Sign-extended, so a negative temperature reads back as the same int.
    SendMessageW(static_cast<HWND>(target), message, static_cast<WPARAM>(static_cast<INT_PTR>(value)), 0);
}

void WindowReadingSender::ServePendingReadings()
{
    // Peeking delivers pending sent messages; posted messages stay queued.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
