#include "LinkStack.h"

#include "firmware/Crc16.h"

#include <string>

namespace {

using namespace linktest;

class CommandTest : public LinkStack {};

TEST_F(CommandTest, ReadsTheDeviceInformationFromTheController)
{
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);

    const std::vector<SimReceivedFrame> frames = Frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].command, 0x00);
    EXPECT_EQ(frames[0].access, Frame::kAccessGet);
    EXPECT_TRUE(frames[0].payload.empty());

    const DeviceInfo& info = Link().Info();
    EXPECT_TRUE(info.IsValid());
    EXPECT_FALSE(info.InUpgradeMode());
    EXPECT_FALSE(info.HasSecondBank());
    EXPECT_EQ(info.MaskLength(), 2);
    EXPECT_EQ(info.MaxPayload(), 64);
    EXPECT_EQ(info.EntrySize(), 5);
    EXPECT_EQ(info.EntryCount(), 11);
    EXPECT_EQ(info.ConfigRecordSize(), 13);
    EXPECT_EQ(info.LocationCount(), 2);
    EXPECT_EQ(info.VersionLength(), 8);
    EXPECT_TRUE(info.TablesSupported());
    ASSERT_NE(info.Configuration(1), nullptr);
    EXPECT_EQ(info.Configuration(2), nullptr);
    EXPECT_EQ(info.Configuration(1)->elementMask.size(), 2u);
}

TEST_F(CommandTest, ReadsVersionModeStateAndTablesIntoTheRecords)
{
    SimControllerState state = SimControllerState::Factory();
    state.locations[0][1].record = {0x03, 0x00, 0x12, 0xC0, 0x00, 0x14, 0x80, 0x11, 0x22, 0x33, 0x7F};
    state.locations[0][1].mask = {0xFF, 0x03};
    controller.SetState(state);
    ConnectAndReadInfo();

    ASSERT_EQ(Link().ReadVersion(), 1);
    EXPECT_EQ(Link().Info().VersionText(), "1.0.3");
    ASSERT_EQ(Link().ReadModeState(), 1);
    EXPECT_EQ(Link().Info().ModeState(), 1);
    ASSERT_EQ(Link().ReadTables(), 1);

    const HandleConfig& record = *Link().Info().Configuration(1);
    EXPECT_EQ(record.mode, 3);
    EXPECT_EQ(record.timing1, 0x12C0);
    EXPECT_EQ(record.timing2, 0x0014);
    EXPECT_TRUE(record.On());
    EXPECT_EQ(record.red, 0x11);
    EXPECT_EQ(record.green, 0x22);
    EXPECT_EQ(record.blue, 0x33);
    EXPECT_EQ(record.brightness, 0x7F);
    EXPECT_EQ(record.elementMask, (Bytes{0xFF, 0x03}));
    // Elements 0 to 9 belong to location 1, element 10 to none.
    EXPECT_EQ(Link().Info().Entry(0)[4], 1);
    EXPECT_EQ(Link().Info().Entry(10)[4], 0xFF);

    std::vector<uint8_t> commands;
    for (const SimReceivedFrame& frame : Frames()) commands.push_back(frame.command);
    EXPECT_EQ(commands, (std::vector<uint8_t>{0x01, 0x06, 0x02, 0x03}));
    // Every destination started zeroed, so every block request carried 00.
    for (const SimReceivedFrame& frame : Frames()) EXPECT_EQ(frame.payload, Bytes{0x00});
}

TEST_F(CommandTest, ReadsBothBanksWhenTheControllerHasTwo)
{
    SimControllerState state = SimControllerState::Factory();
    state.flags = SimControllerState::kSecondBankFlag;
    state.Normalise();
    state.locations[1][0].record[7] = 0x44;
    controller.SetState(state);
    ConnectAndReadInfo();

    ASSERT_EQ(Link().ReadTables(), 1);
    ASSERT_NE(Link().Info().Configuration(0, 1), nullptr);
    EXPECT_EQ(Link().Info().Configuration(0, 1)->red, 0x44);
    std::vector<uint8_t> commands;
    for (const SimReceivedFrame& frame : Frames()) commands.push_back(frame.command);
    EXPECT_EQ(commands, (std::vector<uint8_t>{0x02, 0x04, 0x03, 0x05}));
}

