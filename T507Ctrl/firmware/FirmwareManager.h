#pragma once

#include "firmware/AsyncTask.h"
#include "firmware/FirmwareFile.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class ControllerLink;
class DeviceInfo;
class DeviceManager;
class Pauses;

// What a firmware update reports when its download starts (lParam of codes 0 and 1):
// the file's name without its folder and its length in decimal.
struct FirmwareFileTexts {
    std::wstring name;
    std::wstring length;
};

// Writes a firmware file into the lighting controller's upgrade code on a worker
// thread: begin download, blocks of file bytes each followed by their CRC-16/ARC (high
// byte first), end download, restart. Every request goes through the link's request
// window; progress, name, size and outcome go to the progress window.
class FirmwareManager : public AsyncTask {
public:
    // The shared state, also the code of each progress report.
    enum State : int32_t {
        kCancelled = 0,
        kReady = 1,
        kTransferring = 2,
        kSucceeded = 3,
        kFailed = 4,
        kFinished = 5,
    };

    static constexpr uint8_t kCommandUpgradeMode = 0x02;
    static constexpr uint8_t kCommandBeginDownload = 0x82;
    static constexpr uint8_t kCommandBlock = 0x83;
    static constexpr uint8_t kCommandEndDownload = 0x84;
    static constexpr uint8_t kCommandRestart = 0xFF;
    static constexpr uint8_t kUpgradeKey = 0x10;
    static constexpr size_t kCrcBytes = 2;

    // file is where the firmware is read from (kept by the caller).
    FirmwareManager(TaskThreads& threads, Pauses& pauses, FirmwareFile& file);
    ~FirmwareManager() override;

    // The controller is in its upgrade code and has room for at least one file byte
    // beside the CRC in a block: only then can the download be written.
    static bool CanWriteBlocks(const DeviceInfo& info);

    void Init(ProgressWindow* progressWindow, DeviceManager* deviceManager);
    // Tells a connected controller to restart into its upgrade code and drops the
    // connection; nothing once cancelled.
    void RequestUpgradeMode();
    // Starts the worker on the file at path; false when no worker could start.
    bool Start(const std::wstring& path);
    // Cancelled from now on; waits for the worker while handling messages.
    void Cancel();

    int32_t GetState() const { return state_.load(); }
    const std::wstring& Path() const { return path_; }

protected:
    int32_t Run() override;
    void OnFinish(int32_t result) override;

private:
    // Reads count bytes of the file and sends them as one block with their CRC; 0 when
    // the file gave fewer bytes or the block could not be sent.
    int32_t SendBlock(size_t count);
    bool OpenFile(uint64_t& length);
    // Reads exactly count bytes through the read-ahead; false when the file ran short.
    bool ReadFile(uint8_t* destination, size_t count);
    // The state becomes `to` unless the task was cancelled meanwhile.
    void MoveStateUnlessCancelled(int32_t to);

    Pauses& pauses_;
    DeviceManager* deviceManager_ = nullptr;
    ControllerLink* link_ = nullptr;
    std::wstring path_;
    FirmwareFile& file_;
    // Read ahead in large pieces: a read per block costs more than the block's
    // transfer on some systems.
    std::vector<uint8_t> readAhead_;
    size_t readAheadAt_ = 0;
    size_t readAheadEnd_ = 0;
    std::vector<uint8_t> buffer_;
    FirmwareFileTexts texts_;
    std::atomic<int32_t> state_{kReady};
};

// The file name part of a path (after the last backslash or slash).
std::wstring FileNameOf(const std::wstring& path);
