#include "ui/win32/Button.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "SkinTestDialog.h"
#include "support/win32/GdiPlusTestEnvironment.h"
#include "ui/win32/ButtonImages.h"

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 12;
constexpr int kX = 590;
constexpr int kY = 340;

// Opaque except the first column, which is fully transparent.
uint32_t NormalPixel(int x, int y)
{
    const uint32_t alpha = x == 0 ? 0x00 : 0xFF;
    return alpha << 24 | static_cast<uint32_t>(x * 10) << 16 | static_cast<uint32_t>(y * 20) << 8 | 0x40;
}

Rgb Channels(uint32_t argb) { return {int(argb >> 16 & 0xFF), int(argb >> 8 & 0xFF), int(argb & 0xFF)}; }

Rgb Brightened(const Rgb& c)
{
    const auto up = [](int v) { return std::min(255, static_cast<int>(std::lround(1.05 * v + 0.05 * 255))); };
    return {up(c.red), up(c.green), up(c.blue)};
}

Rgb Grey(const Rgb& c)
{
    const int grey = static_cast<int>(std::lround(0.3 * c.red + 0.59 * c.green + 0.11 * c.blue));
    return {grey, grey, grey};
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WritePng(Png(L"MODE"), kWidth, kHeight, NormalPixel));
        ASSERT_TRUE(WritePng(Png(L"MODE_HOVER"), kWidth, kHeight, [](int, int) { return 0xFF102030u; }));
        ASSERT_TRUE(WritePng(Png(L"MODE_SELECTED"), kWidth, kHeight, [](int x, int) { return 0xFF00C000u + x; }));
        ASSERT_TRUE(WritePng(Png(L"MODE_SELECTED_HOVER"), kWidth, kHeight, [](int, int) { return 0xFFFFFFFFu; }));
        ASSERT_TRUE(WritePng(Png(L"MODE_DISABLE"), kWidth, kHeight, [](int, int) { return 0xFF808080u; }));
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(button.SubclassDlgItem(dialog.Handle(), IDC_DEFAULT));
    }

    std::wstring Png(const std::wstring& name) const { return folder.Path() + name + L".png"; }

    // Paints the button now (composing first when needed); the first time shows the
    // dialog, whose background is then under the button.
    void Paint()
    {
        if (!::IsWindowVisible(dialog.Handle())) {
            dialog.Show();
            return;
        }
        ::InvalidateRect(button.Handle(), nullptr, TRUE);
        ::UpdateWindow(button.Handle());
        PumpMessages();
    }

    Rgb Surface(Button::Surface surface, int x, int y) const
    {
        HBITMAP bitmap = button.SurfaceBitmap(surface);
        return bitmap != nullptr ? BitmapPixel(bitmap, x, y) : Rgb{-1, -1, -1};
    }

    Rgb Snapshot(int x, int y) const { return BitmapPixel(button.Snapshot(), x, y); }

    // Posts a mouse message in client coordinates and lets it be dispatched.
    void Mouse(UINT message, int x, int y)
    {
        ::PostMessageW(button.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
        PumpMessages();
    }

    TemporaryFolder folder;
    SkinTestDialog dialog;
    Button button;
};

TEST_F(ButtonTest, SnapshotIsTheDialogBackgroundUnderTheButton)
{
    LoadButtonImages(button, folder.Path(), L"MODE", kX, kY, false);
    Paint();
    ASSERT_TRUE(button.IsComposed());
    EXPECT_EQ(BitmapSize(button.Snapshot()).cx, kWidth);

    UniqueBitmap background(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
        MAKEINTRESOURCEW(IDB_MAIN_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    for (int y : {0, kHeight / 2, kHeight - 1}) {
        for (int x : {0, kWidth / 2, kWidth - 1})
            EXPECT_TRUE(NearColor(Snapshot(x, y), BitmapPixel(background.Get(), kX + x, kY + y), 0)) << x << "," << y;
    }
}

TEST_F(ButtonTest, SurfacesWithoutHoverOrDisabledFiles)
{
    button.SetImages(Png(L"MODE"), L"");
    Paint();
    ASSERT_TRUE(button.IsComposed());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb under = Snapshot(x, y);
            const Rgb normal = x == 0 ? under : Channels(NormalPixel(x, y));
            ASSERT_TRUE(NearColor(Surface(Button::Surface::kNormal, x, y), normal)) << x << "," << y;
            // The brightening applies to the image, not to what shows through it.
            ASSERT_TRUE(NearColor(Surface(Button::Surface::kNormalHover, x, y), x == 0 ? under : Brightened(normal)))
                << x << "," << y;
            ASSERT_TRUE(NearColor(Surface(Button::Surface::kDisabled, x, y), x == 0 ? under : Grey(normal)))
                << x << "," << y;
            // Pressed: one pixel right and down; the snapshot shows in the top row and left column.
            const Rgb pressed = (x <= 1 || y == 0) ? under : Channels(NormalPixel(x - 1, y - 1));
            ASSERT_TRUE(NearColor(Surface(Button::Surface::kNormalPressed, x, y), pressed)) << x << "," << y;
        }
    }
    // No selected image, no selected surfaces.
    EXPECT_EQ(button.SurfaceBitmap(Button::Surface::kSelected), nullptr);
    EXPECT_EQ(button.SurfaceBitmap(Button::Surface::kSelectedHover), nullptr);
    EXPECT_EQ(button.SurfaceBitmap(Button::Surface::kSelectedPressed), nullptr);
}

