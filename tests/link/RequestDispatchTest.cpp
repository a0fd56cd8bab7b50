#include "LinkStack.h"

#include "link/Handler.h"

#include <thread>

namespace {

using namespace linktest;

// A transport that records what it was asked to do.
class RecordingTransport final : public CommInter {
public:
    int32_t CountPresent() override { return 0; }
    int32_t Open(int32_t) override { return 1; }
    int32_t IsOpen() override { return 1; }
    int32_t Read(uint8_t* buffer, int32_t count) override
    {
        reads.push_back(count);
        if (count > 0) buffer[0] = 0x42;
        return count;
    }
    int32_t Write(const uint8_t* buffer, int32_t count) override
    {
        writes.emplace_back(buffer, buffer + count);
        return 1;
    }
    int32_t Close() override { return 0; }

    std::vector<int32_t> reads;
    std::vector<Bytes> writes;
};

TEST(ExecuteMessage, RunsTheMessageByItsDirection)
{
    RecordingTransport transport;
    uint8_t data[3] = {1, 2, 3};
    Message message;
    message.Set(Message::kWrite, data, 3, &transport, false);
    EXPECT_EQ(ExecuteMessage(&message), 1);
    message.Set(Message::kRead, data, 3, &transport, false);
    EXPECT_EQ(ExecuteMessage(&message), 3);
    EXPECT_EQ(data[0], 0x42);
    message.Set(7, data, 3, &transport, false);
    EXPECT_EQ(ExecuteMessage(&message), 0);
    message.Set(Message::kWrite, data, 3, nullptr, false);
    EXPECT_EQ(ExecuteMessage(&message), 0);
    EXPECT_EQ(ExecuteMessage(nullptr), 0);
    EXPECT_EQ(transport.writes.size(), 1u);
    EXPECT_EQ(transport.reads, std::vector<int32_t>{3});
}

TEST(RequestWindowDispatch, WindowWithoutExecutorRunsAndTracesNothing)
{
    SimTraceSink trace;
    RecordingTransport transport;
    DirectRequestWindow window;
    ControllerLink link;
    link.Attach(&transport, &window);
    window.SetRequestExecutor(nullptr);
    EXPECT_EQ(link.Restart(), 0);
    EXPECT_TRUE(transport.writes.empty());
    EXPECT_TRUE(window.Completed().empty());
    EXPECT_TRUE(trace.Lines().empty());
}

TEST(RequestWindowDispatch, LinkWithoutWindowSendsNothing)
{
    RecordingTransport transport;
    ControllerLink link;
    link.Attach(&transport, nullptr);
    EXPECT_EQ(link.Restart(), 0);
    EXPECT_TRUE(transport.writes.empty());
}

TEST(RequestWindowDispatch, AfterSetWindowRequestsRunAndAreTracedInTheNewWindow)
{
    SimTraceSink trace;
    RecordingTransport transport;
    DirectRequestWindow mainWindow;
    DirectRequestWindow firmwareWindow;
    ControllerLink link;
    link.Attach(&transport, &mainWindow);
    ASSERT_EQ(link.Restart(), 1);
    link.SetWindow(&firmwareWindow);
    ASSERT_EQ(link.Restart(), 1);
    EXPECT_EQ(mainWindow.GetRequestExecutor(), &ExecuteMessage);   // keeps its executor
    EXPECT_EQ(mainWindow.Completed().size(), 1u);
    EXPECT_EQ(firmwareWindow.Completed().size(), 1u);
    ASSERT_EQ(trace.Lines().size(), 2u);
    EXPECT_EQ(trace.Lines()[1], L"DirectRequestWindow(0) : CMD: [FF]   DATA: [ 10 ]   RESULT: [TRUE]\r\n");
    link.SetWindow(&mainWindow);
    ASSERT_EQ(link.Restart(), 1);
    EXPECT_EQ(mainWindow.Completed().size(), 2u);
}

TEST(RequestWindowDispatch, RequestsFromAWorkerRunOnTheWindowThread)
{
    RecordingTransport transport;
    ThreadRequestWindow window;
    ControllerLink link;
    link.Attach(&transport, &window);

    std::thread worker([&] {
        for (int i = 0; i < 10; ++i) EXPECT_EQ(link.SetOnOff(1, true), 1);
        uint8_t byte = 0;
        EXPECT_EQ(link.ReadRaw(&byte, 1), 1);
        EXPECT_EQ(byte, 0x42);
    });
    worker.join();
    // A request from the window thread itself runs at once.
    window.Invoke([&] { EXPECT_EQ(link.Restart(), 1); });

    const std::vector<SimRequestWindow::Done> done = window.Completed();
    ASSERT_EQ(done.size(), 12u);
    for (const SimRequestWindow::Done& each : done) EXPECT_EQ(each.thread, window.WindowThreadId());
    EXPECT_EQ(transport.writes.size(), 11u);
}

TEST(BoHandlerPool, KeepsAtMostTwentyRetiredMessages)
{
    RecordingTransport transport;
    BoHandler handler;
    handler.SetTransport(&transport);
    std::vector<Message*> messages;
    for (int i = 0; i < 25; ++i) messages.push_back(handler.NewMessage());
    uint8_t data[2] = {0xAB, 0xCD};
    for (Message* message : messages) {
        message->Set(Message::kWrite, data, 2, nullptr, true);
        EXPECT_EQ(handler.Process(message), 1);   // the handler's transport executes it
    }
    EXPECT_EQ(handler.PooledCount(), BoHandler::kPoolLimit);
    EXPECT_EQ(transport.writes.size(), 25u);

    Message* reused = handler.NewMessage();   // comes back cleared
    EXPECT_EQ(reused->GetDirection(), Message::kNotSet);
    EXPECT_EQ(reused->Data(), nullptr);
    EXPECT_EQ(handler.PooledCount(), BoHandler::kPoolLimit - 1);
    handler.Process(reused);
}

TEST(BoHandlerPool, NotifiesOnlyAboutMessagesThatOwnTheirData)
{
    RecordingTransport transport;
    BoHandler handler;
    handler.SetTransport(&transport);
    std::vector<std::pair<int32_t, Bytes>> notices;
    handler.SetNotification([&](int32_t result, Message* message) {
        notices.emplace_back(result, Bytes(message->Data(), message->Data() + message->Length()));
    });
    uint8_t data[2] = {0x01, 0x02};
    Message* borrowed = handler.NewMessage();
    borrowed->Set(Message::kWrite, data, 2, nullptr, false);
    handler.Process(borrowed);
    Message* owned = handler.NewMessage();
    owned->Set(Message::kRead, data, 2, nullptr, true);
    handler.Process(owned);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].first, 2);
    EXPECT_EQ(notices[0].second, (Bytes{0x42, 0x02}));
}

}  // namespace
