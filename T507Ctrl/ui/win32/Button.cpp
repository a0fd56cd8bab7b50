#include "ui/win32/Button.h"

#include "ui/win32/BitmapCopy.h"
#include "ui/win32/MemDC.h"
#include "ui/win32/SkinFont.h"

namespace {

// c -> 1.05 c + 0.05 on each colour component; alpha kept.
const Gdiplus::ColorMatrix kBrightening = {{
    {1.05f, 0, 0, 0, 0},
    {0, 1.05f, 0, 0, 0},
    {0, 0, 1.05f, 0, 0},
    {0, 0, 0, 1, 0},
    {0.05f, 0.05f, 0.05f, 0, 1},
}};

// Luminance into every colour component; alpha kept.
const Gdiplus::ColorMatrix kGreyscale = {{
    {0.3f, 0.3f, 0.3f, 0, 0},
    {0.59f, 0.59f, 0.59f, 0, 0},
    {0.11f, 0.11f, 0.11f, 0, 0},
    {0, 0, 0, 1, 0},
    {0, 0, 0, 0, 1},
}};

}  // namespace

Button::Button() = default;

Button::~Button() = default;

void Button::PreSubclassWindow()
{
    HWND window = Handle();
    ::SetWindowLongPtrW(window, GWL_STYLE, (::GetWindowLongPtrW(window, GWL_STYLE) & ~BS_TYPEMASK) | BS_OWNERDRAW);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool Button::LoadPair(Image first, const std::wstring& firstPath, Image second, const std::wstring& secondPath)
{
    images_[first].Reset();
    images_[second].Reset();
    bool loaded = images_[first].Load(firstPath);
    if (loaded && !secondPath.empty()) loaded = images_[second].Load(secondPath);
    if (!loaded) {
        images_[first].Reset();
        images_[second].Reset();
        return false;
    }
    ResizeTo(images_[first]);
    composed_ = false;
    return true;
}

void Button::ResizeTo(const GdiPlusBitmap& image)
{
    if (Handle() == nullptr) return;
    ::SetWindowPos(Handle(), nullptr, 0, 0, image.Width(), image.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Button::SetImages(const std::wstring& normalPath, const std::wstring& hoverPath)
{
    LoadPair(kNormalImage, normalPath, kHoverImage, hoverPath);
}

void Button::SetSelectedImages(const std::wstring& selectedPath, const std::wstring& selectedHoverPath)
{
    LoadPair(kSelectedImage, selectedPath, kSelectedHoverImage, selectedHoverPath);
}

void Button::SetDisabledImage(const std::wstring& path)
{
    if (images_[kDisabledImage].Load(path)) ResizeTo(images_[kDisabledImage]);
}

void Button::SetToggleMode(bool toggle) { toggle_ = toggle && images_[kSelectedImage]; }

void Button::SetButtonState(int32_t state)
{
    disabled_ = state == kDisabled;
    state_ = (state == kSelected && !images_[kSelectedImage]) ? kNormal : state;
    Invalidate();
}

void Button::EnableControl(bool enable)
{
    if (Handle() != nullptr) ::EnableWindow(Handle(), enable ? TRUE : FALSE);
}

void Button::SetCaption(const std::wstring& caption, const std::wstring& selectedCaption)
{
    caption_ = caption;
    selectedCaption_ = selectedCaption.empty() ? caption : selectedCaption;
    if (!fontSet_) SetCaptionFont(16.0f, 0xFF000000, Gdiplus::UnitPixel);
    if (composed_) {
        composed_ = false;
        Invalidate();
    }
}

void Button::SetCaptionFont(float size, uint32_t argb, Gdiplus::Unit unit)
{
    fontSet_ = true;
    captionFont_ = CreateSkinFont(kSkinFontFamily, size, kSkinFontStyle, unit);
    captionBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(argb));
}

void Button::Invalidate()
{
    if (Handle() != nullptr) ::InvalidateRect(Handle(), nullptr, TRUE);
}

Button::Surface Button::CurrentSurface() const
{
    if (state_ == kDisabled) return Surface::kDisabled;
    const bool selected = state_ == kSelected;
    if (pressed_) return selected ? Surface::kSelectedPressed : Surface::kNormalPressed;
    if (hover_) return selected ? Surface::kSelectedHover : Surface::kNormalHover;
    return selected ? Surface::kSelected : Surface::kNormal;
}

bool Button::PreTranslateMessage(MSG* message)
{
    // Quick successive clicks each count: a double click is another press.
    if (message->message == WM_LBUTTONDBLCLK && message->hwnd == Handle()) message->message = WM_LBUTTONDOWN;
    return false;
}

void Button::TakeSnapshot(int width, int height)
{
    snapshot_.Reset();
    snapshot_ = SnapshotParentUnder(Handle(), width, height);
}

void Button::Compose(HDC dc)
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    MemDC scratch(dc, client, false);
    TakeSnapshot(width, height);

    struct Recipe {
        Surface surface;
        Image image;
        Image fallback;  // kImageCount: none
        const Gdiplus::ColorMatrix* fallbackMatrix;
        int offset;
        bool selectedCaption;
    };
    static constexpr Recipe kRecipes[] = {
        {Surface::kNormal, kNormalImage, kImageCount, nullptr, 0, false},
        {Surface::kNormalHover, kHoverImage, kNormalImage, &kBrightening, 0, false},
        {Surface::kNormalPressed, kNormalImage, kImageCount, nullptr, 1, false},
        {Surface::kSelected, kSelectedImage, kImageCount, nullptr, 0, true},
        {Surface::kSelectedHover, kSelectedHoverImage, kSelectedImage, &kBrightening, 0, true},
        {Surface::kSelectedPressed, kSelectedImage, kImageCount, nullptr, 1, true},
        {Surface::kDisabled, kDisabledImage, kNormalImage, &kGreyscale, 0, false},
    };

    UniqueMemoryDc snapshotDc(::CreateCompatibleDC(dc));
    SelectedObject snapshotSelection(snapshotDc.Get(), snapshot_.Get());
    for (const Recipe& recipe : kRecipes) {
        UniqueBitmap& surface = surfaces_[static_cast<size_t>(recipe.surface)];
        surface.Reset();
        const Gdiplus::ColorMatrix* matrix = nullptr;
        Gdiplus::Bitmap* image = images_[recipe.image].Get();
        if (image == nullptr && recipe.fallback != kImageCount) {
            image = images_[recipe.fallback].Get();
            matrix = recipe.fallbackMatrix;
        }
        if (image == nullptr) continue;

        ::SetBkMode(scratch.Get(), TRANSPARENT);
        ::BitBlt(scratch.Get(), 0, 0, width, height, snapshotDc.Get(), 0, 0, SRCCOPY);
        {
            Gdiplus::Graphics graphics(scratch.Get());
            Gdiplus::ImageAttributes attributes;
            if (matrix != nullptr) attributes.SetColorMatrix(matrix);
            graphics.DrawImage(image, Gdiplus::Rect(recipe.offset, recipe.offset, width, height), 0, 0, width, height,
                               Gdiplus::UnitPixel, matrix != nullptr ? &attributes : nullptr);
            // The caption decides whether any text is drawn, in both states.
            if (!caption_.empty() && captionFont_ && captionBrush_) {
                const std::wstring& text = recipe.selectedCaption ? selectedCaption_ : caption_;
                Gdiplus::StringFormat format;
                format.SetAlignment(Gdiplus::StringAlignmentCenter);
                format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
                const Gdiplus::RectF box(static_cast<float>(recipe.offset), static_cast<float>(recipe.offset),
                                         static_cast<float>(width), static_cast<float>(height));
                graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), captionFont_.get(), box, &format,
                                    captionBrush_.get());
            }
        }
        surface = CopyPixels(scratch.Get(), 0, 0, width, height);
    }
    composed_ = true;
}

