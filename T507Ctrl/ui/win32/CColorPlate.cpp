#include "ui/win32/CColorPlate.h"

#include <windowsx.h>

#include <utility>

#include "ui/win32/BitmapCopy.h"
#include "ui/win32/SkinFont.h"
#include "win32/AppEnvironment.h"

namespace {

constexpr float kDefaultLabelPoints = 7.0f;
constexpr uint32_t kDefaultLabelColor = 0xFF9E9D9D;
constexpr int kOffPicture = 9;

}  // namespace

const std::array<const wchar_t*, CColorPlate::kPictureCount> CColorPlate::kPictureNames = {
    L"ON", L"RED", L"WHITE", L"CYAN", L"BLUE", L"GREEN", L"YELLOW", L"ORANGE", L"PURPLE", L"OFF"};

std::wstring ColorImageErrorText(const std::wstring& path) { return L"Can not find color image:" + path + L"."; }

void ShowColorImageError(HWND owner, const std::wstring& text)
{
    ::MessageBoxW(owner, text.c_str(), L"T507Ctrl", MB_OK | MB_ICONERROR);
}

CColorPlate::CColorPlate(const PlateGeometry& geometry)
    : geometry_(geometry), skinFolder_(DirectoryOf(ExecutablePath()) + L"res\\")
{
    SetTextStyle(kDefaultLabelPoints, kDefaultLabelColor);
}

CColorPlate::~CColorPlate() = default;

void CColorPlate::PreSubclassWindow()
{
    // An owner-drawn push button (0x2B) whatever the template says.
    HWND window = Handle();
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    ::SetWindowLongPtrW(window, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW | BS_LEFTTEXT);
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool CColorPlate::LoadImages(const std::wstring& prefix, int32_t initial, std::wstring* errorText)
{
    // All ten or none: a plate with a mix of old and new pictures would show the wrong wheel.
    std::array<std::unique_ptr<GdiPlusBitmap>, kPictureCount> loaded;
    for (int i = 0; i < kPictureCount; ++i) {
        const std::wstring path = prefix + kPictureNames[static_cast<size_t>(i)] + L".png";
        auto picture = std::make_unique<GdiPlusBitmap>();
        if (!picture->Load(path)) {
            if (errorText != nullptr) *errorText = ColorImageErrorText(path);
            return false;
        }
        loaded[static_cast<size_t>(i)] = std::move(picture);
    }

    pictures_ = std::move(loaded);
    snapshot_.Reset();
    DropComposition();
    pictureSize_ = {pictures_[0]->Width(), pictures_[0]->Height()};
    if (HWND window = Handle(); window != nullptr) {
        ::SetWindowPos(window, nullptr, 0, 0, pictureSize_.cx, pictureSize_.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(window, &origin_);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&origin_), 2);
    }
    state.ShowInitialPicture(initial);
    return true;
}

void CColorPlate::SetTextStyle(float points, uint32_t argb)
{
    labelFont_ = CreateSkinFont(kSkinFontFamily, points, kSkinFontStyle, Gdiplus::UnitPoint);
    labelBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(argb));
    DropComposition();
    Redraw();
}

void CColorPlate::SetLabels(const std::wstring& label, const std::wstring& offLabel)
{
    label_ = label;
    offLabel_ = offLabel;
    DropComposition();
    Redraw();
}

void CColorPlate::SetColorApplicable(bool applicable)
{
    state.SetColorApplicable(applicable);
    Redraw();
}

void CColorPlate::SetCustomColorsSkin(const std::wstring& languageCode, const std::wstring& skinFolder)
{
    languageCode_ = languageCode;
    skinFolder_ = skinFolder;
}

void CColorPlate::Redraw()
{
    if (Handle() != nullptr) ::InvalidateRect(Handle(), nullptr, TRUE);
}

HBITMAP CColorPlate::ComposedPicture(int index) const
{
    if (index < 0 || index >= kPictureCount) return nullptr;
    return composedPictures_[static_cast<size_t>(index)].Get();
}

