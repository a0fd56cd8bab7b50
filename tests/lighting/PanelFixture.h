#pragma once

#include "lighting/LightingPanel.h"
#include "link/ControllerLink.h"
#include "link/DeviceManager.h"
#include "sim/MemorySettingsStore.h"
#include "sim/RecordingPauses.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"
#include "sim/SimRequestWindows.h"
#include "sim/SimTraceSink.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace paneltest {

using Bytes = std::vector<uint8_t>;

// Plain models of the window's controls, with the rules of the real ones.
class FakeButton final : public PanelButton {
public:
    int32_t ButtonState() const override { return state; }
    bool DisabledFlag() const override { return disabledFlag; }
    void SetButtonState(int32_t s) override
    {
        state = (s == 1 && !hasSelectedImage) ? 0 : s;
        disabledFlag = s == 2;
    }
    void SetDisabledFlag(bool disabled) override { disabledFlag = disabled; }
    void EnableControl(bool enable) override { enabled = enable; }

    int32_t state = 0;
    bool disabledFlag = false;
    bool enabled = true;
    bool hasSelectedImage = true;
};

class FakeLevel final : public PanelLevel {
public:
    int32_t Level() const override { return level; }
    void SetLevel(int32_t l) override { level = l; }
    int32_t LevelCount() const override { return 8; }
    void ShowLevel() override
    {
        if (level < 1 || level > 8) level = 0;
        shown = level;
    }
    void EnableControl(bool enable) override { enabled = enable; }

    int32_t level = 0;
    int32_t shown = -1;
    bool enabled = true;
};

class FakePlate final : public PanelPlate {
public:
    ColorPlateState& State() override { return state; }
    void Redraw() override
    {
        ++redraws;
        state.PictureDrawn();
    }

    ColorPlateState state;
    int redraws = 0;
};

class FakeHost final : public PanelHost {
public:
    void SetVersionText(const std::wstring& text) override { version = text; }
    void ShowDeviceNotFound(bool show) override { deviceNotFound = show; }
    void ScheduleApply() override { ++applyScheduled; }

    std::wstring version = L"(unset)";
    bool deviceNotFound = false;
    int applyScheduled = 0;
};

// The lighting panel with its controls, over the whole link and one simulated controller.
class PanelStack : public ::testing::Test {
protected:
    explicit PanelStack(SimControllerState state = SimControllerState::Configured()) : controller(clock, std::move(state))
    {
        bus.Attach(controller);
        manager.Setup(&window, nullptr, table, 1);
        for (auto& b : modes) controls.modeButtons.push_back(&b);
        for (auto& b : locations) controls.locationButtons.push_back(&b);
        for (auto& l : levels) controls.levelControls.push_back(&l);
        controls.locationGroups = {{&groups[0], &groups[1]}, {&groups[2], &groups[3]}};
        controls.allOn = &allOn;
        controls.allOff = &allOff;
        controls.plate = &plate;
        panel.SetControls(controls);
    }

    // Connects and reads as timer 1 does, then forgets what that exchanged.
    void Connect()
    {
        int32_t linkState = LightingPanel::kLinkReady;
        panel.ConnectAndRead(linkState);
        ASSERT_EQ(linkState, LightingPanel::kLinkReady);
        Forget();
    }

    void Forget()
    {
        controller.ForgetReceived();
        pauses.Forget();
        trace.Forget();
    }

    // The set commands the controller received, as (command, payload).
    std::vector<std::pair<uint8_t, Bytes>> Sets() const
    {
        std::vector<std::pair<uint8_t, Bytes>> out;
        for (const SimReceivedFrame& f : controller.ReceivedFrames()) {
            if (f.access == 0) out.emplace_back(f.command, f.payload);
        }
        return out;
    }

    std::wstring Stored(uint8_t location, const wchar_t* key) const
    {
        return settings.Value(FullBrightnessColors::SectionName(location), key);
    }

    void StoreColor(uint8_t location, const wchar_t* r, const wchar_t* g, const wchar_t* b)
    {
        const std::wstring section = FullBrightnessColors::SectionName(location);
        settings.Write(section, L"maxR", r);
        settings.Write(section, L"maxG", g);
        settings.Write(section, L"maxB", b);
    }

    SimTraceSink trace;
    SimClock clock;
    SimLightingController controller;
    SimHidBus bus{clock};
    DirectRequestWindow window;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager{bus};
    MemorySettingsStore settings;
    RecordingPauses pauses{&clock};
    FakeHost host;
    LightingPanel panel{manager, settings, pauses, host};

    std::array<FakeButton, 7> modes;
    std::array<FakeButton, 2> locations;
    std::array<FakeButton, 4> groups;
    FakeButton allOn, allOff;
    std::array<FakeLevel, 2> levels;
    FakePlate plate;
    PanelControls controls;
};

}  // namespace paneltest