HBRUSH Button::OnReflectedCtlColor(HDC dc, UINT)
{
    if (composed_) {
        ::SetBkMode(dc, TRANSPARENT);
        return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    }
    if (images_[kNormalImage]) Compose(dc);
    return nullptr;
}

bool Button::OnReflectedDrawItem(const DRAWITEMSTRUCT& item)
{
    if (!images_[kNormalImage]) return true;
    // Composition normally ran on the colour request that precedes this paint.
    if (!composed_) Compose(item.hDC);
    RECT client{};
    ::GetClientRect(Handle(), &client);
    if (HBITMAP surface = SurfaceBitmap(CurrentSurface()); surface != nullptr)
        DrawBitmap(item.hDC, surface, client.right, client.bottom);
    return true;
}

LRESULT Button::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (images_[kNormalImage]) return TRUE;  // the surface covers the whole button
        break;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, Handle(), 1};
            tracking_ = ::TrackMouseEvent(&track) != FALSE;
        }
        break;
    case WM_MOUSEHOVER:
        hover_ = true;
        Invalidate();
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        hover_ = false;
        Invalidate();
        return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        break;
    case WM_LBUTTONUP:
        if (toggle_) {
            state_ = state_ == kNormal ? kSelected : kNormal;
            Invalidate();  // also when released outside, where the button repaints nothing itself
        }
        pressed_ = false;
        break;
    default:
        break;
    }
    return Window::WindowProc(message, wParam, lParam);
}
