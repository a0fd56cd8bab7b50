#pragma once

#include <windows.h>

#include <string>

// The questions the firmware update asks the user: which file, and the message boxes.
// The program asks with the system's dialogs; tests answer them themselves.
class FirmwarePrompts {
public:
    virtual ~FirmwarePrompts() = default;

    // An open-file dialog with the title; false when cancelled. path receives the full path.
    virtual bool ChooseFile(HWND owner, const std::wstring& title, std::wstring& path) = 0;
    // A message box; the identifier of the button chosen (IDOK, IDCANCEL).
    virtual int Show(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;
};

// The system's open-file dialog (all files, default extension "txt") and MessageBoxW.
class SystemFirmwarePrompts final : public FirmwarePrompts {
public:
    bool ChooseFile(HWND owner, const std::wstring& title, std::wstring& path) override;
    int Show(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
};

// The filter text of the file dialog, "(*.*)|*.*|", as the dialog takes it: every bar
// becomes a NUL and the list ends in two NULs.
std::wstring FileDialogFilter(const std::wstring& barSeparated);
