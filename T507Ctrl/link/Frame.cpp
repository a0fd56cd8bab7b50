#include "link/Frame.h"

#include <algorithm>
#include <cstring>

void Frame::Clear()
{
    marker_ = 0;
    access_ = 0;
    command_ = 0;
    Release();
}

void Frame::Release()
{
    bytes_.reset();
    length_ = 0;
}

const uint8_t* Frame::Build(uint8_t command, const uint8_t* payload, uint16_t payloadLength, uint16_t access)
{
    Release();
    if (payloadLength > kMaxBuildPayload || (payload == nullptr && payloadLength != 0)) return nullptr;

    access_ = access;
    command_ = command;
    length_ = static_cast<uint16_t>(payloadLength + kOverhead);
    bytes_ = std::make_unique<uint8_t[]>(length_);

    uint8_t* out = bytes_.get();
    *out++ = 0xFF;
    *out++ = 0xAA;
    *out++ = kMarker >> 8;
    *out++ = kMarker & 0xFF;
    *out++ = static_cast<uint8_t>(access >> 8);
    *out++ = static_cast<uint8_t>(access & 0xFF);
    *out++ = command;
    *out++ = static_cast<uint8_t>(payloadLength >> 8);
    *out++ = static_cast<uint8_t>(payloadLength & 0xFF);
    if (payloadLength != 0) std::memcpy(out, payload, payloadLength);
    out += payloadLength;
    *out++ = 0xFF;
    *out = 0x55;
    return bytes_.get();
}

namespace {

enum class ParseState { WaitStart1, WaitStart2, Marker, Access, Command, Length, Payload, WaitEnd2 };

// The parser's working state; a failed frame resets it without touching the record.
struct ParseProgress {
    ParseState state = ParseState::WaitStart1;
    bool secondHalf = false;   // which half of a two-byte field comes next
    uint16_t marker = 0;
    uint16_t access = 0;
    uint8_t command = 0;
    uint16_t declaredLength = 0;
    size_t stored = 0;
    std::unique_ptr<uint8_t[]> payload;

    void Resynchronise()
    {
        state = ParseState::WaitStart1;
        secondHalf = false;
        declaredLength = 0;
        stored = 0;
        payload.reset();
    }

    // Takes one byte of a two-byte field; true when the field is complete.
    bool TakeHalf(uint16_t& field, uint8_t byte)
    {
        if (!secondHalf) {
            field = static_cast<uint16_t>(byte << 8);
            secondHalf = true;
            return false;
        }
        field = static_cast<uint16_t>(field | byte);
        secondHalf = false;
        return true;
    }

    size_t PayloadRoom() const { return std::min<size_t>(declaredLength, Frame::kMaxParsedPayload); }
};

}  // namespace

int Frame::Parse(const uint8_t* buffer, size_t bufferLength)
{
    Clear();
    if (buffer == nullptr) return 0;

    ParseProgress p;
    for (size_t i = 0; i < bufferLength; ++i) {
        const uint8_t byte = buffer[i];
        switch (p.state) {
        case ParseState::WaitStart1:
            if (byte == 0xFF) p.state = ParseState::WaitStart2;
            else p.Resynchronise();
            break;
        case ParseState::WaitStart2:
            // A second 0xFF is consumed here too: it does not start a new frame.
            if (byte == 0xAA) p.state = ParseState::Marker;
            else p.Resynchronise();
            break;
        case ParseState::Marker:
            if (p.TakeHalf(p.marker, byte)) p.state = ParseState::Access;
            break;
        case ParseState::Access:
            if (p.TakeHalf(p.access, byte)) p.state = ParseState::Command;
            break;
        case ParseState::Command:
            p.command = byte;
            p.state = ParseState::Length;
            break;
        case ParseState::Length:
            if (p.TakeHalf(p.declaredLength, byte)) {
                p.payload = std::make_unique<uint8_t[]>(std::max<size_t>(p.PayloadRoom(), 1));
                p.stored = 0;
                p.state = ParseState::Payload;
            }
            break;
        case ParseState::Payload:
            if (p.stored < p.PayloadRoom()) {
                p.payload[p.stored++] = byte;
            } else if (byte == 0xFF) {
                p.state = ParseState::WaitEnd2;
            } else {
                p.Resynchronise();
            }
            break;
        case ParseState::WaitEnd2:
            if (byte == 0x55) {
                marker_ = p.marker;
                access_ = p.access;
                command_ = p.command;
                length_ = static_cast<uint16_t>(p.stored);
                bytes_ = std::move(p.payload);
                return 1;
            }
            p.Resynchronise();
            break;
        }
    }
    return 0;
}