TEST_F(ButtonTest, SurfacesFromEveryStateFile)
{
    LoadToggleButtonImages(button, folder.Path(), L"MODE", kX, kY, true);
    Paint();
    ASSERT_TRUE(button.IsComposed());
    const int x = 5;
    const int y = 7;
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kNormalHover, x, y), {0x10, 0x20, 0x30}, 0));
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelected, x, y), {0, 0xC0, x}, 0));
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelectedHover, x, y), {255, 255, 255}, 0));
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelectedPressed, x, y), {0, 0xC0, x - 1}, 0));
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelectedPressed, x, 0), Snapshot(x, 0), 0));
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kDisabled, x, y), {0x80, 0x80, 0x80}, 0));

    // Moved to its place without changing the image's size.
    RECT place{};
    ::GetWindowRect(button.Handle(), &place);
    ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, kX);
    EXPECT_EQ(place.top, kY);
    EXPECT_EQ(place.right - place.left, kWidth);
    EXPECT_EQ(place.bottom - place.top, kHeight);
}

TEST_F(ButtonTest, SelectedHoverFallsBackToTheBrightenedSelectedImage)
{
    button.SetImages(Png(L"MODE"), Png(L"MODE_HOVER"));
    button.SetSelectedImages(Png(L"MODE_SELECTED"), L"");
    Paint();
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelectedHover, 9, 3), Brightened({0, 0xC0, 9})));
}

TEST_F(ButtonTest, MissingHoverFileLeavesTheButtonWithoutPicture)
{
    LoadButtonImages(button, folder.Path(), L"MODE_DISABLE", kX, kY, false);  // no MODE_DISABLE_HOVER.png
    Paint();
    EXPECT_FALSE(button.IsComposed());
    EXPECT_EQ(button.SurfaceBitmap(Button::Surface::kNormal), nullptr);

    // A missing selected-hover file leaves the button without a selected look.
    button.SetImages(Png(L"MODE"), Png(L"MODE_HOVER"));
    button.SetSelectedImages(Png(L"MODE_SELECTED"), Png(L"NO_SUCH_FILE"));
    button.SetToggleMode(true);
    EXPECT_FALSE(button.IsToggle());
    button.SetButtonState(Button::kSelected);
    EXPECT_EQ(button.State(), Button::kNormal);
}

TEST_F(ButtonTest, EmptyCaptionDrawsNoTextEvenWithASelectedCaption)
{
    LoadToggleButtonImages(button, folder.Path(), L"MODE", kX, kY, false);
    Paint();
    const Rgb plain = Surface(Button::Surface::kSelected, kWidth / 2, kHeight / 2);

    button.SetCaption(L"", L"SELECTED");
    Paint();
    for (int x = 1; x < kWidth; ++x)
        EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelected, x, kHeight / 2), {0, 0xC0, x}, 0)) << x;
    EXPECT_TRUE(NearColor(Surface(Button::Surface::kSelected, kWidth / 2, kHeight / 2), plain, 0));

    // A caption is drawn, in the caption font's colour, over the picture.
    button.SetCaptionFont(8.0f, 0xFFFF00FF, Gdiplus::UnitPixel);
    button.SetCaption(L"III", L"");
    EXPECT_FALSE(button.IsComposed());
    Paint();
    int magenta = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = Surface(Button::Surface::kSelected, x, y);
            magenta += c.red > 0x80 && c.blue > 0x80 && c.green < 0x80;
        }
    }
    EXPECT_GT(magenta, 0);
}

