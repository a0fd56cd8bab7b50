#pragma once

#include "firmware/FirmwareManager.h"
#include "link/DeviceManager.h"
#include "sim/RecordingPauses.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"
#include "sim/SimTraceSink.h"
#include "sim/SimUiQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace firmwaretest {

using Bytes = std::vector<uint8_t>;

// A firmware image of `size` bytes that names `version` when there is room for the tag.
inline Bytes Image(size_t size, const std::string& version)
{
    Bytes image(size);
    for (size_t i = 0; i < size; ++i) image[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    const std::string tag = std::string(SimLightingController::kImageVersionTag) + version + "\n";
    if (size >= tag.size() + 10) std::copy(tag.begin(), tag.end(), image.begin() + 10);
    return image;
}

// A file in a folder of its own under the temporary directory, removed at the end.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& name)
    {
        static std::atomic<int> serial{0};
        folder_ = std::filesystem::temp_directory_path() /
                  ("lumivar-fw-" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" +
                   std::to_string(++serial));
        std::filesystem::create_directories(folder_);
        path_ = folder_ / name;
    }
    ~TemporaryFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void Write(const Bytes& bytes) const
    {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::wstring Path() const { return path_.wstring(); }
    const std::filesystem::path& FsPath() const { return path_; }

private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
};

// One progress report as the progress window saw it.
struct Report {
    int32_t code = -1;
    intptr_t value = 0;
    FirmwareFileTexts texts;   // codes 0 and 1
};

// Records every report on the queue's thread and lets a test act on each one there.
class RecordingProgress final : public ProgressWindow {
public:
    explicit RecordingProgress(SimUiQueue& queue) : queue_(queue) {}

    std::function<void(const Report&)> onReport;

    void SendProgress(int32_t code, intptr_t value) override
    {
        queue_.Send([&] {
            Report report{code, value, {}};
            if ((code == 0 || code == 1) && value != 0) report.texts = *reinterpret_cast<const FirmwareFileTexts*>(value);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                reports_.push_back(report);
            }
            if (onReport) onReport(report);
        });
    }

    std::vector<Report> Reports() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return reports_;
    }
    std::vector<intptr_t> Percentages() const
    {
        std::vector<intptr_t> values;
        for (const Report& report : Reports()) {
            if (report.code == FirmwareManager::kTransferring) values.push_back(report.value);
        }
        return values;
    }
    int Count(int32_t code) const
    {
        int n = 0;
        for (const Report& report : Reports()) n += report.code == code ? 1 : 0;
        return n;
    }

private:
    SimUiQueue& queue_;
    mutable std::mutex mutex_;
    std::vector<Report> reports_;
};

// The whole stack of a firmware update: the task on a worker thread, the link with its
// request window on the test's thread, the transport, the simulated bus and controller.
class FirmwareStack : public ::testing::Test {
protected:
    explicit FirmwareStack(SimControllerState state = SimControllerState::Factory()) : controller(clock, std::move(state))
    {
        bus.Attach(controller);
        manager.Setup(&window, nullptr, table, 1);
        task.Init(&progress, &manager);
    }

    ControllerLink& Link() { return *manager.Controller(); }

    void Connect()
    {
        manager.RefreshNames();
        ASSERT_EQ(manager.Connect(0), 1);
        Link().Info().Reset();
        ASSERT_EQ(Link().ReadDeviceInfo(), 1);
    }

    // What the dialog does before it starts the task: restart into the upgrade code,
    // reconnect after the controller's restart and read its information again.
    void EnterUpgradeMode()
    {
        Connect();
        task.RequestUpgradeMode();
        ASSERT_EQ(manager.IsConnected(), 0);
        clock.Advance(2000);
        ASSERT_EQ(manager.Connect(manager.SelectedIndex()), 1);
        Link().Info().Reset();
        ASSERT_EQ(Link().ReadDeviceInfo(), 1);
        ASSERT_TRUE(Link().Info().InUpgradeMode());
        controller.ForgetReceived();
        pauses.Forget();
    }

    // Runs the task on the file and waits for it here, running its requests.
    void RunUpdate(const std::wstring& path)
    {
        ASSERT_TRUE(task.Start(path));
        task.WaitWithMessages();
    }

    std::vector<SimReceivedFrame> FramesWith(uint8_t command) const
    {
        std::vector<SimReceivedFrame> found;
        for (const SimReceivedFrame& frame : controller.ReceivedFrames()) {
            if (frame.command == command) found.push_back(frame);
        }
        return found;
    }

    std::vector<uint8_t> Commands() const
    {
        std::vector<uint8_t> commands;
        for (const SimReceivedFrame& frame : controller.ReceivedFrames()) commands.push_back(frame.command);
        return commands;
    }

    // Back in normal firmware after the restart: connect and read the version.
    std::string VersionAfterRestart()
    {
        manager.Disconnect();
        clock.Advance(300);
        Connect();
        if (Link().Info().InUpgradeMode()) return "<upgrade code>";
        if (Link().ReadVersion() != 1) return "<no version>";
        return Link().Info().VersionText();
    }

    SimTraceSink trace;
    SimClock clock;
    SimLightingController controller;
    SimHidBus bus{clock};
    SimUiQueue queue;
    UiQueueRequestWindow window{queue};
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager{bus};
    RecordingPauses pauses{&clock};
    SimTaskThreads threads{queue};
    RecordingProgress progress{queue};
    StreamFirmwareFile file;
    FirmwareManager task{threads, pauses, file};
};

}  // namespace firmwaretest
