#pragma once

#include "lighting/PanelControls.h"

#include <cstdint>
#include <functional>
#include <vector>

#include "base/win32/UniqueHandle.h"
#include "ui/LevelSegments.h"
#include "ui/win32/Window.h"

// The brightness selector: a row of dots shown as a bitmap resource, lit from the
// left up to the level. A click into the row picks a level and tells the owner.
class CLevelStatic : public Window, public PanelLevel {
public:
    CLevelStatic();
    ~CLevelStatic() override;

    // Pictures for level 0 and for levels 1..n (resource identifiers); divides the
    // client area into n segments and shows the current level.
    void SetLevelImages(UINT emptyImage, std::vector<UINT> levelImages);
    // Shows the picture of `level`; a level without a picture becomes 0.
    void ShowLevel() override;

    // The lighting panel's view of the control.
    int32_t Level() const override { return level; }
    void SetLevel(int32_t value) override { level = value; }
    int32_t LevelCount() const override { return static_cast<int32_t>(levelImages_.size()); }
    void EnableControl(bool enable) override;

    const std::vector<SegmentRect>& Segments() const { return segments_; }
    // The picture the control shows (0 for none yet).
    UINT ShownImage() const { return shownImage_; }

    // Set by the owner (then ShowLevel) and read when it applies brightness.
    int32_t level = 0;
    // Told the new level, 1..n, after each click on a segment.
    std::function<void(int32_t)> levelCallback;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Divide(uint32_t width);

    std::vector<SegmentRect> segments_;
    std::vector<UINT> levelImages_;
    UINT emptyImage_ = 0;
    UINT shownImage_ = 0;
    UniqueBitmap bitmap_;
};
