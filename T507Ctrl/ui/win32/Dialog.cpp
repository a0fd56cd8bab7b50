#include "ui/win32/Dialog.h"

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog()
{
    // Destroyed while this is still a Dialog: the derived handlers are gone already.
    modelessWindow_.Reset();
}

HINSTANCE Dialog::ResourceModule() { return ::GetModuleHandleW(nullptr); }

INT_PTR Dialog::DoModal()
{
    if (Handle() != nullptr) return -1;
    return ::DialogBoxParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create()
{
    if (Handle() != nullptr) return false;
    modelessWindow_.Reset(::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), parent_,
                                               DialogProc, reinterpret_cast<LPARAM>(this)));
    return static_cast<bool>(modelessWindow_);
}

void Dialog::EndDialog(INT_PTR result)
{
    if (Handle() != nullptr) ::EndDialog(Handle(), result);
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam)
{
    // Everything after WM_INITDIALOG goes through the subclass in front of the dialog
    // manager; only the initialisation itself arrives here.
    if (message != WM_INITDIALOG) return FALSE;
    Dialog* self = reinterpret_cast<Dialog*>(lParam);
    if (self == nullptr || !self->Subclass(window)) return TRUE;
    return self->OnInitDialog();
}

LRESULT Dialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_DRAWITEM:
        if (wParam != 0 && ReflectDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                                                    message - WM_CTLCOLORMSGBOX));
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}

BOOL Dialog::OnInitDialog() { return TRUE; }

bool Dialog::OnCommand(WORD id, WORD notifyCode, HWND)
{
    if (notifyCode != BN_CLICKED) return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void Dialog::OnOK() { EndDialog(IDOK); }

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

HBRUSH Dialog::OnCtlColor(HDC dc, HWND control, UINT controlType)
{
    if (control != Handle()) {
        if (HBRUSH brush = ReflectCtlColor(control, dc, controlType); brush != nullptr) return brush;
    }
    const UINT message = WM_CTLCOLORMSGBOX + controlType;
    return reinterpret_cast<HBRUSH>(
        Default(message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
}