TEST_F(CommandTest, BlockReadSendsTheRequestOncePerPiece)
{
    SimControllerState state = SimControllerState::Factory();
    state.maxPayload = 256;
    state.versionLength = 600;
    state.version = std::string(600, 'v');
    controller.SetState(state);
    ConnectAndReadInfo();

    ASSERT_EQ(Link().ReadVersion(), 1);
    const std::vector<SimReceivedFrame> frames = Frames();
    ASSERT_EQ(frames.size(), 3u);
    for (const SimReceivedFrame& frame : frames) {
        EXPECT_EQ(frame.command, 0x01);
        EXPECT_EQ(frame.payload.size(), 1u);
    }
    EXPECT_EQ(Link().Info().VersionBytes(), Bytes(600, 'v'));
    // The reads asked for each piece plus the frame around it.
    std::vector<size_t> readLengths;
    for (const SimRequestWindow::Done& done : window.Completed()) {
        if (done.direction == Message::kRead) readLengths.push_back(done.bytes.size());
    }
    EXPECT_EQ(readLengths, (std::vector<size_t>{267, 267, 99}));
}

TEST_F(CommandTest, GetIsRetriedUpToFiveWholeAttempts)
{
    ConnectAndReadInfo();
    controller.InjectReplyFault(SimReplyFault::kNoReply, 4, 0x06);
    EXPECT_EQ(Link().ReadModeState(), 1);
    EXPECT_EQ(Frames().size(), 5u);

    controller.ForgetReceived();
    controller.InjectReplyFault(SimReplyFault::kGarbage, 5, 0x06);
    EXPECT_EQ(Link().ReadModeState(), 0);
    EXPECT_EQ(Link().Info().ModeState(), -1);
    EXPECT_EQ(Frames().size(), 5u);
}

TEST_F(CommandTest, FailedPieceRestartsTheWholeBlock)
{
    SimControllerState state = SimControllerState::Factory();
    state.versionLength = 150;
    state.version = std::string(64, 'a') + std::string(64, 'b') + std::string(22, 'c');
    controller.SetState(state);
    ConnectAndReadInfo();

    // The second piece of the first attempt is lost; the controller starts the block
    // over once the link has waited out its read time-out.
    controller.InjectReplyFault(SimReplyFault::kNoReply, 1, 0x01, 0, 1);
    ASSERT_EQ(Link().ReadVersion(), 1);
    EXPECT_EQ(Frames().size(), 5u);
    EXPECT_EQ(Link().Info().VersionText(), state.version);
}

TEST_F(CommandTest, DeviceInformationIsRetriedAndKeptUntilReset)
{
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    controller.InjectReplyFault(SimReplyFault::kTruncated, 2, 0x00);
    controller.InjectReplyFault(SimReplyFault::kLate, 1, 0x00, 1500);
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    EXPECT_EQ(Frames().size(), 4u);

    // A second read without a reset exchanges frames but keeps the first information.
    SimControllerState state = SimControllerState::Factory();
    state.maxPayload = 32;
    controller.SetState(state);
    controller.ForgetReceived();
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    EXPECT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Link().Info().MaxPayload(), 64);
    Link().Info().Reset();
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    EXPECT_EQ(Link().Info().MaxPayload(), 32);
}

TEST_F(CommandTest, DeviceInformationFailsAfterFiveAttemptsAndWithoutTransport)
{
    EXPECT_EQ(Link().ReadDeviceInfo(), 0);   // not connected: nothing sent
    EXPECT_TRUE(Frames().empty());

    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    controller.InjectReplyFault(SimReplyFault::kNoReply, 5, 0x00);
    EXPECT_EQ(Link().ReadDeviceInfo(), 0);
    EXPECT_EQ(Frames().size(), 5u);
    EXPECT_FALSE(Link().Info().IsValid());
    EXPECT_EQ(clock.NowMs(), 5000u);   // five read time-outs
}

