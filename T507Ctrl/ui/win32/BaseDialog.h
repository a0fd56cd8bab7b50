#pragma once

#include "ui/win32/Dialog.h"

// The common root of the program's own dialogs.
class BaseDialog : public Dialog {
public:
    BaseDialog(UINT templateId, HWND parent) : Dialog(templateId, parent) {}
};
