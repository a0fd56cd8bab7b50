#include "ui/win32/BkDialog.h"

#include <cwchar>

namespace {

constexpr WPARAM kMoveByCaption = 0xF012;  // SC_MOVE | HTCAPTION: the system's window-move loop

}  // namespace

void BkDialog::SetBackgroundBitmap(UINT resourceId)
{
    HBITMAP loaded = static_cast<HBITMAP>(
        ::LoadImageW(ResourceModule(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    background_.Reset();
    backgroundWidth_ = 0;
    backgroundHeight_ = 0;
    if (loaded != nullptr) {
        UniqueBitmap bitmap(loaded);
        BITMAP description{};
        if (::GetObjectW(bitmap.Get(), sizeof description, &description) == 0) return;
        background_ = std::move(bitmap);
        backgroundWidth_ = description.bmWidth;
        backgroundHeight_ = description.bmHeight;
    }
    if (Handle() != nullptr) ::InvalidateRect(Handle(), nullptr, TRUE);
}

void BkDialog::OnBackgroundDrawn(HDC) {}

LRESULT BkDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_SIZE: {
        const LRESULT result = BoBaseDialog::WindowProc(message, wParam, lParam);
        if (background_) ::InvalidateRect(Handle(), nullptr, TRUE);
        return result;
    }
    case WM_LBUTTONDOWN:
        if (dragMove_) ::SendMessageW(Handle(), WM_SYSCOMMAND, kMoveByCaption, 0);
        break;
    default:
        break;
    }
    return BoBaseDialog::WindowProc(message, wParam, lParam);
}

LRESULT BkDialog::OnEraseBackground(HDC dc)
{
    const LRESULT result = BoBaseDialog::WindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (!background_ || backgroundWidth_ <= 0 || backgroundHeight_ <= 0) return result;

    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    // Composed off screen, shown in one transfer.
    MemorySurface surface(dc, width, height);
    if (!surface) return result;
    UniqueBrush fill(::CreateSolidBrush(::GetBkColor(dc)));
    const RECT whole{0, 0, width, height};
    ::FillRect(surface.Get(), &whole, fill.Get());

    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    {
        SelectedObject selection(source.Get(), background_.Get());
        for (int y = 0; y < height; y += backgroundHeight_) {
            for (int x = 0; x < width; x += backgroundWidth_)
                ::BitBlt(surface.Get(), x, y, backgroundWidth_, backgroundHeight_, source.Get(), 0, 0, SRCCOPY);
        }
    }
    ::BitBlt(dc, 0, 0, width, height, surface.Get(), 0, 0, SRCCOPY);
    OnBackgroundDrawn(surface.Get());
    return result;
}

HBRUSH BkDialog::OnCtlColor(HDC dc, HWND control, UINT controlType)
{
    HBRUSH answer = BoBaseDialog::OnCtlColor(dc, control, controlType);
    if (controlType != CTLCOLOR_STATIC) return answer;
    wchar_t className[256] = {};
    ::GetClassNameW(control, className, 256);
    // Trackbars keep their opaque background.
    if (std::wcscmp(className, L"msctls_trackbar32") == 0) return answer;
    ::SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
