#include "SimControllerHarness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace simtest;

class SimControllerTest : public ::testing::Test {
protected:
    SimClock clock;
    SimLightingController controller{clock};
};

TEST_F(SimControllerTest, ReassemblesAFrameSentInSeveralReportsAndStampsItsArrival)
{
    clock.Advance(1234);
    const Bytes request = FrameBytes(0x00, {}, Frame::kAccessGet);
    SendBytes(controller, request, 4);   // 4 + 4 + 3 bytes

    ASSERT_EQ(controller.ReceivedReports().size(), 3u);
    const std::vector<SimReceivedFrame> frames = controller.ReceivedFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].timeMs, 1234u);
    EXPECT_EQ(frames[0].command, 0x00);
    EXPECT_EQ(frames[0].access, Frame::kAccessGet);

    Bytes info;
    ASSERT_TRUE(TakeReply(controller, info));
    EXPECT_EQ(info, (Bytes{0x00, 0x00, 0x00, 0x02, 0x00, 0x40, 0x00, 0x00, 0x00, 0x05,
                           0x00, 0x0B, 0x00, 0x0D, 0x00, 0x02, 0x00, 0x08}));
}

TEST_F(SimControllerTest, ReassemblesAFrameLongerThanOneReport)
{
    SimControllerState state = SimControllerState::Factory();
    state.maskLength = 70;
    state.Normalise();
    controller.SetState(state);
    Bytes payload{0x42, 0x01};
    payload.resize(72, 0xFF);   // a whole mask of 70 bytes: 83 frame bytes in two reports
    Set(controller, 0x06, payload);

    ASSERT_EQ(controller.ReceivedReports().size(), 2u);
    EXPECT_EQ(controller.Location(1).mask, Bytes(70, 0xFF));
}

TEST_F(SimControllerTest, IgnoresReportsWithAnotherIdAndNoise)
{
    Bytes foreign(64, 0);
    foreign[0] = 0x01;
    controller.ReceiveOutputReport(foreign.data(), foreign.size());
    SendBytes(controller, Bytes{0x12, 0x34, 0x56});
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    EXPECT_FALSE(controller.PeekInputReport().has_value());

    Get(controller, 0x06);   // still understands the next real frame
    Bytes mode;
    ASSERT_TRUE(TakeReply(controller, mode));
    EXPECT_EQ(mode, Bytes{0x01});
}

TEST_F(SimControllerTest, AnswersEachRepetitionOfABlockReadWithTheNextPiece)
{
    SimControllerState state = SimControllerState::Factory();
    state.versionLength = 150;
    state.version = std::string(150, 'v');
    controller.SetState(state);

    std::vector<size_t> pieces;
    for (int i = 0; i < 4; ++i) {
        Get(controller, 0x01, {0x00});
        Bytes piece;
        ASSERT_TRUE(TakeReply(controller, piece));
        pieces.push_back(piece.size());
    }
    EXPECT_EQ(pieces, (std::vector<size_t>{64, 64, 22, 64}));   // the fourth request starts over

    // A block read abandoned for longer than the controller waits starts over too.
    clock.Advance(1000);
    Get(controller, 0x01, {0x00});
    Bytes piece;
    ASSERT_TRUE(TakeReply(controller, piece));
    EXPECT_EQ(piece.size(), 64u);
}

TEST_F(SimControllerTest, ReadsTablesOfBothBanksWithTheReportedSizes)
{
    SimControllerState state = SimControllerState::Factory();
    state.flags = SimControllerState::kSecondBankFlag;
    state.Normalise();
    state.locations[1][0].record[7] = 0x77;
    controller.SetState(state);

    Bytes entries;
    Get(controller, 0x02, {0x00});
    ASSERT_TRUE(TakeReply(controller, entries));
    ASSERT_EQ(entries.size(), 55u);
    EXPECT_EQ((Bytes{entries.begin() + 50, entries.end()}), (Bytes{0x00, 0x0A, 0x01, 0x00, 0xFF}));

    Bytes records;
    Get(controller, 0x05, {0x00});
    ASSERT_TRUE(TakeReply(controller, records));
    ASSERT_EQ(records.size(), 26u);
    EXPECT_EQ(records[7], 0x77);
}

TEST_F(SimControllerTest, AcceptsSetRequestsWithoutAReply)
{
    Set(controller, 0x03, {0x81, 0x00, 0x01});
    EXPECT_FALSE(controller.PeekInputReport().has_value());
}

