#pragma once

#include <windows.h>

#include "base/win32/UniqueHandle.h"
#include "ui/win32/Window.h"

// A dialog made from a dialog template of the program's resources, run modally or
// created modeless. Its messages reach the virtual handlers below through Window;
// owner-draw and colour requests of its controls are reflected to the controls first.
class Dialog : public Window {
public:
    Dialog(UINT templateId, HWND parent);
    ~Dialog() override;  // destroys a modeless window

    // Runs the dialog until EndDialog; -1 when the template cannot be made into a window.
    INT_PTR DoModal();
    // Creates the window without a loop of its own, owned by this object; shown when
    // the template says so.
    bool Create();
    void EndDialog(INT_PTR result);

    UINT TemplateId() const { return templateId_; }

    // Where the templates, bitmaps and strings come from: the running executable.
    static HINSTANCE ResourceModule();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // True puts the focus on the first control that takes it.
    virtual BOOL OnInitDialog();
    // True when the command was handled.
    virtual bool OnCommand(WORD id, WORD notifyCode, HWND control);
    virtual void OnOK();
    virtual void OnCancel();
    // WM_CTLCOLOR*: the control's own answer (reflection) when it gives one, otherwise
    // the dialog's default colours.
    virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType);

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    UniqueWindow modelessWindow_;
};
