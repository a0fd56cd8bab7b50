#include "PanelFixture.h"

#include <algorithm>

namespace paneltest {
namespace {

using Sent = std::vector<std::pair<uint8_t, Bytes>>;

bool HasLineStartingWith(const std::vector<std::wstring>& lines, const std::wstring& text)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::wstring& line) { return line.find(text) != std::wstring::npos; });
}

class LightingPanelTest : public PanelStack {};

struct ModeCase {
    int mode;
    int level;
    Bytes effect;
};

class ModeClicks : public PanelStack, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeClicks, SendTheModeWithItsTiming)
{
    Connect();
    levels[0].level = GetParam().level;
    panel.SelectMode(GetParam().mode);
    EXPECT_EQ(modes[GetParam().mode].state, 1);
    panel.Apply();
    EXPECT_EQ(Sets(), (Sent{{0x08, GetParam().effect}}));
    EXPECT_EQ(pauses.Recorded(), std::vector<uint32_t>{200});
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeClicks,
                         ::testing::Values(ModeCase{1, 8, {0x00, 0x03, 0x01, 0xBB, 0x80, 0x00, 0x14}},
                                           ModeCase{1, 1, {0x00, 0x03, 0x01, 0xBB, 0x80, 0x00, 0xA0}},
                                           ModeCase{6, 1, {0x00, 0x03, 0x06, 0x12, 0xC0, 0x00, 0x08}},
                                           ModeCase{6, 8, {0x00, 0x03, 0x06, 0x12, 0xC0, 0x00, 0x01}},
                                           ModeCase{0, 5, {0x00, 0x01, 0x00}}));

TEST_F(LightingPanelTest, ModeClickWithoutLocationOnlyHighlights)
{
    panel.SelectMode(1);  // never connected: no location selected
    EXPECT_EQ(modes[1].state, 1);
    EXPECT_EQ(modes[0].state, 0);
    EXPECT_TRUE(panel.Pending().Empty());
    EXPECT_EQ(host.applyScheduled, 0);
    panel.Apply();
    EXPECT_TRUE(controller.ReceivedFrames().empty());
}

TEST_F(LightingPanelTest, LevelSendsBrightnessThenScaledColourThenMode)
{
    Connect();
    levels[0].level = 3;
    panel.LevelPicked();
    EXPECT_EQ(panel.Configurations()[0].brightness, 95);
    panel.Apply();
    EXPECT_EQ(Sets(), (Sent{{0x08, {0x00, 0x08, 0x5F}},
                           {0x04, {0x80, 0x00, 0x00, 0x5F, 0x00, 0x00}},
                           {0x08, {0x00, 0x01, 0x00}}}));
    EXPECT_EQ(controller.Location(0).Brightness(), 95);
}

TEST_F(LightingPanelTest, CustomColourStoresFullBrightnessAndSendsThePick)
{
    Connect();
    panel.ColorPicked({128, 0, 0});
    panel.Apply();
    EXPECT_EQ(Sets(), (Sent{{0x04, {0x80, 0x80, 0x00, 0x00, 0x00, 0x00}}}));
    EXPECT_EQ(Stored(0, L"maxR"), L"255");
    EXPECT_EQ(Stored(0, L"maxG"), L"0");
    EXPECT_EQ(Stored(0, L"maxB"), L"0");
    EXPECT_TRUE(HasLineStartingWith(trace.Lines(), L"H:0.000000,S:1.000000,V:0.501961\r\n"));
    EXPECT_TRUE(HasLineStartingWith(trace.Lines(), L"WriteMaxRGBSettings,location:0,r:255,g:0,B:0\r\n"));
}

TEST_F(LightingPanelTest, PresetIsStoredAtFullBrightnessAndSentAtTheLevel)
{
    for (const auto& [level, blue] : {std::pair{8, 0xFF}, std::pair{4, 0x7F}}) {
        Connect();
        levels[0].level = level;
        plate.state.clickKind = ColorPlateState::kClickPreset;
        plate.state.clickedIndex = 4;
        panel.PlateClicked();
        panel.Apply();
        EXPECT_EQ(Sets(), (Sent{{0x04, {0x80, 0x00, 0x00, static_cast<uint8_t>(blue), 0x00, 0x00}}})) << level;
        EXPECT_EQ(Stored(0, L"maxB"), L"255");
        EXPECT_EQ(Stored(0, L"maxR"), L"0");
    }
}

