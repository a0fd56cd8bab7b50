#include "LinkStack.h"

#include "link/BrymoUsbDev.h"
#include "link/HidRaw.h"

#include <map>

namespace {

using namespace linktest;

// The transport alone over the simulated bus.
class TransportTest : public ::testing::Test {
protected:
    explicit TransportTest(SimControllerIdentity identity = {})
        : controller(clock, SimControllerState::Factory(), identity)
    {
        bus.Attach(controller);
        transport.Init(nullptr, table, 1);
    }

    void Open()
    {
        ASSERT_EQ(transport.CountPresent(), 1);
        ASSERT_EQ(transport.Open(0), 1);
    }

    // Output reports as the controller received them.
    std::vector<Bytes> Reports() const
    {
        std::vector<Bytes> reports;
        for (const SimReceivedReport& report : controller.ReceivedReports()) reports.push_back(report.bytes);
        return reports;
    }

    Bytes Input(uint8_t id, Bytes data, size_t length = 64)
    {
        Bytes report(std::max(length, data.size() + 2), 0);
        report[0] = id;
        report[1] = static_cast<uint8_t>(data.size());
        std::copy(data.begin(), data.end(), report.begin() + 2);
        return report;
    }

    SimClock clock;
    SimLightingController controller;
    SimHidBus bus{clock};
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    BrymoUsbDev transport{bus};
};

Bytes Counting(size_t n)
{
    Bytes bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
    return bytes;
}

TEST_F(TransportTest, OpensTheControllerShowingItsRealReportLengths)
{
    Open();
    EXPECT_EQ(bus.OpenHandleCount(), 1u);
    EXPECT_EQ(bus.InputBufferCounts(), std::vector<uint32_t>{512});
    transport.Close();
    EXPECT_EQ(transport.IsOpen(), 0);
    EXPECT_EQ(bus.OpenHandleCount(), 0u);
}

TEST(TransportSetup, DefaultTimeOutsFillOnlyThoseThatAreZero)
{
    HidDevice device;
    device.readTimeout = 1000;
    HidInitDevice(device);
    EXPECT_EQ(device.readTimeout, 1000u);
    EXPECT_EQ(device.writeTimeout, 500u);
    EXPECT_FALSE(device.open);
    EXPECT_EQ(device.handle, HidServices::kNoHandle);
}

TEST(TransportSetup, RegistersItsWindowForNoticesUntilDestroyed)
{
    SimClock clock;
    SimHidBus bus(clock);
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    int window = 0;
    {
        BrymoUsbDev transport(bus);
        transport.Init(&window, table, 1);
        EXPECT_EQ(bus.WatchCount(), 1u);
        EXPECT_EQ(transport.Open(-1), 0);
    }
    EXPECT_EQ(bus.WatchCount(), 0u);
    BrymoUsbDev withoutWindow(bus);
    withoutWindow.Init(nullptr, table, 1);
    EXPECT_EQ(bus.WatchCount(), 0u);
}

TEST_F(TransportTest, WritesATwelveByteFrameAsOneReport)
{
    Open();
    const Bytes frame = Counting(12);
    ASSERT_EQ(transport.Write(frame.data(), 12), 1);
    const std::vector<Bytes> reports = Reports();
    ASSERT_EQ(reports.size(), 1u);
    ASSERT_EQ(reports[0].size(), 64u);
    EXPECT_EQ(Bytes(reports[0].begin(), reports[0].begin() + 15),
              (Bytes{0x3F, 0x0C, 0x00, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

struct ChunkCase {
    size_t length;
    std::vector<std::pair<uint8_t, uint8_t>> headers;   // chunk length, continuation
};

class TransportChunkTest : public TransportTest, public ::testing::WithParamInterface<ChunkCase> {};

TEST_P(TransportChunkTest, CutsWritesIntoChunksOfAtMost61Bytes)
{
    Open();
    const Bytes bytes = Counting(GetParam().length);
    ASSERT_EQ(transport.Write(bytes.data(), static_cast<int32_t>(bytes.size())), 1);
    const std::vector<Bytes> reports = Reports();
    ASSERT_EQ(reports.size(), GetParam().headers.size());
    Bytes carried;
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i][0], 0x3F);
        EXPECT_EQ(reports[i][1], GetParam().headers[i].first);
        EXPECT_EQ(reports[i][2], GetParam().headers[i].second);
        carried.insert(carried.end(), reports[i].begin() + 3, reports[i].begin() + 3 + reports[i][1]);
    }
    EXPECT_EQ(carried, bytes);
}

INSTANTIATE_TEST_SUITE_P(Lengths, TransportChunkTest,
                         ::testing::Values(ChunkCase{61, {{61, 0}}}, ChunkCase{62, {{61, 1}, {1, 0}}},
                                           ChunkCase{130, {{61, 1}, {61, 1}, {8, 0}}}));

class SmallReportTransportTest : public TransportTest {
protected:
    SmallReportTransportTest() : TransportTest(SmallInputReports()) {}

    static SimControllerIdentity SmallInputReports()
    {
        SimControllerIdentity identity;
        identity.inputReportLength = 16;
        return identity;
    }
};

TEST_F(SmallReportTransportTest, ReadsAcrossConsecutiveReportsAndFlushesTheSurplus)
{
    Open();
    controller.QueueInputReport(Input(0x3F, Counting(14), 16));
    controller.QueueInputReport(Input(0x3F, Bytes(14, 0xAB), 16));
    controller.QueueInputReport(Input(0x3F, Bytes(14, 0xCD), 16));   // one byte wanted, 13 surplus
    controller.QueueInputReport(Input(0x3F, Bytes(5, 0xEE), 16));    // stale: dropped by the flush

    Bytes buffer(29, 0);
    ASSERT_EQ(transport.Read(buffer.data(), 29), 29);
    Bytes expected = Counting(14);
    expected.insert(expected.end(), 14, 0xAB);
    expected.push_back(0xCD);
    EXPECT_EQ(buffer, expected);

    const uint64_t before = clock.NowMs();
    EXPECT_EQ(transport.Read(buffer.data(), 29), 0);   // nothing left over for the next request
    EXPECT_EQ(clock.NowMs() - before, 1000u);
}

TEST_F(TransportTest, SkipsInputReportsWithAnotherId)
{
    Open();
    controller.QueueInputReport(Input(0x01, Bytes(10, 0x11)));
    controller.QueueInputReport(Input(0x3F, Counting(4)));
    Bytes buffer(4, 0);
    EXPECT_EQ(transport.Read(buffer.data(), 4), 4);
    EXPECT_EQ(buffer, Counting(4));
}

TEST_F(TransportTest, ReadTimingOutDeliversNothingOrThePartThatCame)
{
    Open();
    Bytes buffer(29, 0);
    EXPECT_EQ(transport.Read(buffer.data(), 29), 0);
    EXPECT_EQ(clock.NowMs(), 1000u);   // one read time-out, on the simulated clock

    controller.QueueInputReport(Input(0x3F, Counting(10)));
    EXPECT_EQ(transport.Read(buffer.data(), 29), 10);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 10), Counting(10));
    EXPECT_EQ(clock.NowMs(), 2000u);
}

