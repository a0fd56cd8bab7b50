#include "ui/win32/CLevelStatic.h"

#include <windowsx.h>

#include "ui/win32/Dialog.h"

CLevelStatic::CLevelStatic() = default;

CLevelStatic::~CLevelStatic()
{
    // The control must not keep showing a bitmap that is about to be deleted.
    if (Handle() != nullptr && bitmap_) ::SendMessageW(Handle(), STM_SETIMAGE, IMAGE_BITMAP, 0);
}

void CLevelStatic::Divide(uint32_t width)
{
    RECT client{};
    if (Handle() != nullptr) ::GetClientRect(Handle(), &client);
    segments_ = DivideIntoSegments(client.left, client.top, width, client.bottom, levelImages_.size());
}

void CLevelStatic::SetLevelImages(UINT emptyImage, std::vector<UINT> levelImages)
{
    emptyImage_ = emptyImage;
    levelImages_ = std::move(levelImages);
    RECT client{};
    if (Handle() != nullptr) ::GetClientRect(Handle(), &client);
    Divide(static_cast<uint32_t>(client.right - client.left));
    ShowLevel();
}

void CLevelStatic::ShowLevel()
{
    level = ShownLevel(level, levelImages_.size());
    const UINT image = level == 0 ? emptyImage_ : levelImages_[static_cast<size_t>(level - 1)];
    if (image == 0 || Handle() == nullptr) return;

    HWND window = Handle();
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    ::SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(0x0F)) | SS_BITMAP | SS_CENTERIMAGE);
    UniqueBitmap bitmap(static_cast<HBITMAP>(::LoadImageW(Dialog::ResourceModule(), MAKEINTRESOURCEW(image),
                                                          IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
    ::SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.Get()));
    // The previous picture is no longer shown: release it.
    bitmap_ = std::move(bitmap);
    shownImage_ = image;
}

void CLevelStatic::EnableControl(bool enable)
{
    if (Handle() != nullptr) ::EnableWindow(Handle(), enable ? TRUE : FALSE);
}

LRESULT CLevelStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const LRESULT result = Window::WindowProc(message, wParam, lParam);
        const int32_t picked = LevelAtPoint(segments_, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (picked == 0) return result;
        level = picked;
        ShowLevel();
        if (levelCallback) levelCallback(level);
        return result;
    }
    case WM_SIZE: {
        const LRESULT result = Window::WindowProc(message, wParam, lParam);
        if (!levelImages_.empty()) Divide(LOWORD(lParam));
        return result;
    }
    default:
        return Window::WindowProc(message, wParam, lParam);
    }
}
