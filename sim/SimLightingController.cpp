#include "sim/SimLightingController.h"

#include "firmware/Crc16.h"
#include "link/Frame.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kReportHeader = 2;          // report ID, length byte
constexpr size_t kOutputReportHeader = 3;    // report ID, chunk length, continuation
constexpr size_t kMaxAssembly = 0xFFFF + 11;

void PutWord(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

uint16_t Word(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

void ApplyMaskBits(std::vector<uint8_t>& mask, const uint8_t* bits, size_t count, bool set)
{
    const size_t n = std::min(count, mask.size());
    for (size_t i = 0; i < n; ++i) {
        if (set) mask[i] = static_cast<uint8_t>(mask[i] | bits[i]);
        else mask[i] = static_cast<uint8_t>(mask[i] & ~bits[i]);
    }
}

// Applies an effect payload (location, field mask, selected fields) to a record; a
// payload too short for its field mask changes nothing.
void ApplyEffect(const std::vector<uint8_t>& p, std::array<uint8_t, 11>& record)
{
    std::array<uint8_t, 11> r = record;
    size_t at = 2;
    const auto next = [&p, &at](size_t n) -> const uint8_t* {
        if (at + n > p.size()) return nullptr;
        at += n;
        return &p[at - n];
    };
    const auto flag = [&r](uint8_t bit, uint8_t value) {
        r[6] = static_cast<uint8_t>(value != 0 ? r[6] | bit : r[6] & ~bit);
    };
    const uint8_t fields = p[1];
    const uint8_t* field = nullptr;
    if ((fields & 0x01) != 0) {
        if ((field = next(1)) == nullptr) return;
        r[0] = field[0];
    }
    if ((fields & 0x02) != 0) {
        if ((field = next(4)) == nullptr) return;
        std::copy_n(field, 4, r.begin() + 2);
    }
    if ((fields & 0x04) != 0) {
        if ((field = next(1)) == nullptr) return;
        r[1] = field[0];
    }
    if ((fields & 0x08) != 0) {
        if ((field = next(1)) == nullptr) return;
        r[10] = field[0];
    }
    if ((fields & 0x10) != 0) {
        if ((field = next(1)) == nullptr) return;
        flag(0x20, field[0]);
    }
    if ((fields & 0x20) != 0) {
        if ((field = next(1)) == nullptr) return;
        flag(0x40, field[0]);
    }
    record = r;
}

}  // namespace

// ---------------------------------------------------------------- state

SimControllerState SimControllerState::Factory()
{
    SimControllerState state;
    state.Normalise();
    for (SimLocationRecord& location : state.locations[0]) {
        location.record = {0x00, 0x00, 0xBB, 0x80, 0x00, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF};
    }
    return state;
}

SimControllerState SimControllerState::Configured()
{
    SimControllerState state = Factory();
    state.locations[0][0].mask = {0x00, 0x04};
    state.locations[0][1].mask = {0xFF, 0x03};
    state.Normalise();
    return state;
}

void SimControllerState::Normalise()
{
    const int banks = HasSecondBank() ? 2 : 1;
    for (int bank = 0; bank < 2; ++bank) {
        std::vector<SimLocationRecord>& records = locations[bank];
        std::vector<uint8_t>& table = entries[bank];
        if (bank >= banks) {
            records.clear();
            table.clear();
            continue;
        }
        records.resize(locationCount);
        for (SimLocationRecord& record : records) record.mask.resize(maskLength, 0);
        table.assign(static_cast<size_t>(entryCount) * kStoredEntrySize, 0);
        for (size_t element = 0; element < entryCount; ++element) {
            uint8_t* entry = &table[element * kStoredEntrySize];
            entry[0] = static_cast<uint8_t>(element >> 8);
            entry[1] = static_cast<uint8_t>(element & 0xFF);
            entry[2] = 0x01;   // an LED
            entry[3] = 0x00;
            entry[4] = 0xFF;
            for (size_t location = 0; location < records.size(); ++location) {
                const std::vector<uint8_t>& mask = records[location].mask;
                if (element / 8 < mask.size() && (mask[element / 8] & (1u << (element % 8))) != 0) {
                    entry[4] = static_cast<uint8_t>(location);
                    break;
                }
            }
        }
    }
    if (version.size() > versionLength) version.resize(versionLength);
}

// ---------------------------------------------------------------- construction, presence

SimLightingController::SimLightingController(SimClock& clock, SimControllerState state,
                                             SimControllerIdentity identity, SimControllerTimings timings)
    : clock_(clock), identity_(std::move(identity)), timings_(timings), state_(std::move(state))
{
    state_.Normalise();
}

void SimLightingController::UpdatePresenceLocked() const
{
    if (!present_ && returnAtMs_ && clock_.NowMs() >= *returnAtMs_) {
        present_ = true;
        code_ = returnCode_;
        returnAtMs_.reset();
    }
}

void SimLightingController::LeaveBusLocked(uint32_t forMs, Code comingBackIn)
{
    present_ = false;
    ++epoch_;
    returnAtMs_ = clock_.NowMs() + forMs;
    returnCode_ = comingBackIn;
    input_.clear();
    assembly_.clear();
    blockCommand_ = -1;
}

bool SimLightingController::Present() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    return present_;
}

