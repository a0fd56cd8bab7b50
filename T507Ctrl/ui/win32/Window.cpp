#include "ui/win32/Window.h"

#include <commctrl.h>

#include "base/win32/UniqueHandle.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4C56;  // one subclass per window belongs to us
// Where a window names its object (the subclass data cannot be read back with
// mingw's import library).
constexpr wchar_t kObjectProperty[] = L"Lumivar.Window";

// The message hook lives as long as at least one object is attached on the thread.
thread_local UniqueHook messageHook;
thread_local int attachedWindows = 0;

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        for (HWND window = message->hwnd; window != nullptr; window = ::GetParent(window)) {
            if (Window* object = Window::FromHandle(window); object != nullptr && object->PreTranslateMessage(message)) {
                message->message = WM_NULL;
                break;
            }
            if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) == 0) break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

Window::~Window() { Detach(); }

bool Window::Subclass(HWND window)
{
    if (window == nullptr || window_ != nullptr || FromHandle(window) != nullptr) return false;
    if (!::SetPropW(window, kObjectProperty, this)) return false;
    if (!::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        ::RemovePropW(window, kObjectProperty);
        return false;
    }
    window_ = window;
    if (attachedWindows++ == 0)
        messageHook.Reset(::SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, ::GetCurrentThreadId()));
    PreSubclassWindow();
    return true;
}

void Window::Detach()
{
    if (window_ == nullptr) return;
    ::RemoveWindowSubclass(window_, SubclassProc, kSubclassId);
    ::RemovePropW(window_, kObjectProperty);
    window_ = nullptr;
    if (--attachedWindows == 0) messageHook.Reset();
}

Window* Window::FromHandle(HWND window)
{
    if (window == nullptr) return nullptr;
    return static_cast<Window*>(::GetPropW(window, kObjectProperty));
}

bool Window::PreTranslateMessage(MSG*) { return false; }

bool Window::ReflectDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlType == ODT_MENU) return false;
    Window* control = FromHandle(item.hwndItem);
    return control != nullptr && control->OnReflectedDrawItem(item);
}

HBRUSH Window::ReflectCtlColor(HWND control, HDC dc, UINT controlType)
{
    Window* object = FromHandle(control);
    return object != nullptr ? object->OnReflectedCtlColor(dc, controlType) : nullptr;
}

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(window_, message, wParam, lParam);
}

bool Window::OnReflectedDrawItem(const DRAWITEMSTRUCT&) { return false; }

HBRUSH Window::OnReflectedCtlColor(HDC, UINT) { return nullptr; }

LRESULT CALLBACK Window::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR object)
{
    Window* self = reinterpret_cast<Window*>(object);
    if (message == WM_NCDESTROY) {
        // The window goes: let it finish with its own procedure, then forget it.
        const LRESULT result = self->Default(message, wParam, lParam);
        self->Detach();
        return result;
    }
    return self->WindowProc(message, wParam, lParam);
}