TEST_F(LightingPanelTest, StoredColourOfNoPresetShowsPresetOne)
{
    StoreColor(0, L"255", L"128", L"0");
    Connect();
    EXPECT_EQ(plate.state.shownPicture, 1);
    EXPECT_EQ(plate.state.lastPreset, 1);
}

TEST_F(LightingPanelTest, ConnectShowsTheControllerOnThePanel)
{
    Connect();
    EXPECT_EQ(host.version, L"V 1.0.3");
    EXPECT_FALSE(host.deviceNotFound);
    EXPECT_EQ(panel.SelectedLocation(), 0);
    EXPECT_EQ(locations[0].state, 1);
    EXPECT_EQ(locations[1].state, 0);
    EXPECT_EQ(allOn.state, 1);
    EXPECT_EQ(allOff.state, 0);
    EXPECT_EQ(modes[0].state, 1);  // static
    EXPECT_TRUE(levels[0].enabled);
    EXPECT_FALSE(levels[1].enabled);
    EXPECT_EQ(levels[0].level, 8);
    EXPECT_EQ(plate.state.shownPicture, 4);  // blue
    EXPECT_TRUE(plate.state.on);
    EXPECT_TRUE(groups[1].enabled);
    EXPECT_TRUE(groups[2].disabledFlag);
}

TEST_F(LightingPanelTest, AllOffAndAllOnSwitchEveryLocationTwice)
{
    Connect();
    panel.SwitchAll(false);
    EXPECT_EQ(panel.SelectedLocation(), kNoLocation);
    panel.Apply();
    EXPECT_EQ(Sets(), (Sent{{0x03, {0x80, 0x00, 0x00}},
                           {0x03, {0x80, 0x00, 0x00}},
                           {0x03, {0x80, 0x00, 0x01}},
                           {0x03, {0x80, 0x00, 0x01}}}));
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{100, 100, 100, 100, 200}));
    EXPECT_FALSE(modes[0].enabled);
    EXPECT_FALSE(plate.state.on);
    EXPECT_EQ(plate.state.shownPicture, 9);
    EXPECT_EQ(allOff.state, 1);

    Forget();
    panel.SwitchAll(true);
    panel.Apply();
    EXPECT_EQ(Sets(), (Sent{{0x03, {0x81, 0x00, 0x00}},
                           {0x03, {0x81, 0x00, 0x00}},
                           {0x04, {0x80, 0x00, 0x00, 0xFF, 0x00, 0x00}},
                           {0x03, {0x81, 0x00, 0x01}},
                           {0x03, {0x81, 0x00, 0x01}},
                           {0x04, {0x80, 0x00, 0x00, 0xFF, 0x00, 0x01}}}));
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{100, 100, 100, 100, 100, 100, 200}));
    EXPECT_EQ(panel.SelectedLocation(), 0);
    EXPECT_TRUE(modes[0].enabled);
}

TEST_F(LightingPanelTest, ActionsOfOneKindAreSentOnceAndKindsInOrder)
{
    Connect();
    panel.SelectMode(1);
    levels[0].level = 8;
    panel.LevelPicked();
    panel.SelectMode(4);
    panel.Apply();
    const Sent sent = Sets();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0], (std::pair<uint8_t, Bytes>{0x08, {0x00, 0x03, 0x04, 0xBB, 0x80, 0x00, 0x64}}));  // mode first
    EXPECT_EQ(sent[1].second, (Bytes{0x00, 0x08, 0xFF}));                                             // brightness
    EXPECT_EQ(sent[2].first, 0x04);
    EXPECT_EQ(sent[3], sent[0]);
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{200, 200}));
}

