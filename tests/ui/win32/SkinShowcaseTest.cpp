// The main window's skin put together from the toolkit's pieces, at the normal size.
// Under ctest it checks that every piece found its pictures; tests/ui/screenshot
// keeps it on screen (LUMIVAR_SHOWCASE_SECONDS) and photographs it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "SkinTestDialog.h"
#include "monitor/win32/CGraph.h"
#include "ui/win32/Button.h"
#include "ui/win32/ButtonImages.h"
#include "ui/win32/CColorPlate.h"
#include "ui/win32/CCustomColorsDlg.h"
#include "ui/win32/CLevelStatic.h"
#include "ui/win32/GdiPlusBitmap.h"
#include "ui/win32/SkinFont.h"
#include "ui/win32/TextView.h"

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Under the screenshot script: stays on screen (LUMIVAR_SHOWCASE_SECONDS) after
// writing the ready file the photographer waits for.
void KeepOnScreen()
{
    const int seconds = std::atoi(Environment("LUMIVAR_SHOWCASE_SECONDS").c_str());
    if (seconds <= 0) return;
    PumpMessagesFor(500);
    if (const std::string ready = Environment("LUMIVAR_SHOWCASE_READY"); !ready.empty()) std::ofstream(ready) << "ready\n";
    PumpMessagesFor(static_cast<DWORD>(seconds) * 1000);
}

class SkinShowcase {
public:
    explicit SkinShowcase(bool chinese) : chinese_(chinese) {}

