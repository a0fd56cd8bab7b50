#include "ui/win32/CColorPlate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "CustomColorsDriver.h"
#include "SkinTestDialog.h"

namespace {

constexpr int kSize = 278;  // the normal plate pictures
constexpr int kX = 261;
constexpr int kY = 105;
constexpr int kCorner = 12;  // the pictures' transparent top-left square

// Picture i: one colour of its own, with a transparent top-left corner.
Rgb PictureColor(int index) { return {20 * index + 10, 200 - 15 * index, 0x40}; }

uint32_t PicturePixel(int index, int x, int y)
{
    if (x < kCorner && y < kCorner) return 0;
    const Rgb c = PictureColor(index);
    return 0xFF000000u | static_cast<uint32_t>(c.red) << 16 | static_cast<uint32_t>(c.green) << 8 |
           static_cast<uint32_t>(c.blue);
}

// Every pixel of a bitmap as 0x00RRGGBB, row by row from the top.
std::vector<uint32_t> BitmapPixels(HBITMAP bitmap)
{
    const SIZE size = BitmapSize(bitmap);
    std::vector<uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

// A client point of the plate at a distance and angle from the wheel's centre, angles
// as the plate counts them (0 = left, 90 = up).
POINT PlatePoint(double distance, double degrees)
{
    const PlateGeometry g = PlateGeometryFor(false);
    const double rad = degrees * 3.141592653589793 / 180.0;
    return {static_cast<LONG>(std::lround(g.centreX - distance * std::cos(rad))),
            static_cast<LONG>(std::lround(g.centreY - distance * std::sin(rad)))};
}

class ColorPlateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WritePictures(L"P_", kSize, {});
        ASSERT_TRUE(dialog.Open());
        ASSERT_TRUE(plate.SubclassDlgItem(dialog.Handle(), IDC_COLOR_PLATE));
        ::SetWindowPos(plate.Handle(), nullptr, kX, kY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        plate.SetCustomColorsSkin(L"EN", SkinFolder());
    }

    void WritePictures(const std::wstring& prefix, int size, const std::wstring& missing)
    {
        for (int i = 0; i < CColorPlate::kPictureCount; ++i) {
            const std::wstring name = CColorPlate::kPictureNames[static_cast<size_t>(i)];
            if (name == missing) continue;
            ASSERT_TRUE(WritePng(folder.Path() + prefix + name + L".png", size, size,
                                 [i](int x, int y) { return PicturePixel(i, x, y); }));
        }
    }

    bool Load(int initial) { return plate.LoadImages(folder.Path() + L"P_", initial); }

    // Shows the dialog the first time, otherwise repaints the plate.
    void Paint()
    {
        if (!::IsWindowVisible(dialog.Handle())) {
            dialog.Show();
            return;
        }
        ::InvalidateRect(plate.Handle(), nullptr, TRUE);
        ::UpdateWindow(plate.Handle());
        PumpMessages();
    }

    // A press and release at a client point of the plate, by posted messages.
    void Click(POINT p)
    {
        CustomColorsDriver::Click(plate.Handle(), p.x, p.y);
        PumpMessages();
    }

    Rgb Shown(int x, int y) const { return WindowPixel(plate.Handle(), x, y); }

    TemporaryFolder folder;
    SkinTestDialog dialog;
    CColorPlate plate;
};

TEST_F(ColorPlateTest, LoadImagesSizesThePlateAndShowsTheInitialPicture)
{
    plate.state.on = true;
    ASSERT_TRUE(Load(0));
    EXPECT_EQ(plate.PictureSize().cx, kSize);
    EXPECT_EQ(plate.PictureSize().cy, kSize);
    RECT client{};
    ::GetClientRect(plate.Handle(), &client);
    EXPECT_EQ(client.right, kSize);
    EXPECT_EQ(client.bottom, kSize);
    EXPECT_EQ(plate.Origin().left, 0);
    EXPECT_EQ(plate.Origin().top, 0);
    // Initial 0: the light stays on, the mode takes no colour.
    EXPECT_EQ(plate.state.shownPicture, 0);
    EXPECT_TRUE(plate.state.on);
    EXPECT_FALSE(plate.state.colorApplicable);
    // Not moved by the resize.
    RECT place{};
    ::GetWindowRect(plate.Handle(), &place);
    ::MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, kX);
    EXPECT_EQ(place.top, kY);
}

TEST_F(ColorPlateTest, ShowsEachPictureComposedOverTheBackground)
{
    ASSERT_TRUE(Load(3));
    Paint();
    ASSERT_TRUE(plate.IsComposed());
    EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(3), 0));
    EXPECT_EQ(plate.state.lastPreset, 3);  // a preset was drawn

    // The transparent corner shows the dialog background under the plate.
    UniqueBitmap background(static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr),
        MAKEINTRESOURCEW(IDB_MAIN_BACKGROUND), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    for (POINT p : {POINT{0, 0}, POINT{5, 7}, POINT{kCorner - 1, kCorner - 1}})
        EXPECT_TRUE(NearColor(Shown(p.x, p.y), BitmapPixel(background.Get(), kX + p.x, kY + p.y), 0)) << p.x << "," << p.y;

    // Every other picture is a copy of what was composed once.
    const HBITMAP composedOff = plate.ComposedPicture(9);
    for (int picture : {9, 0, 8}) {
        plate.state.shownPicture = picture;
        Paint();
        EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(picture), 0)) << picture;
        EXPECT_TRUE(NearColor(Shown(3, 3), BitmapPixel(background.Get(), kX + 3, kY + 3), 0)) << picture;
    }
    EXPECT_EQ(plate.ComposedPicture(9), composedOff);
    EXPECT_EQ(plate.state.lastPreset, 8);

    // Nothing to show: the plate leaves its window as it was.
    plate.state.shownPicture = -1;
    Paint();
    EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(8), 0));
}

