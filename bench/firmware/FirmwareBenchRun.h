#pragma once

// The firmware benchmark's stack: the simulated controller behind a model of a
// full-speed USB interrupt endpoint, and one update written through the whole stack.

#include "firmware/FirmwareManager.h"
#include "link/DeviceManager.h"
#include "sim/RecordingPauses.h"
#include "sim/SimHidBus.h"
#include "sim/SimLightingController.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace firmwarebench {

using Clock = std::chrono::steady_clock;

using Clock = std::chrono::steady_clock;

// The HID services of a bus behind a full-speed interrupt endpoint: each report
// occupies its direction of the endpoint for one millisecond. Nothing waits: the model
// keeps its own time, which moves on by the program's own time between two calls (as
// measured) and by one millisecond per report, a report starting when it is issued or,
// when the direction is still busy, when the previous report there is through.
class FullSpeedEndpoint final : public HidServices {
public:
    explicit FullSpeedEndpoint(HidServices& bus) : bus_(bus), lastReal_(Clock::now()) {}

    uint64_t OutReports() const { return outReports_; }
    uint64_t InReports() const { return inReports_; }
    // The model's time now, in milliseconds.
    double ModelNowMs()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        AddProgramTime();
        return modelMs_;
    }

    bool InterfacePath(uint32_t memberIndex, std::wstring& path) override { return bus_.InterfacePath(memberIndex, path); }
    Handle Open(const std::wstring& path, bool exclusive, uint32_t& error) override
    {
        return bus_.Open(path, exclusive, error);
    }
    bool Attributes(Handle handle, uint16_t& vendor, uint16_t& product) override
    {
        return bus_.Attributes(handle, vendor, product);
    }
    bool SerialNumber(Handle handle, std::wstring& serial) override { return bus_.SerialNumber(handle, serial); }
    bool ReportLengths(Handle handle, uint16_t& inputLength, uint16_t& outputLength) override
    {
        return bus_.ReportLengths(handle, inputLength, outputLength);
    }
    void SetInputBufferCount(Handle handle, uint32_t count) override { bus_.SetInputBufferCount(handle, count); }
    bool FlushInput(Handle handle, uint32_t& error) override { return bus_.FlushInput(handle, error); }
    Io ReadReport(Handle handle, uint8_t* report, size_t length, uint32_t timeoutMs, size_t& received) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        AddProgramTime();
        const Io io = bus_.ReadReport(handle, report, length, timeoutMs, received);
        if (io == Io::kDone) {
            Occupy(inFreeMs_);
            ++inReports_;
        }
        lastReal_ = Clock::now();   // the simulated hardware's own time is not the program's
        return io;
    }
    Io WriteReport(Handle handle, const uint8_t* report, size_t length, uint32_t timeoutMs) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        AddProgramTime();
        const Io io = bus_.WriteReport(handle, report, length, timeoutMs);
        Occupy(outFreeMs_);
        ++outReports_;
        lastReal_ = Clock::now();
        return io;
    }
    void Close(Handle handle) override { bus_.Close(handle); }
    uintptr_t WatchInterfaces(void* window) override { return bus_.WatchInterfaces(window); }
    void StopWatching(uintptr_t registration) override { bus_.StopWatching(registration); }

private:
    void AddProgramTime()
    {
        const Clock::time_point now = Clock::now();
        modelMs_ += std::chrono::duration<double, std::milli>(now - lastReal_).count();
        lastReal_ = now;
    }
    void Occupy(double& freeMs)
    {
        const double start = std::max(modelMs_, freeMs);
        freeMs = start + 1.0;
        modelMs_ = freeMs;
    }

    HidServices& bus_;
    std::mutex mutex_;
    Clock::time_point lastReal_;
    double modelMs_ = 0;
    double outFreeMs_ = 0;
    double inFreeMs_ = 0;
    uint64_t outReports_ = 0;
    uint64_t inReports_ = 0;
};

struct Run {
    double seconds = 0;        // real time
    double modelSeconds = 0;   // time in the endpoint model
    size_t blocks = 0;
    bool succeeded = false;
    uint64_t outReports = 0;
    uint64_t inReports = 0;
};

