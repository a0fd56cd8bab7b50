#pragma once

#include <windows.h>

// A C++ object attached to a Win32 window by subclassing: the window's messages go to
// the virtual WindowProc, whose default hands them to the window's own procedure.
// Dialogs and the controls inside them are attached this way, whichever code created
// the window. Attaching the first object of a thread installs a message hook that lets
// the objects see queued messages before they are dispatched (PreTranslateMessage).
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Attaches to the window; false when there is no window or it already has an object.
    bool Subclass(HWND window);
    bool SubclassDlgItem(HWND dialog, int controlId) { return Subclass(::GetDlgItem(dialog, controlId)); }
    // Gives the window back its own procedure; the window itself stays.
    void Detach();

    HWND Handle() const { return window_; }

    // The object attached to a window, or null.
    static Window* FromHandle(HWND window);

    // Sees each queued message addressed to this window or to one of its child windows
    // before it is dispatched, and may rewrite it. True drops the message.
    virtual bool PreTranslateMessage(MSG* message);

    // The parent's side of reflection: offers WM_DRAWITEM and WM_CTLCOLOR* to the object
    // of the control they concern. True when that object handled the message.
    static bool ReflectDrawItem(const DRAWITEMSTRUCT& item);
    static HBRUSH ReflectCtlColor(HWND control, HDC dc, UINT controlType);

protected:
    // Runs right after attaching (template controls get their styles fixed here).
    virtual void PreSubclassWindow() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own handling of the message being processed.
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

    // Reflected notifications: a control draws itself or colours itself. The default
    // declines (false, or a null brush), leaving the parent's answer.
    virtual bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item);
    virtual HBRUSH OnReflectedCtlColor(HDC dc, UINT controlType);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR object);

    HWND window_ = nullptr;
};
