#pragma once

#include "base/win32/UniqueHandle.h"
#include "ui/win32/BoBaseDialog.h"

// A borderless dialog with a skin: a bitmap resource tiled over the whole client
// area, static texts drawn straight onto it, and the window moved by dragging any
// point of the background.
class BkDialog : public BoBaseDialog {
public:
    BkDialog(UINT templateId, HWND parent) : BoBaseDialog(templateId, parent) {}

    // Replaces the background by the bitmap resource `resourceId`; a missing resource
    // leaves the dialog without background.
    void SetBackgroundBitmap(UINT resourceId);
    void EnableDragMove(bool enable) { dragMove_ = enable; }

    int BackgroundWidth() const { return backgroundWidth_; }
    int BackgroundHeight() const { return backgroundHeight_; }
    bool HasBackground() const { return static_cast<bool>(background_); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT controlType) override;

    // Called at the end of every background paint with its off-screen surface.
    virtual void OnBackgroundDrawn(HDC surface);

private:
    LRESULT OnEraseBackground(HDC dc);

    UniqueBitmap background_;
    int backgroundWidth_ = 0;
    int backgroundHeight_ = 0;
    bool dragMove_ = false;
};
