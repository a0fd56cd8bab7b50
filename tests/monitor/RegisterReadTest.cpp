#include "RecordingSender.h"
#include "monitor/Kadu.h"
#include "sim/SimGpu.h"
#include "sim/SimSensorPorts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <utility>
#include <vector>

namespace {

using R = PortAccessRecord;

// Notes each pause with the number of port accesses made before it, so a test sees
// where in the sequence the pause fell.
class MarkingPauses final : public Pauses {
public:
    explicit MarkingPauses(const SimSensorPorts& ports) : ports_(ports) {}
    void Sleep(uint32_t milliseconds) override { marks.emplace_back(milliseconds, ports_.Log().size()); }
    std::vector<std::pair<uint32_t, size_t>> marks;

private:
    const SimSensorPorts& ports_;
};

class RegisterRead : public ::testing::Test {
protected:
    RegisterRead() { ports.Start(); }

    std::vector<R> Read(uint16_t bank, uint8_t reg, uint8_t& result)
    {
        ports.ClearLog();
        pauses.marks.clear();
        kadu.ReadRegister(bank, reg, result);
        return ports.Log();
    }

    static size_t CountStatusReads(const std::vector<R>& log, size_t from, size_t to)
    {
        return static_cast<size_t>(std::count_if(log.begin() + from, log.begin() + to, [](const R& r) {
            return r.kind == R::kReadByte && r.port == 0xF040;
        }));
    }