// One update of the image at file through the whole stack, with the given request
// window, worker threads and progress window.
inline Run WriteImage(const std::filesystem::path& file, size_t imageBytes, bool paced, RequestWindow& window,
                      TaskThreads& threads, ProgressWindow& progress, FirmwareFile& reader)
{
    SimClock clock;
    SimLightingController controller(clock);
    SimHidBus bus(clock);
    bus.Attach(controller);
    FullSpeedEndpoint endpoint(bus);
    HidServices& services = paced ? static_cast<HidServices&>(endpoint) : static_cast<HidServices&>(bus);
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager(services);
    manager.Setup(&window, nullptr, table, 1);
    RecordingPauses pauses(&clock);
    FirmwareManager task(threads, pauses, reader);
    task.Init(&progress, &manager);

    Run run;
    manager.RefreshNames();
    if (manager.Connect(0) != 1) return run;
    task.RequestUpgradeMode();
    clock.Advance(2000);
    if (manager.Connect(manager.SelectedIndex()) != 1) return run;
    ControllerLink& link = *manager.Controller();
    link.Info().Reset();
    if (link.ReadDeviceInfo() != 1 || !FirmwareManager::CanWriteBlocks(link.Info())) return run;
    controller.ForgetReceived();
    const uint64_t outBefore = endpoint.OutReports();
    const uint64_t inBefore = endpoint.InReports();

    const double modelStart = endpoint.ModelNowMs();
    const auto start = Clock::now();
    if (!task.Start(file.wstring())) return run;
    task.WaitWithMessages();
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.modelSeconds = (endpoint.ModelNowMs() - modelStart) / 1000.0;

    for (const SimReceivedFrame& frame : controller.ReceivedFrames()) run.blocks += frame.command == 0x83 ? 1 : 0;
    run.succeeded = task.GetState() == FirmwareManager::kFinished && controller.WrittenImage().size() == imageBytes &&
                    !controller.UpgradeFailed();
    run.outReports = endpoint.OutReports() - outBefore;
    run.inReports = endpoint.InReports() - inBefore;
    return run;
}


// Writes the image file, runs the update over the endpoint model and over a bus that
// answers at once, and prints the figures. Non-zero when an update failed.
inline int RunBenchmark(int argc, char** argv, RequestWindow& window, TaskThreads& threads, ProgressWindow& progress,
                        FirmwareFile& reader)
{
    const size_t kib = argc > 1 ? static_cast<size_t>(std::strtoul(argv[1], nullptr, 10)) : 256;
    const size_t imageBytes = std::max<size_t>(kib, 1) * 1024;
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "lumivar-firmware-bench.bin";
    {
        std::vector<char> image(imageBytes);
        for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>((i * 131 + 7) & 0xFF);
        std::ofstream(file, std::ios::binary).write(image.data(), static_cast<std::streamsize>(image.size()));
    }
    std::printf("firmware image: %zu bytes\n", imageBytes);
    const Run paced = WriteImage(file, imageBytes, true, window, threads, progress, reader);
    const double wireSeconds = static_cast<double>(paced.outReports + paced.inReports) / 1000.0;
    std::printf("full-speed endpoint model: %s, %zu blocks, %llu reports out, %llu in\n",
                paced.succeeded ? "written" : "FAILED", paced.blocks,
                static_cast<unsigned long long>(paced.outReports), static_cast<unsigned long long>(paced.inReports));
    std::printf("  achieved %.3f s, wire time %.3f s, ratio %.3f (program's own time %.1f %% of the wire time)\n",
                paced.modelSeconds, wireSeconds, paced.modelSeconds / wireSeconds,
                100.0 * (paced.modelSeconds - wireSeconds) / wireSeconds);

    const Run immediate = WriteImage(file, imageBytes, false, window, threads, progress, reader);
    std::printf("controller answering at once: %s, %zu blocks in %.3f s, %.1f us per block\n",
                immediate.succeeded ? "written" : "FAILED", immediate.blocks, immediate.seconds,
                immediate.blocks != 0 ? 1e6 * immediate.seconds / static_cast<double>(immediate.blocks) : 0.0);
    std::printf("(fixed pauses of the task, not included above: 210 ms)\n");

    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    return paced.succeeded && immediate.succeeded ? 0 : 1;
}

}  // namespace firmwarebench