TEST_F(CommandTest, GetsOnInvalidDeviceInformationExchangeNothing)
{
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    EXPECT_EQ(Link().ReadVersion(), 0);
    EXPECT_EQ(Link().ReadModeState(), 0);
    EXPECT_EQ(Link().ReadTables(), 0);
    EXPECT_TRUE(Frames().empty());
}

TEST_F(CommandTest, ReplyToAnotherCommandIsStillTakenWhenWellFormed)
{
    ConnectAndReadInfo();
    controller.InjectReplyFault(SimReplyFault::kOtherCommand, 1, 0x06);
    EXPECT_EQ(Link().ReadModeState(), 1);
    EXPECT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Link().Info().ModeState(), 1);
}

TEST_F(CommandTest, TransferCopiesTheReplyAndNothingBeyondIt)
{
    ConnectAndReadInfo();
    const uint8_t zero = 0;
    Frame modeState;
    modeState.Build(0x06, &zero, 1, Frame::kAccessGet);
    Bytes destination(8, 0xEE);
    EXPECT_EQ(Link().Transfer(modeState, destination.data(), 4), 1);
    EXPECT_EQ(destination, (Bytes{0x01, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));

    // An 18-byte reply cannot arrive in a read sized for 4: no frame, nothing copied.
    Frame info;
    info.Build(0x00, nullptr, 0, Frame::kAccessGet);
    Bytes untouched(8, 0xEE);
    EXPECT_EQ(Link().Transfer(info, untouched.data(), 4), 0);
    EXPECT_EQ(untouched, Bytes(8, 0xEE));
}

TEST_F(CommandTest, ReadRawSucceedsEvenWhenNothingArrives)
{
    ConnectAndReadInfo();
    const uint64_t before = clock.NowMs();
    uint8_t byte = 0;
    EXPECT_EQ(Link().ReadRaw(&byte, 1), 1);
    EXPECT_EQ(clock.NowMs() - before, 1000u);
}

// --- set commands, checked on the frames the controller received

TEST_F(CommandTest, SetCommandsSendTheExampleFramesAndUpdateBothSides)
{
    ConnectAndReadInfo();
    const uint8_t defaultMask[] = {0x00, 0x04};
    ASSERT_EQ(Link().SetOnOff(1, false), 1);
    ASSERT_EQ(Link().SetOnOff(1, true), 1);
    ASSERT_EQ(Link().SetColor(0, 0, 0, 255, true), 1);
    ASSERT_EQ(Link().SetElementMask(0, defaultMask, 2, true, true), 1);
    ASSERT_EQ(Link().SetEffect(0, 0x3F, 0, 48000, 0, 0, 255, false, false), 1);

    const std::vector<SimReceivedFrame> frames = Frames();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[1].command, 0x03);
    EXPECT_EQ(frames[1].payload, (Bytes{0x81, 0x00, 0x01}));
    EXPECT_EQ(frames[2].command, 0x04);
    EXPECT_EQ(frames[2].payload, (Bytes{0x80, 0x00, 0x00, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(frames[3].command, 0x06);
    EXPECT_EQ(frames[3].payload, (Bytes{0x42, 0x00, 0x00, 0x04}));
    for (const SimReceivedFrame& frame : frames) EXPECT_EQ(frame.access, Frame::kAccessSet);

    // The effect went out as exactly this frame, in one report.
    const std::vector<SimReceivedReport> reports = controller.ReceivedReports();
    const Bytes effect{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x00, 0x08, 0x00, 0x0B, 0x00, 0x3F,
                       0x00, 0xBB, 0x80, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x55};
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(Bytes(reports[4].bytes.begin() + 3, reports[4].bytes.begin() + 25), effect);

    const HandleConfig& zero = *Link().Info().Configuration(0);
    EXPECT_EQ(zero.blue, 255);
    EXPECT_EQ(zero.elementMask, (Bytes{0x00, 0x04}));
    EXPECT_EQ(zero.timing1, 48000);
    EXPECT_EQ(zero.brightness, 255);
    EXPECT_TRUE(Link().Info().Configuration(1)->On());

    EXPECT_EQ(controller.Location(0).Blue(), 255);
    EXPECT_EQ(controller.Location(0).mask, (Bytes{0x00, 0x04}));
    EXPECT_EQ(controller.Location(0).Timing1(), 48000);
    EXPECT_TRUE(controller.Location(1).On());
}

TEST_F(CommandTest, EffectSendsOnlyTheSelectedFields)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().SetEffect(1, 0x08, 9, 1, 2, 3, 0x40, true, true), 1);
    ASSERT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Frames()[0].payload, (Bytes{0x01, 0x08, 0x40}));
    const HandleConfig& record = *Link().Info().Configuration(1);
    EXPECT_EQ(record.brightness, 0x40);
    EXPECT_EQ(record.mode, 0);
    EXPECT_EQ(record.flags & 0x60, 0);

    ASSERT_EQ(Link().SetEffect(1, 0x31, 2, 0, 0, 0, 0, true, true), 1);
    EXPECT_EQ(Frames()[1].payload, (Bytes{0x01, 0x31, 0x02, 0x01, 0x01}));
    EXPECT_EQ(record.mode, 2);
    EXPECT_EQ(record.flags & 0x60, 0x60);
}

