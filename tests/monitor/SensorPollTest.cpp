#include "RecordingSender.h"
#include "monitor/Kadu.h"
#include "sim/RecordingPauses.h"
#include "sim/SimGpu.h"
#include "sim/SimSensorPorts.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <vector>

namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1234);

class SensorPoll : public ::testing::Test {
protected:
    SensorPoll() { ports.Start(); }

    // The readings sent, as values of one message.
    std::vector<int32_t> SentValues(uint32_t message) const
    {
        std::vector<int32_t> values;
        for (const SentReading& reading : sender.Sent()) {
            EXPECT_EQ(reading.target, kWindow);
            if (reading.message == message) values.push_back(reading.value);
        }
        return values;
    }

    SimSensorPorts ports;
    RecordingPauses pauses;
    RecordingSender sender;
    SimGpu gpu;
    std::ostringstream gpuOutput;
    Kadu kadu{ports, pauses, sender, gpu, gpuOutput};
};

struct FanCase {
    uint8_t high;  // register 0x10
    uint8_t low;   // register 0x13
    uint32_t speed;
    std::optional<int32_t> sent;
};

class FanSpeed : public SensorPoll, public ::testing::WithParamInterface<FanCase> {};

TEST_P(FanSpeed, SendsOnlySpeedsInsideTheWindow)
{
    const FanCase& c = GetParam();
    ports.SetFanRegister(0x10, c.high);
    ports.SetFanRegister(0x13, c.low);
    uint8_t resultByte = 0;
    EXPECT_EQ(kadu.PollFanSpeed(kWindow, resultByte), c.speed);
    const std::vector<int32_t> sent = SentValues(kFanSpeedMessage);
    if (c.sent) {
        EXPECT_EQ(sent, std::vector<int32_t>{*c.sent});
    } else {
        EXPECT_TRUE(sent.empty());
    }
}

// Count n is register 0x10 = n / 32 and register 0x13 = (n % 32) << 3.
INSTANTIATE_TEST_SUITE_P(Counts, FanSpeed,
                         ::testing::Values(FanCase{2700 / 32, (2700 % 32) << 3, 500, std::nullopt},
                                           FanCase{2694 / 32, (2694 % 32) << 3, 501, 501},
                                           FanCase{520 / 32, (520 % 32) << 3, 2596, 2596},
                                           FanCase{519 / 32, (519 % 32) << 3, 2601, std::nullopt},
                                           FanCase{1125 / 32, ((1125 % 32) << 3) | 0x07, 1200, 1200},  // bits 2..0 ignored
                                           FanCase{0, 0, 0, std::nullopt},
                                           // 67500 rpm: dropped, not wrapped to 1964 and sent.
                                           FanCase{0, 20 << 3, 67500, std::nullopt},
                                           // 0xFF in register 0x10 counts as 0: count 31.
                                           FanCase{0xFF, 0xF8, 43548, std::nullopt}));

TEST_F(SensorPoll, FanSpeedSetInRpmReadsBack)
{
    for (uint32_t rpm : {600u, 1000u, 1500u, 2000u}) {
        ports.SetFanRpm(rpm);
        uint8_t resultByte = 0;
        EXPECT_EQ(kadu.PollFanSpeed(kWindow, resultByte), rpm);
    }
    EXPECT_EQ(SentValues(kFanSpeedMessage), (std::vector<int32_t>{600, 1000, 1500, 2000}));

    ports.SetFanRpm(0);  // a stopped fan: the counter at its top
    uint8_t resultByte = 0;
    EXPECT_EQ(kadu.PollFanSpeed(kWindow, resultByte), 43548u);  // 0xFF counts as 0: count 31
    EXPECT_EQ(SentValues(kFanSpeedMessage).size(), 4u);
}

TEST_F(SensorPoll, AReadWithoutDataReusesTheThreadsPreviousByte)
{
    ports.SetTachometerCount(1125);  // registers 0x23 and 0x28
    uint8_t resultByte = 0;
    ASSERT_EQ(kadu.PollFanSpeed(kWindow, resultByte), 1200u);
    EXPECT_EQ(resultByte, 0x28);

    // Both reads now end without data: register 0x10 "reads" 0x28 (40), which is
    // stored back, and register 0x13 "reads" 40 too: count 40 * 32 + 5.
    ports.SetHostFault(SmbusHostFault::kDeviceError);
    EXPECT_EQ(kadu.PollFanSpeed(kWindow, resultByte), 1350000u / 1285u);
    EXPECT_EQ(resultByte, 40);
}

TEST_F(SensorPoll, FanPollPausesOncePerSmbusRead)
{
    uint8_t resultByte = 0;
    kadu.PollFanSpeed(kWindow, resultByte);
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{100, 100}));
}

TEST_F(SensorPoll, CpuTemperatureIsSentBetweenOneAndNinetyNine)
{
    for (uint8_t raw : {0x80, 0, 100, 0xFF, 1, 99, 45}) {
        ports.SetCpuTemperature(raw);
        kadu.PollCpuTemperature(kWindow);
    }
    EXPECT_EQ(SentValues(kCpuTemperatureMessage), (std::vector<int32_t>{1, 99, 45}));
    ports.SetCpuTemperature(0x80);
    EXPECT_EQ(kadu.PollCpuTemperature(kWindow), 0);  // "no reading" counts as 0
}

TEST_F(SensorPoll, GpuTemperatureIsSentOnlyWhenTheReadSucceeds)
{
    ASSERT_EQ(kadu.Gpu().Open(), 0);
    gpu.SetTemperature(63);
    int32_t temperature = 0;
    kadu.PollGpuTemperature(kWindow, temperature);
    EXPECT_EQ(temperature, 63);

    gpu.FailThermalReads(kGpuInvalidHandle);
    kadu.PollGpuTemperature(kWindow, temperature);
    EXPECT_EQ(SentValues(kGpuTemperatureMessage), std::vector<int32_t>{63});
}

TEST_F(SensorPoll, NothingIsSentWithoutATargetWindowButTheReadsRun)
{
    ports.SetFanRpm(1200);
    ports.SetCpuTemperature(50);
    ASSERT_EQ(kadu.Gpu().Open(), 0);
    ports.ClearLog();

    uint8_t resultByte = 0;
    int32_t temperature = 0;
    EXPECT_EQ(kadu.PollFanSpeed(nullptr, resultByte), 1200u);
    EXPECT_EQ(kadu.PollCpuTemperature(nullptr), 50);
    kadu.PollGpuTemperature(nullptr, temperature);
    EXPECT_EQ(temperature, 50);
    EXPECT_TRUE(sender.Sent().empty());
    EXPECT_FALSE(ports.Log().empty());
}

}  // namespace
