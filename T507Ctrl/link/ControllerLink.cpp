#include "link/ControllerLink.h"

#include "link/CommInter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kCommandDeviceInfo = 0x00;
constexpr uint8_t kCommandVersion = 0x01;
constexpr uint8_t kCommandEntries0 = 0x02;
constexpr uint8_t kCommandRecords0 = 0x03;
constexpr uint8_t kCommandOnOff = 0x03;
constexpr uint8_t kCommandEntries1 = 0x04;
constexpr uint8_t kCommandColor = 0x04;
constexpr uint8_t kCommandRecords1 = 0x05;
constexpr uint8_t kCommandModeState = 0x06;
constexpr uint8_t kCommandElementMask = 0x06;
constexpr uint8_t kCommandEffect = 0x08;
constexpr uint8_t kCommandModeLock = 0x0B;
constexpr uint8_t kCommandRestart = 0xFF;

constexpr uint8_t kMaskWhole = 0x40;
constexpr uint8_t kMaskSet = 0x02;

uint8_t High(uint16_t value) { return static_cast<uint8_t>(value >> 8); }
uint8_t Low(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }

}  // namespace

int32_t ExecuteMessageOn(CommInter* transport, Message* message)
{
    if (transport == nullptr || message == nullptr) return 0;
    switch (message->GetDirection()) {
    case Message::kRead: return transport->Read(message->Data(), message->Length());
    case Message::kWrite: return transport->Write(message->Data(), message->Length());
    default: return 0;
    }
}

int32_t ExecuteMessage(Message* message)
{
    return message != nullptr ? ExecuteMessageOn(message->Transport(), message) : 0;
}

// ---------------------------------------------------------------- primitives

void ControllerLink::Attach(CommInter* transport, RequestWindow* window)
{
    transport_ = transport;
    SetTransport(transport);
    SetWindow(window);
}

void ControllerLink::SetWindow(RequestWindow* window)
{
    if (window != nullptr) window->SetRequestExecutor(&ExecuteMessage);
    window_.store(window);
}

int32_t ControllerLink::Execute(int32_t direction, uint8_t* data, int32_t length)
{
    RequestWindow* window = window_.load();
    if (window == nullptr) return 0;
    Message message;
    message.Set(direction, data, length, transport_, false);
    return window->SendRequest(&message);
}

int32_t ControllerLink::Send(uint8_t command, const uint8_t* payload, uint16_t payloadLength)
{
    Frame frame;
    if (frame.Build(command, payload, payloadLength, Frame::kAccessSet) == nullptr) return 0;
    return SendFrame(frame);
}

int32_t ControllerLink::SendFrame(const Frame& frame)
{
    if (frame.Bytes() == nullptr) return 0;
    // A write message only reads its data.
    return Execute(Message::kWrite, const_cast<uint8_t*>(frame.Bytes()), frame.Length());
}

int32_t ControllerLink::ReadRaw(uint8_t* buffer, int32_t length)
{
    Execute(Message::kRead, buffer, length);
    return 1;
}

int32_t ControllerLink::Transfer(const Frame& frame, uint8_t* destination, size_t chunk)
{
    SendFrame(frame);
    // Zeroed, so a reply cut short leaves nothing stale for the parser.
    std::vector<uint8_t> receive(chunk + Frame::kOverhead, 0);
    Execute(Message::kRead, receive.data(), static_cast<int32_t>(receive.size()));
    Frame reply;
    if (reply.Parse(receive.data(), receive.size()) == 0) return 0;
    const size_t n = std::min<size_t>(reply.Length(), chunk);
    if (n != 0 && destination != nullptr) std::memcpy(destination, reply.Bytes(), n);
    return 1;
}

// ---------------------------------------------------------------- get commands

