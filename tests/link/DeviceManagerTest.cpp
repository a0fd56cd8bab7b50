#include "LinkStack.h"

#include <thread>

namespace {

using namespace linktest;

class DeviceManagerTest : public LinkStack {};

TEST_F(DeviceManagerTest, ConnectsRightAfterSetupBeforeAnyRescan)
{
    EXPECT_EQ(manager.Connect(0), 1);
    EXPECT_EQ(manager.IsConnected(), 1);
    EXPECT_EQ(manager.SelectedIndex(), 0);
    manager.Disconnect();
    EXPECT_EQ(manager.IsConnected(), 0);
    EXPECT_EQ(bus.OpenHandleCount(), 0u);
}

TEST_F(DeviceManagerTest, IndexRulesAfterARescan)
{
    manager.RefreshNames();
    ASSERT_EQ(manager.PresentCount(), 1);
    EXPECT_EQ(manager.Names(), std::vector<std::wstring>{L"0x04D9_8008"});

    EXPECT_EQ(manager.Connect(2), 0);           // beyond the count: refused before the transport
    EXPECT_EQ(manager.SelectedIndex(), -1);
    EXPECT_EQ(bus.OpenHandleCount(), 0u);

    EXPECT_EQ(manager.Connect(1), 0);           // equal to the count: the transport has no row 1
    EXPECT_EQ(manager.SelectedIndex(), 1);
    EXPECT_EQ(manager.IsConnected(), 0);

    EXPECT_EQ(manager.Connect(0), 1);
}

TEST_F(DeviceManagerTest, AbsentControllerLeavesNoNames)
{
    controller.Remove();
    manager.RefreshNames();
    EXPECT_TRUE(manager.Names().empty());
    EXPECT_EQ(manager.PresentCount(), 0);
    EXPECT_EQ(manager.Connect(0), 0);
    EXPECT_EQ(manager.IsConnected(), 0);
}

TEST_F(DeviceManagerTest, ControllerHeldByAnotherProgramIsNotConnected)
{
    manager.RefreshNames();
    controller.SetHeldExclusively(true);
    EXPECT_EQ(manager.Connect(0), 0);
    EXPECT_EQ(manager.IsConnected(), 0);
    EXPECT_EQ(Link().ReadDeviceInfo(), 0);
}

TEST_F(DeviceManagerTest, ReconnectsAfterTheControllerReturns)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().Restart(), 1);
    manager.Disconnect();
    manager.RefreshNames();
    EXPECT_EQ(manager.PresentCount(), 0);
    clock.Advance(300);
    manager.RefreshNames();
    EXPECT_EQ(manager.PresentCount(), 1);
    EXPECT_EQ(manager.Connect(manager.SelectedIndex()), 1);
    Link().Info().Reset();
    EXPECT_EQ(Link().ReadDeviceInfo(), 1);
}

TEST(DeviceManagerBeforeSetup, DoesNothingAndReportsZero)
{
    SimClock clock;
    SimHidBus bus(clock);
    DeviceManager manager(bus);
    EXPECT_EQ(manager.Controller(), nullptr);
    EXPECT_EQ(manager.Connect(0), 0);
    EXPECT_EQ(manager.IsConnected(), 0);
    manager.Disconnect();
    manager.RefreshNames();
    EXPECT_TRUE(manager.Names().empty());
    EXPECT_EQ(manager.SelectedIndex(), -1);
}

TEST(DeviceManagerNames, OneNamePerPresentRowInTableOrder)
{
    SimClock clock;
    SimLightingController controller(clock);
    SimHidBus bus(clock);
    bus.AddOtherDevice(0x1234, 0x5678, L"X1");
    bus.Attach(controller);
    DeviceEntry table[3] = {{0x04D9, 0x8008, 0}, {0x0001, 0x0002, 0}, {0x1234, 0x5678, 0}};
    DirectRequestWindow window;
    DeviceManager manager(bus);
    manager.Setup(&window, nullptr, table, 3);
    manager.RefreshNames();
    EXPECT_EQ(manager.PresentCount(), 2);
    EXPECT_EQ(table[1].present, 0);
    EXPECT_EQ(manager.Names(), (std::vector<std::wstring>{L"0x04D9_8008", L"0x1234_5678"}));
    EXPECT_EQ(DeviceDisplayName({0xABCD, 0x00EF, 0}), L"0xABCD_00EF");
}

// The firmware worker asks for the connection while the window thread runs requests.
TEST(DeviceManagerThreads, WorkerAsksIsConnectedWhileRequestsRun)
{
    SimClock clock;
    SimLightingController controller(clock);
    SimHidBus bus(clock);
    bus.Attach(controller);
    ThreadRequestWindow window;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager(bus);
    manager.Setup(&window, nullptr, table, 1);
    window.Invoke([&] { ASSERT_EQ(manager.Connect(0), 1); });

    int connectedSeen = 0;
    std::thread asker([&] {
        for (int i = 0; i < 200; ++i) connectedSeen += manager.IsConnected();
    });
    std::thread worker([&] {
        ControllerLink& link = *manager.Controller();
        for (int i = 0; i < 20; ++i) EXPECT_EQ(link.SetOnOff(0, i % 2 == 0), 1);
        EXPECT_EQ(link.ReadDeviceInfo(), 1);
    });
    worker.join();
    asker.join();
    EXPECT_EQ(connectedSeen, 200);
    for (const SimRequestWindow::Done& done : window.Completed()) EXPECT_EQ(done.thread, window.WindowThreadId());
    window.Invoke([&] { manager.Disconnect(); });
}

}  // namespace
