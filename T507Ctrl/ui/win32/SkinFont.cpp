#include "ui/win32/SkinFont.h"

namespace {

std::unique_ptr<Gdiplus::Font> FontOf(const Gdiplus::FontFamily* family, float size, INT style, Gdiplus::Unit unit)
{
    if (family == nullptr || !family->IsAvailable() || family->GetLastStatus() != Gdiplus::Ok) return nullptr;
    auto font = std::make_unique<Gdiplus::Font>(family, size, style, unit);
    if (!font->IsAvailable() || font->GetLastStatus() != Gdiplus::Ok) return nullptr;
    return font;
}

}  // namespace

std::unique_ptr<Gdiplus::Font> CreateSkinFont(const wchar_t* family, float size, INT style, Gdiplus::Unit unit)
{
    if (family != nullptr) {
        Gdiplus::FontFamily named(family);
        if (auto font = FontOf(&named, size, style, unit)) return font;
    }
    // GDI+ here does not fall back by itself, and the generic family may be missing too.
    if (auto font = FontOf(Gdiplus::FontFamily::GenericSansSerif(), size, style, unit)) return font;

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        Gdiplus::FontFamily system(metrics.lfMessageFont.lfFaceName);
        if (auto font = FontOf(&system, size, style, unit)) return font;
    }
    return nullptr;
}
