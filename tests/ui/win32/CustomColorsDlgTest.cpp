#include "ui/win32/CCustomColorsDlg.h"
#include "ui/WheelPickCases.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CustomColorsDriver.h"
#include "SkinTestDialog.h"

namespace {

std::wstring WindowText(HWND window)
{
    wchar_t text[128] = {};
    ::GetWindowTextW(window, text, 128);
    return text;
}

// A control's top-left corner in its dialog's client coordinates.
POINT PlaceOf(HWND control)
{
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return {place.left, place.top};
}

Rgb Channels(ChannelBytes c) { return {c.red, c.green, c.blue}; }

// The dialog created modeless and shown, with a callback that records every colour.
class OpenDialog {
public:
    explicit OpenDialog(double level, const std::wstring& language = L"EN", const std::wstring& skin = SkinFolder())
        : dialog(nullptr, language, skin)
    {
        dialog.level = level;
        dialog.colorCallback = [this](uint8_t& r, uint8_t& g, uint8_t& b) { colors.push_back({r, g, b}); };
    }

    bool Open()
    {
        if (!dialog.Create()) return false;
        ::SetWindowPos(dialog.Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        ::UpdateWindow(dialog.Handle());
        PumpMessages();
        return true;
    }

    // A press and release at a client point, as posted by the system.
    void Click(int x, int y)
    {
        CustomColorsDriver::Click(dialog.Handle(), x, y);
        PumpMessages();
    }

    HWND Item(int id) const { return ::GetDlgItem(dialog.Handle(), id); }
    std::wstring Values() const
    {
        return WindowText(Item(IDC_RED_VALUE)) + L"," + WindowText(Item(IDC_GREEN_VALUE)) + L"," +
               WindowText(Item(IDC_BLUE_VALUE));
    }

    CCustomColorsDlg dialog;
    std::vector<ChannelBytes> colors;
};

class CustomColorsPicks : public ::testing::TestWithParam<WheelPickCase> {};

TEST_P(CustomColorsPicks, ClickInsideTheWheelHandsTheColourOverOnce)
{
    const WheelPickCase& c = GetParam();
    OpenDialog open(c.level);
    ASSERT_TRUE(open.Open());
    open.Click(c.x, c.y);

    if (!c.inside) {
        EXPECT_TRUE(open.colors.empty());
        EXPECT_EQ(open.Values(), L"255,255,255");
        EXPECT_EQ(open.dialog.PickedColor(), 0xFFFFFFFFu);
        EXPECT_EQ(open.dialog.Marker().x, 0);
        return;
    }
    ASSERT_EQ(open.colors.size(), 1u);
    EXPECT_EQ(open.colors[0], c.color);
    EXPECT_EQ(open.Values(), std::to_wstring(c.color.red) + L"," + std::to_wstring(c.color.green) + L"," +
                                 std::to_wstring(c.color.blue));
    EXPECT_EQ(open.dialog.PickedColor(), MakeColorWord(c.color));
    EXPECT_EQ(open.dialog.Marker().x, c.x);
    EXPECT_EQ(open.dialog.Marker().y, c.y);
    // The preview circle shows the colour.
    EXPECT_TRUE(NearColor(WindowPixel(open.dialog.Handle(), 660, 125), Channels(c.color)));
}

INSTANTIATE_TEST_SUITE_P(Points, CustomColorsPicks, ::testing::ValuesIn(kWheelPickCases));

TEST(CustomColorsDlg, ShowsTheWheelAndMarksThePick)
{
    OpenDialog open(1.0);
    ASSERT_TRUE(open.Open());
    ASSERT_TRUE(open.dialog.HasWheelPicture());
    ASSERT_TRUE(open.dialog.HasBackgroundPicture());
    HWND window = open.dialog.Handle();

    // The wheel: red at its right, cyan at its left, white in the middle of it; white preview.
    const Rgb right = WindowPixel(window, 540, 250);
    EXPECT_GT(right.red, 200);
    EXPECT_LT(right.green, 60);
    const Rgb left = WindowPixel(window, 260, 250);
    EXPECT_LT(left.red, 60);
    EXPECT_GT(left.blue, 200);
    EXPECT_TRUE(NearColor(WindowPixel(window, 660, 125), {255, 255, 255}));

    // The marker is a white ring around the point; its middle keeps the wheel's colour.
    open.Click(475, 250);
    const Rgb ring = WindowPixel(window, 479, 250);
    EXPECT_GT(ring.red + ring.green + ring.blue, 3 * 220);
    const Rgb inside = WindowPixel(window, 475, 250);
    EXPECT_LT(inside.green, 200);

    // A second pick moves the marker; the old place shows the wheel again.
    open.Click(320, 250);
    const Rgb old = WindowPixel(window, 479, 250);
    EXPECT_LT(old.green, 200);
    ASSERT_EQ(open.colors.size(), 2u);
}

struct LanguageCase {
    const wchar_t* code;
    const wchar_t* title;
    const wchar_t* red;
    const wchar_t* green;
    const wchar_t* blue;
};

class CustomColorsLanguages : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(CustomColorsLanguages, LaysOutTheControlsWithTheLanguagesTexts)
{
    const LanguageCase& c = GetParam();
    OpenDialog open(0.5, c.code);
    ASSERT_TRUE(open.Open());
    RECT client{};
    ::GetClientRect(open.dialog.Handle(), &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 500);
    EXPECT_FLOAT_EQ(open.dialog.DisplayScale(), 1.0f);

