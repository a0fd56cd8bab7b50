#include "RecordingSender.h"
#include "monitor/Kadu.h"
#include "sim/CountingPauses.h"
#include "sim/SimGpu.h"
#include "sim/SimSensorPorts.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x5678);

class KaduThreads : public ::testing::Test {
protected:
    KaduThreads()
    {
        ports.Start();
        ports.SetFanRpm(1500);
        ports.SetCpuTemperature(48);
        gpu.SetTemperature(66);
        kadu->Gpu().Open();
    }

    SimSensorPorts ports;
    CountingPauses pauses;
    RecordingSender sender;
    SimGpu gpu;
    std::ostringstream gpuOutput;
    std::unique_ptr<Kadu> kadu = std::make_unique<Kadu>(ports, pauses, sender, gpu, gpuOutput);
};

TEST_F(KaduThreads, EachThreadSendsItsReadingToTheTargetWindow)
{
    ASSERT_TRUE(kadu->Start(kWindow));
    ASSERT_TRUE(sender.WaitFor(kFanSpeedMessage));
    ASSERT_TRUE(sender.WaitFor(kGpuTemperatureMessage));
    ASSERT_TRUE(sender.WaitFor(kCpuTemperatureMessage));
    kadu.reset();

    for (const SentReading& reading : sender.Sent()) {
        EXPECT_EQ(reading.target, kWindow);
        switch (reading.message) {
        case kFanSpeedMessage: EXPECT_EQ(reading.value, 1500); break;
        case kGpuTemperatureMessage: EXPECT_EQ(reading.value, 66); break;
        case kCpuTemperatureMessage: EXPECT_EQ(reading.value, 48); break;
        default: ADD_FAILURE() << reading.message;
        }
    }
}

TEST_F(KaduThreads, StartedThreadsReturnWithinOneCycleOfTheStopFlag)
{
    ASSERT_TRUE(kadu->Start(kWindow));
    ASSERT_TRUE(pauses.WaitForCount(Kadu::kPollPauseMs, 6));  // a few cycles of the threads
    EXPECT_FALSE(kadu->Start(kWindow));                       // already running

    kadu->Stop();
    const uint64_t cyclesAtStop = pauses.Count(Kadu::kPollPauseMs);
    const uint64_t smbusReadsAtStop = pauses.Count(Kadu::kSmbusSettleMs);
    kadu.reset();  // joins

    // At most the cycle each of the three threads was in.
    EXPECT_LE(pauses.Count(Kadu::kPollPauseMs) - cyclesAtStop, 3u);
    EXPECT_LE(pauses.Count(Kadu::kSmbusSettleMs) - smbusReadsAtStop, 2u);
}

TEST_F(KaduThreads, StoppedBeforeStartTheThreadsDoNoCycle)
{
    kadu->Stop();
    ASSERT_TRUE(kadu->Start(kWindow));
    ports.ClearLog();
    kadu.reset();
    EXPECT_TRUE(ports.Log().empty());
    EXPECT_TRUE(sender.Sent().empty());
    EXPECT_EQ(gpu.ThermalReadCount(), 0);
}

TEST_F(KaduThreads, WithoutATargetWindowTheThreadsReadButSendNothing)
{
    ASSERT_TRUE(kadu->Start(nullptr));
    ASSERT_TRUE(pauses.WaitForCount(Kadu::kPollPauseMs, 9));
    kadu.reset();
    EXPECT_TRUE(sender.Sent().empty());
    EXPECT_GT(gpu.ThermalReadCount(), 0);
    EXPECT_GT(pauses.Count(Kadu::kSmbusSettleMs), 0u);
}

TEST_F(KaduThreads, DestroyingAHostThatNeverStartedTouchesNothing)
{
    ports.ClearLog();
    kadu.reset();
    EXPECT_TRUE(ports.Log().empty());
    EXPECT_EQ(pauses.Count(Kadu::kPollPauseMs), 0u);
}

}  // namespace