TEST_F(CommandTest, ColourWithoutUpdateLeavesTheStoredColour)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().SetColor(0, 10, 20, 30, false), 1);
    EXPECT_EQ(Frames().size(), 1u);
    EXPECT_EQ(Link().Info().Configuration(0)->red, 0);
    EXPECT_EQ(controller.Location(0).Red(), 10);
}

TEST_F(CommandTest, MaskBitBeyondTheMaskIsSentButChangesNothingHere)
{
    ConnectAndReadInfo();
    const uint8_t bit16[] = {0x00, 0x10};
    ASSERT_EQ(Link().SetElementMask(0, bit16, 2, true, false), 1);
    EXPECT_EQ(Frames()[0].payload, (Bytes{0x02, 0x00, 0x00, 0x10}));
    EXPECT_EQ(Link().Info().Configuration(0)->elementMask, (Bytes{0x00, 0x00}));

    const uint8_t bit9[] = {0x00, 0x09};
    ASSERT_EQ(Link().SetElementMask(0, bit9, 2, true, false), 1);
    EXPECT_EQ(Link().Info().Configuration(0)->elementMask, (Bytes{0x00, 0x02}));
    ASSERT_EQ(Link().SetElementMask(0, bit9, 2, false, false), 1);
    EXPECT_EQ(Link().Info().Configuration(0)->elementMask, (Bytes{0x00, 0x00}));
}

TEST_F(CommandTest, LocationBeyondTheRecordsIsSentButUpdatesNothing)
{
    ConnectAndReadInfo();
    const std::vector<HandleConfig> before = Link().Info().Configurations(0);
    ASSERT_EQ(Link().SetOnOff(0x0100, false), 1);
    ASSERT_EQ(Link().SetColor(5, 1, 2, 3, true), 1);
    EXPECT_EQ(Frames()[0].payload, (Bytes{0x80, 0x01, 0x00}));
    EXPECT_EQ(Link().Info().Configurations(0), before);
}

TEST_F(CommandTest, FailedSetLeavesTheRecordsAndReportsFailure)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().ReadTables(), 1);
    controller.Remove();
    EXPECT_EQ(Link().SetOnOff(0, false), 0);
    EXPECT_EQ(Link().SetColor(0, 1, 2, 3, true), 0);
    EXPECT_EQ(Link().SetModeLock(1, 0), 0);
    EXPECT_TRUE(Link().Info().Configuration(0)->On());
    EXPECT_EQ(Link().Info().Configuration(0)->red, 0);
    EXPECT_EQ(Link().Info().ModeState(), -1);
}

