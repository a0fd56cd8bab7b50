#include "lighting/LightingPanel.h"

#include "link/ControllerLink.h"
#include "link/DebugTrace.h"
#include "link/DeviceManager.h"

#include <algorithm>
#include <array>

namespace {

constexpr uint8_t kEntryOwnerByte = 4;
constexpr uint8_t kNoOwner = 0xFF;

// What the reset gives each location: its element mask bytes, lights on, static blue.
constexpr std::array<std::array<uint8_t, 2>, 2> kDefaultMasks = {{{0x00, 0x04}, {0xFF, 0x03}}};
constexpr ChannelBytes kDefaultColor{0, 0, 255};
constexpr uint16_t kDefaultTiming1 = 48000;

void SetRecordColor(HandleConfig& record, ChannelBytes color)
{
    record.red = color.red;
    record.green = color.green;
    record.blue = color.blue;
}

// Every entry of bank 0 says that no location owns its element (also when there are
// none): a controller that was never set up.
bool NoElementAssigned(const DeviceInfo& info)
{
    for (size_t i = 0; i < info.EntryCount(); ++i) {
        const uint8_t* entry = info.Entry(i, 0);
        if (entry == nullptr || entry[kEntryOwnerByte] != kNoOwner) return false;
    }
    return true;
}

}  // namespace

LightingPanel::LightingPanel(DeviceManager& devices, SettingsStore& settings, Pauses& pauses, PanelHost& host)
    : devices_(devices), fullBrightness_(settings), pauses_(pauses), host_(host)
{
}

ControllerLink* LightingPanel::Link() const
{
    return devices_.Controller();
}

HandleConfig* LightingPanel::SelectedRecord()
{
    if (selected_ > 1 || selected_ >= configurations_.size()) return nullptr;
    return &configurations_[selected_];
}

double LightingPanel::SelectedBrightness() const
{
    if (selected_ > 1 || selected_ >= configurations_.size()) return 0.0;
    return configurations_[selected_].brightness / 255.0;
}

int32_t LightingPanel::LevelOf(uint8_t location) const
{
    return location < controls_.levelControls.size() ? controls_.levelControls[location]->Level() : 0;
}

void LightingPanel::AddChange(ChangeKind kind)
{
    pending_.Add(kind);
    host_.ScheduleApply();
}

void LightingPanel::ApplyModeRuleToPlate(int32_t mode)
{
    if (controls_.plate != nullptr) controls_.plate->SetColorApplicable(ModeTakesColor(mode));
}

void LightingPanel::ShowVersion()
{
    ControllerLink* link = Link();
    const std::string version = link != nullptr ? link->Info().VersionText() : std::string();
    host_.SetVersionText(L"V " + std::wstring(version.begin(), version.end()));
}

void LightingPanel::ShowModeButtons(int32_t selectedMode)
{
    for (size_t i = 0; i < controls_.modeButtons.size(); ++i) {
        PanelButton* button = controls_.modeButtons[i];
        button->EnableControl(true);
        if (!button->DisabledFlag()) button->SetButtonState(static_cast<int32_t>(i) == selectedMode ? 1 : 0);
    }
}

void LightingPanel::SetToggleStates(PanelButton* selected, PanelButton* other)
{
    if (selected != nullptr && !selected->DisabledFlag()) selected->SetButtonState(1);
    if (other != nullptr && !other->DisabledFlag()) other->SetButtonState(0);
}

// ---------------------------------------------------------------------------
// Connection and refresh

