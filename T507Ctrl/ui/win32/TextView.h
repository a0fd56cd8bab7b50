#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/win32/GdiPlus.h"
#include "ui/win32/Window.h"

// The skin's static text: draws its window text with a GDI+ font and colour straight
// onto the dialog background, and sizes its window to the text (or to the fixed box)
// on every paint.
class TextView : public Window {
public:
    TextView();
    ~TextView() override;

    // Font of the family (or the generic sans-serif family when it is missing) and the
    // text colour; takes effect at the next paint.
    void SetLabelFont(const wchar_t* family, float size, INT style, Gdiplus::Unit unit, uint32_t argb);
    // New text; the parent repaints its background where the old text was.
    void SetLabelText(const std::wstring& text);

    // When 0 or more, the label's width or height instead of the measured one; a label
    // with either set draws its text centred.
    int32_t fixedWidth = -1;
    int32_t fixedHeight = -1;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    std::unique_ptr<Gdiplus::Font> font_;
    std::unique_ptr<Gdiplus::SolidBrush> brush_;
};
