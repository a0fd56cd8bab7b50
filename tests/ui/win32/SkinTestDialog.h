#pragma once

#include <functional>
#include <map>
#include <string>

#include "resource.h"
#include "support/win32/GdiPlusTestEnvironment.h"
#include "support/win32/WindowTestSupport.h"
#include "ui/win32/BkDialog.h"

// The skin folder beside the program: <build>/bin/res/.
inline std::wstring SkinFolder()
{
    return ProgramFolder() + L"res\\";
}

// A string of the program's string table.
inline std::wstring Text(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The main window's template as a skinned test dialog, created modeless and shown:
// counts the click commands of its controls and lets a test look at each background
// paint.
class SkinTestDialog : public BkDialog {
public:
    explicit SkinTestDialog(UINT templateId = IDD_T507CTRL_DIALOG, UINT background = IDB_MAIN_BACKGROUND)
        : BkDialog(templateId, nullptr), background_(background)
    {
    }

    // Creates the window, hidden, at its size, with its background.
    bool Open(int width = 800, int height = 600)
    {
        if (!Create()) return false;
        ::SetWindowPos(Handle(), HWND_TOP, 40, 40, width, height, SWP_NOACTIVATE);
        if (background_ != 0) SetBackgroundBitmap(background_);
        return true;
    }

    // Shows and paints it: the background first, then the controls over it.
    void Show()
    {
        ::ShowWindow(Handle(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(Handle());
        PumpMessages();
    }

    int Clicks(int controlId) const
    {
        const auto found = clicks_.find(controlId);
        return found == clicks_.end() ? 0 : found->second;
    }

    std::function<void(HDC)> backgroundDrawn;

protected:
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override
    {
        if (notifyCode == BN_CLICKED && control != nullptr) ++clicks_[id];
        return BkDialog::OnCommand(id, notifyCode, control);
    }
    void OnBackgroundDrawn(HDC surface) override
    {
        if (backgroundDrawn) backgroundDrawn(surface);
    }
    void OnRequestDone(int32_t, Message*) override {}

private:
    UINT background_;
    std::map<int, int> clicks_;
};