    SimSensorPorts ports;
    MarkingPauses pauses{ports};
    RecordingSender sender;
    SimGpu gpu;
    std::ostringstream gpuOutput;
    Kadu kadu{ports, pauses, sender, gpu, gpuOutput};
};

TEST_F(RegisterRead, SmbusReadRunsTheWholeHostSequenceAndPausesBeforeTakingTheData)
{
    ports.SetFanRegister(0x13, 0x5C);
    uint8_t result = 0;
    const std::vector<R> log = Read(0, 0x13, result);

    const std::vector<R> expected = {
        {R::kWriteDword, 0xCF8, 0x8000FC20}, {R::kReadWord, 0xCFC, 0xF041},   // base register; bit 0 masked off
        {R::kWriteDword, 0xCF8, 0x8000FC04}, {R::kReadByte, 0xCFC, 0x00},     // command register
        {R::kWriteByte, 0xCFC, 0x01},                                         // I/O space enabled
        {R::kReadByte, 0xF040, 0x00},                                         // not busy
        {R::kWriteByte, 0xF040, 0xFE},                                        // status cleared
        {R::kWriteByte, 0xF043, 0x13},                                        // register number
        {R::kWriteByte, 0xF044, 0x5B},                                        // 0x2D, read
        {R::kWriteByte, 0xF042, 0x48},                                        // start, byte data
        {R::kReadByte, 0xF040, 0x01},                                         // sampled: busy, no error
        {R::kReadByte, 0xF045, 0x5C},                                         // data
        {R::kWriteByte, 0xF040, 0x21},                                        // sampled status | 0x20
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(result, 0x5C);
    EXPECT_TRUE(ports.SmbusIoEnabled());
    using Mark = std::pair<uint32_t, size_t>;
    EXPECT_EQ(pauses.marks, (std::vector<Mark>{{100, 11}}));  // after the sampling, before the data
}

TEST_F(RegisterRead, SmbusBaseComesFromTheConfigurationWordMasked)
{
    ports.SetSmbusBase(0x0580);
    ports.SetFanRegister(0x10, 0x23);
    uint8_t result = 0;
    const std::vector<R> log = Read(0, 0x10, result);
    EXPECT_EQ(log[1], (R{R::kReadWord, 0xCFC, 0x0581}));
    EXPECT_EQ(log.back(), (R{R::kWriteByte, 0x0580, 0x21}));
    EXPECT_EQ(result, 0x23);
}

TEST_F(RegisterRead, BusyWaitGivesUpAfterTwentyThousandReadsAndGoesOn)
{
    ports.SetHostFault(SmbusHostFault::kStaysBusy);
    uint8_t result = 0x77;
    const std::vector<R> log = Read(0, 0x10, result);

    // Five configuration accesses, then the busy wait up to the status clear.
    const auto clear = std::find(log.begin(), log.end(), R{R::kWriteByte, 0xF040, 0xFE});
    ASSERT_NE(clear, log.end());
    const size_t clearAt = static_cast<size_t>(clear - log.begin());
    EXPECT_EQ(clearAt, 5u + 20000u);
    EXPECT_EQ(CountStatusReads(log, 5, clearAt), 20000u);
    // A busy status has no error bit: the sampling takes it at once and the data port
    // is read (the stuck host's stale data).
    EXPECT_EQ(log[clearAt + 4], (R{R::kReadByte, 0xF040, 0x01}));
    EXPECT_EQ(log[clearAt + 5], (R{R::kReadByte, 0xF045, 0x00}));
    EXPECT_EQ(result, 0x00);
}

TEST_F(RegisterRead, StatusSamplingGivesUpAfterTwentyThousandReadsAndKeepsTheResult)
{
    for (SmbusHostFault fault : {SmbusHostFault::kDeviceError, SmbusHostFault::kBusError}) {
        SCOPED_TRACE(static_cast<int>(fault));
        ports.SetHostFault(fault);
        uint8_t result = 0x77;
        const std::vector<R> log = Read(0, 0x10, result);

        ASSERT_EQ(log.size(), 10u + 20000u);
        EXPECT_EQ(log[9], (R{R::kWriteByte, 0xF042, 0x48}));
        EXPECT_EQ(CountStatusReads(log, 10, log.size()), 20000u);
        // No data read and no status write-back after the pause.
        EXPECT_EQ(log.back().kind, R::kReadByte);
        EXPECT_EQ(pauses.marks.size(), 1u);
        EXPECT_EQ(result, 0x77);
    }

    // The failed bit keeps the sampling going but does not withhold the data port.
    ports.SetHostFault(SmbusHostFault::kFailed);
    uint8_t result = 0x77;
    const std::vector<R> log = Read(0, 0x10, result);
    ASSERT_EQ(log.size(), 10u + 20000u + 2u);
    EXPECT_EQ(log[log.size() - 2], (R{R::kReadByte, 0xF045, 0x00}));
    EXPECT_EQ(log.back(), (R{R::kWriteByte, 0xF040, 0x10 | 0x20}));
    EXPECT_EQ(result, 0x00);
}

TEST_F(RegisterRead, AnInterruptStillSetWhenSampledMeansNoData)
{
    // A host that completes before the first status read: the interrupt bit stays set
    // through the sampling, which then counts as a read without data.
    ports.SetHostBusyReads(0);
    uint8_t result = 0x77;
    const std::vector<R> log = Read(0, 0x10, result);
    EXPECT_EQ(CountStatusReads(log, 10, log.size()), 20000u);
    EXPECT_EQ(result, 0x77);
}

TEST_F(RegisterRead, SuperIoReadSelectsTheBankThenReadsTheRegister)
{
    ports.SetSuperIoRegister(3, 0x11, 0x42);
    uint8_t result = 0;
    const std::vector<R> log = Read(3, 0x11, result);
    const std::vector<R> expected = {
        {R::kWriteByte, 0xA25, 0x4E},
        {R::kWriteByte, 0xA26, 0x03},
        {R::kWriteByte, 0xA25, 0x11},
        {R::kReadByte, 0xA26, 0x42},
    };
    EXPECT_EQ(log, expected);
    EXPECT_EQ(result, 0x42);
    EXPECT_TRUE(pauses.marks.empty());
}

TEST_F(RegisterRead, CpuPollReadsBankSevenRegisterTwenty)
{
    ports.SetCpuTemperature(57);
    ports.ClearLog();
    EXPECT_EQ(kadu.PollCpuTemperature(nullptr), 57);
    const std::vector<R> expected = {
        {R::kWriteByte, 0xA25, 0x4E},
        {R::kWriteByte, 0xA26, 0x07},
        {R::kWriteByte, 0xA25, 0x20},
        {R::kReadByte, 0xA26, 57},
    };
    EXPECT_EQ(ports.Log(), expected);
}

TEST_F(RegisterRead, WithoutPortAccessNothingAnswers)
{
    ports.Stop();
    uint8_t result = 0x77;
    kadu.ReadRegister(7, 0x20, result);
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(ports.SmbusIoEnabled());
}

}  // namespace
