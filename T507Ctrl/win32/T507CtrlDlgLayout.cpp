// The main window's layout at normal size (f = 1, 800 x 600) or at 4K size (f = 2):
// every position, image and font of the skin, and the texts of the language.
#include "win32/T507CtrlDlg.h"

#include "resource.h"
#include "ui/win32/ButtonImages.h"
#include "ui/win32/SkinFont.h"

#include <string>

namespace {

constexpr uint32_t kWhiteText = 0xFFFFFFFF;
constexpr uint32_t kDarkText = 0xFF58585A;
constexpr uint32_t kGraphText = 0xFF999999;
constexpr uint32_t kPlateText = 0xFF9E9D9D;

void Move(const Window& control, int x, int y)
{
    ::SetWindowPos(control.Handle(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Place(const Window& control, int x, int y, int width, int height)
{
    ::SetWindowPos(control.Handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Hide(const Window& control)
{
    ::ShowWindow(control.Handle(), SW_HIDE);
}

std::wstring WithSuffix(const wchar_t* base, int f)
{
    return f == 2 ? std::wstring(base) + L"_4K" : std::wstring(base);
}

}  // namespace

void CT507CtrlDlg::Layout()
{
    LayoutWithFactor(app_.FourKScreen() ? 2 : 1);
}

void CT507CtrlDlg::LayoutWithFactor(int f)
{
    const std::wstring skin = app_.SkinFolder();
    const std::wstring btn = WithSuffix(L"BTN", f);
    const std::wstring mode = WithSuffix(L"MODE", f);
    const std::wstring select = WithSuffix(L"SELECT", f);
    const std::wstring defaultName = WithSuffix(L"DEFAULT", f);
    const bool withDisabled = f == 1;  // the 4K skin has no disabled pictures of its own
    const auto points = [this, f](float size) { return PointsForDisplay(size * f, displayScale_); };
    const auto font = [&](TextView& label, float size, uint32_t colour) {
        label.SetLabelFont(kSkinFontFamily, points(size), kSkinFontStyle, Gdiplus::UnitPoint, colour);
    };

    backgroundBrush_.Reset(::CreateSolidBrush(kSkinGrey));
    ::SetWindowPos(Handle(), nullptr, 0, 0, 800 * f, 600 * f, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetBackgroundBitmap(f == 2 ? IDB_MAIN_BACKGROUND_4K : IDB_MAIN_BACKGROUND);

    font(titleLabel_, 18, kWhiteText);
    titleLabel_.fixedWidth = 130 * f;
    titleLabel_.fixedHeight = 30 * f;
    Move(titleLabel_, 332 * f, 27 * f);

    LoadButtonImages(closeButton_, skin, L"CLOSE_WIN", 780 * f, 1, false);
    LoadButtonImages(minButton_, skin, L"MIN", 759 * f, 1, false);
    LoadButtonImages(settingButton_, skin, L"SETTING", 738 * f, 1, false);

    font(versionLabel_, 10, kDarkText);
    versionLabel_.fixedWidth = 150 * f;
    versionLabel_.fixedHeight = 30 * f;
    ::SetWindowTextW(versionLabel_.Handle(), L"");
    Place(versionLabel_, 600 * f, 422 * f, 150 * f, 30 * f);

    font(locationHeading_, 11, kWhiteText);
    Move(locationHeading_, (app_.languageCode == L"EN" ? 99 : 120) * f, 72 * f);
    font(location0Name_, 11, kDarkText);
    Move(location0Name_, 102 * f, 134 * f);
    font(location1Name_, 11, kDarkText);
    Move(location1Name_, 102 * f, 228 * f);

    PanelControls controls;
    LoadButtonImages(location0On_, skin, btn, 85 * f, 159 * f, false);
    LoadButtonImages(location0Off_, skin, btn, 152 * f, 159 * f, false);
    Hide(location0On_);
    Hide(location0Off_);
    controls.locationGroups.push_back({&location0On_, &location0Off_});

    const std::vector<UINT> levelImages =
        f == 2 ? std::vector<UINT>{IDB_LEVEL_4K_1, IDB_LEVEL_4K_2, IDB_LEVEL_4K_3, IDB_LEVEL_4K_4, IDB_LEVEL_4K_5,
                                   IDB_LEVEL_4K_6, IDB_LEVEL_4K_7, IDB_LEVEL_4K_8}
               : std::vector<UINT>{IDB_LEVEL_1, IDB_LEVEL_2, IDB_LEVEL_3, IDB_LEVEL_4,
                                   IDB_LEVEL_5, IDB_LEVEL_6, IDB_LEVEL_7, IDB_LEVEL_8};
    const UINT emptyLevel = f == 2 ? IDB_LEVEL_4K_0 : IDB_LEVEL_0;
    const auto layoutLevel = [&](CLevelStatic& level, int y) {
        level.SetLevelImages(emptyLevel, levelImages);
        Place(level, 70 * f, y * f, 150 * f, 20 * f);
        ::EnableWindow(level.Handle(), FALSE);
        controls.levelControls.push_back(&level);
    };
    layoutLevel(location0Level_, 161);

    LoadButtonImages(location1On_, skin, btn, 85 * f, 293 * f, false);
    LoadButtonImages(location1Off_, skin, btn, 152 * f, 293 * f, false);
    Hide(location1On_);
    Hide(location1Off_);
    controls.locationGroups.push_back({&location1On_, &location1Off_});
    layoutLevel(location1Level_, 256);

    // The plate's pictures are the only skin files that differ by language.
    const std::wstring platePrefix = app_.executableDirectory +
                                     (app_.languageCode == L"EN" ? L"/res/T507_EN_" : L"/res/T507_") +
                                     (f == 2 ? L"4K_" : L"");
    colorPlate_.SetGeometry(PlateGeometryFor(f == 2));
    std::wstring error;
    if (!colorPlate_.LoadImages(platePrefix, kPictureOff, &error)) {
        ShowColorImageError(Handle(), error);
        return;  // the layout ends here, as far as it got
    }
    colorPlate_.SetTextStyle(f == 2 ? 13.0f : 7.0f, kPlateText);  // pixel-exact pictures: not divided
    Move(colorPlate_, 261 * f, 105 * f);
    colorPlate_.state.centreLocked = true;
    colorPlate_.state.dialogEnabled = true;
    colorPlate_.SetCustomColorsSkin(app_.languageCode, skin);
    controls.plate = &colorPlate_;

    font(modeHeading_, 11, kWhiteText);
    Move(modeHeading_, 583 * f, 72 * f);
    for (int i = 0; i < 7; ++i) {
        font(modeNames_[i], 8, kDarkText);
        Move(modeNames_[i], 626 * f, (124 + 30 * i) * f);
    }
    for (int i = 0; i < 7; ++i) {
        LoadToggleButtonImages(modeButtons_[i], skin, mode, 591 * f, (118 + 30 * i) * f, withDisabled);
        controls.modeButtons.push_back(&modeButtons_[i]);
    }

    LoadToggleButtonImages(location0Select_, skin, select, 70 * f, 132 * f, withDisabled);
    LoadToggleButtonImages(location1Select_, skin, select, 70 * f, 226 * f, withDisabled);
    controls.locationButtons = {&location0Select_, &location1Select_};
    ::EnableWindow(location0Select_.Handle(), FALSE);
    ::EnableWindow(location1Select_.Handle(), FALSE);

    LoadToggleButtonImages(allOnButton_, skin, btn, 79 * f, 309 * f, false);
    LoadToggleButtonImages(allOffButton_, skin, btn, 152 * f, 309 * f, false);
    controls.allOn = &allOnButton_;
    controls.allOff = &allOffButton_;

    Hide(applyButton_);
    LoadButtonImages(defaultButton_, skin, defaultName, 590 * f, 340 * f, false);

    const float s = static_cast<float>(f);
    const struct {
        CGraph* graph;
        int x;
        int32_t lower;
        int32_t upper;
    } graphs[] = {{&fanGraph_, 35, 500, 2600}, {&gpuGraph_, 280, 0, 100}, {&cpuGraph_, 525, 0, 100}};
    for (const auto& g : graphs) {
        Place(*g.graph, g.x * f, 480 * f, 232 * f, 80 * f);
        g.graph->SetBounds(g.lower, g.upper);
        g.graph->SetUnitsPerPixel(static_cast<float>(g.upper - g.lower) / (60.0f * s));
        g.graph->SetTextStyle(points(7), kGraphText);
        g.graph->ResetHistory();
    }

    panel_.SetControls(controls);
    SetLanguage(app_.languageCode);
}
