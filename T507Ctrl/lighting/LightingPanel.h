#pragma once

#include "base/Pauses.h"
#include "base/SettingsStore.h"
#include "lighting/Color.h"
#include "lighting/FullBrightnessColors.h"
#include "lighting/LightingModes.h"
#include "lighting/PanelControls.h"
#include "link/HandleConfig.h"

#include <cstdint>
#include <vector>

class ControllerLink;
class DeviceManager;

// The lighting panel of the main window: its copy of every location's record, the
// user's actions on it, the apply step that sends the pending changes to the
// controller with the pacing the controller needs, the connection sequence, and the
// reset to the factory look. Runs on the user-interface thread.
class LightingPanel {
public:
    static constexpr uint32_t kStepPauseMs = 200;
    static constexpr uint32_t kSwitchPauseMs = 100;
    static constexpr int32_t kLinkReady = 2;
    static constexpr int32_t kLinkNoDevice = 3;

    LightingPanel(DeviceManager& devices, SettingsStore& settings, Pauses& pauses, PanelHost& host);

    // The controls of the current layout (rebuilt by every layout).
    void SetControls(const PanelControls& controls) { controls_ = controls; }

    // Connects when the link is ready, reads the controller and shows it; without a
    // controller the link state becomes "no device". Shows the status text unless ready.
    void ConnectAndRead(int32_t& linkState);
    // Shows the link's copy of the records.
    void Refresh();

    // --- user actions ---
    void SelectMode(int32_t mode);
    void SelectLocation(uint8_t location);
    void SwitchAll(bool on);
    void SwitchSelected(bool on);
    void LevelPicked();
    void ColorPicked(ChannelBytes color);
    void PlateClicked();
    // Sends the pending changes in the order they came, then refreshes.
    void Apply();
    // Both locations lit, static blue at full brightness; the stored colours follow.
    // The result of the last command (0 without a controller or when a command failed).
    int32_t ResetToDefault();

    uint8_t SelectedLocation() const { return selected_; }
    // The selected location's brightness byte / 255: the value the custom colour
    // dialog picks at. 0 while no location is selected.
    double SelectedBrightness() const;
    const std::vector<HandleConfig>& Configurations() const { return configurations_; }
    const std::vector<uint32_t>& FullColors() const { return fullColors_; }
    const PendingChanges& Pending() const { return pending_; }

private:
    ControllerLink* Link() const;
    HandleConfig* SelectedRecord();
    int32_t LevelOf(uint8_t location) const;
    void AddChange(ChangeKind kind);
    void ApplyModeRuleToPlate(int32_t mode);
    void ShowVersion();
    void ShowModeButtons(int32_t selectedMode);
    void SetToggleStates(PanelButton* selected, PanelButton* other);
    void LoadFullColors();
    uint32_t FullColorOf(uint8_t location);
    void StoreFullColor(uint8_t location, uint32_t colorWord);

    void RunStep(ChangeKind kind);
    void SendOnOff();
    void SendBrightness();
    void SendMode();
    void SendColor();
    int32_t ResetLocation(ControllerLink& link, uint16_t location);

    DeviceManager& devices_;
    FullBrightnessColors fullBrightness_;
    Pauses& pauses_;
    PanelHost& host_;
    PanelControls controls_;

    std::vector<HandleConfig> configurations_;
    std::vector<uint32_t> fullColors_;
    uint8_t selected_ = kNoLocation;
    PendingChanges pending_;
};
