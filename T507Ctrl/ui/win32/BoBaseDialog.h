#pragma once

#include <cstdint>

#include "link/RequestWindow.h"
#include "ui/win32/BaseDialog.h"

// A dialog that executes controller requests on its own thread: the link sends it
// WM_USER+1000 with the message, and the dialog runs the request there.
class BoBaseDialog : public BaseDialog, public RequestWindow {
public:
    static constexpr UINT kRequestMessage = WM_USER + 1000;

    BoBaseDialog(UINT templateId, HWND parent) : BaseDialog(templateId, parent) {}

    // Blocks until the dialog's thread has run the request; 0 without a window.
    int32_t SendRequest(Message* message) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
