#pragma once

#include "link/ControllerLink.h"
#include "link/DeviceManager.h"
#include "link/Frame.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"
#include "sim/SimRequestWindows.h"
#include "sim/SimTraceSink.h"

#include <gtest/gtest.h>

#include <vector>

namespace linktest {

using Bytes = std::vector<uint8_t>;

// The whole link over the simulated bus: device manager, transport, raw layer, bus and
// one simulated controller, with a request window that runs each request at once.
class LinkStack : public ::testing::Test {
protected:
    explicit LinkStack(SimControllerState state = SimControllerState::Factory(), SimControllerIdentity identity = {})
        : controller(clock, std::move(state), std::move(identity))
    {
        bus.Attach(controller);
        manager.Setup(&window, nullptr, table, 1);
    }

    ControllerLink& Link() { return *manager.Controller(); }

    // Connects and reads the device information, as the program does first.
    void ConnectAndReadInfo()
    {
        manager.RefreshNames();
        ASSERT_EQ(manager.Connect(0), 1);
        ASSERT_EQ(Link().ReadDeviceInfo(), 1);
        controller.ForgetReceived();
        window.ForgetCompleted();
        trace.Forget();
    }

    // The frames the controller received, as (access, command, payload).
    std::vector<SimReceivedFrame> Frames() const { return controller.ReceivedFrames(); }

    static Bytes Wire(uint8_t command, const Bytes& payload, uint16_t access)
    {
        Frame frame;
        const uint8_t* wire = frame.Build(command, payload.data(), static_cast<uint16_t>(payload.size()), access);
        return Bytes(wire, wire + frame.Length());
    }

    SimTraceSink trace;
    SimClock clock;
    SimLightingController controller;
    SimHidBus bus{clock};
    DirectRequestWindow window;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager{bus};
};

}  // namespace linktest
