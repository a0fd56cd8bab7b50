#include "ui/win32/CCustomColorsDlg.h"

#include <windowsx.h>

#include <utility>

#include "base/win32/UniqueHandle.h"
#include "resource.h"
#include "ui/win32/ButtonImages.h"
#include "ui/win32/SkinFont.h"

namespace {

constexpr uint32_t kTitleColor = 0xFFFFFFFF;
constexpr uint32_t kLabelColor = 0xFF6E6E6E;
constexpr uint32_t kCaptionColor = 0xFF58585A;
constexpr float kLabelPoints = 14.0f;
constexpr float kCaptionPoints = 10.0f;

struct TextPlace {
    int id;
    int x;
    int y;
    int width;
    int height;
    uint32_t color;
    UINT englishText;  // 0: the template's text in every language
    UINT chineseText;
};

constexpr TextPlace kTexts[] = {
    {IDC_DIALOG_TITLE, 240, 27, 300, 30, kTitleColor, IDS_CUSTOM_COLORS_EN, IDS_CUSTOM_COLORS_ZH},
    {IDC_RED_LABEL, 591, 170, 50, 30, kLabelColor, IDS_RED_EN, IDS_RED_ZH},
    {IDC_GREEN_LABEL, 591, 220, 50, 30, kLabelColor, IDS_GREEN_EN, IDS_GREEN_ZH},
    {IDC_BLUE_LABEL, 591, 270, 50, 30, kLabelColor, IDS_BLUE_EN, IDS_BLUE_ZH},
    {IDC_LEVEL_LABEL, 591, 320, 50, 30, kLabelColor, 0, 0},
    {IDC_RED_VALUE, 650, 170, 100, 30, kLabelColor, 0, 0},
    {IDC_GREEN_VALUE, 650, 220, 100, 30, kLabelColor, 0, 0},
    {IDC_BLUE_VALUE, 650, 270, 100, 30, kLabelColor, 0, 0},
    {IDC_LEVEL_VALUE, 650, 320, 100, 30, kLabelColor, 0, 0},
};
constexpr size_t kRedValue = 5;  // index in kTexts; green and blue follow

std::wstring ResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(Dialog::ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring WindowText(HWND window)
{
    wchar_t text[64] = {};
    ::GetWindowTextW(window, text, 64);
    return text;
}

void MoveTo(HWND window, int x, int y)
{
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Gdiplus::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace

CCustomColorsDlg::CCustomColorsDlg(HWND parent, std::wstring languageCode, std::wstring skinFolder)
    : BkDialog(IDD_CUSTOM_COLORS, parent), languageCode_(std::move(languageCode)), skinFolder_(std::move(skinFolder))
{
}

CCustomColorsDlg::~CCustomColorsDlg() = default;

int CCustomColorsDlg::ScreenDpi() const
{
    WindowDc screen(nullptr);
    return screen.Get() != nullptr ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
}

BOOL CCustomColorsDlg::OnInitDialog()
{
    ::SetWindowPos(Handle(), nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetBackgroundBitmap(IDB_CUSTOM_COLORS_BACKGROUND);
    EnableDragMove(true);

    const BOOL focus = BkDialog::OnInitDialog();
    const int dpi = ScreenDpi();
    displayScale_ = dpi > 0 ? static_cast<float>(dpi) / 96.0f : 1.0f;

    LayOutTexts();
    LayOutButtons();
    SetLanguageTexts();
    wheelPicture_.Load(skinFolder_ + L"rainbow.png");
    backgroundPicture_.LoadBitmapResource(ResourceModule(), IDB_CUSTOM_COLORS_BACKGROUND);
    return focus;
}

void CCustomColorsDlg::LayOutTexts()
{
    const float points = PointsForDisplay(kLabelPoints, displayScale_);
    for (size_t i = 0; i < texts_.size(); ++i) {
        const TextPlace& place = kTexts[i];
        TextView& text = texts_[i];
        text.SubclassDlgItem(Handle(), place.id);
        text.SetLabelFont(kSkinFontFamily, points, kSkinFontStyle, Gdiplus::UnitPoint, place.color);
        text.fixedWidth = place.width;
        text.fixedHeight = place.height;
        MoveTo(text.Handle(), place.x, place.y);
    }
    for (int hidden : {IDC_LEVEL_LABEL, IDC_LEVEL_VALUE, IDC_COLORS_APPLY})
        ::ShowWindow(::GetDlgItem(Handle(), hidden), SW_HIDE);
}

void CCustomColorsDlg::LayOutButtons()
{
    applyButton_.SubclassDlgItem(Handle(), IDC_COLORS_APPLY);
    returnButton_.SubclassDlgItem(Handle(), IDC_RETURN);
    increaseButton_.SubclassDlgItem(Handle(), IDC_INCREASE);
    decreaseButton_.SubclassDlgItem(Handle(), IDC_DECREASE);
    // From the skin folder beside the program, whatever the working directory is.
    LoadButtonImages(returnButton_, skinFolder_, L"CANCEL", 591, 330, false);
    LoadButtonImages(increaseButton_, skinFolder_, L"PLUS", 570, 320, false);
    LoadButtonImages(decreaseButton_, skinFolder_, L"MINUS", 725, 320, false);
    ::ShowWindow(increaseButton_.Handle(), SW_HIDE);
    ::ShowWindow(decreaseButton_.Handle(), SW_HIDE);
}

void CCustomColorsDlg::SetLanguageTexts()
{
    const bool english = languageCode_ == L"EN";
    const bool chinese = languageCode_ == L"ZH";
    const float captionPoints = PointsForDisplay(kCaptionPoints, displayScale_);
    for (Button* button : {&applyButton_, &returnButton_}) button->SetCaptionFont(captionPoints, kCaptionColor, Gdiplus::UnitPoint);

    if (english || chinese) {
        for (size_t i = 0; i < texts_.size(); ++i) {
            const UINT id = english ? kTexts[i].englishText : kTexts[i].chineseText;
            if (id != 0) texts_[i].SetLabelText(ResourceString(id));
        }
        applyButton_.SetCaption(ResourceString(english ? IDS_APPLY_EN : IDS_APPLY_ZH), L"");
        returnButton_.SetCaption(ResourceString(english ? IDS_RETURN_EN : IDS_RETURN_ZH), L"");
    } else {
        // The buttons draw their captions themselves: give them the template's words.
        applyButton_.SetCaption(WindowText(applyButton_.Handle()), L"");
        returnButton_.SetCaption(WindowText(returnButton_.Handle()), L"");
    }
}

bool CCustomColorsDlg::OnCommand(WORD id, WORD notifyCode, HWND control)
{
    if (notifyCode == BN_CLICKED && id == IDC_COLORS_APPLY) {
        EndDialog(IDOK);
        return true;
    }
    if (notifyCode == BN_CLICKED && id == IDC_RETURN) {
        EndDialog(IDCANCEL);
        return true;
    }
    return BkDialog::OnCommand(id, notifyCode, control);
}

LRESULT CCustomColorsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        const LRESULT result = BkDialog::WindowProc(message, wParam, lParam);
        PaintWheelAndPreview();
        return result;
    }
    case WM_LBUTTONDOWN: {
        // Dragging (when the button is held) ends before the pick at the press point.
        const LRESULT result = BkDialog::WindowProc(message, wParam, lParam);
        Pick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return result;
    }
    default:
        return BkDialog::WindowProc(message, wParam, lParam);
    }
}

void CCustomColorsDlg::PaintWheelAndPreview()
{
    RECT client{};
    ::GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;

    Gdiplus::Bitmap surface(client.right, client.bottom, PixelFormat32bppARGB);
    if (surface.GetLastStatus() != Gdiplus::Ok) return;
    {
        Gdiplus::Graphics graphics(&surface);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        if (backgroundPicture_)
            graphics.DrawImage(backgroundPicture_.Get(), 0, 0, 0, 0, client.right, client.bottom, Gdiplus::UnitPixel);
        if (wheelPicture_)
            graphics.DrawImage(wheelPicture_.Get(), static_cast<INT>(wheelRect_.left), static_cast<INT>(wheelRect_.top),
                               0, 0, 300, 300, Gdiplus::UnitPixel);
        if (marker_.x != 0 && marker_.y != 0) {
            Gdiplus::Pen markerPen(Gdiplus::Color(0xFFFFFFFF), 2.0f);
            graphics.DrawEllipse(&markerPen, static_cast<INT>(marker_.x - 4), static_cast<INT>(marker_.y - 4), 8, 8);
        }
        Gdiplus::SolidBrush preview{Gdiplus::Color(pickedColor_)};
        Gdiplus::Pen outline(Gdiplus::Color(0xFFFFFFFF), 3.0f);
        const Gdiplus::Rect circle = ToRect(previewCircle_);
        graphics.FillEllipse(&preview, circle);
        graphics.DrawEllipse(&outline, circle);
    }

    // The wheel with room for a marker on its rim, and the preview with its outline.
    const RECT regions[] = {
        {wheelRect_.left - 4, wheelRect_.top - 4, wheelRect_.right + 4, wheelRect_.bottom + 4},
        {previewCircle_.left - 1, previewCircle_.top - 1, previewCircle_.right + 3, previewCircle_.bottom + 3},
    };
    WindowDc window(Handle());
    Gdiplus::Graphics target(window.Get());
    target.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    for (const RECT& region : regions) {
        const Gdiplus::Rect box = ToRect(region);
        target.DrawImage(&surface, box, box.X, box.Y, box.Width, box.Height, Gdiplus::UnitPixel);
    }
}

void CCustomColorsDlg::Pick(int x, int y)
{
    const std::optional<ChannelBytes> picked = PickWheelColor(wheel_, x, y, level);
    if (!picked) return;
    pickedColor_ = MakeColorWord(*picked);
    marker_ = {x, y};

    const ChannelBytes shown = ColorWordBytes(pickedColor_);
    const uint8_t values[] = {shown.red, shown.green, shown.blue};
    for (size_t i = 0; i < 3; ++i) texts_[kRedValue + i].SetLabelText(std::to_wstring(values[i]));

    if (colorCallback) {
        uint8_t red = shown.red;
        uint8_t green = shown.green;
        uint8_t blue = shown.blue;
        colorCallback(red, green, blue);
    }
    const RECT box{x - 4, y - 4, x + 4, y + 4};
    ::InvalidateRect(Handle(), &box, TRUE);
}