uint64_t SimLightingController::Epoch() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    return epoch_;
}

void SimLightingController::Remove()
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    if (!present_ && !returnAtMs_) return;
    LeaveBusLocked(0, code_);
    returnAtMs_.reset();
}

void SimLightingController::Return()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (present_) return;
    present_ = true;
    if (returnAtMs_) code_ = returnCode_;
    returnAtMs_.reset();
}

// ---------------------------------------------------------------- reports

void SimLightingController::ReceiveOutputReport(const uint8_t* report, size_t length)
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    if (!present_ || report == nullptr || length == 0) return;
    reports_.push_back({clock_.NowMs(), std::vector<uint8_t>(report, report + length)});
    if (report[0] != kReportId || length < kOutputReportHeader) return;

    const size_t chunk = std::min<size_t>(report[1], length - kOutputReportHeader);
    assembly_.insert(assembly_.end(), report + kOutputReportHeader, report + kOutputReportHeader + chunk);
    if (assembly_.size() > kMaxAssembly) assembly_.clear();   // no frame is that long: noise
    if (report[2] != 0) return;   // more chunks of this frame follow

    std::vector<uint8_t> bytes;
    bytes.swap(assembly_);
    Frame frame;
    if (frame.Parse(bytes.data(), bytes.size()) == 0) return;   // noise: nothing to act on
    std::vector<uint8_t> payload(frame.Bytes(), frame.Bytes() + frame.Length());
    frames_.push_back({clock_.NowMs(), frame.Access(), frame.Command(), payload});
    HandleFrameLocked(frame.Access(), frame.Command(), payload);
}

std::optional<SimInputReport> SimLightingController::PeekInputReport() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    if (input_.empty()) return std::nullopt;
    return input_.front();
}

void SimLightingController::PopInputReport()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!input_.empty()) input_.pop_front();
}

void SimLightingController::QueueInputReport(const std::vector<uint8_t>& report, uint32_t delayMs)
{
    std::lock_guard<std::mutex> lock(mutex_);
    input_.push_back({clock_.NowMs() + delayMs, report});
}

void SimLightingController::DropArrivedInput()
{
    std::lock_guard<std::mutex> lock(mutex_);
    const uint64_t now = clock_.NowMs();
    std::erase_if(input_, [now](const SimInputReport& report) { return report.readyMs <= now; });
}

void SimLightingController::QueueReportsLocked(const std::vector<uint8_t>& bytes, uint64_t readyMs)
{
    const size_t room = identity_.inputReportLength > kReportHeader ? identity_.inputReportLength - kReportHeader : 1;
    size_t offset = 0;
    do {
        const size_t n = std::min(room, bytes.size() - offset);
        std::vector<uint8_t> report(std::max<size_t>(identity_.inputReportLength, kReportHeader + n), 0);
        report[0] = kReportId;
        report[1] = static_cast<uint8_t>(n);
        if (n != 0) std::memcpy(&report[kReportHeader], &bytes[offset], n);
        input_.push_back({readyMs, std::move(report)});
        offset += n;
    } while (offset < bytes.size());
}

