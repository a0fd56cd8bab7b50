#pragma once

#include <cstdint>

// What the colour plate knows besides its pictures: where a click lands on the wheel,
// which picture it shows, and what the last click chose. The control draws and routes
// mouse releases here; the lighting panel reads and writes the members.

struct PlateGeometry {
    float centreX;
    float centreY;
    float outerRadius;  // of the ring of preset sectors
    float innerRadius;
    float discRadius;   // of the centre disc
};

// Normal and 4K pictures (the 4K wheel is twice the size).
PlateGeometry PlateGeometryFor(bool fourK);

inline constexpr int kPlateCentre = 9;  // hit on the centre disc
inline constexpr int kPlateNothing = -1;

// Sector 1..8 holding an angle in degrees (0 = left of the centre, 90 = up), or -1
// for an angle exactly on a sector boundary.
int PlateSectorForAngle(float degrees);

// Picture or sector under a point given relative to the control's origin: 9 for the
// centre disc, 1..8 for a preset sector, -1 between the disc and the ring or outside.
int PlateHitTest(const PlateGeometry& geometry, float x, float y);

class ColorPlateState {
public:
    enum ClickKind : int32_t { kClickNothing = -1, kClickSwitched = 0, kClickPreset = 1 };

    int32_t shownPicture = -1;   // -1 draws nothing
    int32_t lastPreset = -1;     // last preset picture drawn (1..8)
    bool on = false;
    bool colorApplicable = true;
    bool centreLocked = false;   // the centre does not switch the light
    bool dialogEnabled = false;  // the centre may open the custom colour dialog
    int32_t clickKind = kClickNothing;
    bool clickOnState = false;
    int32_t clickedIndex = -1;

    // After new pictures are loaded: show the initial picture and settle on and
    // colour applicable from it.
    void ShowInitialPicture(int32_t initial);

    // The mode takes a colour (or not): shows the last preset again, or the plain
    // "on" picture. Nothing changes the picture while the light is off.
    void SetColorApplicable(bool applicable);

    // A picture was drawn: remembers it when it is a preset.
    void PictureDrawn();

    // The mouse was released over a hit (PlateHitTest). Updates the click results and
    // returns true when the custom colour dialog is to be opened.
    bool Release(int hit);
};
