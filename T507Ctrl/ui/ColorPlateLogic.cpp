#include "ui/ColorPlateLogic.h"

#include <cmath>

PlateGeometry PlateGeometryFor(bool fourK)
{
    if (fourK) return {277.0f, 277.0f, 250.0f, 156.0f, 97.0f};
    return {138.5f, 138.5f, 125.0f, 78.0f, 48.5f};
}

int PlateSectorForAngle(float degrees)
{
    if (degrees > 337.5f || degrees < 22.5f) return 8;
    for (int k = 1; k <= 7; ++k) {
        const float low = 22.5f + 45.0f * static_cast<float>(k - 1);
        if (degrees > low && degrees < low + 45.0f) return k;
    }
    return kPlateNothing;
}

int PlateHitTest(const PlateGeometry& g, float x, float y)
{
    const float dx = g.centreX - x;
    const float dy = g.centreY - y;
    const float d2 = dx * dx + dy * dy;
    if (d2 <= g.discRadius * g.discRadius) return kPlateCentre;
    if (d2 > g.outerRadius * g.outerRadius || d2 < g.innerRadius * g.innerRadius) return kPlateNothing;
    float angle = std::atan2(dy, dx) * 180.0f / 3.1415927f;
    if (angle < 0.0f) angle += 360.0f;
    return PlateSectorForAngle(angle);
}

void ColorPlateState::ShowInitialPicture(int32_t initial)
{
    shownPicture = initial;
    if (initial == 9) {
        on = false;
    } else if (initial != 0) {
        on = true;
        colorApplicable = true;
    } else {
        colorApplicable = false;
    }
}

void ColorPlateState::SetColorApplicable(bool applicable)
{
    colorApplicable = applicable;
    if (!on) return;
    if (applicable) {
        if (lastPreset <= 0) lastPreset = shownPicture;
        shownPicture = lastPreset;
        if (shownPicture >= 1 && shownPicture <= 8) lastPreset = shownPicture;
    } else {
        shownPicture = 0;
    }
}

void ColorPlateState::PictureDrawn()
{
    if (shownPicture >= 1 && shownPicture <= 8) lastPreset = shownPicture;
}

bool ColorPlateState::Release(int hit)
{
    clickKind = kClickNothing;
    clickOnState = on;
    clickedIndex = -1;

    if (hit == kPlateCentre) {
        if (!centreLocked) {
            const bool wasOn = on;
            clickKind = kClickSwitched;
            on = !on;
            clickOnState = on;
            if (wasOn) {
                clickedIndex = 0;
                shownPicture = 9;
            } else {
                shownPicture = clickedIndex = colorApplicable ? lastPreset : 0;
            }
        }
        return dialogEnabled && on && colorApplicable;
    }
    if (hit >= 1 && hit <= 8 && colorApplicable && on) {
        shownPicture = hit;
        clickKind = kClickPreset;
        clickedIndex = hit;
    }
    return false;
}
