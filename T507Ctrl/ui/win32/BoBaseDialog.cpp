#include "ui/win32/BoBaseDialog.h"

int32_t BoBaseDialog::SendRequest(Message* message)
{
    HWND window = Handle();
    if (window == nullptr || !::IsWindow(window)) return 0;
    return static_cast<int32_t>(::SendMessageW(window, kRequestMessage, 0, reinterpret_cast<LPARAM>(message)));
}

LRESULT BoBaseDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRequestMessage) return HandleRequest(reinterpret_cast<Message*>(lParam));
    return BaseDialog::WindowProc(message, wParam, lParam);
}