    bool Build()
    {
        if (!dialog_.Open()) return false;
        HWND window = dialog_.Handle();
        const std::wstring skin = SkinFolder();

        Label(IDC_TITLE, chinese_ ? IDS_TITLE_ZH : IDS_TITLE_EN, 332, 27, 18, 0xFFFFFFFF, 130, 30);
        Label(IDC_LOCATION_HEADING, chinese_ ? IDS_LOCATION_ZH : IDS_LOCATION_EN, chinese_ ? 120 : 99, 72, 11,
              0xFFFFFFFF);
        Label(IDC_LOCATION0_NAME, 0, 102, 134, 11, 0xFF58585A);
        Label(IDC_LOCATION1_NAME, 0, 102, 228, 11, 0xFF58585A);
        Label(IDC_MODE_HEADING, chinese_ ? IDS_LIGHTING_MODE_ZH : IDS_LIGHTING_MODE_EN, 583, 72, 11, 0xFFFFFFFF);
        for (int i = 0; i < 7; ++i) {
            Label(IDC_MODE_NAME_0 + i, (chinese_ ? IDS_MODE_STATIC_ZH : IDS_MODE_STATIC_EN) + i, 626, 124 + 30 * i, 8,
                  0xFF58585A);
            ButtonAt(IDC_MODE_0 + i, [&](Button& b) { LoadToggleButtonImages(b, skin, L"MODE", 591, 118 + 30 * i, true); });
        }
        buttons_[IDC_MODE_0 + 1]->SetButtonState(Button::kSelected);
        buttons_[IDC_MODE_0 + 5]->SetButtonState(Button::kDisabled);

        ButtonAt(IDC_CLOSE, [&](Button& b) { LoadButtonImages(b, skin, L"CLOSE_WIN", 780, 1, false); });
        ButtonAt(IDC_MIN, [&](Button& b) { LoadButtonImages(b, skin, L"MIN", 759, 1, false); });
        ButtonAt(IDC_SETTING, [&](Button& b) { LoadButtonImages(b, skin, L"SETTING", 738, 1, false); });
        ButtonAt(IDC_LOCATION0_SELECT, [&](Button& b) { LoadToggleButtonImages(b, skin, L"SELECT", 70, 132, true); });
        ButtonAt(IDC_LOCATION1_SELECT, [&](Button& b) { LoadToggleButtonImages(b, skin, L"SELECT", 70, 226, true); });
        buttons_[IDC_LOCATION0_SELECT]->SetButtonState(Button::kSelected);
        ButtonAt(IDC_ALL_ON, [&](Button& b) { LoadToggleButtonImages(b, skin, L"BTN", 79, 309, false); });
        ButtonAt(IDC_ALL_OFF, [&](Button& b) { LoadToggleButtonImages(b, skin, L"BTN", 152, 309, false); });
        buttons_[IDC_ALL_ON]->SetButtonState(Button::kSelected);
        ButtonAt(IDC_DEFAULT, [&](Button& b) { LoadButtonImages(b, skin, L"DEFAULT", 590, 340, false); });
        plate_.SubclassDlgItem(window, IDC_COLOR_PLATE);
        plate_.SetTextStyle(7.0f, 0xFF9E9D9D);
        if (chinese_) plate_.SetLabels(Text(IDS_CUSTOM_COLORS_ZH), Text(IDS_OFF_ZH));
        plateLoaded_ = plate_.LoadImages(skin + (chinese_ ? L"T507_" : L"T507_EN_"), 1);
        ::SetWindowPos(plate_.Handle(), nullptr, 261, 105, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        Caption(IDC_ALL_ON, chinese_ ? IDS_ON_ZH : IDS_ON_EN, 8);
        Caption(IDC_ALL_OFF, chinese_ ? IDS_OFF_ZH : IDS_OFF_EN, 8);
        Caption(IDC_DEFAULT, chinese_ ? IDS_DEFAULT_ZH : IDS_DEFAULT_EN, 10);
        for (int id : {IDC_LOCATION0_ON, IDC_LOCATION0_OFF, IDC_LOCATION1_ON, IDC_LOCATION1_OFF, IDC_APPLY, IDC_STATUS})
            ::ShowWindow(::GetDlgItem(window, id), SW_HIDE);

        const std::vector<UINT> levels = {IDB_LEVEL_1, IDB_LEVEL_2, IDB_LEVEL_3, IDB_LEVEL_4,
                                          IDB_LEVEL_5, IDB_LEVEL_6, IDB_LEVEL_7, IDB_LEVEL_8};
        int shown = 3;
        for (int id : {IDC_LOCATION0_LEVEL, IDC_LOCATION1_LEVEL}) {
            auto& level = levels_.emplace_back(std::make_unique<CLevelStatic>());
            level->SubclassDlgItem(window, id);
            ::SetWindowPos(level->Handle(), nullptr, 70, id == IDC_LOCATION0_LEVEL ? 161 : 256, 150, 20,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            level->SetLevelImages(IDB_LEVEL_0, levels);
            level->level = shown;
            level->ShowLevel();
            shown = 6;
        }

        struct GraphSetup {
            int id;
            int x;
            int lower;
            int upper;
            int title;
            const wchar_t* unit;
            double middle;
        };
        const GraphSetup graphs[] = {
            {IDC_FAN_GRAPH, 35, 500, 2600, chinese_ ? IDS_FAN_SPEED_ZH : IDS_FAN_SPEED_EN, L"RPM", 1500},
            {IDC_GPU_GRAPH, 280, 0, 100, chinese_ ? IDS_GPU_TEMP_ZH : IDS_GPU_TEMP_EN, L"C\u00B0", 48},
            {IDC_CPU_GRAPH, 525, 0, 100, chinese_ ? IDS_CPU_TEMP_ZH : IDS_CPU_TEMP_EN, L"C\u00B0", 55},
        };
        for (const GraphSetup& setup : graphs) {
            auto& graph = graphs_.emplace_back(std::make_unique<CGraph>([] { return SIZE{1920, 1080}; }));
            graph->SubclassDlgItem(window, setup.id);
            ::SetWindowPos(graph->Handle(), nullptr, setup.x, 480, 232, 80, SWP_NOZORDER | SWP_NOACTIVATE);
            graph->SetBounds(setup.lower, setup.upper);
            graph->SetUnitsPerPixel(static_cast<float>(setup.upper - setup.lower) / 60.0f);
            graph->SetTextStyle(7.0f, 0xFF999999);
            graph->SetTexts(Text(static_cast<UINT>(setup.title)), setup.unit);
            graph->ResetHistory();
            const double swing = (setup.upper - setup.lower) / 6.0;
            for (int i = 0; i < 240; ++i)
                graph->AddValue(static_cast<int>(setup.middle + swing * std::sin(i / 9.0) + swing / 3 * std::sin(i / 2.3)));
        }

        dialog_.Show();
        return true;
    }

    // Every button that was given pictures composed them.
    std::vector<int> ButtonsWithoutPicture() const
    {
        std::vector<int> missing;
        for (const auto& [id, button] : buttons_) {
            if (!button->IsComposed()) missing.push_back(id);
        }
        return missing;
    }

    HWND Handle() const { return dialog_.Handle(); }
    bool PlateShown() const { return plateLoaded_ && plate_.IsComposed(); }

private:
    void Label(int id, UINT text, int x, int y, float points, uint32_t color, int width = -1, int height = -1)
    {
        auto& label = labels_.emplace_back(std::make_unique<TextView>());
        label->SubclassDlgItem(dialog_.Handle(), id);
        label->SetLabelFont(kSkinFontFamily, points, kSkinFontStyle, Gdiplus::UnitPoint, color);
        label->fixedWidth = width;
        label->fixedHeight = height;
        if (text != 0) label->SetLabelText(Text(text));
        ::SetWindowPos(label->Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    template <typename Setup>
    void ButtonAt(int id, Setup setup)
    {
        auto button = std::make_unique<Button>();
        button->SubclassDlgItem(dialog_.Handle(), id);
        setup(*button);
        buttons_[id] = std::move(button);
    }

    void Caption(int id, UINT text, float points)
    {
        buttons_[id]->SetCaptionFont(points, 0xFF58585A, Gdiplus::UnitPoint);
        buttons_[id]->SetCaption(Text(text), L"");
    }

    bool chinese_;
    SkinTestDialog dialog_;
    std::vector<std::unique_ptr<TextView>> labels_;
    std::map<int, std::unique_ptr<Button>> buttons_;
    CColorPlate plate_;
    bool plateLoaded_ = false;
    std::vector<std::unique_ptr<CLevelStatic>> levels_;
    std::vector<std::unique_ptr<CGraph>> graphs_;
};

TEST(SkinShowcase, MainWindowSkinFromTheToolkit)
{
    SkinShowcase showcase(Environment("LUMIVAR_SHOWCASE_LANGUAGE") == "ZH");
    ASSERT_TRUE(showcase.Build());
    EXPECT_EQ(showcase.ButtonsWithoutPicture(), std::vector<int>{});
    EXPECT_TRUE(showcase.PlateShown());

    KeepOnScreen();
}

// The custom colour dialog with a pick made, at the screen position of the showcase.
TEST(SkinShowcase, CustomColorsDialogWithAPick)
{
    const bool chinese = Environment("LUMIVAR_SHOWCASE_LANGUAGE") == "ZH";
    CCustomColorsDlg dialog(nullptr, chinese ? L"ZH" : L"EN", SkinFolder());
    dialog.level = 223.0 / 255.0;
    ASSERT_TRUE(dialog.Create());
    ::SetWindowPos(dialog.Handle(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(dialog.Handle());
    PumpMessages();
    ::PostMessageW(dialog.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(470, 180));
    ::PostMessageW(dialog.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(470, 180));
    PumpMessages();
    EXPECT_EQ(dialog.Marker().x, 470);
    EXPECT_TRUE(dialog.ReturnButton().IsComposed());
    KeepOnScreen();
}

// Every skin file the windows ask for is beside the program, 4K pictures twice the size.
TEST(SkinFiles, EveryPictureOfTheSkinFolder)
{
    const std::wstring skin = SkinFolder();
    const auto size = [&](const std::wstring& name) {
        GdiPlusBitmap bitmap;
        return bitmap.Load(skin + name) ? SIZE{bitmap.Width(), bitmap.Height()} : SIZE{0, 0};
    };
    // The plate's pictures are drawn around a centre at half a pixel (138.5, doubled 277):
    // their 4K size may differ from twice the normal one by a pixel.
    const auto expectPair = [&](const std::wstring& normal, const std::wstring& large, int tolerance = 0) {
        const SIZE n = size(normal);
        const SIZE l = size(large);
        EXPECT_GT(n.cx, 0) << std::string(normal.begin(), normal.end());
        EXPECT_NEAR(l.cx, 2 * n.cx, tolerance) << std::string(large.begin(), large.end());
        EXPECT_NEAR(l.cy, 2 * n.cy, tolerance) << std::string(large.begin(), large.end());
    };
    for (const wchar_t* base : {L"CLOSE_WIN", L"MIN", L"SETTING", L"CANCEL", L"PLUS", L"MINUS"}) {
        EXPECT_GT(size(std::wstring(base) + L".png").cx, 0);
        EXPECT_EQ(size(std::wstring(base) + L".png").cx, size(std::wstring(base) + L"_HOVER.png").cx);
    }
    for (const wchar_t* base : {L"BTN", L"MODE", L"SELECT", L"DEFAULT"}) {
        std::vector<std::wstring> suffixes = {L".png", L"_HOVER.png"};
        if (std::wstring(base) != L"DEFAULT") suffixes.insert(suffixes.end(), {L"_SELECTED.png", L"_SELECTED_HOVER.png"});
        for (const std::wstring& suffix : suffixes) expectPair(base + suffix, base + std::wstring(L"_4K") + suffix);
    }
    EXPECT_EQ(size(L"MODE_DISABLE.png").cx, size(L"MODE.png").cx);
    EXPECT_EQ(size(L"SELECT_DISABLE.png").cx, size(L"SELECT.png").cx);
    for (const wchar_t* picture :
         {L"ON", L"RED", L"WHITE", L"CYAN", L"BLUE", L"GREEN", L"YELLOW", L"ORANGE", L"PURPLE", L"OFF"}) {
        expectPair(L"T507_EN_" + std::wstring(picture) + L".png", L"T507_EN_4K_" + std::wstring(picture) + L".png", 1);
        expectPair(L"T507_" + std::wstring(picture) + L".png", L"T507_4K_" + std::wstring(picture) + L".png", 1);
    }
    const SIZE rainbow = size(L"rainbow.png");
    EXPECT_GE(rainbow.cx, 300);
    EXPECT_GE(rainbow.cy, 300);
}

}  // namespace
