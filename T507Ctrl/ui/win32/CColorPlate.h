#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/win32/UniqueHandle.h"
#include "lighting/PanelControls.h"
#include "ui/ColorPlateLogic.h"
#include "ui/win32/CCustomColorsDlg.h"
#include "ui/win32/GdiPlus.h"
#include "ui/win32/GdiPlusBitmap.h"
#include "ui/win32/Window.h"

// "Can not find color image:<path>.": what LoadImages reports for a picture file it
// cannot load.
std::wstring ColorImageErrorText(const std::wstring& path);

// Shows that text to the user in a message box with the error icon; the program then
// goes on (the layout that called LoadImages stops at that step).
void ShowColorImageError(HWND owner, const std::wstring& text);

// The lighting panel's colour wheel: an owner-drawn push button showing one of ten
// pictures (light on, the eight presets highlighted, light off), each composed once
// over a snapshot of the parent's background. A release over a preset or over the
// centre updates `state`, and the owner reads it on the button's click notification.
// A centre click may also open the custom colour dialog.
class CColorPlate : public Window, public PanelPlate {
public:
    static constexpr int kPictureCount = 10;
    // Picture file names by index: 0 on, 1..8 the presets, 9 off.
    static const std::array<const wchar_t*, kPictureCount> kPictureNames;

    explicit CColorPlate(const PlateGeometry& geometry = PlateGeometryFor(false));
    ~CColorPlate() override;

    // Loads prefix + name + ".png" for every picture, resizes the control to picture 0
    // without moving it and shows `initial` (ColorPlateState::ShowInitialPicture).
    // When a picture cannot be loaded: false, `errorText` (if given) gets
    // ColorImageErrorText of its path, and the plate keeps its pictures, size, origin
    // and state.
    bool LoadImages(const std::wstring& prefix, int32_t initial, std::wstring* errorText = nullptr);
    // The labels' font ("Gotham Bold", bold, `points`) and colour.
    void SetTextStyle(float points, uint32_t argb);
    // Drawn centred on pictures 0..8 and on the off picture.
    void SetLabels(const std::wstring& label, const std::wstring& offLabel);
    // ColorPlateState::SetColorApplicable, then a redraw.
    void SetColorApplicable(bool applicable);
    // Normal or 4K wheel (PlateGeometryFor), to match the pictures.
    void SetGeometry(const PlateGeometry& geometry) { geometry_ = geometry; }
    // The language code and skin folder the custom colour dialog is opened with.
    void SetCustomColorsSkin(const std::wstring& languageCode, const std::wstring& skinFolder);

    // Read and written by the owner.
    ColorPlateState state;
    // Handed to the custom colour dialog, which calls it with each picked colour.
    ColorCallback colorCallback;
    // The dialog's level: the owner's selected location's brightness byte / 255. Without
    // it the dialog keeps its own (0.5).
    std::function<double()> dialogLevel;

    // PanelPlate
    ColorPlateState& State() override { return state; }
    void Redraw() override;

    SIZE PictureSize() const { return pictureSize_; }
    // The window rectangle in client coordinates; its corner is subtracted from clicks.
    const RECT& Origin() const { return origin_; }
    bool IsComposed() const { return composed_; }
    // The composed picture `index` (null before composition) and the parent snapshot.
    HBITMAP ComposedPicture(int index) const;
    HBITMAP Snapshot() const { return snapshot_.Get(); }

    bool PreTranslateMessage(MSG* message) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH OnReflectedCtlColor(HDC dc, UINT controlType) override;

private:
    void DropComposition();
    void Compose(HDC reference);
    void RunCustomColors();

    PlateGeometry geometry_;
    std::array<std::unique_ptr<GdiPlusBitmap>, kPictureCount> pictures_;
    std::array<UniqueBitmap, kPictureCount> composedPictures_;
    UniqueBitmap snapshot_;
    bool composed_ = false;
    SIZE pictureSize_{0, 0};
    RECT origin_{0, 0, 0, 0};
    std::unique_ptr<Gdiplus::Font> labelFont_;
    std::unique_ptr<Gdiplus::SolidBrush> labelBrush_;
    std::wstring label_;
    std::wstring offLabel_;
    std::wstring languageCode_ = L"EN";
    std::wstring skinFolder_;  // the executable directory's "res" folder until set
};
