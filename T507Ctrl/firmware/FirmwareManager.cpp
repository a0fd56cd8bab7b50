#include "firmware/FirmwareManager.h"

#include "base/Pauses.h"
#include "firmware/Crc16.h"
#include "link/DeviceInfo.h"
#include "link/DeviceManager.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kAfterBeginMs = 100;
constexpr uint32_t kBeforeBlocksMs = 100;
constexpr uint32_t kAfterRestartMs = 10;
constexpr int32_t kFullProgress = 100;
constexpr size_t kReadAheadBytes = 64 * 1024;

}  // namespace

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

FirmwareManager::FirmwareManager(TaskThreads& threads, Pauses& pauses, FirmwareFile& file)
    : AsyncTask(threads), pauses_(pauses), file_(file)
{
}

FirmwareManager::~FirmwareManager() { EndWorker(); }

bool FirmwareManager::CanWriteBlocks(const DeviceInfo& info)
{
    return info.IsValid() && info.InUpgradeMode() && info.MaxPayload() > kCrcBytes;
}

void FirmwareManager::Init(ProgressWindow* progressWindow, DeviceManager* deviceManager)
{
    SetProgressWindow(progressWindow);
    deviceManager_ = deviceManager;
    link_ = deviceManager != nullptr ? deviceManager->Controller() : nullptr;
    state_.store(kReady);
    path_.clear();
}

void FirmwareManager::RequestUpgradeMode()
{
    if (state_.load() == kCancelled || deviceManager_ == nullptr || link_ == nullptr) return;
    if (deviceManager_->IsConnected() == 0) return;
    const uint8_t payload[] = {0x00, kUpgradeKey};
    link_->Send(kCommandUpgradeMode, payload, sizeof payload);
    deviceManager_->Disconnect();
}

bool FirmwareManager::Start(const std::wstring& path)
{
    path_ = path;
    return AsyncTask::Start();
}

void FirmwareManager::Cancel()
{
    state_.store(kCancelled);
    WaitWithMessages();
}

void FirmwareManager::MoveStateUnlessCancelled(int32_t to)
{
    int32_t seen = state_.load();
    while (seen != kCancelled && !state_.compare_exchange_weak(seen, to)) {
    }
}

bool FirmwareManager::OpenFile(uint64_t& length)
{
    if (!file_.Open(path_)) return false;
    readAhead_.resize(kReadAheadBytes);
    readAheadAt_ = 0;
    readAheadEnd_ = 0;
    return file_.Length(length);
}

bool FirmwareManager::ReadFile(uint8_t* destination, size_t count)
{
    while (count != 0) {
        if (readAheadAt_ == readAheadEnd_) {
            readAheadAt_ = 0;
            readAheadEnd_ = file_.Read(readAhead_.data(), readAhead_.size());
            if (readAheadEnd_ == 0) return false;
        }
        const size_t n = std::min(count, readAheadEnd_ - readAheadAt_);
        std::memcpy(destination, readAhead_.data() + readAheadAt_, n);
        readAheadAt_ += n;
        destination += n;
        count -= n;
    }
    return true;
}

int32_t FirmwareManager::Run()
{
    if (state_.load() == kCancelled || deviceManager_ == nullptr || link_ == nullptr) return 0;
    if (deviceManager_->IsConnected() == 0) return 0;
    const uint8_t key = kUpgradeKey;
    if (link_->Send(kCommandBeginDownload, &key, 1) == 0) return 0;
    pauses_.Sleep(kAfterBeginMs);
    uint8_t acknowledgement = 0;
    link_->ReadRaw(&acknowledgement, 1);
    int32_t ok = 1;

    pauses_.Sleep(kBeforeBlocksMs);
    const size_t blockSize = link_->Info().MaxPayload();
    // A block without room for data would never move the download on.
    if (blockSize <= kCrcBytes) return 0;
    const size_t dataPerBlock = blockSize - kCrcBytes;

    uint64_t length = 0;
    const bool opened = OpenFile(length);
    if (opened) {
        buffer_.assign(blockSize, 0);
        const uint64_t fullBlocks = length / dataPerBlock;
        const uint64_t rest = length % dataPerBlock;
        const uint64_t onePercent = (length + 99) / 100;

        MoveStateUnlessCancelled(kReady);
        texts_.name = FileNameOf(path_);
        texts_.length = std::to_wstring(length);
        SendProgress(state_.load(), reinterpret_cast<intptr_t>(&texts_));

        if (state_.load() != kCancelled) {
            MoveStateUnlessCancelled(kTransferring);
            for (uint64_t i = 0; ok != 0 && i < fullBlocks; ++i) {
                if (state_.load() == kCancelled) break;
                ok = SendBlock(dataPerBlock);
                const int32_t state = state_.load();
                // A cancelled task reports nothing more.
                if (ok != 0 && state != kCancelled) {
                    const uint64_t percent = (i * dataPerBlock + onePercent - 1) / onePercent;
                    SendProgress(state, static_cast<intptr_t>(percent));
                }
            }
            if (state_.load() != kCancelled && ok != 0) {
                if (rest != 0) ok = SendBlock(static_cast<size_t>(rest));
                if (ok != 0) {
                    SendProgress(state_.load(), kFullProgress);
                    ok = link_->Send(kCommandEndDownload, &key, 1);
                }
            }
        }
    } else {
        ok = 0;   // a file that cannot be read cannot be written
    }

    buffer_.clear();
    readAhead_.clear();
    file_.Close();
    return ok;
}

int32_t FirmwareManager::SendBlock(size_t count)
{
    if (count + kCrcBytes > buffer_.size()) return 0;
    // Bytes that were never read are never sent.
    if (!ReadFile(buffer_.data(), count)) return 0;
    const uint16_t crc = Crc16Arc(buffer_.data(), count);
    buffer_[count] = static_cast<uint8_t>(crc >> 8);
    buffer_[count + 1] = static_cast<uint8_t>(crc & 0xFF);
    return link_->Send(kCommandBlock, buffer_.data(), static_cast<uint16_t>(count + kCrcBytes));
}

void FirmwareManager::OnFinish(int32_t result)
{
    if (state_.load() != kCancelled) {
        int32_t ok = 0;
        if (result != 0) {
            const uint8_t key = kUpgradeKey;
            ok = link_->Send(kCommandRestart, &key, 1);
            pauses_.Sleep(kAfterRestartMs);
        }
        const int32_t outcome = ok != 0 ? kSucceeded : kFailed;
        state_.store(outcome);
        SendProgress(outcome, 0);
    }
    state_.store(kFinished);
}