TEST_F(LightingPanelTest, SelectingALocationDropsPendingChanges)
{
    Connect();
    panel.SelectMode(3);
    panel.SelectLocation(1);
    EXPECT_TRUE(panel.Pending().Empty());
    EXPECT_EQ(locations[1].state, 1);
    EXPECT_EQ(locations[0].state, 0);
    EXPECT_TRUE(levels[1].enabled);
    panel.Apply();
    EXPECT_TRUE(Sets().empty());
}

TEST_F(LightingPanelTest, StepsForALocationDoNothingOnceAllAreSwitchedOff)
{
    Connect();
    panel.SelectMode(1);
    levels[0].level = 2;
    panel.LevelPicked();
    panel.SwitchAll(false);
    panel.Apply();
    for (const auto& [command, payload] : Sets()) EXPECT_EQ(command, 0x03);
    EXPECT_EQ(Sets().size(), 4u);
}

TEST_F(LightingPanelTest, DefaultRestoresBothLocationsWithItsPacing)
{
    Connect();
    panel.SelectLocation(1);
    EXPECT_EQ(panel.ResetToDefault(), 1);
    const Bytes effect{0x00, 0x3F, 0x00, 0xBB, 0x80, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00};
    Bytes effect1 = effect;
    effect1[0] = 0x01;
    EXPECT_EQ(Sets(), (Sent{{0x06, {0x42, 0x00, 0x00, 0x04}},
                           {0x03, {0x81, 0x00, 0x00}},
                           {0x03, {0x81, 0x00, 0x00}},
                           {0x04, {0x80, 0x00, 0x00, 0xFF, 0x00, 0x00}},
                           {0x08, effect},
                           {0x06, {0x42, 0x01, 0xFF, 0x03}},
                           {0x03, {0x81, 0x00, 0x01}},
                           {0x03, {0x81, 0x00, 0x01}},
                           {0x04, {0x80, 0x00, 0x00, 0xFF, 0x00, 0x01}},
                           {0x08, effect1}}));
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{100, 100, 200, 200, 100, 100, 200, 200}));
    for (uint8_t location : {0, 1}) {
        EXPECT_EQ(Stored(location, L"maxR"), L"0");
        EXPECT_EQ(Stored(location, L"maxB"), L"255");
    }
    EXPECT_EQ(panel.SelectedLocation(), 0);
    EXPECT_EQ(plate.state.shownPicture, 4);
}

TEST_F(LightingPanelTest, DefaultWithoutControllerChangesNothing)
{
    EXPECT_EQ(panel.ResetToDefault(), 0);
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    EXPECT_EQ(settings.WriteCount(), 0u);
    EXPECT_TRUE(trace.Lines().empty());
}

TEST_F(LightingPanelTest, ControllerAbsentShowsDeviceNotFound)
{
    controller.Remove();
    int32_t linkState = LightingPanel::kLinkReady;
    panel.ConnectAndRead(linkState);
    EXPECT_EQ(linkState, LightingPanel::kLinkNoDevice);
    EXPECT_TRUE(host.deviceNotFound);
    EXPECT_EQ(host.version, L"");
}

TEST_F(LightingPanelTest, ControllerLeftInItsUpgradeCodeIsRestarted)
{
    manager.Connect(0);
    const uint8_t upgrade[] = {0x00, 0x10};
    manager.Controller()->Send(0x02, upgrade, 2);
    manager.Disconnect();
    clock.Advance(5000);
    ASSERT_TRUE(controller.InUpgradeCode());

    int32_t linkState = LightingPanel::kLinkReady;
    panel.ConnectAndRead(linkState);
    EXPECT_FALSE(controller.InUpgradeCode());
    EXPECT_EQ(linkState, LightingPanel::kLinkReady);
    EXPECT_EQ(host.version, L"V 1.0.3");
    const auto frames = controller.ReceivedFrames();
    EXPECT_TRUE(std::any_of(frames.begin(), frames.end(),
                            [](const SimReceivedFrame& f) { return f.command == 0xFF && f.payload == Bytes{0x10}; }));
}