// ---------------------------------------------------------------- frames

void SimLightingController::HandleFrameLocked(uint16_t access, uint8_t command, const std::vector<uint8_t>& payload)
{
    if (access == Frame::kAccessGet) HandleGetLocked(command, payload);
    else if (code_ == Code::kUpgrade) HandleUpgradeSetLocked(command, payload);
    else HandleSetLocked(command, payload);
}

std::vector<uint8_t> SimLightingController::DeviceInfoLocked() const
{
    const bool upgrade = code_ == Code::kUpgrade;
    std::vector<uint8_t> info;
    PutWord(info, upgrade ? kUpgradeFlag : state_.flags);
    PutWord(info, upgrade ? 0 : state_.maskLength);
    PutWord(info, state_.maxPayload);
    PutWord(info, state_.reserved);
    PutWord(info, upgrade ? 0 : state_.entrySize);
    PutWord(info, upgrade ? 0 : state_.entryCount);
    PutWord(info, upgrade ? 0 : state_.configRecordSize);
    PutWord(info, upgrade ? 0 : state_.locationCount);
    PutWord(info, state_.versionLength);
    return info;
}

std::vector<uint8_t> SimLightingController::BlockLocked(uint8_t command) const
{
    std::vector<uint8_t> block;
    const auto entriesOf = [this, &block](size_t bank) {
        const std::vector<uint8_t>& table = state_.entries[bank];
        for (size_t i = 0; i < state_.entryCount; ++i) {
            for (size_t b = 0; b < state_.entrySize; ++b) {
                const size_t at = i * SimControllerState::kStoredEntrySize + b;
                block.push_back(b < SimControllerState::kStoredEntrySize && at < table.size() ? table[at] : 0);
            }
        }
    };
    const auto recordsOf = [this, &block](size_t bank) {
        for (const SimLocationRecord& location : state_.locations[bank]) {
            block.insert(block.end(), location.record.begin(), location.record.end());
            block.insert(block.end(), location.mask.begin(), location.mask.end());
        }
        block.resize(static_cast<size_t>(state_.configRecordSize) * state_.locationCount, 0);
    };
    switch (command) {
    case 0x01: {
        block.assign(state_.versionLength, 0);
        const std::string& text = code_ == Code::kUpgrade ? std::string("BOOT 1.0") : state_.version;
        std::memcpy(block.data(), text.data(), std::min<size_t>(text.size(), block.size()));
        break;
    }
    case 0x02: entriesOf(0); break;
    case 0x03: recordsOf(0); break;
    case 0x04: if (state_.HasSecondBank()) entriesOf(1); break;
    case 0x05: if (state_.HasSecondBank()) recordsOf(1); break;
    case 0x06: block.push_back(state_.modeState); break;
    default: break;
    }
    return block;
}

// A block larger than maxPayload goes out one piece per repetition of its request.
std::vector<uint8_t> SimLightingController::NextPieceLocked(uint8_t command)
{
    const std::vector<uint8_t> block = BlockLocked(command);
    const uint64_t now = clock_.NowMs();
    const bool continues = blockCommand_ == command && blockOffset_ > 0 && blockOffset_ < block.size() &&
                           now - blockLastMs_ <= timings_.blockSessionMs;
    if (!continues) blockOffset_ = 0;
    const size_t piece = state_.maxPayload == 0 ? block.size()
                                                : std::min<size_t>(state_.maxPayload, block.size() - blockOffset_);
    std::vector<uint8_t> out(block.begin() + static_cast<std::ptrdiff_t>(blockOffset_),
                             block.begin() + static_cast<std::ptrdiff_t>(blockOffset_ + piece));
    blockOffset_ += piece;
    blockCommand_ = command;
    blockLastMs_ = now;
    return out;
}

void SimLightingController::HandleGetLocked(uint8_t command, const std::vector<uint8_t>&)
{
    std::vector<uint8_t> payload;
    if (command == 0x00) {
        blockCommand_ = -1;
        payload = DeviceInfoLocked();
    } else {
        payload = NextPieceLocked(command);
    }
    ReplyLocked(command, payload);
}