    EXPECT_EQ(WindowText(open.Item(IDC_DIALOG_TITLE)), c.title);
    EXPECT_EQ(WindowText(open.Item(IDC_RED_LABEL)), c.red);
    EXPECT_EQ(WindowText(open.Item(IDC_GREEN_LABEL)), c.green);
    EXPECT_EQ(WindowText(open.Item(IDC_BLUE_LABEL)), c.blue);
    EXPECT_EQ(open.Values(), L"255,255,255");

    const struct {
        int id;
        int x;
        int y;
        bool shown;
    } places[] = {
        {IDC_DIALOG_TITLE, 240, 27, true}, {IDC_RED_LABEL, 591, 170, true},  {IDC_GREEN_LABEL, 591, 220, true},
        {IDC_BLUE_LABEL, 591, 270, true},  {IDC_RED_VALUE, 650, 170, true},  {IDC_GREEN_VALUE, 650, 220, true},
        {IDC_BLUE_VALUE, 650, 270, true},  {IDC_LEVEL_LABEL, 591, 320, false}, {IDC_LEVEL_VALUE, 650, 320, false},
        {IDC_RETURN, 591, 330, true},      {IDC_INCREASE, 570, 320, false}, {IDC_DECREASE, 725, 320, false},
    };
    for (const auto& place : places) {
        const POINT at = PlaceOf(open.Item(place.id));
        EXPECT_EQ(at.x, place.x) << place.id;
        EXPECT_EQ(at.y, place.y) << place.id;
        EXPECT_EQ(::IsWindowVisible(open.Item(place.id)) != FALSE, place.shown) << place.id;
    }
    EXPECT_FALSE(::IsWindowVisible(open.Item(IDC_COLORS_APPLY)));
    // The value texts are centred in boxes of 100 x 30.
    RECT value{};
    ::GetClientRect(open.Item(IDC_RED_VALUE), &value);
    EXPECT_EQ(value.right, 100);
    EXPECT_EQ(value.bottom, 30);
    EXPECT_TRUE(open.dialog.ReturnButton().IsComposed());
}

INSTANTIATE_TEST_SUITE_P(Codes, CustomColorsLanguages,
                         ::testing::Values(LanguageCase{L"EN", L"CUSTOM COLORS", L"R", L"G", L"B"},
                                           LanguageCase{L"ZH", L"\u81EA\u5B9A\u4E49\u989C\u8272", L"\u7EA2",
                                                        L"\u7EFF", L"\u84DD"},
                                           LanguageCase{L"DE", L"CUSTOM COLORS", L"R", L"G", L"B"}));

// Fonts in points are divided by the display scale, measured as the screen's DPI / 96.
class HighDpiDialog : public CCustomColorsDlg {
public:
    HighDpiDialog() : CCustomColorsDlg(nullptr, L"EN", SkinFolder()) {}

protected:
    int ScreenDpi() const override { return 120; }
};

TEST(CustomColorsDlg, DisplayScaleComesFromTheScreensDpi)
{
    HighDpiDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_FLOAT_EQ(dialog.DisplayScale(), 1.25f);
}

// Started from another folder, the program still finds the RETURN button's pictures.
TEST(CustomColorsDlg, ButtonPicturesDoNotDependOnTheWorkingDirectory)
{
    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    TemporaryFolder elsewhere;
    ASSERT_TRUE(::SetCurrentDirectoryW(elsewhere.Path().c_str()));
    OpenDialog open(0.5);
    const bool opened = open.Open();
    ::SetCurrentDirectoryW(previous);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(open.dialog.ReturnButton().IsComposed());
    EXPECT_TRUE(open.dialog.HasWheelPicture());
}

TEST(CustomColorsDlg, ReturnAndApplyEndTheModalRun)
{
    std::vector<ChannelBytes> colors;
    {
        CCustomColorsDlg dialog(nullptr, L"EN", SkinFolder());
        dialog.colorCallback = [&](uint8_t& r, uint8_t& g, uint8_t& b) { colors.push_back({r, g, b}); };
        CustomColorsDriver driver({{550, 250}});
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(driver.Closed(), 1);
        EXPECT_FALSE(driver.Forced());
    }
    ASSERT_EQ(colors.size(), 1u);  // the pick stays with the caller
    EXPECT_EQ(colors[0], (ChannelBytes{127, 0, 0}));

    CCustomColorsDlg dialog(nullptr, L"EN", SkinFolder());
    CustomColorsDriver driver({}, IDC_COLORS_APPLY);
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace
