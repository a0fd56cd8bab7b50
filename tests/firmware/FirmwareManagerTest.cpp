#include "FirmwareStack.h"

#include "firmware/Crc16.h"

#include <algorithm>
#include <numeric>
#include <optional>

namespace {

using namespace firmwaretest;

// --- the transfer, by file length

struct TransferCase {
    const char* name;
    size_t fileLength;
    uint16_t maxPayload;
    size_t fullBlocks;
    size_t remainder;                  // file bytes of the last, shorter block; 0: none
    // Before the final 100; absent: only counted and rising.
    std::optional<std::vector<intptr_t>> percentages;
};

std::ostream& operator<<(std::ostream& out, const TransferCase& c) { return out << c.name; }

std::vector<intptr_t> HundredSteps()
{
    std::vector<intptr_t> steps(100);
    std::iota(steps.begin(), steps.end(), 0);
    return steps;
}

SimControllerState WithMaxPayload(uint16_t maxPayload)
{
    SimControllerState state = SimControllerState::Factory();
    state.maxPayload = maxPayload;
    return state;
}

class TransferTest : public FirmwareStack, public ::testing::WithParamInterface<TransferCase> {
protected:
    TransferTest() : FirmwareStack(WithMaxPayload(GetParam().maxPayload)) {}
};

TEST_P(TransferTest, WritesTheFileInCrcCheckedBlocksAndRestartsIntoTheNewVersion)
{
    const TransferCase& c = GetParam();
    const Bytes image = Image(c.fileLength, "4.5.6");
    TemporaryFile imageFile("kadu fw.bin");
    imageFile.Write(image);
    EnterUpgradeMode();

    RunUpdate(imageFile.Path());

    // Begin, the blocks, end, restart: nothing else, in this order.
    std::vector<uint8_t> expected{0x82};
    expected.insert(expected.end(), c.fullBlocks + (c.remainder != 0 ? 1 : 0), 0x83);
    expected.push_back(0x84);
    expected.push_back(0xFF);
    EXPECT_EQ(Commands(), expected);

    const std::vector<SimReceivedFrame> blocks = FramesWith(0x83);
    const size_t perBlock = c.maxPayload - 2u;
    Bytes sent;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const Bytes& payload = blocks[i].payload;
        ASSERT_GE(payload.size(), 3u);
        EXPECT_EQ(payload.size() - 2, i < c.fullBlocks ? perBlock : c.remainder) << "block " << i;
        const uint16_t crc = Crc16Arc(payload.data(), payload.size() - 2);
        EXPECT_EQ(payload[payload.size() - 2], crc >> 8) << "block " << i;
        EXPECT_EQ(payload[payload.size() - 1], crc & 0xFF) << "block " << i;
        sent.insert(sent.end(), payload.begin(), payload.end() - 2);
    }
    EXPECT_EQ(sent, image);
    EXPECT_EQ(FramesWith(0x82)[0].payload, Bytes{0x10});
    EXPECT_EQ(FramesWith(0x84)[0].payload, Bytes{0x10});
    EXPECT_EQ(FramesWith(0xFF)[0].payload, Bytes{0x10});

    const std::vector<intptr_t> reported = progress.Percentages();
    if (c.percentages) {
        std::vector<intptr_t> percentages = *c.percentages;
        percentages.push_back(100);
        EXPECT_EQ(reported, percentages);
    } else {
        EXPECT_EQ(reported.size(), c.fullBlocks + 1);
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
        EXPECT_EQ(reported.back(), 100);
    }

    const std::vector<Report> reports = progress.Reports();
    ASSERT_GE(reports.size(), 2u);
    EXPECT_EQ(reports.front().code, FirmwareManager::kReady);
    EXPECT_EQ(reports.front().texts.name, L"kadu fw.bin");
    EXPECT_EQ(reports.front().texts.length, std::to_wstring(c.fileLength));
    EXPECT_EQ(reports.back().code, FirmwareManager::kSucceeded);
    EXPECT_EQ(reports.back().value, 0);
    EXPECT_EQ(progress.Count(FirmwareManager::kFailed), 0);
    EXPECT_EQ(task.GetState(), FirmwareManager::kFinished);
    EXPECT_EQ(task.GetTaskState(), AsyncTask::kTaskWaited);
    EXPECT_EQ(pauses.Recorded(), (std::vector<uint32_t>{100, 100, 10}));

    // Every request ran on the thread of the request window, none on the worker.
    for (const SimRequestWindow::Done& done : window.Completed()) EXPECT_EQ(done.thread, queue.Owner());

    EXPECT_FALSE(controller.UpgradeFailed());
    EXPECT_EQ(controller.UpgradeCount(), 1);
    EXPECT_EQ(controller.WrittenImage(), image);
    EXPECT_EQ(VersionAfterRestart(), c.fileLength > 40 ? "4.5.6" : "1.0.3");
}

INSTANTIATE_TEST_SUITE_P(
    FirmwareFiles, TransferTest,
    ::testing::Values(TransferCase{"Hundred_full_blocks", 6200, 64, 100, 0, HundredSteps()},
                      TransferCase{"Empty_file", 0, 64, 0, 0, std::vector<intptr_t>{}},
                      TransferCase{"Exact_multiple", 124, 64, 2, 0, std::vector<intptr_t>{0, 31}},
                      TransferCase{"Shorter_than_a_block", 3, 64, 0, 3, std::vector<intptr_t>{}},
                      TransferCase{"Full_blocks_and_a_remainder", 6201, 64, 100, 1, std::nullopt},
                      // Fewer than 100 bytes: one byte counts as one percent.
                      TransferCase{"Smallest_block", 5, 3, 5, 0, std::vector<intptr_t>{0, 1, 2, 3, 4}}),
    [](const ::testing::TestParamInfo<TransferCase>& info) { return std::string(info.param.name); });

TEST_F(FirmwareStack, ThreeBytesAbcGoAsOneBlockWithTheirCrcHighByteFirst)
{
    TemporaryFile imageFile("abc.bin");
    imageFile.Write(Bytes{'a', 'b', 'c'});
    EnterUpgradeMode();
    RunUpdate(imageFile.Path());
    const std::vector<SimReceivedFrame> blocks = FramesWith(0x83);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0].payload, (Bytes{'a', 'b', 'c', 0x97, 0x38}));
}

TEST_F(FirmwareStack, ReportsTheFileNameWithoutItsFolder)
{
    EXPECT_EQ(FileNameOf(L"C:\\firmware\\v2\\T507.bin"), L"T507.bin");
    EXPECT_EQ(FileNameOf(L"/tmp/a/b.hex"), L"b.hex");
    EXPECT_EQ(FileNameOf(L"plain.bin"), L"plain.bin");
    EXPECT_EQ(FileNameOf(L"C:\\dir\\"), L"");
}

// --- cancel

TEST_F(FirmwareStack, CancelDuringTheTransferStopsAfterTheBlockBeingSentWithoutAnOutcome)
{
    TemporaryFile imageFile("fw.bin");
    imageFile.Write(Image(6200, "9.9.9"));
    EnterUpgradeMode();
    // The user's Cancel arrives on the window thread while the worker is sending.
    progress.onReport = [this](const Report& report) {
        if (report.code == FirmwareManager::kTransferring && report.value == 40) queue.Post([this] { task.Cancel(); });
    };
    ASSERT_TRUE(task.Start(imageFile.Path()));
    task.WaitWithMessages();

    const std::vector<intptr_t> percentages = progress.Percentages();
    ASSERT_FALSE(percentages.empty());
    EXPECT_EQ(percentages.back(), 40);
    EXPECT_EQ(progress.Count(FirmwareManager::kSucceeded), 0);
    EXPECT_EQ(progress.Count(FirmwareManager::kFailed), 0);
    // The worker may have started the next block before it saw the cancel.
    EXPECT_GE(FramesWith(0x83).size(), 41u);
    EXPECT_LE(FramesWith(0x83).size(), 42u);
    EXPECT_TRUE(FramesWith(0x84).empty());
    EXPECT_TRUE(FramesWith(0xFF).empty());
    EXPECT_EQ(task.GetState(), FirmwareManager::kFinished);

    // Left in its upgrade code; the next connection restarts it with the old firmware.
    EXPECT_TRUE(controller.InUpgradeCode());
    manager.Disconnect();
    Connect();
    ASSERT_TRUE(Link().Info().InUpgradeMode());
    ASSERT_EQ(Link().Restart(), 1);
    EXPECT_EQ(VersionAfterRestart(), "1.0.3");
    EXPECT_EQ(controller.UpgradeCount(), 0);
}

TEST_F(FirmwareStack, CancelledBeforeTheWorkerStartsSendsNothingAndReportsNothing)
{
    TemporaryFile imageFile("fw.bin");
    imageFile.Write(Image(100, "1.1.1"));
    EnterUpgradeMode();
    task.Cancel();
    RunUpdate(imageFile.Path());
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    EXPECT_TRUE(progress.Reports().empty());
    EXPECT_EQ(task.GetState(), FirmwareManager::kFinished);
}

// --- failures

TEST_F(FirmwareStack, FileThatCannotBeOpenedFailsWithoutABlock)
{
    TemporaryFile imageFile("missing.bin");
    EnterUpgradeMode();
    RunUpdate(imageFile.Path());
    EXPECT_TRUE(FramesWith(0x83).empty());
    EXPECT_TRUE(FramesWith(0x84).empty());
    EXPECT_TRUE(FramesWith(0xFF).empty());
    ASSERT_FALSE(progress.Reports().empty());
    EXPECT_EQ(progress.Reports().back().code, FirmwareManager::kFailed);
    EXPECT_EQ(progress.Count(FirmwareManager::kSucceeded), 0);
}

TEST_F(FirmwareStack, FileThatShrinksDuringTheTransferFailsWithoutSendingBytesNeverRead)
{
    TemporaryFile imageFile("fw.bin");
    const Bytes image = Image(200000, "7.7.7");
    imageFile.Write(image);
    EnterUpgradeMode();
    progress.onReport = [&imageFile](const Report& report) {
        if (report.code == FirmwareManager::kTransferring && report.value == 50) {
            std::filesystem::resize_file(imageFile.FsPath(), 70000);
        }
    };
    RunUpdate(imageFile.Path());

    // What was read before the file shrank went out; the block that ran short did not.
    const std::vector<SimReceivedFrame> blocks = FramesWith(0x83);
    ASSERT_GT(blocks.size(), 70000u / 62);
    ASSERT_LT(blocks.size(), 200000u / 62);
    Bytes sent;
    for (const SimReceivedFrame& block : blocks) {
        ASSERT_EQ(block.payload.size(), 64u);
        sent.insert(sent.end(), block.payload.begin(), block.payload.end() - 2);
    }
    EXPECT_EQ(sent, Bytes(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(sent.size())));
    EXPECT_TRUE(FramesWith(0x84).empty());
    EXPECT_TRUE(FramesWith(0xFF).empty());
    EXPECT_EQ(progress.Reports().back().code, FirmwareManager::kFailed);
    EXPECT_LT(progress.Percentages().back(), 100);
    EXPECT_EQ(controller.UpgradeCount(), 0);
}

TEST_F(FirmwareStack, BlockThatCannotBeSentFailsWithoutEndOrRestart)
{
    TemporaryFile imageFile("fw.bin");
    imageFile.Write(Image(6200, "3.3.3"));
    EnterUpgradeMode();
    progress.onReport = [this](const Report& report) {
        if (report.code == FirmwareManager::kTransferring && report.value == 5) controller.Remove();
    };
    RunUpdate(imageFile.Path());
    EXPECT_EQ(FramesWith(0x83).size(), 6u);
    EXPECT_TRUE(FramesWith(0x84).empty());
    EXPECT_TRUE(FramesWith(0xFF).empty());
    EXPECT_EQ(progress.Reports().back().code, FirmwareManager::kFailed);
    EXPECT_EQ(progress.Percentages().back(), 5);
}

TEST_F(FirmwareStack, NotConnectedWhenTheWorkerStartsFailsWithoutAnExchange)
{
    TemporaryFile imageFile("fw.bin");
    imageFile.Write(Image(100, "1.1.1"));
    EnterUpgradeMode();
    manager.Disconnect();
    RunUpdate(imageFile.Path());
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    ASSERT_EQ(progress.Reports().size(), 1u);
    EXPECT_EQ(progress.Reports()[0].code, FirmwareManager::kFailed);
}

TEST_F(FirmwareStack, WorkerThatCannotStartRunsNothing)
{
    threads.FailNextStart();
    EXPECT_FALSE(task.Start(L"any.bin"));
    EXPECT_FALSE(task.HasWorker());
    task.WaitWithMessages();
    EXPECT_TRUE(progress.Reports().empty());
}