std::optional<SimLightingController::PendingFault> SimLightingController::TakeFaultLocked(uint8_t command)
{
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command != kAnyCommand && it->command != command) continue;
        if (it->skip > 0) {
            --it->skip;
            return std::nullopt;
        }
        PendingFault fault = *it;
        if (--it->remaining <= 0) faults_.erase(it);
        return fault;
    }
    return std::nullopt;
}

void SimLightingController::ReplyLocked(uint8_t command, const std::vector<uint8_t>& payload)
{
    const uint64_t now = clock_.NowMs();
    const std::optional<PendingFault> fault = TakeFaultLocked(command);
    uint8_t replyCommand = command;
    const std::vector<uint8_t>& replyPayload = payload;
    if (fault && fault->fault == SimReplyFault::kNoReply) return;
    if (fault && fault->fault == SimReplyFault::kOtherCommand) replyCommand = static_cast<uint8_t>(command ^ 0x01);

    Frame frame;
    const uint8_t* wire = frame.Build(replyCommand, replyPayload.data(), static_cast<uint16_t>(replyPayload.size()),
                                      Frame::kAccessGet);
    if (wire == nullptr) return;   // more than one frame can carry
    std::vector<uint8_t> bytes(wire, wire + frame.Length());
    if (fault && fault->fault == SimReplyFault::kGarbage) {
        std::fill(bytes.begin(), bytes.end(), 0x5A);
    } else if (fault && fault->fault == SimReplyFault::kTruncated) {
        bytes.resize(bytes.size() / 2);
    }
    const uint64_t delay = fault && fault->fault == SimReplyFault::kLate ? fault->delayMs : 0;
    QueueReportsLocked(bytes, now + timings_.replyLatencyMs + delay);
}

SimLocationRecord* SimLightingController::LocationLocked(uint16_t index)
{
    std::vector<SimLocationRecord>& bank = state_.locations[0];
    return index < bank.size() ? &bank[index] : nullptr;
}

void SimLightingController::HandleSetLocked(uint8_t command, const std::vector<uint8_t>& p)
{
    switch (command) {
    case 0x02:   // restart into the upgrade code
        if (p.size() >= 2 && p[0] == 0x00 && p[1] == 0x10) LeaveBusLocked(timings_.upgradeRestartMs, Code::kUpgrade);
        break;
    case 0x03:   // on / off
        if (p.size() >= 3) {
            if (SimLocationRecord* l = LocationLocked(Word(p, 1))) {
                l->record[6] = static_cast<uint8_t>((l->record[6] & 0x7F) | ((p[0] & 0x01) != 0 ? 0x80 : 0));
            }
        }
        break;
    case 0x04:   // colour
        if (p.size() >= 6) {
            if (SimLocationRecord* l = LocationLocked(Word(p, 4))) {
                l->record[7] = p[1];
                l->record[8] = p[2];
                l->record[9] = p[3];
            }
        }
        break;
    case 0x06:   // element mask
        if (p.size() >= 2) {
            SimLocationRecord* l = LocationLocked(p[1]);
            const bool set = (p[0] & 0x02) != 0;
            if (l == nullptr) break;
            if ((p[0] & 0x40) != 0) {
                ApplyMaskBits(l->mask, p.data() + 2, p.size() - 2, set);
            } else if (p.size() >= 4) {
                const size_t bit = Word(p, 2);
                if (bit / 8 < l->mask.size()) {
                    const uint8_t one = static_cast<uint8_t>(1u << (bit % 8));
                    std::vector<uint8_t> bits(bit / 8 + 1, 0);
                    bits[bit / 8] = one;
                    ApplyMaskBits(l->mask, bits.data(), bits.size(), set);
                }
            }
            state_.Normalise();
        }
        break;
    case 0x08:   // effect
        if (p.size() >= 2) {
            if (SimLocationRecord* l = LocationLocked(p[0])) ApplyEffect(p, l->record);
        }
        break;
    case 0x0B:   // mode lock
        if (p.size() >= 2) {
            state_.modeLock = p[0];
            state_.modeState = p[1];
        }
        break;
    case 0xFF:   // restart
        if (p.size() >= 1 && p[0] == 0x10) LeaveBusLocked(timings_.restartMs, Code::kNormal);
        break;
    default:
        break;
    }
}

