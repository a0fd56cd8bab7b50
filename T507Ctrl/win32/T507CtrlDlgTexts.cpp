// The main window's texts and caption fonts in the language of the language code:
// exactly "EN" takes the English strings, exactly "ZH" the Chinese ones, and any other
// code leaves every control with the text it has.
#include "win32/T507CtrlDlg.h"

#include "resource.h"
#include "ui/win32/SkinFont.h"

namespace {

constexpr uint32_t kCaptionColour = 0xFF58585A;
constexpr wchar_t kRpm[] = L"RPM";
constexpr wchar_t kCelsius[] = L"C\u00B0";

}  // namespace

void CT507CtrlDlg::SetLanguage(const std::wstring& languageCode)
{
    app_.languageCode = languageCode;
    const float f = app_.FourKScreen() ? 2.0f : 1.0f;
    for (Button* button : {&applyButton_, &defaultButton_}) {
        button->SetCaptionFont(PointsForDisplay(10 * f, displayScale_), kCaptionColour, Gdiplus::UnitPoint);
    }
    for (Button* button : {&location0On_, &location1On_, &allOnButton_, &location0Off_, &location1Off_,
                           &allOffButton_}) {
        button->SetCaptionFont(PointsForDisplay(8 * f, displayScale_), kCaptionColour, Gdiplus::UnitPoint);
    }

    const bool english = languageCode == L"EN";
    if (!english && languageCode != L"ZH") return;
    const auto text = [this](UINT englishId, UINT chineseId) { return Text(englishId, chineseId); };

    titleLabel_.SetLabelText(text(IDS_TITLE_EN, IDS_TITLE_ZH));
    locationHeading_.SetLabelText(text(IDS_LOCATION_EN, IDS_LOCATION_ZH));
    modeHeading_.SetLabelText(text(IDS_LIGHTING_MODE_EN, IDS_LIGHTING_MODE_ZH));
    for (UINT i = 0; i < 7; ++i) modeNames_[i].SetLabelText(text(IDS_MODE_STATIC_EN + i, IDS_MODE_STATIC_ZH + i));

    // The English pictures carry their words; the others get them drawn.
    if (english) colorPlate_.SetLabels(L"", L"");
    else colorPlate_.SetLabels(text(IDS_CUSTOM_COLORS_EN, IDS_CUSTOM_COLORS_ZH), text(IDS_OFF_EN, IDS_OFF_ZH));

    const std::wstring on = text(IDS_ON_EN, IDS_ON_ZH);
    const std::wstring off = text(IDS_OFF_EN, IDS_OFF_ZH);
    for (Button* button : {&location0On_, &location1On_, &allOnButton_}) button->SetCaption(on, L"");
    for (Button* button : {&location0Off_, &location1Off_, &allOffButton_}) button->SetCaption(off, L"");
    applyButton_.SetCaption(text(IDS_APPLY_EN, IDS_APPLY_ZH), L"");
    defaultButton_.SetCaption(text(IDS_DEFAULT_EN, IDS_DEFAULT_ZH), L"");

    fanGraph_.SetTexts(text(IDS_FAN_SPEED_EN, IDS_FAN_SPEED_ZH), kRpm);
    gpuGraph_.SetTexts(text(IDS_GPU_TEMP_EN, IDS_GPU_TEMP_ZH), kCelsius);
    cpuGraph_.SetTexts(text(IDS_CPU_TEMP_EN, IDS_CPU_TEMP_ZH), kCelsius);
    ::SetWindowTextW(::GetDlgItem(Handle(), IDC_STATUS), text(IDS_DEVICE_NOT_FOUND_EN, IDS_DEVICE_NOT_FOUND_ZH).c_str());
}
