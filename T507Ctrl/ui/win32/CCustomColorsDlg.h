#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "ui/ColorWheelPick.h"
#include "ui/win32/BkDialog.h"
#include "ui/win32/Button.h"
#include "ui/win32/GdiPlusBitmap.h"
#include "ui/win32/TextView.h"

// Told each colour the user picks, as channel bytes.
using ColorCallback = std::function<void(uint8_t& red, uint8_t& green, uint8_t& blue)>;

// The custom colour dialog: a colour wheel of hue and saturation at the caller's
// level. Every click inside the wheel shows the colour's numbers and a preview and
// hands the colour to the callback at once; RETURN only ends the picking.
class CCustomColorsDlg : public BkDialog {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 500;

    // `languageCode` "EN" or "ZH" picks the texts (any other keeps the template's);
    // `skinFolder` is the folder of the skin's PNG files, ending with a separator.
    CCustomColorsDlg(HWND parent, std::wstring languageCode, std::wstring skinFolder);
    ~CCustomColorsDlg() override;

    // Set by the caller before the dialog runs.
    double level = 0.5;  // the value of every picked colour, 0..1
    ColorCallback colorCallback;

    float DisplayScale() const { return displayScale_; }
    // 0xAARRGGBB of the last pick (white before the first).
    uint32_t PickedColor() const { return pickedColor_; }
    // The last picked point; (0, 0) before the first pick.
    POINT Marker() const { return marker_; }
    bool HasWheelPicture() const { return static_cast<bool>(wheelPicture_); }
    bool HasBackgroundPicture() const { return static_cast<bool>(backgroundPicture_); }
    const Button& ReturnButton() const { return returnButton_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD notifyCode, HWND control) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnRequestDone(int32_t, Message*) override {}
    // The screen's horizontal logical DPI.
    virtual int ScreenDpi() const;

private:
    void LayOutTexts();
    void LayOutButtons();
    void SetLanguageTexts();
    void PaintWheelAndPreview();
    void Pick(int x, int y);

    std::wstring languageCode_;
    std::wstring skinFolder_;
    float displayScale_ = 1.0f;
    GdiPlusBitmap wheelPicture_;
    GdiPlusBitmapResource backgroundPicture_;
    WheelGeometry wheel_;
    RECT wheelRect_{250, 100, 550, 400};
    RECT previewCircle_{635, 100, 635 + 50, 100 + 50};
    POINT marker_{0, 0};
    uint32_t pickedColor_ = 0xFFFFFFFF;

    // title, R, G, B and L labels, R, G, B and L values
    std::array<TextView, 9> texts_;
    Button applyButton_;
    Button returnButton_;
    Button increaseButton_;
    Button decreaseButton_;
};