void LightingPanel::ConnectAndRead(int32_t& linkState)
{
    const bool ready = linkState == kLinkReady;
    if (ready && devices_.IsConnected() == 0) {
        devices_.Connect(0);
    } else if (!ready && devices_.IsConnected() != 0) {
        devices_.Disconnect();
    }

    ControllerLink* link = Link();
    if (devices_.IsConnected() == 0 || link == nullptr) {
        host_.SetVersionText(L"");
        linkState = kLinkNoDevice;
    } else {
        DeviceInfo& info = link->Info();
        link->ReadDeviceInfo();
        if (info.InUpgradeMode()) {
            // Left in its upgrade code (an update that failed or was cancelled).
            link->Restart();
            info.Reset();
            pauses_.Sleep(kStepPauseMs);
            devices_.Disconnect();
            pauses_.Sleep(kStepPauseMs);
            devices_.Connect(0);
            pauses_.Sleep(kStepPauseMs);
            if (devices_.IsConnected() != 0) link->ReadDeviceInfo();
        }
        link->ReadVersion();
        if (link->ReadModeState() != 0) link->ReadTables();
        if (NoElementAssigned(info)) ResetToDefault();
        if (link->SetModeLock(1, 0) == 0) DEBUG_TRACE(L"Failed to lock to 2D mode\r\n");
        ShowVersion();
        selected_ = 0;
        Refresh();
    }
    host_.ShowDeviceNotFound(linkState != kLinkReady);
}

void LightingPanel::LoadFullColors()
{
    fullColors_.clear();
    for (size_t i = 0; i < configurations_.size(); ++i) {
        const auto location = static_cast<uint8_t>(i);
        fullColors_.push_back(MakeColorWord(fullBrightness_.Read(location, &configurations_[i])));
    }
}

uint32_t LightingPanel::FullColorOf(uint8_t location)
{
    if (fullColors_.empty()) LoadFullColors();
    return location < fullColors_.size() ? fullColors_[location] : MakeColorWord(PresetColor(1));
}

void LightingPanel::StoreFullColor(uint8_t location, uint32_t colorWord)
{
    if (fullColors_.empty()) LoadFullColors();
    if (location < fullColors_.size()) fullColors_[location] = colorWord;
    fullBrightness_.Write(location, ColorWordBytes(colorWord));
}

void LightingPanel::Refresh()
{
    configurations_.clear();
    bool allOn = true;
    if (ControllerLink* link = Link()) {
        const DeviceInfo& info = link->Info();
        for (size_t i = 0; i < info.LocationCount(); ++i) {
            const HandleConfig* record = info.Configuration(i, 0);
            if (record == nullptr) break;
            configurations_.push_back(*record);
            allOn = allOn && record->On();
        }
    }

    for (size_t i = 0; i < controls_.locationButtons.size(); ++i) {
        PanelButton* button = controls_.locationButtons[i];
        button->EnableControl(allOn);
        if (!button->DisabledFlag()) button->SetButtonState(allOn && i == selected_ ? 1 : 0);
    }
    if (allOn) SetToggleStates(controls_.allOn, controls_.allOff);
    else SetToggleStates(controls_.allOff, controls_.allOn);
    ShowVersion();

    PanelPlate* plate = controls_.plate;
    if (selected_ < configurations_.size() && allOn) {
        if (fullColors_.empty()) LoadFullColors();
        const HandleConfig& record = configurations_[selected_];
        ShowModeButtons(record.mode);

        if (plate != nullptr) {
            ColorPlateState& state = plate->State();
            state.shownPicture = state.lastPreset = PresetForColor(ColorWordBytes(FullColorOf(selected_)));
            plate->Redraw();
            state.on = record.On();
            if (state.on) {
                plate->SetColorApplicable(true);
            } else {
                state.shownPicture = kPictureOff;
                plate->Redraw();
            }
            state.clickOnState = state.on;
            state.clickKind = ColorPlateState::kClickSwitched;
            state.clickedIndex = 0;
            ApplyModeRuleToPlate(record.mode);
        }

        for (size_t j = 0; j < controls_.locationGroups.size(); ++j) {
            for (PanelButton* control : controls_.locationGroups[j]) {
                control->SetDisabledFlag(j != selected_);
                control->EnableControl(j == selected_);
            }
        }
        const size_t levels = std::min(controls_.levelControls.size(), configurations_.size());
        for (size_t k = 0; k < levels; ++k) {
            PanelLevel* level = controls_.levelControls[k];
            level->EnableControl(k == selected_);
            level->SetLevel(LevelForBrightness(configurations_[k].brightness, level->LevelCount()));
            level->ShowLevel();
        }
    } else {
        for (PanelButton* button : controls_.modeButtons) {
            if (!button->DisabledFlag()) button->SetButtonState(0);
            button->EnableControl(false);
        }
        for (PanelLevel* level : controls_.levelControls) {
            level->EnableControl(false);
            level->SetLevel(0);
            level->ShowLevel();
        }
        if (plate != nullptr) {
            plate->State().on = false;
            plate->State().shownPicture = kPictureOff;
            plate->Redraw();
            plate->State().clickOnState = false;
        }
    }
}