TEST_F(CommandTest, ModeLockAndRestart)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().SetModeLock(1, 0), 1);
    EXPECT_EQ(Link().Info().ModeState(), 0);
    EXPECT_EQ(controller.State().modeLock, 1);

    ASSERT_EQ(Link().Restart(), 1);
    EXPECT_EQ(Frames().back().command, 0xFF);
    EXPECT_EQ(Frames().back().payload, Bytes{0x10});
    EXPECT_FALSE(controller.Present());
}

// --- what a controller may report, and what the link must not trust

class ReportedInfoTest : public LinkStack {
protected:
    explicit ReportedInfoTest(SimControllerState state) : LinkStack(std::move(state)) {}
};

SimControllerState Reporting(uint16_t entrySize, uint16_t configRecordSize, uint16_t maxPayload = 64)
{
    SimControllerState state = SimControllerState::Factory();
    state.entrySize = entrySize;
    state.configRecordSize = configRecordSize;
    state.maxPayload = maxPayload;
    return state;
}

class LargeEntryTest : public ReportedInfoTest {
protected:
    LargeEntryTest() : ReportedInfoTest(Reporting(6, 13)) {}
};

TEST_F(LargeEntryTest, TablesAreRefusedRatherThanOverrun)
{
    ConnectAndReadInfo();
    EXPECT_TRUE(Link().Info().IsValid());
    EXPECT_FALSE(Link().Info().TablesSupported());
    EXPECT_EQ(Link().ReadTables(), 0);
    EXPECT_TRUE(Frames().empty());
    EXPECT_EQ(Link().ReadVersion(), 1);   // the rest of the link still works
}

class ShortRecordTest : public ReportedInfoTest {
protected:
    ShortRecordTest() : ReportedInfoTest(Reporting(5, 12)) {}
};

TEST_F(ShortRecordTest, TablesAreRefusedRatherThanOverrun)
{
    ConnectAndReadInfo();
    EXPECT_FALSE(Link().Info().TablesSupported());
    EXPECT_EQ(Link().ReadTables(), 0);
    EXPECT_TRUE(Frames().empty());
}

class ZeroPayloadTest : public ReportedInfoTest {
protected:
    ZeroPayloadTest() : ReportedInfoTest(Reporting(5, 13, 0)) {}
};

TEST_F(ZeroPayloadTest, BlockReadFailsInsteadOfLoopingForever)
{
    ConnectAndReadInfo();
    EXPECT_EQ(Link().ReadVersion(), 0);
    EXPECT_EQ(Link().ReadTables(), 0);
    EXPECT_TRUE(Frames().empty());
}

TEST_F(CommandTest, UpgradeModeInformationTakesNoTableSizes)
{
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    ASSERT_EQ(Link().Send(0x02, Bytes{0x00, 0x10}.data(), 2), 1);
    manager.Disconnect();
    clock.Advance(2000);
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    Link().Info().Reset();
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);

    const DeviceInfo& info = Link().Info();
    EXPECT_TRUE(info.InUpgradeMode());
    EXPECT_EQ(info.Flags(), 0x8000);
    EXPECT_EQ(info.MaskLength(), 0);
    EXPECT_EQ(info.EntrySize(), 0);
    EXPECT_EQ(info.EntryCount(), 0);
    EXPECT_EQ(info.ConfigRecordSize(), 0);
    EXPECT_EQ(info.LocationCount(), 0);
    EXPECT_EQ(info.MaxPayload(), 64);
    EXPECT_TRUE(info.Entries(0).empty());
    EXPECT_EQ(info.Configuration(0), nullptr);
    EXPECT_EQ(info.VersionBytes().size(), 8u);   // the version buffer is still there
}

