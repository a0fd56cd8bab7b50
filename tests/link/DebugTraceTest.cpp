#include "LinkStack.h"

#include "link/DebugTrace.h"

namespace {

using namespace linktest;

TEST(DebugTrace, PrefixesFileAndLineToTheFormattedText)
{
    SimTraceSink trace;
    DebugTrace(L"dpi:%d\r\n", L"T507CtrlDlg.cpp", 412, 144);
    DebugTrace(L"ReadMaxRGBSettings,location:%u,r:%u,g:%u,B:%u\r\n", L"T507CtrlDlg.cpp", 7, 1u, 0u, 255u, 0u);
    DebugTrace(L"name:%ls\r\n", L"100%(odd).cpp", 1, L"wide");
    DebugTrace(L"H:%f\r\n", L"x.cpp", 2, 0.5);
    EXPECT_EQ(trace.Lines(), (std::vector<std::wstring>{
                                 L"T507CtrlDlg.cpp(412) : dpi:144\r\n",
                                 L"T507CtrlDlg.cpp(7) : ReadMaxRGBSettings,location:1,r:0,g:255,B:0\r\n",
                                 L"100%(odd).cpp(1) : name:wide\r\n",
                                 L"x.cpp(2) : H:0.500000\r\n",
                             }));
}

TEST(DebugTrace, MacroNamesThisSourceFile)
{
    SimTraceSink trace;
    DEBUG_TRACE(L"Failed to lock to 2D mode\r\n");
    ASSERT_EQ(trace.Lines().size(), 1u);
    const std::wstring line = trace.Lines()[0];
    EXPECT_NE(line.find(L"DebugTraceTest.cpp("), std::wstring::npos);
    const std::wstring ending = L") : Failed to lock to 2D mode\r\n";
    ASSERT_GT(line.size(), ending.size());
    EXPECT_EQ(line.substr(line.size() - ending.size()), ending);
}

TEST(DebugTrace, LongLinesAreWrittenWhole)
{
    SimTraceSink trace;
    const std::wstring text(5000, L'x');
    DebugTrace(L"%ls", L"f", 1, text.c_str());
    ASSERT_EQ(trace.Lines().size(), 1u);
    EXPECT_EQ(trace.Lines()[0], L"f(1) : " + text);
}

TEST(DebugTrace, WithoutSinkNothingIsWritten)
{
    TraceSink* previous = InstallTraceSink(nullptr);
    DebugTrace(L"nothing\r\n", L"f", 1);   // must simply not crash
    InstallTraceSink(previous);
}

Bytes WireBytes(uint8_t command, const Bytes& payload, uint16_t access)
{
    Frame frame;
    const uint8_t* wire = frame.Build(command, payload.data(), static_cast<uint16_t>(payload.size()), access);
    return Bytes(wire, wire + frame.Length());
}

std::wstring LineFor(int32_t result, int32_t direction, Bytes bytes)
{
    Message message;
    message.Set(direction, bytes.data(), static_cast<int32_t>(bytes.size()), nullptr, false);
    return RequestTraceLine(result, message);
}

TEST(RequestTraceLine, ExactTextInUpperCase)
{
    EXPECT_EQ(LineFor(1, Message::kWrite, WireBytes(0xFF, {0x10}, Frame::kAccessSet)),
              L"CMD: [FF]   DATA: [ 10 ]   RESULT: [TRUE]\r\n");
    EXPECT_EQ(LineFor(0, Message::kWrite, WireBytes(0x04, {0x80, 0x00, 0x00, 0xFF, 0x00, 0x00}, Frame::kAccessSet)),
              L"CMD: [04]   DATA: [ 80 00 00 FF 00 00 ]   RESULT: [FALSE]\r\n");
    EXPECT_EQ(LineFor(1, Message::kWrite, WireBytes(0x00, {}, Frame::kAccessGet)),
              L"CMD: [00]   DATA: [ ]   RESULT: [TRUE]\r\n");
    EXPECT_EQ(LineFor(29, Message::kRead, WireBytes(0xab, {0xcd}, Frame::kAccessGet)),
              L"CMD: [AB]   DATA: [ CD ]   RESULT: [TRUE]\r\n");
}

TEST(RequestTraceLine, NothingForCommand09OrWithoutAFrame)
{
    EXPECT_EQ(LineFor(1, Message::kWrite, WireBytes(0x09, {0x01}, Frame::kAccessSet)), L"");
    Bytes truncated = WireBytes(0x06, {0x01}, Frame::kAccessGet);
    truncated.pop_back();
    EXPECT_EQ(LineFor(11, Message::kRead, truncated), L"");
    EXPECT_EQ(LineFor(0, Message::kRead, Bytes(12, 0)), L"");
    Message empty;
    EXPECT_EQ(RequestTraceLine(0, empty), L"");
}

// Through the whole stack: a get is traced twice, request and reply; a read that timed
// out is not traced; a failed write is traced with FALSE.
TEST_F(LinkStack, RequestsAreTracedAsTheyRun)
{
    ConnectAndReadInfo();
    ASSERT_EQ(Link().ReadModeState(), 1);
    controller.InjectReplyFault(SimReplyFault::kNoReply, 5, 0x06);
    ASSERT_EQ(Link().ReadModeState(), 0);
    controller.Remove();
    ASSERT_EQ(Link().SetOnOff(1, true), 0);

    std::vector<std::wstring> lines = trace.Lines();
    for (std::wstring& line : lines) line = line.substr(line.find(L" : ") + 3);
    std::vector<std::wstring> expected{
        L"CMD: [06]   DATA: [ 00 ]   RESULT: [TRUE]\r\n",
        L"CMD: [06]   DATA: [ 01 ]   RESULT: [TRUE]\r\n",
    };
    for (int i = 0; i < 5; ++i) expected.push_back(L"CMD: [06]   DATA: [ 00 ]   RESULT: [TRUE]\r\n");
    expected.push_back(L"CMD: [03]   DATA: [ 81 00 01 ]   RESULT: [FALSE]\r\n");
    EXPECT_EQ(lines, expected);
}

}  // namespace