struct SetCase {
    const char* name;
    uint8_t command;
    Bytes payload;
    size_t location;
    Bytes expectedRecord;   // the eleven record bytes afterwards
    Bytes expectedMask;
};

// Factory record: static, timing 48000, on, blue, full brightness.
const Bytes kFactory{0x00, 0x00, 0xBB, 0x80, 0x00, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF};

Bytes With(Bytes record, size_t at, uint8_t value)
{
    record[at] = value;
    return record;
}

class SimControllerSetTest : public SimControllerTest, public ::testing::WithParamInterface<SetCase> {};

TEST_P(SimControllerSetTest, AppliesThePayloadToItsRecord)
{
    const SetCase& c = GetParam();
    Set(controller, c.command, c.payload);
    const SimLocationRecord location = controller.Location(c.location);
    EXPECT_EQ(Bytes(location.record.begin(), location.record.end()), c.expectedRecord);
    EXPECT_EQ(location.mask, c.expectedMask);
    const SimLocationRecord other = controller.Location(1 - c.location);
    EXPECT_EQ(Bytes(other.record.begin(), other.record.end()), kFactory);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SimControllerSetTest,
    ::testing::Values(
        SetCase{"OffLocation1", 0x03, {0x80, 0x00, 0x01}, 1, With(kFactory, 6, 0x00), {0, 0}},
        SetCase{"ColourLocation0", 0x04, {0x80, 0x12, 0x34, 0x56, 0x00, 0x00}, 0,
                {0x00, 0x00, 0xBB, 0x80, 0x00, 0x00, 0x80, 0x12, 0x34, 0x56, 0xFF}, {0, 0}},
        SetCase{"WholeMask", 0x06, {0x42, 0x00, 0x00, 0x04}, 0, kFactory, {0x00, 0x04}},
        SetCase{"OneMaskBit", 0x06, {0x02, 0x01, 0x00, 0x09}, 1, kFactory, {0x00, 0x02}},
        SetCase{"MaskBitBeyondTheMask", 0x06, {0x02, 0x01, 0x00, 0x10}, 1, kFactory, {0, 0}},
        SetCase{"FullEffect", 0x08, {0x01, 0x3F, 0x04, 0x12, 0x34, 0x56, 0x78, 0x09, 0x7F, 0x01, 0x01}, 1,
                {0x04, 0x09, 0x12, 0x34, 0x56, 0x78, 0xE0, 0x00, 0x00, 0xFF, 0x7F}, {0, 0}},
        SetCase{"BrightnessOnly", 0x08, {0x00, 0x08, 0x1F}, 0, With(kFactory, 10, 0x1F), {0, 0}},
        SetCase{"ShortEffectChangesNothing", 0x08, {0x00, 0x03, 0x01, 0x12}, 0, kFactory, {0, 0}},
        SetCase{"ShortColourChangesNothing", 0x04, {0x80, 0x12, 0x34}, 0, kFactory, {0, 0}},
        SetCase{"LocationBeyondTheRecords", 0x03, {0x80, 0x01, 0x00}, 0, kFactory, {0, 0}}),
    [](const ::testing::TestParamInfo<SetCase>& info) { return std::string(info.param.name); });

TEST_F(SimControllerTest, EntriesNameTheLocationOwningEachElement)
{
    EXPECT_EQ(controller.State().entries[0][4], 0xFF);   // factory-fresh: nothing assigned
    Set(controller, 0x06, {0x42, 0x00, 0x00, 0x04});
    Set(controller, 0x06, {0x42, 0x01, 0xFF, 0x03});
    const SimControllerState state = controller.State();
    for (size_t element = 0; element < 11; ++element) {
        EXPECT_EQ(state.entries[0][element * 5 + 4], element == 10 ? 0 : 1) << element;
    }
    Set(controller, 0x06, {0x40, 0x01, 0x01, 0x00});   // clear element 0 from location 1
    EXPECT_EQ(controller.State().entries[0][4], 0xFF);
}

TEST_F(SimControllerTest, ModeLockSetsTheReportedModeState)
{
    Set(controller, 0x0B, {0x01, 0x00});
    Get(controller, 0x06, {0x00});
    Bytes mode;
    ASSERT_TRUE(TakeReply(controller, mode));
    EXPECT_EQ(mode, Bytes{0x00});
    EXPECT_EQ(controller.State().modeLock, 1);
}