TEST_F(TransportTest, LengthByteBeyondTheReportIsCutToTheReport)
{
    Open();
    Bytes report = Input(0x3F, Counting(62));   // fills the 64-byte report
    report[1] = 0xFF;                            // but claims 255 bytes
    controller.QueueInputReport(report);
    Bytes buffer(100, 0);
    EXPECT_EQ(transport.Read(buffer.data(), 100), 62);
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + 62), Counting(62));
}

TEST_F(TransportTest, ClosedTransportNeitherReadsNorWrites)
{
    uint8_t buffer[12] = {};
    EXPECT_EQ(transport.Write(buffer, 12), 0);
    EXPECT_EQ(transport.Read(buffer, 12), 0);
    EXPECT_TRUE(controller.ReceivedReports().empty());
    EXPECT_EQ(clock.NowMs(), 0u);
}

TEST_F(TransportTest, WriteToARemovedControllerFails)
{
    Open();
    controller.Remove();
    uint8_t buffer[12] = {};
    EXPECT_EQ(transport.Write(buffer, 12), 0);
    EXPECT_EQ(transport.Read(buffer, 12), 0);
    EXPECT_EQ(transport.IsOpen(), 1);   // the handle stays until closed
    transport.Close();
    EXPECT_EQ(transport.IsOpen(), 0);
}

TEST_F(TransportTest, ControllerHeldExclusivelyElsewhereIsNotOpen)
{
    controller.SetHeldExclusively(true);
    EXPECT_EQ(transport.CountPresent(), 0);   // its serial cannot be read without a handle
    EXPECT_EQ(transport.Open(0), 0);
    EXPECT_EQ(transport.IsOpen(), 0);
    uint8_t buffer[12] = {};
    EXPECT_EQ(transport.Write(buffer, 12), 0);
}

TEST_F(TransportTest, OpeningTwiceKeepsTheOneHandle)
{
    Open();
    EXPECT_EQ(transport.Open(0), 1);
    EXPECT_EQ(bus.OpenHandleCount(), 1u);
}

// --- counting and matching

TEST_F(TransportTest, TwoInterfacesWithoutSerialCountAsOneDevice)
{
    bus.AddOtherDevice(0x046D, 0xC31C);
    EXPECT_EQ(bus.PresentPaths().size(), 3u);
    EXPECT_EQ(transport.CountPresent(), 1);
    EXPECT_EQ(table[0].present, 1);
    EXPECT_EQ(transport.Serials()[0].serial[0], '\0');
}

TEST(TransportCounting, ControllersWithDistinctSerialsAreCountedApart)
{
    SimClock clock;
    SimLightingController first(clock, SimControllerState::Factory(), {.serial = L"KADU-0001", .interfaceCount = 1});
    SimLightingController second(clock, SimControllerState::Factory(), {.serial = L"KADU-0002", .interfaceCount = 1});
    SimHidBus bus(clock);
    bus.Attach(first);
    bus.Attach(second);
    DeviceSerial slots[2];
    EXPECT_EQ(HidCountDevices(bus, 0x04D9, 0x8008, slots, 2), 2);
    EXPECT_STREQ(slots[0].serial.data(), "KADU-0001");
    EXPECT_STREQ(slots[1].serial.data(), "KADU-0002");
}