TEST_F(CommandTest, FirmwareImageGoesThroughInCrcCheckedBlocks)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().Send(0x02, Bytes{0x00, 0x10}.data(), 2), 1);
    manager.Disconnect();
    clock.Advance(2000);
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    Link().Info().Reset();
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    ASSERT_TRUE(Link().Info().InUpgradeMode());

    const std::string text = std::string(150, '#') + SimLightingController::kImageVersionTag + "1.1.0\n";
    const Bytes image(text.begin(), text.end());
    const size_t perBlock = Link().Info().MaxPayload() - 2u;
    ASSERT_EQ(Link().Send(0x82, Bytes{0x10}.data(), 1), 1);
    uint8_t ack = 0;
    EXPECT_EQ(Link().ReadRaw(&ack, 1), 1);
    for (size_t at = 0; at < image.size(); at += perBlock) {
        Bytes block(image.begin() + static_cast<std::ptrdiff_t>(at),
                    image.begin() + static_cast<std::ptrdiff_t>(std::min(at + perBlock, image.size())));
        const uint16_t crc = Crc16Arc(block.data(), block.size());
        block.push_back(static_cast<uint8_t>(crc >> 8));
        block.push_back(static_cast<uint8_t>(crc & 0xFF));
        ASSERT_EQ(Link().Send(0x83, block.data(), static_cast<uint16_t>(block.size())), 1);
    }
    ASSERT_EQ(Link().Send(0x84, Bytes{0x10}.data(), 1), 1);
    ASSERT_EQ(Link().Restart(), 1);
    EXPECT_FALSE(controller.UpgradeFailed());
    EXPECT_EQ(controller.WrittenImage(), image);

    manager.Disconnect();
    clock.Advance(300);
    manager.RefreshNames();
    ASSERT_EQ(manager.Connect(0), 1);
    Link().Info().Reset();
    ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    ASSERT_EQ(Link().ReadVersion(), 1);
    EXPECT_EQ(Link().Info().VersionText(), "1.1.0");
}

// --- DeviceInfo alone

TEST(DeviceInfoParse, ShortRecordIsRefused)
{
    DeviceInfo info;
    const uint8_t bytes[17] = {0x00, 0x00, 0x00, 0x02, 0x00, 0x40};
    info.ParseInfo(bytes, sizeof bytes);
    EXPECT_FALSE(info.IsValid());
    info.ParseInfo(nullptr, 18);
    EXPECT_FALSE(info.IsValid());
}

TEST(DeviceInfoParse, AbsurdSizesAllocateNothing)
{
    DeviceInfo info;
    const uint8_t bytes[18] = {0x00, 0x02, 0xFF, 0xFF, 0x00, 0x40, 0x00, 0x00, 0x00, 0x05,
                               0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x08};
    info.ParseInfo(bytes, sizeof bytes);
    EXPECT_TRUE(info.IsValid());
    EXPECT_FALSE(info.TablesSupported());
    EXPECT_TRUE(info.Entries(0).empty());
    EXPECT_EQ(info.Configuration(0), nullptr);
}

TEST(DeviceInfoParse, ModeTablesAndVersionText)
{
    DeviceInfo info;
    ASSERT_EQ(info.Modes().size(), 13u);
    ASSERT_EQ(info.Modes2().size(), 4u);
    EXPECT_EQ(info.Modes()[12].code, 12);
    EXPECT_EQ(info.Modes2()[3].name, info.Modes()[3].name);

    const uint8_t bytes[18] = {0, 0, 0, 2, 0, 64, 0, 0, 0, 5, 0, 1, 0, 13, 0, 1, 0, 4};
    info.ParseInfo(bytes, sizeof bytes);
    const char full[] = "9.87";   // no NUL within the length
    std::copy(full, full + 4, info.Version());
    EXPECT_EQ(info.VersionText(), "9.87");
    info.Version()[2] = 0;
    EXPECT_EQ(info.VersionText(), "9.");
}

}  // namespace