void CColorPlate::DropComposition()
{
    for (UniqueBitmap& picture : composedPictures_) picture.Reset();
    composed_ = false;
}

void CColorPlate::Compose(HDC reference)
{
    if (!pictures_[0] || pictureSize_.cx <= 0 || pictureSize_.cy <= 0) return;
    const int width = pictureSize_.cx;
    const int height = pictureSize_.cy;
    // The parent's pixels are taken once per load: later they may be the plate's own.
    if (!snapshot_) snapshot_ = SnapshotParentUnder(Handle(), width, height);
    if (!snapshot_) return;

    MemorySurface scratch(reference, width, height);
    UniqueMemoryDc snapshotDc(::CreateCompatibleDC(reference));
    if (!scratch || !snapshotDc) return;
    SelectedObject snapshotSelection(snapshotDc.Get(), snapshot_.Get());

    Gdiplus::StringFormat centred;
    centred.SetAlignment(Gdiplus::StringAlignmentCenter);
    centred.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    const Gdiplus::RectF box(0, 0, static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));

    for (int i = 0; i < kPictureCount; ++i) {
        UniqueBitmap& composed = composedPictures_[static_cast<size_t>(i)];
        if (composed) continue;
        ::BitBlt(scratch.Get(), 0, 0, width, height, snapshotDc.Get(), 0, 0, SRCCOPY);
        {
            Gdiplus::Graphics graphics(scratch.Get());
            graphics.DrawImage(pictures_[static_cast<size_t>(i)]->Get(), Gdiplus::Rect(0, 0, width, height));
            const std::wstring& text = i == kOffPicture ? offLabel_ : label_;
            if (!text.empty() && labelFont_ && labelBrush_)
                graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), labelFont_.get(), box, &centred,
                                    labelBrush_.get());
        }
        composed = CopyPixels(scratch.Get(), 0, 0, width, height);
    }
    composed_ = true;
}

HBRUSH CColorPlate::OnReflectedCtlColor(HDC dc, UINT)
{
    // The button asks for its colours as it paints: compose then, over the parent's
    // background as it is drawn by now, and leave the colours to the parent.
    if (!composed_) Compose(dc);
    return nullptr;
}

bool CColorPlate::OnReflectedDrawItem(const DRAWITEMSTRUCT& item)
{
    const int shown = state.shownPicture;
    if (shown < 0 || shown >= kPictureCount) return true;
    if (!composed_) Compose(item.hDC);
    if (HBITMAP picture = ComposedPicture(shown); picture != nullptr)
        DrawBitmap(item.hDC, picture, pictureSize_.cx, pictureSize_.cy);
    state.PictureDrawn();
    return true;
}

bool CColorPlate::PreTranslateMessage(MSG* message)
{
    // Quick successive clicks each count: a double click is another press.
    if (message->message == WM_LBUTTONDBLCLK && message->hwnd == Handle()) message->message = WM_LBUTTONDOWN;
    return false;
}

LRESULT CColorPlate::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return TRUE;  // the pictures cover the whole control
    case WM_LBUTTONUP: {
        const float x = static_cast<float>(GET_X_LPARAM(lParam) - origin_.left);
        const float y = static_cast<float>(GET_Y_LPARAM(lParam) - origin_.top);
        const bool openDialog = state.Release(PlateHitTest(geometry_, x, y));
        // The press ends (and the owner hears of the click) before any dialog runs: a
        // modal dialog would take the mouse from a button still pressed.
        const LRESULT result = Window::WindowProc(message, wParam, lParam);
        if (openDialog) RunCustomColors();
        return result;
    }
    default:
        return Window::WindowProc(message, wParam, lParam);
    }
}

void CColorPlate::RunCustomColors()
{
    CCustomColorsDlg dialog(::GetParent(Handle()), languageCode_, skinFolder_);
    if (dialogLevel) dialog.level = dialogLevel();
    dialog.colorCallback = colorCallback;
    dialog.DoModal();
}