TEST_F(ColorPlateTest, LabelGoesOnTheOnAndPresetPicturesAndTheOffLabelOnTheOffPicture)
{
    plate.SetTextStyle(30.0f, 0xFFFF00FF);
    plate.SetLabels(L"WWW", L"");
    ASSERT_TRUE(Load(1));
    Paint();
    const auto magentaPixels = [&](int picture) {
        int count = 0;
        for (uint32_t c : BitmapPixels(plate.ComposedPicture(picture)))
            count += (c >> 16 & 0xFF) > 0xC0 && (c & 0xFF) > 0xC0 && (c >> 8 & 0xFF) < 0x60;
        return count;
    };
    EXPECT_GT(magentaPixels(0), 0);
    EXPECT_GT(magentaPixels(5), 0);
    EXPECT_EQ(magentaPixels(9), 0);

    plate.SetLabels(L"", L"OFF");
    Paint();
    EXPECT_EQ(magentaPixels(4), 0);
    EXPECT_GT(magentaPixels(9), 0);
}

TEST_F(ColorPlateTest, MissingPictureGivesTheErrorAndKeepsThePlate)
{
    ASSERT_TRUE(Load(4));
    Paint();
    WritePictures(L"SMALL_", 100, L"GREEN");

    std::wstring error;
    EXPECT_FALSE(plate.LoadImages(folder.Path() + L"SMALL_", 1, &error));
    EXPECT_EQ(error, L"Can not find color image:" + folder.Path() + L"SMALL_GREEN.png.");
    EXPECT_EQ(ColorImageErrorText(folder.Path() + L"SMALL_GREEN.png"), error);

    EXPECT_EQ(plate.PictureSize().cx, kSize);
    RECT client{};
    ::GetClientRect(plate.Handle(), &client);
    EXPECT_EQ(client.right, kSize);
    EXPECT_EQ(plate.Origin().right, kSize);
    EXPECT_EQ(plate.state.shownPicture, 4);
    // It still shows its own pictures.
    Paint();
    EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(4), 0));
    EXPECT_TRUE(NearColor(Shown(kSize - 2, kSize - 2), PictureColor(4), 0));
}

TEST_F(ColorPlateTest, SetColorApplicableRedrawsTheLastPresetOrThePlainOnPicture)
{
    ASSERT_TRUE(Load(6));
    Paint();
    plate.SetColorApplicable(false);
    PumpMessages();
    EXPECT_EQ(plate.state.shownPicture, 0);
    EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(0), 0));
    plate.SetColorApplicable(true);
    PumpMessages();
    EXPECT_EQ(plate.state.shownPicture, 6);
    EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize / 2), PictureColor(6), 0));
}

// Clicks by posted mouse messages, as the user makes them.
struct ClickCase {
    const char* name;
    bool on;
    bool applicable;
    bool locked;  // centre locked and dialog enabled, as the main window sets them
    POINT point;
    int clickKind;
    int clickedIndex;
    int shown;
    bool onAfter;
    bool dialogOpens;
};

class ColorPlateClicks : public ColorPlateTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ColorPlateClicks, ReleaseUpdatesTheClickResultsAndTellsTheOwner)
{
    const ClickCase& c = GetParam();
    ASSERT_TRUE(Load(c.on ? 2 : 9));
    Paint();
    plate.state.colorApplicable = c.applicable;
    plate.state.shownPicture = c.on ? (c.applicable ? 2 : 0) : 9;
    plate.state.lastPreset = 2;
    plate.state.centreLocked = c.locked;
    plate.state.dialogEnabled = c.locked;
    plate.dialogLevel = [] { return 31.0 / 255.0; };
    std::vector<ChannelBytes> colors;
    plate.colorCallback = [&](uint8_t& r, uint8_t& g, uint8_t& b) { colors.push_back({r, g, b}); };

    CustomColorsDriver driver({{550, 250}});
    Click(c.point);
    PumpMessages();