int32_t ControllerLink::ReadBlock(uint8_t command, uint8_t* destination, size_t total)
{
    if (!info_.IsValid()) return 0;
    const size_t piece = info_.MaxPayload();
    if (piece == 0) return 0;   // no piece could ever arrive
    if (destination == nullptr && total != 0) return 0;

    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!info_.IsValid()) return 0;
        const uint8_t first = total != 0 ? destination[0] : 0;
        Frame request;
        request.Build(command, &first, 1, Frame::kAccessGet);
        bool complete = true;
        size_t offset = 0;
        do {
            const size_t n = std::min(piece, total - offset);
            if (Transfer(request, destination != nullptr ? destination + offset : nullptr, n) == 0) {
                complete = false;
                break;
            }
            offset += n;
        } while (offset < total);
        if (complete) return 1;
    }
    return 0;
}

int32_t ControllerLink::ReadDeviceInfo()
{
    if (transport_ == nullptr || transport_->IsOpen() == 0) return 0;
    Frame request;
    request.Build(kCommandDeviceInfo, nullptr, 0, Frame::kAccessGet);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        SendFrame(request);
        uint8_t receive[kDeviceInfoReplyLength] = {};
        Execute(Message::kRead, receive, kDeviceInfoReplyLength);
        Frame reply;
        // A reply shorter than the record is no device information.
        if (reply.Parse(receive, sizeof receive) != 0 && reply.Length() >= DeviceInfo::kInfoLength) {
            info_.ParseInfo(reply.Bytes(), DeviceInfo::kInfoLength);
            return 1;
        }
    }
    return 0;
}

int32_t ControllerLink::ReadVersion()
{
    return ReadBlock(kCommandVersion, info_.Version(), info_.VersionLength());
}

int32_t ControllerLink::ReadModeState()
{
    uint8_t state = 0;
    if (ReadBlock(kCommandModeState, &state, 1) == 0) {
        info_.SetModeState(-1);
        return 0;
    }
    info_.SetModeState(state != 0 ? 1 : 0);
    return 1;
}

int32_t ControllerLink::ReadTables()
{
    if (!info_.IsValid() || !info_.TablesSupported()) return 0;
    const size_t entryBytes = static_cast<size_t>(info_.EntrySize()) * info_.EntryCount();
    if (ReadBlock(kCommandEntries0, info_.Entries(0).data(), entryBytes) == 0) return 0;
    if (info_.HasSecondBank() && ReadBlock(kCommandEntries1, info_.Entries(1).data(), entryBytes) == 0) return 0;

    const size_t recordBytes = static_cast<size_t>(info_.ConfigRecordSize()) * info_.LocationCount();
    std::vector<uint8_t> records(recordBytes, 0);
    int32_t result = ReadBlock(kCommandRecords0, records.data(), recordBytes);
    if (result != 0) info_.LoadConfigurations(0, records.data(), records.size());
    if (info_.HasSecondBank()) {
        std::fill(records.begin(), records.end(), 0);
        result = ReadBlock(kCommandRecords1, records.data(), recordBytes);
        if (result != 0) info_.LoadConfigurations(1, records.data(), records.size());
    }
    return result;
}

// ---------------------------------------------------------------- set commands

HandleConfig* ControllerLink::Bank0Record(size_t location)
{
    return info_.Configuration(location, 0);
}

int32_t ControllerLink::SetModeLock(uint8_t lock, uint8_t mode)
{
    const uint8_t payload[] = {lock, mode};
    if (Send(kCommandModeLock, payload, sizeof payload) == 0) return 0;
    info_.SetModeState(mode);
    return 1;
}