void SimLightingController::HandleUpgradeSetLocked(uint8_t command, const std::vector<uint8_t>& p)
{
    switch (command) {
    case 0x82:   // begin download; acknowledged with one report
        if (p.size() >= 1 && p[0] == 0x10) {
            downloading_ = true;
            downloadFailed_ = false;
            downloadComplete_ = false;
            image_.clear();
            ReplyLocked(0x82, {0x00});
        }
        break;
    case 0x83: {   // one block: data, then its CRC high byte first
        if (!downloading_ || downloadFailed_) break;
        std::vector<uint8_t> block = p;
        if (corruptNextBlock_ && !block.empty()) {
            block[0] ^= 0x01;
            corruptNextBlock_ = false;
        }
        if (block.size() < 2) {
            downloadFailed_ = true;
            break;
        }
        const size_t n = block.size() - 2;
        const uint16_t crc = static_cast<uint16_t>(block[n] << 8 | block[n + 1]);
        if (Crc16Arc(block.data(), n) != crc) {
            downloadFailed_ = true;
            break;
        }
        image_.insert(image_.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
        break;
    }
    case 0x84:   // end download
        if (downloading_ && p.size() >= 1 && p[0] == 0x10) {
            downloading_ = false;
            downloadComplete_ = !downloadFailed_;
        }
        break;
    case 0xFF:   // back to the normal firmware
        if (p.size() >= 1 && p[0] == 0x10) {
            if (downloadComplete_) AdoptImageLocked();
            downloading_ = false;
            downloadComplete_ = false;
            LeaveBusLocked(timings_.restartMs, Code::kNormal);
        }
        break;
    default:
        break;
    }
}

void SimLightingController::AdoptImageLocked()
{
    lastImage_ = image_;
    ++upgrades_;
    const std::string tag = kImageVersionTag;
    const auto found = std::search(image_.begin(), image_.end(), tag.begin(), tag.end());
    if (found == image_.end()) return;
    std::string version;
    for (auto it = found + static_cast<std::ptrdiff_t>(tag.size());
         it != image_.end() && version.size() < state_.versionLength; ++it) {
        if (*it == 0 || *it == '\r' || *it == '\n') break;
        version.push_back(static_cast<char>(*it));
    }
    state_.version = version;
}

// ---------------------------------------------------------------- accessors

SimControllerState SimLightingController::State() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return state_;
}

void SimLightingController::SetState(const SimControllerState& state)
{
    std::lock_guard<std::mutex> lock(mutex_);
    state_ = state;
    state_.Normalise();
    blockCommand_ = -1;
}

SimLocationRecord SimLightingController::Location(size_t index, size_t bank) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (bank > 1 || index >= state_.locations[bank].size()) return {};
    return state_.locations[bank][index];
}

bool SimLightingController::InUpgradeCode() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    UpdatePresenceLocked();
    return code_ == Code::kUpgrade;
}

bool SimLightingController::UpgradeFailed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return downloadFailed_;
}

std::vector<uint8_t> SimLightingController::WrittenImage() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return lastImage_;
}

int SimLightingController::UpgradeCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return upgrades_;
}

std::vector<SimReceivedFrame> SimLightingController::ReceivedFrames() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_;
}

std::vector<SimReceivedReport> SimLightingController::ReceivedReports() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return reports_;
}

void SimLightingController::ForgetReceived()
{
    std::lock_guard<std::mutex> lock(mutex_);
    frames_.clear();
    reports_.clear();
}

void SimLightingController::InjectReplyFault(SimReplyFault fault, int times, int command, uint32_t delayMs,
                                            int afterRequests)
{
    if (times <= 0) return;
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.push_back({fault, times, command, delayMs, std::max(afterRequests, 0)});
}

