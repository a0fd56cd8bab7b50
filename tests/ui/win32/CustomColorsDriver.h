#pragma once

#include <windows.h>

#include <vector>

#include "resource.h"

// Plays the user of a modal custom colour dialog: a thread timer, which the modal loop
// dispatches, finds the dialog once it is up, presses the mouse at each pick point and
// then clicks the closing button, all by posted mouse messages. One driver at a time.
class CustomColorsDriver {
public:
    explicit CustomColorsDriver(std::vector<POINT> picks = {}, int closeId = IDC_RETURN)
        : picks_(std::move(picks)), closeId_(closeId)
    {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, 20, Tick);
    }
    ~CustomColorsDriver()
    {
        if (timer_ != 0) ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    CustomColorsDriver(const CustomColorsDriver&) = delete;
    CustomColorsDriver& operator=(const CustomColorsDriver&) = delete;

    static constexpr INT_PTR kForced = -2;

    // How many dialogs the driver found and clicked shut.
    int Closed() const { return closed_; }
    // A dialog stayed open after the closing click and was ended by force.
    bool Forced() const { return forced_; }

    // A shown dialog of this thread with a visible RETURN button, or null.
    static HWND FindDialog()
    {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM result) -> BOOL {
                HWND button = ::GetDlgItem(window, IDC_RETURN);
                if (!::IsWindowVisible(window) || button == nullptr || !::IsWindowVisible(button)) return TRUE;
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    static void Click(HWND window, int x, int y)
    {
        ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        CustomColorsDriver* self = current_;
        if (self == nullptr) return;
        HWND dialog = FindDialog();
        if (dialog == nullptr) return;
        if (dialog == self->handled_) {
            // The closing click did not close it: end it, so that the test fails instead of hanging.
            if (++self->waited_ > 100) {
                ::EndDialog(dialog, kForced);
                self->forced_ = true;
            }
            return;
        }
        self->handled_ = dialog;
        self->waited_ = 0;
        for (const POINT& pick : self->picks_) Click(dialog, pick.x, pick.y);
        Click(::GetDlgItem(dialog, self->closeId_), 5, 5);
        ++self->closed_;
    }

    static inline CustomColorsDriver* current_ = nullptr;
    std::vector<POINT> picks_;
    int closeId_;
    UINT_PTR timer_ = 0;
    HWND handled_ = nullptr;
    int closed_ = 0;
    int waited_ = 0;
    bool forced_ = false;
};
