#pragma once

#include "ui/ColorPlateLogic.h"

#include <cstdint>
#include <string>
#include <vector>

// What the lighting panel needs of the main window's controls. The window's skinned
// controls implement these; tests use plain models of them.

class PanelButton {
public:
    virtual ~PanelButton() = default;
    virtual int32_t ButtonState() const = 0;
    // Set when the owner last asked for the disabled look (state 2); the panel leaves
    // such buttons alone.
    virtual bool DisabledFlag() const = 0;
    // 0 normal, 1 selected (only with a selected picture), 2 disabled look.
    virtual void SetButtonState(int32_t state) = 0;
    // The disabled flag without touching the state.
    virtual void SetDisabledFlag(bool disabled) = 0;
    virtual void EnableControl(bool enable) = 0;
};

class PanelLevel {
public:
    virtual ~PanelLevel() = default;
    virtual int32_t Level() const = 0;
    virtual void SetLevel(int32_t level) = 0;
    virtual int32_t LevelCount() const = 0;
    // Shows the picture of the current level (a level it cannot show becomes 0).
    virtual void ShowLevel() = 0;
    virtual void EnableControl(bool enable) = 0;
};

class PanelPlate {
public:
    virtual ~PanelPlate() = default;
    virtual ColorPlateState& State() = 0;
    // Draws the shown picture again.
    virtual void Redraw() = 0;
    // ColorPlateState::SetColorApplicable, then a redraw.
    void SetColorApplicable(bool applicable)
    {
        State().SetColorApplicable(applicable);
        Redraw();
    }
};

// The window around the panel.
class PanelHost {
public:
    virtual ~PanelHost() = default;
    virtual void SetVersionText(const std::wstring& text) = 0;
    virtual void ShowDeviceNotFound(bool show) = 0;
    // Runs the apply step from the message loop, right after the current handler.
    virtual void ScheduleApply() = 0;
};

// The control lists the layout builds; indexes are mode codes and location indexes.
struct PanelControls {
    std::vector<PanelButton*> modeButtons;
    std::vector<PanelButton*> locationButtons;
    std::vector<PanelLevel*> levelControls;
    std::vector<std::vector<PanelButton*>> locationGroups;
    PanelButton* allOn = nullptr;
    PanelButton* allOff = nullptr;
    PanelPlate* plate = nullptr;
};