void SimLightingController::ClearFaults()
{
    std::lock_guard<std::mutex> lock(mutex_);
    faults_.clear();
    corruptNextBlock_ = false;
}

void SimLightingController::CorruptNextBlock()
{
    std::lock_guard<std::mutex> lock(mutex_);
    corruptNextBlock_ = true;
}

void SimLightingController::SetHeldExclusively(bool held)
{
    std::lock_guard<std::mutex> lock(mutex_);
    heldExclusively_ = held;
}

bool SimLightingController::HeldExclusively() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return heldExclusively_;
}

// ---------------------------------------------------------------- snapshot

namespace {

constexpr uint8_t kSnapshotMagic[4] = {'K', 'L', 'C', 'S'};
constexpr uint8_t kSnapshotVersion = 1;

class SnapshotReader {
public:
    explicit SnapshotReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    bool Byte(uint8_t& out)
    {
        if (at_ + 1 > bytes_.size()) return false;
        out = bytes_[at_++];
        return true;
    }
    bool Word(uint16_t& out)
    {
        if (at_ + 2 > bytes_.size()) return false;
        out = ::Word(bytes_, at_);
        at_ += 2;
        return true;
    }
    bool Bytes(size_t n, std::vector<uint8_t>& out)
    {
        if (n > bytes_.size() - at_) return false;
        out.assign(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + n));
        at_ += n;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - at_; }

private:
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

}  // namespace

std::vector<uint8_t> SimLightingController::SaveSnapshot() const
{
    const SimControllerState s = State();
    std::vector<uint8_t> out(std::begin(kSnapshotMagic), std::end(kSnapshotMagic));
    out.push_back(kSnapshotVersion);
    for (uint16_t word : {s.flags, s.maskLength, s.maxPayload, s.reserved, s.entrySize, s.entryCount,
                          s.configRecordSize, s.locationCount, s.versionLength}) {
        PutWord(out, word);
    }
    PutWord(out, static_cast<uint16_t>(s.version.size()));
    out.insert(out.end(), s.version.begin(), s.version.end());
    out.push_back(s.modeState);
    out.push_back(s.modeLock);
    for (const std::vector<SimLocationRecord>& bank : s.locations) {
        for (const SimLocationRecord& location : bank) {
            out.insert(out.end(), location.record.begin(), location.record.end());
            out.insert(out.end(), location.mask.begin(), location.mask.end());
        }
    }
    return out;
}

bool SimLightingController::LoadSnapshot(const std::vector<uint8_t>& bytes)
{
    SnapshotReader in(bytes);
    std::vector<uint8_t> magic;
    uint8_t version = 0;
    if (!in.Bytes(4, magic) || !std::equal(magic.begin(), magic.end(), kSnapshotMagic) || !in.Byte(version) ||
        version != kSnapshotVersion) {
        return false;
    }
    SimControllerState s;
    for (uint16_t* word : {&s.flags, &s.maskLength, &s.maxPayload, &s.reserved, &s.entrySize, &s.entryCount,
                           &s.configRecordSize, &s.locationCount, &s.versionLength}) {
        if (!in.Word(*word)) return false;
    }
    uint16_t textLength = 0;
    std::vector<uint8_t> text;
    if (!in.Word(textLength) || textLength > s.versionLength || !in.Bytes(textLength, text)) return false;
    s.version.assign(text.begin(), text.end());
    if (!in.Byte(s.modeState) || !in.Byte(s.modeLock)) return false;
    const size_t banks = s.HasSecondBank() ? 2 : 1;
    if (banks * s.locationCount * (11u + s.maskLength) != in.Remaining()) return false;
    s.Normalise();   // sizes the banks the counts call for
    for (std::vector<SimLocationRecord>& bank : s.locations) {
        for (SimLocationRecord& location : bank) {
            std::vector<uint8_t> record;
            if (!in.Bytes(location.record.size(), record) || !in.Bytes(s.maskLength, location.mask)) return false;
            std::copy(record.begin(), record.end(), location.record.begin());
        }
    }
    if (!in.AtEnd()) return false;
    SetState(s);
    return true;
}