int32_t ControllerLink::SetElementMask(uint16_t location, const uint8_t* maskBytes, size_t count, bool set,
                                       bool wholeMask)
{
    if ((maskBytes == nullptr && count != 0) || count > Frame::kMaxBuildPayload - 2) return 0;
    std::vector<uint8_t> payload;
    payload.push_back(static_cast<uint8_t>((wholeMask ? kMaskWhole : 0) | (set ? kMaskSet : 0)));
    payload.push_back(Low(location));
    if (count != 0) payload.insert(payload.end(), maskBytes, maskBytes + count);
    if (Send(kCommandElementMask, payload.data(), static_cast<uint16_t>(payload.size())) == 0) return 0;

    HandleConfig* record = Bank0Record(Low(location));
    if (record == nullptr) return 1;
    std::vector<uint8_t>& mask = record->elementMask;
    if (wholeMask) {
        for (size_t i = 0; i < std::min(count, mask.size()); ++i) {
            mask[i] = static_cast<uint8_t>(set ? mask[i] | maskBytes[i] : mask[i] & ~maskBytes[i]);
        }
    } else if (count >= 2) {
        const size_t bit = static_cast<size_t>(maskBytes[0] << 8 | maskBytes[1]);
        if (bit / 8 < mask.size()) {
            const uint8_t one = static_cast<uint8_t>(1u << (bit % 8));
            mask[bit / 8] = static_cast<uint8_t>(set ? mask[bit / 8] | one : mask[bit / 8] & ~one);
        }
    }
    return 1;
}

int32_t ControllerLink::SetEffect(uint16_t location, uint8_t fieldMask, uint8_t mode, uint16_t timing1,
                                  uint16_t timing2, uint8_t effectParameter, uint8_t brightness, bool effectFlag5,
                                  bool effectFlag6)
{
    std::vector<uint8_t> payload{Low(location), fieldMask};
    if ((fieldMask & kEffectMode) != 0) payload.push_back(mode);
    if ((fieldMask & kEffectTiming) != 0) {
        payload.insert(payload.end(), {High(timing1), Low(timing1), High(timing2), Low(timing2)});
    }
    if ((fieldMask & kEffectParameter) != 0) payload.push_back(effectParameter);
    if ((fieldMask & kEffectBrightness) != 0) payload.push_back(brightness);
    if ((fieldMask & kEffectFlag5) != 0) payload.push_back(effectFlag5 ? 1 : 0);
    if ((fieldMask & kEffectFlag6) != 0) payload.push_back(effectFlag6 ? 1 : 0);
    if (Send(kCommandEffect, payload.data(), static_cast<uint16_t>(payload.size())) == 0) return 0;

    if (HandleConfig* record = Bank0Record(Low(location))) {
        if ((fieldMask & kEffectMode) != 0) record->mode = mode;
        if ((fieldMask & kEffectTiming) != 0) {
            record->timing1 = timing1;
            record->timing2 = timing2;
        }
        if ((fieldMask & kEffectParameter) != 0) record->effectParameter = effectParameter;
        if ((fieldMask & kEffectBrightness) != 0) record->brightness = brightness;
        if ((fieldMask & kEffectFlag5) != 0) record->SetFlag(HandleConfig::kFlagEffect5, effectFlag5);
        if ((fieldMask & kEffectFlag6) != 0) record->SetFlag(HandleConfig::kFlagEffect6, effectFlag6);
    }
    return 1;
}

int32_t ControllerLink::SetColor(uint16_t location, uint8_t red, uint8_t green, uint8_t blue, bool updateModel)
{
    const uint8_t payload[] = {0x80, red, green, blue, High(location), Low(location)};
    if (Send(kCommandColor, payload, sizeof payload) == 0) return 0;
    HandleConfig* record = Bank0Record(location);
    if (updateModel && record != nullptr) {
        record->red = red;
        record->green = green;
        record->blue = blue;
    }
    return 1;
}

int32_t ControllerLink::SetOnOff(uint16_t location, bool on)
{
    const uint8_t payload[] = {static_cast<uint8_t>(0x80 | (on ? 1 : 0)), High(location), Low(location)};
    if (Send(kCommandOnOff, payload, sizeof payload) == 0) return 0;
    if (HandleConfig* record = Bank0Record(location)) record->SetFlag(HandleConfig::kFlagOn, on);
    return 1;
}

int32_t ControllerLink::Restart()
{
    const uint8_t payload = 0x10;
    return Send(kCommandRestart, &payload, 1);
}