class TinyBlockTest : public FirmwareStack {
protected:
    TinyBlockTest() : FirmwareStack(WithMaxPayload(2)) {}
};

TEST_F(TinyBlockTest, UpgradeCodeWithoutRoomForDataIsRefusedAndNeverGetsAnEmptyBlock)
{
    TemporaryFile imageFile("fw.bin");
    imageFile.Write(Image(100, "1.1.1"));
    EnterUpgradeMode();
    EXPECT_FALSE(FirmwareManager::CanWriteBlocks(Link().Info()));
    RunUpdate(imageFile.Path());
    EXPECT_TRUE(FramesWith(0x83).empty());
    EXPECT_TRUE(FramesWith(0xFF).empty());
    EXPECT_EQ(progress.Reports().back().code, FirmwareManager::kFailed);
}

TEST_F(FirmwareStack, OnlyAControllerInItsUpgradeCodeWithRoomForDataTakesBlocks)
{
    Connect();
    EXPECT_FALSE(FirmwareManager::CanWriteBlocks(Link().Info()));   // normal firmware
    EXPECT_FALSE(FirmwareManager::CanWriteBlocks(DeviceInfo{}));     // nothing read
    manager.Disconnect();
    EnterUpgradeMode();
    EXPECT_TRUE(FirmwareManager::CanWriteBlocks(Link().Info()));
}

// --- the restart request

TEST_F(FirmwareStack, UpgradeModeRequestRestartsTheControllerAndDropsTheConnection)
{
    Connect();
    controller.ForgetReceived();
    task.RequestUpgradeMode();
    ASSERT_EQ(controller.ReceivedFrames().size(), 1u);
    EXPECT_EQ(controller.ReceivedFrames()[0].command, 0x02);
    EXPECT_EQ(controller.ReceivedFrames()[0].payload, (Bytes{0x00, 0x10}));
    EXPECT_EQ(manager.IsConnected(), 0);
    EXPECT_FALSE(controller.Present());
}

TEST_F(FirmwareStack, UpgradeModeRequestNeedsAConnectionAndAnUncancelledTask)
{
    task.RequestUpgradeMode();   // not connected
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    Connect();
    controller.ForgetReceived();
    task.Cancel();
    task.RequestUpgradeMode();
    EXPECT_TRUE(controller.ReceivedFrames().empty());
    EXPECT_EQ(manager.IsConnected(), 1);
}

// --- the task base

class ProbeTask final : public AsyncTask {
public:
    using AsyncTask::AsyncTask;
    ~ProbeTask() override { EndWorker(); }

    std::thread::id startThread, runThread, finishThread;
    int32_t stateInRun = -1, stateInFinish = -1, finishedWith = -1;

protected:
    void OnStart() override { startThread = std::this_thread::get_id(); }
    int32_t Run() override
    {
        runThread = std::this_thread::get_id();
        stateInRun = GetTaskState();
        SendProgress(7, 8);
        return 42;
    }
    void OnFinish(int32_t result) override
    {
        finishThread = std::this_thread::get_id();
        stateInFinish = GetTaskState();
        finishedWith = result;
    }
};

TEST(AsyncTask, RunsOnAnAboveNormalWorkerAndEndsInTheWaitedState)
{
    SimUiQueue queue;
    SimTaskThreads threads(queue);
    RecordingProgress progress(queue);
    ProbeTask task(threads);
    task.SendProgress(1, 2);   // no progress window yet: nothing
    task.SetProgressWindow(&progress);
    ASSERT_TRUE(task.Start());
    EXPECT_FALSE(task.Start());   // one worker at a time
    task.WaitWithMessages();

    EXPECT_EQ(threads.Started(), 1);
    EXPECT_EQ(task.startThread, std::this_thread::get_id());
    EXPECT_NE(task.runThread, std::this_thread::get_id());
    EXPECT_EQ(task.finishThread, task.runThread);
    EXPECT_EQ(task.stateInRun, AsyncTask::kTaskRunning);
    EXPECT_EQ(task.stateInFinish, AsyncTask::kTaskFinishing);
    EXPECT_EQ(task.finishedWith, 42);
    EXPECT_EQ(task.GetTaskState(), AsyncTask::kTaskWaited);
    ASSERT_EQ(progress.Reports().size(), 1u);
    EXPECT_EQ(progress.Reports()[0].code, 7);
    EXPECT_EQ(progress.Reports()[0].value, 8);
}

}  // namespace