// ---------------------------------------------------------------------------
// User actions

void LightingPanel::SelectMode(int32_t mode)
{
    ShowModeButtons(mode);
    ApplyModeRuleToPlate(mode);
    if (HandleConfig* record = SelectedRecord()) {
        record->mode = static_cast<uint8_t>(mode);
        AddChange(ChangeKind::Mode);
    }
}

void LightingPanel::SelectLocation(uint8_t location)
{
    selected_ = location;
    pending_.Clear();  // changes not yet applied belong to the other location
    Refresh();
    for (size_t i = 0; i < controls_.locationButtons.size(); ++i) {
        PanelButton* button = controls_.locationButtons[i];
        if (!button->DisabledFlag()) button->SetButtonState(i == location ? 1 : 0);
    }
}

void LightingPanel::SwitchAll(bool on)
{
    for (HandleConfig& record : configurations_) record.SetFlag(HandleConfig::kFlagOn, on);
    if (on) {
        selected_ = 0;
        SetToggleStates(controls_.allOn, controls_.allOff);
    } else {
        selected_ = kNoLocation;
        SetToggleStates(controls_.allOff, controls_.allOn);
    }
    AddChange(ChangeKind::OnOff);
}

void LightingPanel::SwitchSelected(bool on)
{
    HandleConfig* record = SelectedRecord();
    if (record == nullptr) return;
    if (PanelPlate* plate = controls_.plate) {
        if (on) {
            int32_t mode = 0;
            for (size_t i = 0; i < controls_.modeButtons.size(); ++i) {
                if (controls_.modeButtons[i]->ButtonState() == 1) {
                    mode = static_cast<int32_t>(i);
                    break;
                }
            }
            plate->State().on = true;
            plate->SetColorApplicable(true);
            ApplyModeRuleToPlate(mode);
        } else {
            plate->State().on = false;
            plate->State().shownPicture = kPictureOff;
            plate->Redraw();
            plate->State().clickOnState = false;
        }
    }
    record->SetFlag(HandleConfig::kFlagOn, on);
    AddChange(ChangeKind::OnOff);
}

void LightingPanel::LevelPicked()
{
    HandleConfig* record = SelectedRecord();
    if (record == nullptr) return;
    record->brightness = BrightnessForLevel(LevelOf(selected_));
    AddChange(ChangeKind::Brightness);
}

void LightingPanel::ColorPicked(ChannelBytes color)
{
    HandleConfig* record = SelectedRecord();
    if (record == nullptr) return;
    SetRecordColor(*record, color);
    StoreFullColor(selected_, TracedFullValueColor(color));
    AddChange(ChangeKind::Color);
}

void LightingPanel::PlateClicked()
{
    HandleConfig* record = SelectedRecord();
    if (record == nullptr || controls_.plate == nullptr) return;
    const ColorPlateState& plate = controls_.plate->State();
    if (plate.clickKind <= 0) return;
    const ChannelBytes preset = PresetColor(plate.clickedIndex);
    SetRecordColor(*record, preset);
    StoreFullColor(selected_, MakeColorWord(preset));
    SetRecordColor(*record, ScaleToLevel(preset, LevelOf(selected_)));
    AddChange(ChangeKind::Color);
}

// ---------------------------------------------------------------------------
// Apply

void LightingPanel::Apply()
{
    const std::vector<ChangeKind> kinds = pending_.Kinds();
    for (ChangeKind kind : kinds) {
        RunStep(kind);
        pauses_.Sleep(kStepPauseMs);
    }
    pending_.Clear();
    Refresh();
}