    EXPECT_EQ(plate.state.clickKind, c.clickKind);
    EXPECT_EQ(plate.state.clickedIndex, c.clickedIndex);
    EXPECT_EQ(plate.state.shownPicture, c.shown);
    EXPECT_EQ(plate.state.on, c.onAfter);
    EXPECT_EQ(plate.state.clickOnState, c.onAfter);
    EXPECT_EQ(dialog.Clicks(IDC_COLOR_PLATE), 1);
    EXPECT_EQ(driver.Closed(), c.dialogOpens ? 1 : 0);
    EXPECT_FALSE(driver.Forced());
    if (c.dialogOpens) {
        // Opened at the owner's level with the plate's callback: the pick at the wheel's
        // right edge gives full red at that level.
        ASSERT_EQ(colors.size(), 1u);
        EXPECT_EQ(colors[0], (ChannelBytes{31, 0, 0}));
    } else {
        EXPECT_TRUE(colors.empty());
    }
    // The window shows the picture the state names.
    if (c.shown >= 0) {
        EXPECT_TRUE(NearColor(Shown(kSize / 2, kSize - 30), PictureColor(c.shown), 0));
    }
}

const POINT kCentre = PlatePoint(0, 0);
const POINT kBlue = PlatePoint(100, 180);   // right of the centre: sector 4
const POINT kPurple = PlatePoint(100, 5);   // left, just above: sector 8 wraps through 0
const POINT kGap = PlatePoint(60, 90);      // between the disc and the ring

INSTANTIATE_TEST_SUITE_P(
    Cases, ColorPlateClicks,
    ::testing::Values(ClickCase{"SectorWhileOff", false, true, true, kBlue, -1, -1, 9, false, false},
                      ClickCase{"SectorWithoutColour", true, false, true, kBlue, -1, -1, 0, true, false},
                      ClickCase{"SectorPicksThePreset", true, true, true, kBlue, 1, 4, 4, true, false},
                      ClickCase{"SectorEightAcrossZero", true, true, true, kPurple, 1, 8, 8, true, false},
                      ClickCase{"GapHitsNothing", true, true, true, kGap, -1, -1, 2, true, false},
                      ClickCase{"LockedCentreOpensTheDialog", true, true, true, kCentre, -1, -1, 2, true, true},
                      ClickCase{"LockedCentreWhileOff", false, true, true, kCentre, -1, -1, 9, false, false},
                      ClickCase{"LockedCentreWithoutColour", true, false, true, kCentre, -1, -1, 0, true, false},
                      ClickCase{"CentreSwitchesOff", true, true, false, kCentre, 0, 0, 9, false, false},
                      ClickCase{"CentreSwitchesOnToTheLastPreset", false, true, false, kCentre, 0, 2, 2, true,
                                false}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(ColorPlateTest, DoubleClickCountsAsTwoClicks)
{
    ASSERT_TRUE(Load(2));
    Paint();
    const POINT p = PlatePoint(100, 90);
    ::PostMessageW(plate.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ::PostMessageW(plate.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    ::PostMessageW(plate.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    ::PostMessageW(plate.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    PumpMessages();
    EXPECT_EQ(dialog.Clicks(IDC_COLOR_PLATE), 2);
    EXPECT_EQ(plate.state.clickedIndex, 2);
}

}  // namespace

namespace {

TEST_F(ColorPlateTest, FourKGeometryHitsTheLargePictures)
{
    WritePictures(L"LARGE_", 555, {});
    plate.SetGeometry(PlateGeometryFor(true));
    ASSERT_TRUE(plate.LoadImages(folder.Path() + L"LARGE_", 2));
    Paint();
    // 200 pixels right of the large wheel's centre: the blue sector; on the normal
    // wheel the same point would be outside the ring.
    Click({277 + 200, 277});
    EXPECT_EQ(plate.state.clickedIndex, 4);
    Click({277 + 130, 277});  // inside the large ring's hole
    EXPECT_EQ(plate.state.clickKind, -1);
}

// The message box the main window shows for a missing picture, read back while it is up.
struct MessageBoxSeen {
    std::wstring text;
    bool errorIcon = false;
    bool seen = false;
};
MessageBoxSeen messageBoxSeen;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND box = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND window, LPARAM found) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(window, name, 16);
            if (std::wstring(name) != L"#32770" || !::IsWindowVisible(window) || ::GetDlgItem(window, IDOK) == nullptr)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return;
    ::KillTimer(nullptr, timer);
    // Wine's and Windows' message boxes: the text is static 0xFFFF, the icon static 0x440.
    wchar_t text[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 512);
    messageBoxSeen.text = text;
    const HICON shown = reinterpret_cast<HICON>(::SendDlgItemMessageW(box, 0x440, STM_GETICON, 0, 0));
    messageBoxSeen.errorIcon = shown != nullptr && shown == ::LoadIconW(nullptr, IDI_ERROR);
    messageBoxSeen.seen = true;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST_F(ColorPlateTest, MissingPictureErrorReachesTheUserInAnErrorBox)
{
    std::wstring error;
    ASSERT_FALSE(plate.LoadImages(folder.Path() + L"NONE_", 9, &error));
    messageBoxSeen = {};
    ::SetTimer(nullptr, 0, 20, CloseMessageBox);
    ShowColorImageError(dialog.Handle(), error);
    EXPECT_TRUE(messageBoxSeen.seen);
    EXPECT_EQ(messageBoxSeen.text, L"Can not find color image:" + folder.Path() + L"NONE_ON.png.");
    EXPECT_TRUE(messageBoxSeen.errorIcon);
}

}  // namespace