TEST(TransportCounting, OnlyInterfaceOfTheControllerIsOpenedExclusively)
{
    SimClock clock;
    SimControllerIdentity identity;
    identity.serial = L"KADU-0001";
    identity.interfaceCount = 1;
    SimLightingController controller(clock, SimControllerState::Factory(), identity);
    SimHidBus bus(clock);
    bus.Attach(controller);
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    BrymoUsbDev transport(bus);
    transport.Init(nullptr, table, 1);
    ASSERT_EQ(transport.CountPresent(), 1);
    EXPECT_STREQ(transport.Serials()[0].serial.data(), "KADU-0001");
    ASSERT_EQ(transport.Open(0), 1);
    uint32_t error = 0;
    EXPECT_EQ(bus.Open(bus.PresentPaths()[0], false, error), HidServices::kNoHandle);
    EXPECT_EQ(error, HidServices::kErrorSharingViolation);
}

TEST(TransportCounting, UpperCasePathDoesNotMatch)
{
    SimClock clock;
    SimControllerIdentity identity;
    identity.upperCasePaths = true;
    SimLightingController controller(clock, SimControllerState::Factory(), identity);
    SimHidBus bus(clock);
    bus.Attach(controller);
    std::wstring path;
    EXPECT_EQ(HidFindPath(bus, 0x04D9, 0x8008, 0, path), kHidOtherFailure);
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    BrymoUsbDev transport(bus);
    transport.Init(nullptr, table, 1);
    EXPECT_EQ(transport.CountPresent(), 0);
    EXPECT_EQ(transport.Open(0), 0);
}

TEST(TransportCounting, MemberIndexBeyondTheLimitFindsNothing)
{
    SimClock clock;
    SimLightingController controller(clock);
    SimHidBus bus(clock);
    bus.Attach(controller);
    std::wstring path;
    EXPECT_EQ(HidFindPath(bus, 0x04D9, 0x8008, 0, path), kHidOk);
    EXPECT_EQ(path.substr(0, 31), L"\\\\?\\hid#vid_04d9&pid_8008&mi_00");
    EXPECT_EQ(HidFindPath(bus, 0x04D9, 0x8008, 128, path), kHidOtherFailure);
    EXPECT_EQ(HidIdPattern(0xABCD, 0x0001), L"vid_abcd&pid_0001");
}

// HID services with paths chosen by the test; every interface opens and has no serial.
class FixedPathServices final : public HidServices {
public:
    explicit FixedPathServices(std::vector<std::wstring> paths) : paths_(std::move(paths)) {}
    bool InterfacePath(uint32_t index, std::wstring& path) override
    {
        if (index >= paths_.size()) return false;
        path = paths_[index];
        return true;
    }
    Handle Open(const std::wstring&, bool, uint32_t& error) override
    {
        error = 0;
        return ++opened_;
    }
    bool Attributes(Handle, uint16_t& vendor, uint16_t& product) override
    {
        vendor = 0x04D9;
        product = 0x8008;
        return true;
    }
    bool SerialNumber(Handle, std::wstring& serial) override
    {
        serial.clear();
        return true;
    }
    bool ReportLengths(Handle, uint16_t&, uint16_t&) override { return false; }
    void SetInputBufferCount(Handle, uint32_t) override {}
    bool FlushInput(Handle, uint32_t&) override { return true; }
    Io ReadReport(Handle, uint8_t*, size_t, uint32_t, size_t&) override { return Io::kFailed; }
    Io WriteReport(Handle, const uint8_t*, size_t, uint32_t) override { return Io::kFailed; }
    void Close(Handle) override {}
    uintptr_t WatchInterfaces(void*) override { return 0; }
    void StopWatching(uintptr_t) override {}

private:
    std::vector<std::wstring> paths_;
    Handle opened_ = 0;
};

TEST(TransportCounting, InterfaceNumberIsReadOnlyWhereThePathHasOne)
{
    // Paths too short to hold an interface part where the system puts it, or ending
    // right after "mi_": nothing is read past their ends.
    FixedPathServices shortPaths({L"vid_04d9&pid_8008", L"\\\\?\\hid#vid_04d9&pid_8008&mi_", L"vid_04d9&pid_8008#2"});
    DeviceSerial slots[1];
    EXPECT_EQ(HidCountDevices(shortPaths, 0x04D9, 0x8008, slots, 1), 3);   // 3 interfaces, number 0

    FixedPathServices numbered({L"\\\\?\\hid#vid_04d9&pid_8008&mi_00#a", L"\\\\?\\hid#vid_04d9&pid_8008&mi_01#b",
                                L"\\\\?\\hid#vid_04d9&pid_8008&mi_00#c", L"\\\\?\\hid#vid_04d9&pid_8008&mi_01#d"});
    EXPECT_EQ(HidCountDevices(numbered, 0x04D9, 0x8008, slots, 1), 2);     // 4 interfaces, 2 per device
}

}  // namespace
