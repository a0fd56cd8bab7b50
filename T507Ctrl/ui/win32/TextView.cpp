#include "ui/win32/TextView.h"

#include <vector>

#include "base/win32/UniqueHandle.h"
#include "ui/win32/SkinFont.h"

namespace {

std::wstring WindowText(HWND window)
{
    std::vector<wchar_t> text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

}  // namespace

TextView::TextView()
    // The initial font has no fall-back: owners set theirs before showing the label.
    : font_(std::make_unique<Gdiplus::Font>(kSkinFontFamily, 16.0f, kSkinFontStyle, Gdiplus::UnitPoint)),
      brush_(std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(0xFF000000)))
{
}

TextView::~TextView() = default;

void TextView::SetLabelFont(const wchar_t* family, float size, INT style, Gdiplus::Unit unit, uint32_t argb)
{
    font_ = CreateSkinFont(family, size, style, unit);
    brush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(argb));
}

void TextView::SetLabelText(const std::wstring& text)
{
    HWND window = Handle();
    if (window == nullptr) return;
    ::SetWindowTextW(window, text.c_str());
    HWND parent = ::GetParent(window);
    RECT place{};
    ::GetWindowRect(window, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    ::InvalidateRect(parent, &place, TRUE);
}

LRESULT TextView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
}

void TextView::Paint()
{
    PaintDc dc(Handle());
    const std::wstring text = WindowText(Handle());
    ::SetBkMode(dc.Get(), TRANSPARENT);
    Gdiplus::Graphics graphics(dc.Get());
    // A font that could not be made draws nothing, as a failed GDI+ call would.
    if (!font_ || font_->GetLastStatus() != Gdiplus::Ok) return;

    Gdiplus::RectF box;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), font_.get(), Gdiplus::PointF(0, 0), &box);
    if (fixedWidth >= 0) box.Width = static_cast<Gdiplus::REAL>(fixedWidth);
    if (fixedHeight >= 0) box.Height = static_cast<Gdiplus::REAL>(fixedHeight);
    const bool centred = fixedWidth >= 0 || fixedHeight >= 0;

    const float right = box.X + box.Width;
    const float bottom = box.Y + box.Height;
    ::SetWindowPos(Handle(), nullptr, 0, 0, static_cast<int>(right), static_cast<int>(bottom),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (centred) {
        Gdiplus::StringFormat format;
        format.SetAlignment(Gdiplus::StringAlignmentCenter);
        format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
        graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font_.get(),
                            Gdiplus::RectF(0, 0, right, bottom), &format, brush_.get());
    } else {
        graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font_.get(), Gdiplus::PointF(0, 0),
                            brush_.get());
    }
}