TEST_F(LightingPanelTest, StoredColoursAreReadAsEightBitNumbers)
{
    StoreColor(0, L"300", L"-1", L"256");
    Connect();
    EXPECT_EQ(panel.FullColors()[0], MakeColorWord({44, 255, 0}));
}

TEST(FullBrightnessColorsParse, ReadsNumbersAsTheCRuntimeDoes)
{
    const struct {
        const wchar_t* text;
        uint8_t value;
    } cases[] = {{L"300", 44}, {L"-1", 255}, {L"256", 0}, {L" 12abc", 12}, {L"abc", 0}, {L"+7", 7}, {L"", 0}};
    for (const auto& c : cases) EXPECT_EQ(FullBrightnessColors::ParseChannel(c.text), c.value) << c.text;
    // Far too many digits for any integer: still some byte, and no undefined behaviour.
    FullBrightnessColors::ParseChannel(L"99999999999999999999999999");
}

class NeverSetUpController : public PanelStack {
protected:
    NeverSetUpController() : PanelStack(SimControllerState::Factory()) {}
};

TEST_F(NeverSetUpController, ConnectRestoresDefaultsBeforeLockingTheMode)
{
    int32_t linkState = LightingPanel::kLinkReady;
    panel.ConnectAndRead(linkState);
    std::vector<uint8_t> order;
    for (const auto& [command, payload] : Sets()) order.push_back(command);
    const auto mask = std::find(order.begin(), order.end(), 0x06);
    const auto lock = std::find(order.begin(), order.end(), 0x0B);
    ASSERT_NE(mask, order.end());
    ASSERT_NE(lock, order.end());
    EXPECT_LT(mask, lock);

    Forget();
    panel.ConnectAndRead(linkState);  // set up now: no second reset
    for (const auto& [command, payload] : Sets()) EXPECT_NE(command, 0x06);
}

class ControllerWithoutRecords : public PanelStack {
protected:
    static SimControllerState NoRecords()
    {
        SimControllerState state = SimControllerState::Configured();
        state.locationCount = 0;
        state.Normalise();
        return state;
    }
    ControllerWithoutRecords() : PanelStack(NoRecords()) {}
};

TEST_F(ControllerWithoutRecords, PanelIsDisabledButCountsAsAllOn)
{
    Connect();
    EXPECT_TRUE(panel.Configurations().empty());
    for (const FakeButton& mode : modes) EXPECT_FALSE(mode.enabled);
    EXPECT_FALSE(levels[0].enabled);
    EXPECT_TRUE(locations[0].enabled);
    EXPECT_EQ(allOn.state, 1);
    EXPECT_FALSE(plate.state.on);
}

class LocationWithoutStoredColour : public PanelStack {
protected:
    static SimControllerState DimGreenOnLocation1()
    {
        SimControllerState state = SimControllerState::Configured();
        auto& record = state.locations[0][1].record;
        record[7] = 0;
        record[8] = 64;
        record[9] = 0;
        record[10] = 63;
        return state;
    }
    LocationWithoutStoredColour() : PanelStack(DimGreenOnLocation1()) {}
};

TEST_F(LocationWithoutStoredColour, ColourIsDerivedFromTheRecordAndWrittenBack)
{
    int32_t linkState = LightingPanel::kLinkReady;
    panel.ConnectAndRead(linkState);
    EXPECT_EQ(panel.FullColors()[1], MakeColorWord({0, 255, 0}));
    EXPECT_EQ(Stored(1, L"maxR"), L"0");
    EXPECT_EQ(Stored(1, L"maxG"), L"255");
    EXPECT_EQ(Stored(1, L"maxB"), L"0");
    EXPECT_EQ(panel.FullColors()[0], MakeColorWord({0, 0, 255}));  // at full brightness: taken as it is
    EXPECT_TRUE(HasLineStartingWith(trace.Lines(), L"ReadMaxRGBSettings,location:1,r:0,g:255,B:0\r\n"));
    EXPECT_TRUE(HasLineStartingWith(trace.Lines(), L"H:120.000000,S:1.000000,V:0.250980\r\n"));
}

}  // namespace
}  // namespace paneltest
