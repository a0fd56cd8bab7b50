#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "monitor/GraphHistory.h"
#include "ui/win32/GdiPlus.h"
#include "ui/win32/Window.h"

// The strip chart of one sensor reading: title, current value with its unit, the
// largest and smallest value, and the readings as a filled curve over a grid.
class CGraph : public Window {
public:
    // Where the graph learns the screen size that picks its scale (the application's
    // measurement; the desktop window's size by default).
    using ScreenSizeSource = std::function<SIZE()>;

    explicit CGraph(ScreenSizeSource screenSize = DesktopSize);
    ~CGraph() override;

    void SetTexts(const std::wstring& title, const std::wstring& unit);
    void SetTextStyle(float pointSize, uint32_t argb);
    void ResetHistory();
    void AddValue(int32_t value);
    void SetBounds(int32_t lower, int32_t upper);
    void SetUnitsPerPixel(float unitsPerPixel);

    const GraphHistory& History() const { return history_; }
    int32_t Scale() const;

    static SIZE DesktopSize();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    ScreenSizeSource screenSize_;
    GraphHistory history_;
    std::unique_ptr<Gdiplus::Font> font_;
    std::unique_ptr<Gdiplus::SolidBrush> textBrush_;
    std::wstring title_;
    std::wstring unit_;
};