TEST_F(ButtonTest, WindowShowsTheSurfaceOfItsState)
{
    LoadToggleButtonImages(button, folder.Path(), L"MODE", kX, kY, true);
    Paint();
    const int x = 6;
    const int y = 4;
    const auto shows = [&](Button::Surface surface) {
        ::InvalidateRect(button.Handle(), nullptr, TRUE);
        ::UpdateWindow(button.Handle());
        return NearColor(WindowPixel(button.Handle(), x, y), Surface(surface, x, y), 0);
    };
    EXPECT_TRUE(shows(Button::Surface::kNormal));

    ::SendMessageW(button.Handle(), WM_MOUSEHOVER, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(button.IsHovered());
    EXPECT_TRUE(shows(Button::Surface::kNormalHover));

    button.SetButtonState(Button::kSelected);
    EXPECT_TRUE(shows(Button::Surface::kSelectedHover));

    ::SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_TRUE(shows(Button::Surface::kSelected));

    // The disabled look wins over the mouse.
    button.SetButtonState(Button::kDisabled);
    ::SendMessageW(button.Handle(), WM_MOUSEHOVER, 0, MAKELPARAM(x, y));
    EXPECT_TRUE(shows(Button::Surface::kDisabled));
    Mouse(WM_LBUTTONDOWN, x, y);
    EXPECT_TRUE(shows(Button::Surface::kDisabled));
    Mouse(WM_LBUTTONUP, x, y);
}

TEST_F(ButtonTest, PressedSurfaceStaysWhileTheButtonIsHeldOutside)
{
    LoadButtonImages(button, folder.Path(), L"MODE", kX, kY, false);
    Paint();
    Mouse(WM_LBUTTONDOWN, 3, 3);
    EXPECT_TRUE(button.IsPressed());
    ::SendMessageW(button.Handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(button.CurrentSurface(), Button::Surface::kNormalPressed);
    Mouse(WM_LBUTTONUP, 3, 3);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(button.CurrentSurface(), Button::Surface::kNormal);
}

TEST_F(ButtonTest, ToggleAndDisabledRules)
{
    button.SetImages(Png(L"MODE"), Png(L"MODE_HOVER"));
    button.SetToggleMode(true);
    EXPECT_FALSE(button.IsToggle());  // no selected image yet
    button.SetButtonState(Button::kSelected);
    EXPECT_EQ(button.State(), Button::kNormal);

    button.SetSelectedImages(Png(L"MODE_SELECTED"), Png(L"MODE_SELECTED_HOVER"));
    button.SetToggleMode(true);
    EXPECT_TRUE(button.IsToggle());
    Paint();

    Mouse(WM_LBUTTONDOWN, 3, 3);
    Mouse(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(button.State(), Button::kSelected);
    Mouse(WM_LBUTTONDOWN, 3, 3);
    Mouse(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(button.State(), Button::kNormal);

    button.SetButtonState(Button::kDisabled);
    EXPECT_TRUE(button.IsDisabled());
    Mouse(WM_LBUTTONDOWN, 3, 3);
    Mouse(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(button.State(), Button::kNormal);  // a toggle click leaves state 2 ...
    EXPECT_TRUE(button.IsDisabled());            // ... but not the disabled flag
    EXPECT_EQ(dialog.Clicks(IDC_DEFAULT), 3);

    button.SetButtonState(Button::kNormal);
    EXPECT_FALSE(button.IsDisabled());
}

TEST_F(ButtonTest, DoubleClickCountsAsTwoClicks)
{
    LoadButtonImages(button, folder.Path(), L"MODE", kX, kY, false);
    Paint();
    Mouse(WM_LBUTTONDOWN, 3, 3);
    Mouse(WM_LBUTTONUP, 3, 3);
    Mouse(WM_LBUTTONDBLCLK, 3, 3);
    Mouse(WM_LBUTTONUP, 3, 3);
    EXPECT_EQ(dialog.Clicks(IDC_DEFAULT), 2);
}

TEST_F(ButtonTest, ReleaseOutsideFlipsAToggleWithoutAClick)
{
    LoadToggleButtonImages(button, folder.Path(), L"MODE", kX, kY, false);
    Paint();
    Mouse(WM_LBUTTONDOWN, 3, 3);
    Mouse(WM_LBUTTONUP, kWidth + 20, kHeight + 20);
    EXPECT_EQ(button.State(), Button::kSelected);
    EXPECT_EQ(dialog.Clicks(IDC_DEFAULT), 0);
}

}  // namespace
