// The committed skin files as the program's own decoders see them: GDI+ for the
// PNG files, USER for the bitmaps and the icon.

#include <windows.h>
#include <objidl.h>  // GDI+ needs it and the lean Windows header leaves it out
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "base/win32/UniqueHandle.h"
#include "lighting/Color.h"

namespace {

// The project root, from where this file was compiled (a Unix path under Wine).
std::wstring ProjectPath(const std::wstring& relative)
{
    std::string source = __FILE__;
    source.resize(source.size() - std::string("tests/skin/win32/SkinFilesTest.cpp").size());
    std::wstring root(source.begin(), source.end());
    if (!root.empty() && root[0] == L'/') root = L"Z:" + root;
    return root + relative;
}

class GdiPlusSession {
public:
    GdiPlusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token_, &input, nullptr);
    }
    ~GdiPlusSession() { Gdiplus::GdiplusShutdown(token_); }

private:
    ULONG_PTR token_ = 0;
};

class SkinPngTest : public ::testing::Test {
protected:
    static std::unique_ptr<Gdiplus::Bitmap> Load(const std::wstring& name)
    {
        auto bitmap = std::make_unique<Gdiplus::Bitmap>(ProjectPath(L"res/" + name + L".png").c_str());
        if (bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
        return bitmap;
    }

    static ChannelBytes PixelAt(Gdiplus::Bitmap& bitmap, int x, int y)
    {
        Gdiplus::Color c;
        bitmap.GetPixel(x, y, &c);
        return {c.GetR(), c.GetG(), c.GetB()};
    }

    GdiPlusSession session_;
};

struct PngSize {
    const wchar_t* name;
    unsigned width;
    unsigned height;
};

class SkinPngSizeTest : public SkinPngTest, public ::testing::WithParamInterface<PngSize> {};

TEST_P(SkinPngSizeTest, DecodesWithAlphaAtTheSizeTheLayoutNeeds)
{
    const PngSize& expected = GetParam();
    const auto bitmap = Load(expected.name);
    const std::wstring name = expected.name;
    ASSERT_NE(bitmap, nullptr) << "cannot decode " << std::string(name.begin(), name.end());
    EXPECT_EQ(bitmap->GetWidth(), expected.width);
    EXPECT_EQ(bitmap->GetHeight(), expected.height);
    EXPECT_TRUE(Gdiplus::IsAlphaPixelFormat(bitmap->GetPixelFormat()));
    // A corner of every button picture is see-through, so the background shows there.
    Gdiplus::Color corner;
    bitmap->GetPixel(0, 0, &corner);
    EXPECT_LT(corner.GetA(), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, SkinPngSizeTest,
    ::testing::Values(PngSize{L"CLOSE_WIN", 20, 20}, PngSize{L"MIN_HOVER", 20, 20}, PngSize{L"SETTING", 20, 20},
                      PngSize{L"BTN_SELECTED_HOVER", 66, 26}, PngSize{L"BTN_4K", 132, 52},
                      PngSize{L"MODE_DISABLE", 24, 24}, PngSize{L"MODE_4K_SELECTED", 48, 48},
                      PngSize{L"SELECT_SELECTED_HOVER", 24, 24}, PngSize{L"SELECT_4K_HOVER", 48, 48},
                      PngSize{L"DEFAULT", 120, 32}, PngSize{L"DEFAULT_4K_HOVER", 240, 64},
                      PngSize{L"CANCEL_HOVER", 159, 34}, PngSize{L"PLUS", 24, 24}, PngSize{L"MINUS_HOVER", 24, 24},
                      PngSize{L"T507_EN_OFF", 278, 278}, PngSize{L"T507_4K_PURPLE", 555, 555},
                      PngSize{L"rainbow", 300, 300}));

// Sector k's middle angle, 45 k degrees with 0 to the left of the centre and 90 up,
// at the middle of the ring: the plate must show preset k there.
struct PlateCase {
    const wchar_t* prefix;
    double scale;
};

class PlateSectorTest : public SkinPngTest, public ::testing::WithParamInterface<PlateCase> {};

TEST_P(PlateSectorTest, EverySectorShowsItsPresetWhereTheHitTestFindsIt)
{
    static const ChannelBytes presets[8] = {{255, 0, 0},   {255, 255, 255}, {0, 255, 255}, {0, 0, 255},
                                            {0, 255, 0},   {255, 191, 0},   {255, 70, 0},  {255, 0, 172}};
    const PlateCase& plate = GetParam();
    const auto on = Load(std::wstring(plate.prefix) + L"ON");
    ASSERT_NE(on, nullptr);
    const double centre = 138.5 * plate.scale, radius = 101.5 * plate.scale;
    for (int k = 1; k <= 8; ++k) {
        const double angle = 45.0 * k * 3.14159265358979 / 180.0;
        const int x = static_cast<int>(std::lround(centre - radius * std::cos(angle)));
        const int y = static_cast<int>(std::lround(centre - radius * std::sin(angle)));
        EXPECT_EQ(PixelAt(*on, x, y), presets[k - 1]) << "sector " << k;
    }
    // The centre disc, where a click opens the custom colours, is white.
    EXPECT_EQ(PixelAt(*on, static_cast<int>(centre) - static_cast<int>(30 * plate.scale), static_cast<int>(centre)),
              (ChannelBytes{255, 255, 255}));
}

INSTANTIATE_TEST_SUITE_P(AllPrefixes, PlateSectorTest,
                         ::testing::Values(PlateCase{L"T507_EN_", 1}, PlateCase{L"T507_", 1},
                                           PlateCase{L"T507_EN_4K_", 2}, PlateCase{L"T507_4K_", 2}));

TEST_F(SkinPngTest, RainbowShowsThePickedColourAtFullBrightness)
{
    const auto wheel = Load(L"rainbow");
    ASSERT_NE(wheel, nullptr);
    // Picture pixel (i, j) lies under the dialog point (250 + i, 100 + j); the wheel's centre is (400, 250).
    EXPECT_EQ(PixelAt(*wheel, 150, 150), (ChannelBytes{255, 255, 255}));
    EXPECT_EQ(PixelAt(*wheel, 225, 150), RgbToBytes(HsvToRgb(0, 0.5, 1)));      // right, half way out
    EXPECT_EQ(PixelAt(*wheel, 150, 10), RgbToBytes(HsvToRgb(90, 140 / 150.0, 1)));   // above
    EXPECT_EQ(PixelAt(*wheel, 10, 150), RgbToBytes(HsvToRgb(180, 140 / 150.0, 1)));   // left
    EXPECT_EQ(PixelAt(*wheel, 150, 290), RgbToBytes(HsvToRgb(270, 140 / 150.0, 1)));  // below
    Gdiplus::Color outside;
    wheel->GetPixel(0, 0, &outside);
    EXPECT_EQ(outside.GetA(), 0);
}

struct BitmapCase {
    const wchar_t* name;
    int width;
    int height;
};

class SkinBitmapTest : public ::testing::TestWithParam<BitmapCase> {};

TEST_P(SkinBitmapTest, LoadsAsTwentyFourBitBitmapOfItsSize)
{
    const BitmapCase& expected = GetParam();
    const std::wstring path = ProjectPath(std::wstring(L"T507Ctrl/res/bitmaps/") + expected.name + L".bmp");
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    ASSERT_NE(GetObjectW(bitmap.Get(), sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, expected.width);
    EXPECT_EQ(info.bmHeight, expected.height);
    EXPECT_EQ(info.bmBitsPixel, 24);
}

INSTANTIATE_TEST_SUITE_P(
    Resources, SkinBitmapTest,
    ::testing::Values(BitmapCase{L"main_background", 800, 600}, BitmapCase{L"main_background_4k", 1600, 1200},
                      BitmapCase{L"custom_colors_background", 800, 500}, BitmapCase{L"level_0", 150, 20},
                      BitmapCase{L"level_8", 150, 20}, BitmapCase{L"level_4k_0", 300, 40},
                      BitmapCase{L"level_4k_8", 300, 40}));

// The level control loads its pictures with the 3-D colour mapping; the dots and the
// panel colour must come through it unchanged.
TEST(SkinLevelBitmapTest, KeepsItsColoursThroughTheThreeDColourMapping)
{
    for (int level = 0; level <= 8; ++level) {
        const std::wstring path = ProjectPath(L"T507Ctrl/res/bitmaps/level_" + std::to_wstring(level) + L".bmp");
        UniqueBitmap bitmap(static_cast<HBITMAP>(
            LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS)));
        ASSERT_TRUE(bitmap);
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        const HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0xE8, 0xE8, 0xE8)) << "level " << level;
        for (int dot = 0; dot < 8; ++dot) {
            const COLORREF centre = GetPixel(dc.Get(), 9 + 18 * dot, 10);
            if (dot < level) EXPECT_EQ(centre, RGB(255, 255, 255)) << "level " << level << " dot " << dot;
            else EXPECT_NE(centre, RGB(255, 255, 255)) << "level " << level << " dot " << dot;
        }
        SelectObject(dc.Get(), old);
    }
}