TEST_F(SimControllerTest, RemovedControllerHearsNothingUntilItReturns)
{
    const uint64_t epoch = controller.Epoch();
    controller.Remove();
    EXPECT_FALSE(controller.Present());
    EXPECT_NE(controller.Epoch(), epoch);
    Get(controller, 0x00);
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    controller.Return();
    EXPECT_TRUE(controller.Present());
    Get(controller, 0x00);
    Bytes info;
    EXPECT_TRUE(TakeReply(controller, info));
}

// --- faults

struct FaultCase {
    const char* name;
    SimReplyFault fault;
    bool parses;
    uint8_t replyCommand;
};

class SimControllerFaultTest : public SimControllerTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SimControllerFaultTest, SpoilsTheNextReplyOnly)
{
    const FaultCase& c = GetParam();
    controller.InjectReplyFault(c.fault, 1, 0x00);
    Get(controller, 0x00);
    Bytes payload;
    uint8_t command = 0;
    EXPECT_EQ(TakeReply(controller, payload, &command), c.parses);
    if (c.parses) {
        EXPECT_EQ(command, c.replyCommand);
    }

    Get(controller, 0x00);
    ASSERT_TRUE(TakeReply(controller, payload, &command));
    EXPECT_EQ(command, 0x00);
    EXPECT_EQ(payload.size(), 18u);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SimControllerFaultTest,
    ::testing::Values(FaultCase{"NoReply", SimReplyFault::kNoReply, false, 0},
                      FaultCase{"Garbage", SimReplyFault::kGarbage, false, 0},
                      FaultCase{"Truncated", SimReplyFault::kTruncated, false, 0},
                      FaultCase{"OtherCommand", SimReplyFault::kOtherCommand, true, 0x01}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(SimControllerTest, LateReplyArrivesAfterItsDelay)
{
    controller.InjectReplyFault(SimReplyFault::kLate, 1, SimLightingController::kAnyCommand, 1500);
    Get(controller, 0x00);
    Bytes payload;
    EXPECT_FALSE(TakeReply(controller, payload));
    controller.DropArrivedInput();   // a flush now does not catch it: it is still on its way
    clock.Advance(1500);
    EXPECT_TRUE(TakeReply(controller, payload));
}

TEST_F(SimControllerTest, FaultForOneCommandLeavesOthersAlone)
{
    controller.InjectReplyFault(SimReplyFault::kNoReply, 2, 0x01);
    Bytes payload;
    Get(controller, 0x00);
    EXPECT_TRUE(TakeReply(controller, payload));
    for (int i = 0; i < 2; ++i) {
        Get(controller, 0x01, {0x00});
        EXPECT_FALSE(TakeReply(controller, payload));
    }
    Get(controller, 0x01, {0x00});
    EXPECT_TRUE(TakeReply(controller, payload));
}

// --- snapshot

TEST_F(SimControllerTest, SnapshotKeepsTheLightingAcrossControllers)
{
    Set(controller, 0x04, {0x80, 0x01, 0x02, 0x03, 0x00, 0x01});
    Set(controller, 0x06, {0x42, 0x00, 0x00, 0x04});
    Set(controller, 0x0B, {0x01, 0x00});
    const Bytes snapshot = controller.SaveSnapshot();

    SimLightingController restored(clock);
    ASSERT_TRUE(restored.LoadSnapshot(snapshot));
    EXPECT_EQ(restored.State(), controller.State());
}

TEST_F(SimControllerTest, MalformedSnapshotIsRefusedAndChangesNothing)
{
    Set(controller, 0x04, {0x80, 0x01, 0x02, 0x03, 0x00, 0x01});
    const SimControllerState before = controller.State();
    const Bytes good = controller.SaveSnapshot();

    Bytes truncated(good.begin(), good.end() - 1);
    Bytes trailing = good;
    trailing.push_back(0);
    Bytes wrongMagic = good;
    wrongMagic[0] = 'X';
    Bytes hugeCounts = good;
    hugeCounts[5 + 2] = 0xFF;    // maskLength
    hugeCounts[5 + 14] = 0xFF;   // locationCount
    for (const Bytes& bad : {Bytes{}, truncated, trailing, wrongMagic, hugeCounts}) {
        EXPECT_FALSE(controller.LoadSnapshot(bad));
        EXPECT_EQ(controller.State(), before);
    }
}

}  // namespace
