#include "monitor/win32/CGraph.h"

#include <vector>

#include "base/win32/UniqueHandle.h"
#include "ui/win32/SkinFont.h"

namespace {

constexpr uint32_t kTextColor = 0xFF999999;
constexpr uint32_t kValueColor = 0xFFEBE004;
constexpr uint32_t kAreaLeftColor = 0xFF243238;
constexpr uint32_t kAreaRightColor = 0xFF30332B;
constexpr uint32_t kGridColor = 0xFF313337;
constexpr uint32_t kBaseLineColor = 0xFF48494B;
constexpr uint32_t kCurveColor = 0xFF21BACC;
constexpr COLORREF kBackground = RGB(37, 40, 44);

std::vector<Gdiplus::PointF> ToPointF(const std::vector<GraphPoint>& points)
{
    std::vector<Gdiplus::PointF> converted;
    converted.reserve(points.size());
    for (const GraphPoint& p : points) converted.emplace_back(p.x, p.y);
    return converted;
}

}  // namespace

SIZE CGraph::DesktopSize()
{
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    return {desktop.right - desktop.left, desktop.bottom - desktop.top};
}

CGraph::CGraph(ScreenSizeSource screenSize)
    : screenSize_(std::move(screenSize)), history_(Scale()),
      textBrush_(std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(kTextColor)))
{
    font_ = CreateSkinFont(kSkinFontFamily, 7.0f * static_cast<float>(Scale()), kSkinFontStyle, Gdiplus::UnitPoint);
}

CGraph::~CGraph() = default;

int32_t CGraph::Scale() const
{
    if (!screenSize_) return 1;
    const SIZE size = screenSize_();
    return GraphScaleForScreen(size.cx, size.cy);
}

void CGraph::SetTexts(const std::wstring& title, const std::wstring& unit)
{
    title_ = title;
    unit_ = unit;
}

void CGraph::SetTextStyle(float pointSize, uint32_t argb)
{
    font_ = CreateSkinFont(kSkinFontFamily, pointSize, kSkinFontStyle, Gdiplus::UnitPoint);
    textBrush_ = std::make_unique<Gdiplus::SolidBrush>(Gdiplus::Color(argb));
}

void CGraph::ResetHistory() { history_.Reset(Scale()); }

void CGraph::AddValue(int32_t value) { history_.Add(value, Scale()); }

void CGraph::SetBounds(int32_t lower, int32_t upper)
{
    history_.lowerBound = lower;
    history_.upperBound = upper;
}

void CGraph::SetUnitsPerPixel(float unitsPerPixel) { history_.unitsPerPixel = unitsPerPixel; }

LRESULT CGraph::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;  // the paint covers the whole control
    default:
        return Window::WindowProc(message, wParam, lParam);
    }
}

void CGraph::Paint()
{
    PaintDc dc(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    MemorySurface surface(dc.Get(), client.right, client.bottom);
    if (!surface) return;
    const auto s = static_cast<float>(Scale());

    UniqueBrush background(::CreateSolidBrush(kBackground));
    ::FillRect(surface.Get(), &client, background.Get());
    {
        Gdiplus::Graphics graphics(surface.Get());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        if (font_ && textBrush_) {
            textBrush_->SetColor(Gdiplus::Color(kTextColor));
            graphics.DrawString(title_.c_str(), -1, font_.get(), Gdiplus::PointF(0, 0), textBrush_.get());
            const std::wstring& value = history_.ValueText();
            Gdiplus::RectF measured;
            graphics.MeasureString(value.c_str(), -1, font_.get(), Gdiplus::PointF(0, 0), &measured);
            graphics.DrawString(unit_.c_str(), -1, font_.get(), Gdiplus::PointF(64 * s + measured.Width + 3, 0),
                                textBrush_.get());
            const std::wstring extremes = L"MAX " + history_.MaximumText() + L"  /  MIN " + history_.MinimumText();
            graphics.DrawString(extremes.c_str(), -1, font_.get(), Gdiplus::PointF(128 * s, 0), textBrush_.get());
            textBrush_->SetColor(Gdiplus::Color(kValueColor));
            graphics.DrawString(value.c_str(), -1, font_.get(), Gdiplus::PointF(64 * s, 0), textBrush_.get());
        }

        const int32_t scale = Scale();
        if (const auto area = ToPointF(history_.Area(scale)); !area.empty()) {
            Gdiplus::LinearGradientBrush gradient(Gdiplus::Rect(4, 16, 229, 76), Gdiplus::Color(kAreaLeftColor),
                                                  Gdiplus::Color(kAreaRightColor),
                                                  Gdiplus::LinearGradientModeHorizontal);
            graphics.FillPolygon(&gradient, area.data(), static_cast<INT>(area.size()), Gdiplus::FillModeAlternate);
        }

        Gdiplus::Pen grid(Gdiplus::Color(kGridColor), 1.0f);
        for (int k = 0; k < 8; ++k) {
            const float x = 4 * s + 32 * s * static_cast<float>(k);
            graphics.DrawLine(&grid, x, 16 * s, x, 76 * s);
        }
        Gdiplus::Pen baseLine(Gdiplus::Color(kBaseLineColor), 2.0f);
        graphics.DrawLine(&baseLine, 4 * s, 76 * s, 228 * s, 76 * s);

        if (const auto curve = ToPointF(history_.Curve()); !curve.empty()) {
            Gdiplus::Pen pen(Gdiplus::Color(kCurveColor), 2.0f);
            graphics.DrawCurve(&pen, curve.data(), static_cast<INT>(curve.size()));
        }
    }
    ::BitBlt(dc.Get(), 0, 0, client.right, client.bottom, surface.Get(), 0, 0, SRCCOPY);
}