// Every entry of the icon file decodes on its own at its size (the 256-pixel one is PNG).
TEST(SkinIconTest, HoldsEveryShellSize)
{
    std::ifstream in(ProjectPath(L"T507Ctrl/res/T507Ctrl.ico").c_str(), std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(file.size(), 6u);
    auto word = [&](size_t at) { return static_cast<uint32_t>(file[at] | file[at + 1] << 8); };
    auto dword = [&](size_t at) { return word(at) | word(at + 2) << 16; };
    ASSERT_EQ(word(2), 1u);  // an icon, not a cursor
    const uint32_t count = word(4);
    ASSERT_EQ(count, 4u);
    ASSERT_GE(file.size(), 6 + 16 * count);
    const int sizes[] = {16, 32, 48, 256};
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + 16 * i;
        const int size = file[entry] == 0 ? 256 : file[entry];
        EXPECT_EQ(size, sizes[i]);
        const uint32_t bytes = dword(entry + 8), offset = dword(entry + 12);
        ASSERT_LE(static_cast<size_t>(offset) + bytes, file.size());
        UniqueIcon icon(CreateIconFromResourceEx(const_cast<uint8_t*>(&file[offset]), bytes, TRUE, 0x00030000,
                                                 size, size, LR_DEFAULTCOLOR));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.Get(), &info));
        const UniqueBitmap colourPart(info.hbmColor), maskPart(info.hbmMask);
        BITMAP colour{};
        GetObjectW(colourPart.Get(), sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
    }
}

}  // namespace
