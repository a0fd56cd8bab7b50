#pragma once

#include <array>
#include <memory>
#include <string>

#include "base/win32/UniqueHandle.h"
#include "lighting/PanelControls.h"
#include "ui/win32/GdiPlus.h"
#include "ui/win32/GdiPlusBitmap.h"
#include "ui/win32/Window.h"

// The skinned push button. It shows one of seven pictures composed once from PNG
// images (with alpha) over a snapshot of the parent's background, with an optional
// caption; every later paint is one bitmap copy. As a toggle it flips between normal
// and selected on each click. Clicks reach the owner as ordinary BN_CLICKED commands.
class Button : public Window, public PanelButton {
public:
    enum State : int32_t { kNormal = 0, kSelected = 1, kDisabled = 2 };

    enum class Surface { kNormal, kNormalHover, kNormalPressed, kSelected, kSelectedHover, kSelectedPressed, kDisabled };
    static constexpr size_t kSurfaceCount = 7;

    Button();
    ~Button() override;

    // Normal and hover images (an empty hover path: the brightened normal image). When
    // either fails to load, both are dropped and the button draws nothing.
    void SetImages(const std::wstring& normalPath, const std::wstring& hoverPath);
    void SetSelectedImages(const std::wstring& selectedPath, const std::wstring& selectedHoverPath);
    void SetDisabledImage(const std::wstring& path);
    void SetToggleMode(bool toggle);
    void SetButtonState(int32_t state) override;
    // An empty selected caption means the caption in both states.
    void SetCaption(const std::wstring& caption, const std::wstring& selectedCaption);
    void SetCaptionFont(float size, uint32_t argb, Gdiplus::Unit unit);

    int32_t State() const { return state_; }
    // Set only by SetButtonState(kDisabled); a toggle click leaves it.
    bool IsDisabled() const { return disabled_; }
    bool IsToggle() const { return toggle_; }
    bool IsComposed() const { return composed_; }
    bool IsPressed() const { return pressed_; }

    // The lighting panel's view of the button.
    int32_t ButtonState() const override { return state_; }
    bool DisabledFlag() const override { return disabled_; }
    void SetDisabledFlag(bool disabled) override { disabled_ = disabled; }
    void EnableControl(bool enable) override;
    bool IsHovered() const { return hover_; }

    // The composed pictures and the background snapshot (null until composed, or
    // when the surface is not made).
    HBITMAP SurfaceBitmap(Surface surface) const { return surfaces_[static_cast<size_t>(surface)].Get(); }
    HBITMAP Snapshot() const { return snapshot_.Get(); }
    // The surface the button shows in its current state.
    Surface CurrentSurface() const;

    bool PreTranslateMessage(MSG* message) override;

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedDrawItem(const DRAWITEMSTRUCT& item) override;
    HBRUSH OnReflectedCtlColor(HDC dc, UINT controlType) override;

private:
    enum Image { kNormalImage, kHoverImage, kSelectedImage, kSelectedHoverImage, kDisabledImage, kImageCount };

    bool LoadPair(Image first, const std::wstring& firstPath, Image second, const std::wstring& secondPath);
    void ResizeTo(const GdiPlusBitmap& image);
    void Invalidate();
    void Compose(HDC dc);
    void TakeSnapshot(int width, int height);

    bool composed_ = false;
    bool disabled_ = false;
    bool pressed_ = false;
    bool toggle_ = false;
    bool hover_ = false;
    bool tracking_ = false;
    int32_t state_ = kNormal;
    bool fontSet_ = false;
    UniqueBitmap snapshot_;
    std::array<UniqueBitmap, kSurfaceCount> surfaces_;
    std::wstring caption_;
    std::wstring selectedCaption_;
    std::unique_ptr<Gdiplus::Font> captionFont_;
    std::unique_ptr<Gdiplus::SolidBrush> captionBrush_;
    std::array<GdiPlusBitmapResource, kImageCount> images_;
};