void LightingPanel::RunStep(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::OnOff: SendOnOff(); break;
    case ChangeKind::Brightness: SendBrightness(); break;
    case ChangeKind::Mode: SendMode(); break;
    case ChangeKind::Color: SendColor(); break;
    }
}

void LightingPanel::SendOnOff()
{
    ControllerLink* link = Link();
    if (link == nullptr) return;
    for (size_t i = 0; i < configurations_.size(); ++i) {
        const HandleConfig& record = configurations_[i];
        const auto location = static_cast<uint16_t>(i);
        for (int repeat = 0; repeat < 2; ++repeat) {
            if (link->SetOnOff(location, record.On()) == 0) return;
            pauses_.Sleep(kSwitchPauseMs);
        }
        if (record.On()) {
            pauses_.Sleep(kSwitchPauseMs);
            if (link->SetColor(location, record.red, record.green, record.blue, true) == 0) return;
        }
    }
}

// The per-location steps act on the location selected when they run; switching all off
// before they run leaves none, and then there is nothing to send.
void LightingPanel::SendBrightness()
{
    ControllerLink* link = Link();
    HandleConfig* record = SelectedRecord();
    if (link == nullptr || record == nullptr) return;
    if (link->SetEffect(selected_, ControllerLink::kEffectBrightness, 0, 0, 0, 0, record->brightness, false,
                        false) == 0) {
        return;
    }
    SetRecordColor(*record, ScaleToLevel(ColorWordBytes(FullColorOf(selected_)), LevelOf(selected_)));
    if (link->SetColor(selected_, record->red, record->green, record->blue, true) == 0) return;
    SendMode();
}

void LightingPanel::SendMode()
{
    ControllerLink* link = Link();
    HandleConfig* record = SelectedRecord();
    if (link == nullptr || record == nullptr) return;
    const ModeEffect effect = EffectForMode(record->mode, LevelOf(selected_));
    link->SetEffect(selected_, effect.fieldMask, record->mode, effect.timing1, effect.timing2, 0, 0, false, false);
}

void LightingPanel::SendColor()
{
    ControllerLink* link = Link();
    HandleConfig* record = SelectedRecord();
    if (link == nullptr || record == nullptr) return;
    link->SetColor(selected_, record->red, record->green, record->blue, true);
}

// ---------------------------------------------------------------------------
// Reset to default

int32_t LightingPanel::ResetToDefault()
{
    ControllerLink* link = Link();
    if (devices_.IsConnected() == 0 || link == nullptr) return 0;

    int32_t result = 0;
    for (uint16_t location = 0; location < 2; ++location) {
        result = ResetLocation(*link, location);
        if (result == 0) {
            // What was already sent stays; the panel is left as it was.
            DEBUG_TRACE(L"ResetToDefault failed!!\r\n");
            return 0;
        }
    }
    fullColors_.clear();
    selected_ = 0;
    Refresh();
    return result;
}

int32_t LightingPanel::ResetLocation(ControllerLink& link, uint16_t location)
{
    const auto& mask = kDefaultMasks[location];
    if (link.SetElementMask(location, mask.data(), mask.size(), true, true) == 0) return 0;
    for (int repeat = 0; repeat < 2; ++repeat) {
        if (link.SetOnOff(location, true) == 0) break;  // a failure only ends the repeats
        pauses_.Sleep(kSwitchPauseMs);
    }
    if (link.SetColor(location, kDefaultColor.red, kDefaultColor.green, kDefaultColor.blue, true) == 0) return 0;
    pauses_.Sleep(kStepPauseMs);
    const int32_t result = link.SetEffect(location, 0x3F, kModeStatic, kDefaultTiming1, 0, 0, 255, false, false);
    if (result == 0) return 0;
    pauses_.Sleep(kStepPauseMs);
    fullBrightness_.Write(static_cast<uint8_t>(location), kDefaultColor);
    return result;
}
