#pragma once

#include <memory>

#include "ui/win32/GdiPlus.h"

// Every text of the skin uses this family, bold.
inline constexpr wchar_t kSkinFontFamily[] = L"Gotham Bold";
inline constexpr INT kSkinFontStyle = Gdiplus::FontStyleBold;

// A GDI+ font of the family, or of the generic sans-serif family when that one is not
// installed, or of the system's message font when even that is missing. Null only when
// no font at all can be made; callers then draw no text.
std::unique_ptr<Gdiplus::Font> CreateSkinFont(const wchar_t* family, float size, INT style, Gdiplus::Unit unit);

// A font size in points for a window at `displayScale` (DPI / 96), so that the text
// keeps its size in pixels whatever the DPI.
inline float PointsForDisplay(float points, float displayScale)
{
    return displayScale > 0 ? points / displayScale : points;
}
