#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// One controller frame: FF AA, marker, access, command, payload length, payload, FF 55,
// numbers high byte first. A record either holds a built request (the whole wire frame)
// or a parsed reply (its payload only).
class Frame {
public:
    static constexpr uint16_t kAccessGet = 0x0001;
    static constexpr uint16_t kAccessSet = 0x0000;
    static constexpr uint16_t kMarker = 0x0002;
    static constexpr size_t kOverhead = 11;            // everything but the payload
    static constexpr size_t kMaxParsedPayload = 523;   // longer payloads are cut there
    static constexpr size_t kMaxBuildPayload = 0xFFFF - kOverhead;

    Frame() = default;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    void Clear();
    void Release();

    // Builds a request and returns its wire bytes (Length() of them). A payload too
    // long for the 16-bit frame length builds nothing and returns null.
    const uint8_t* Build(uint8_t command, const uint8_t* payload, uint16_t payloadLength, uint16_t access);

    // Finds the first complete frame in the buffer: 1 when found, else 0.
    int Parse(const uint8_t* buffer, size_t bufferLength);

    uint16_t Marker() const { return marker_; }
    uint16_t Access() const { return access_; }
    uint8_t Command() const { return command_; }
    // Built request: the whole frame's length. Parsed reply: the payload's length.
    uint16_t Length() const { return length_; }
    const uint8_t* Bytes() const { return bytes_.get(); }

private:
    uint16_t marker_ = 0;
    uint16_t access_ = 0;
    uint8_t command_ = 0;
    uint16_t length_ = 0;
    std::unique_ptr<uint8_t[]> bytes_;
};
