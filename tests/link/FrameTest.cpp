#include "link/Frame.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Built(uint8_t command, const Bytes& payload, uint16_t access)
{
    Frame frame;
    const uint8_t* wire = frame.Build(command, payload.empty() ? nullptr : payload.data(),
                                      static_cast<uint16_t>(payload.size()), access);
    return Bytes(wire, wire + frame.Length());
}

Bytes Payload(const Frame& frame)
{
    return Bytes(frame.Bytes(), frame.Bytes() + frame.Length());
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST(FrameBuild, ProducesTheWireBytesOfTheExamples)
{
    EXPECT_EQ(Built(0x00, {}, Frame::kAccessGet),
              (Bytes{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x00, 0xFF, 0x55}));
    EXPECT_EQ(Built(0xFF, {0x10}, Frame::kAccessSet),
              (Bytes{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x00, 0xFF, 0x00, 0x01, 0x10, 0xFF, 0x55}));
    EXPECT_EQ(Built(0x08, {0x00, 0x3F, 0x00, 0xBB, 0x80, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00}, Frame::kAccessSet),
              (Bytes{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x00, 0x08, 0x00, 0x0B, 0x00, 0x3F, 0x00, 0xBB, 0x80, 0x00,
                     0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x55}));
}

TEST(FrameBuild, RecordsAccessCommandAndTotalLength)
{
    Frame frame;
    const uint8_t payload[300] = {};
    frame.Build(0x83, payload, 300, Frame::kAccessSet);
    EXPECT_EQ(frame.Length(), 311);
    EXPECT_EQ(frame.Command(), 0x83);
    EXPECT_EQ(frame.Access(), Frame::kAccessSet);
    EXPECT_EQ(frame.Bytes()[7], 0x01);
    EXPECT_EQ(frame.Bytes()[8], 0x2C);
}

TEST(FrameBuild, RebuildingReplacesTheOldFrame)
{
    Frame frame;
    const uint8_t big[100] = {};
    frame.Build(0x83, big, sizeof big, Frame::kAccessSet);
    const uint8_t one = 0x10;
    frame.Build(0xFF, &one, 1, Frame::kAccessSet);  // the sanitizer build reports a leak if the old buffer stayed
    EXPECT_EQ(frame.Length(), 12);
    EXPECT_EQ(frame.Bytes()[9], 0x10);
}

TEST(FrameBuild, RefusesAPayloadTheLengthFieldCannotCarry)
{
    Frame frame;
    std::vector<uint8_t> huge(0xFFFF, 0);
    EXPECT_EQ(frame.Build(0x83, huge.data(), 0xFFFF, Frame::kAccessSet), nullptr);
    EXPECT_EQ(frame.Length(), 0);
    EXPECT_EQ(frame.Bytes(), nullptr);
}

TEST(FrameParse, ReadsBackABuiltFrame)
{
    const Bytes wire = Built(0x06, {0x01, 0xFF, 0x55, 0x02}, Frame::kAccessGet);
    Frame frame;
    ASSERT_EQ(frame.Parse(wire.data(), wire.size()), 1);
    EXPECT_EQ(frame.Marker(), 0x0002);
    EXPECT_EQ(frame.Access(), 0x0001);
    EXPECT_EQ(frame.Command(), 0x06);
    EXPECT_EQ(Payload(frame), (Bytes{0x01, 0xFF, 0x55, 0x02}));  // FF 55 inside the payload does not end it
}

TEST(FrameParse, EmptyPayloadParsesWithLengthZero)
{
    const Bytes wire = Built(0x00, {}, Frame::kAccessGet);
    Frame frame;
    ASSERT_EQ(frame.Parse(wire.data(), wire.size()), 1);
    EXPECT_EQ(frame.Length(), 0);
}

TEST(FrameParse, KeepsMarkerAndAccessOfAReplyAsTheyCome)
{
    const Bytes wire{0xFF, 0xAA, 0x12, 0x34, 0xAB, 0xCD, 0x7E, 0x00, 0x01, 0x42, 0xFF, 0x55};
    Frame frame;
    ASSERT_EQ(frame.Parse(wire.data(), wire.size()), 1);
    EXPECT_EQ(frame.Marker(), 0x1234);
    EXPECT_EQ(frame.Access(), 0xABCD);
    EXPECT_EQ(frame.Command(), 0x7E);
    EXPECT_EQ(Payload(frame), Bytes{0x42});
}

struct ParseCase {
    const char* name;
    Bytes buffer;
    int found;
    Bytes payload;
};

class FrameParseCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(FrameParseCases, FindsOnlyCompleteFrames)
{
    const ParseCase& c = GetParam();
    Frame frame;
    EXPECT_EQ(frame.Parse(c.buffer.data(), c.buffer.size()), c.found);
    if (c.found == 1) EXPECT_EQ(Payload(frame), c.payload);
    else EXPECT_EQ(frame.Length(), 0);
}

const Bytes kGood = Built(0x01, {0x31, 0x2E, 0x30}, Frame::kAccessGet);

INSTANTIATE_TEST_SUITE_P(
    Buffers, FrameParseCases,
    ::testing::Values(
        ParseCase{"LeadingGarbageSkipped", Concat({{0x00, 0x13, 0xAA, 0x55}, kGood}), 1, {0x31, 0x2E, 0x30}},
        ParseCase{"TrailingBytesIgnored", Concat({kGood, {0xFF, 0xAA, 0x99}}), 1, {0x31, 0x2E, 0x30}},
        ParseCase{"ExtraFFBeforeStartNotRecognised", Concat({{0xFF}, kGood}), 0, {}},
        ParseCase{"EndsInsidePayload", Bytes(kGood.begin(), kGood.begin() + 10), 0, {}},
        ParseCase{"EndsBeforeFF55", Bytes(kGood.begin(), kGood.end() - 1), 0, {}},
        ParseCase{"WrongEndByte1", Concat({Bytes(kGood.begin(), kGood.end() - 2), {0xFE, 0x55}}), 0, {}},
        ParseCase{"WrongEndByte2", Concat({Bytes(kGood.begin(), kGood.end() - 1), {0x56}}), 0, {}},
        ParseCase{"BadFrameThenGoodFrame",
                  Concat({{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x01, 0x05, 0x00, 0x01, 0x77, 0x00}, kGood}), 1,
                  {0x31, 0x2E, 0x30}},
        ParseCase{"NothingAtAll", {}, 0, {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(FrameParse, BadFrameFollowedByGoodFrameHasCleanSixteenBitFields)
{
    // The bad frame fails at its end byte; the good one must not inherit any field.
    const Bytes buffer = Concat({{0xFF, 0xAA, 0x7F, 0x7F, 0x7F, 0x7F, 0x05, 0x00, 0x00, 0x33}, kGood});
    Frame frame;
    ASSERT_EQ(frame.Parse(buffer.data(), buffer.size()), 1);
    EXPECT_EQ(frame.Marker(), 0x0002);
    EXPECT_EQ(frame.Access(), 0x0001);
    EXPECT_EQ(frame.Command(), 0x01);
    EXPECT_EQ(Payload(frame), (Bytes{0x31, 0x2E, 0x30}));
}

TEST(FrameParse, DeclaredLengthOver523StopsStoringAndThenNeedsTheEndBytes)
{
    Bytes wire{0xFF, 0xAA, 0x00, 0x02, 0x00, 0x01, 0x03, 0x02, 0x58};  // declares 600 bytes
    for (int i = 0; i < 523; ++i) wire.push_back(static_cast<uint8_t>(i));
    Bytes accepted = Concat({wire, {0xFF, 0x55}});
    Frame frame;
    ASSERT_EQ(frame.Parse(accepted.data(), accepted.size()), 1);
    EXPECT_EQ(frame.Length(), 523);
    EXPECT_EQ(frame.Bytes()[522], static_cast<uint8_t>(522));

    Bytes refused = Concat({wire, {0x00, 0xFF, 0x55}});  // the 524th payload byte is not an end byte
    EXPECT_EQ(frame.Parse(refused.data(), refused.size()), 0);
}

TEST(FrameParse, ParsingIntoAUsedRecordReplacesIt)
{
    Frame frame;
    const uint8_t payload[40] = {};
    frame.Build(0x83, payload, sizeof payload, Frame::kAccessSet);
    const Bytes reply = Built(0x06, {0x01}, Frame::kAccessGet);
    ASSERT_EQ(frame.Parse(reply.data(), reply.size()), 1);
    EXPECT_EQ(frame.Length(), 1);
    EXPECT_EQ(frame.Bytes()[0], 0x01);
}

}  // namespace
