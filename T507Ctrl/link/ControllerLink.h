#pragma once

#include "link/DeviceInfo.h"
#include "link/Frame.h"
#include "link/Handler.h"
#include "link/RequestWindow.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

class CommInter;

// The request executor installed in request windows: reads or writes the message on
// its transport. Read gives the byte count, write 1 or 0, anything else 0.
int32_t ExecuteMessage(Message* message);
// The same on a given transport.
int32_t ExecuteMessageOn(CommInter* transport, Message* message);

// The request side of the controller link. Every exchange is handed to the request
// window, which executes it on its own thread; the link keeps what the controller
// reported about itself. Requests may come from any thread; they never take the
// device manager's lock.
class ControllerLink : public BoHandler {
public:
    static constexpr int kAttempts = 5;
    static constexpr int32_t kDeviceInfoReplyLength = static_cast<int32_t>(Frame::kOverhead + DeviceInfo::kInfoLength);

    // Field mask bits of SetEffect.
    static constexpr uint8_t kEffectMode = 0x01;
    static constexpr uint8_t kEffectTiming = 0x02;
    static constexpr uint8_t kEffectParameter = 0x04;
    static constexpr uint8_t kEffectBrightness = 0x08;
    static constexpr uint8_t kEffectFlag5 = 0x10;
    static constexpr uint8_t kEffectFlag6 = 0x20;

    void Attach(CommInter* transport, RequestWindow* window);
    // Makes window the request window; the previous one keeps its executor.
    void SetWindow(RequestWindow* window);
    RequestWindow* Window() const { return window_.load(); }
    CommInter* Transport() const { return transport_; }

    DeviceInfo& Info() { return info_; }
    const DeviceInfo& Info() const { return info_; }

    // --- request primitives ---
    int32_t Send(uint8_t command, const uint8_t* payload, uint16_t payloadLength);
    int32_t SendFrame(const Frame& frame);
    // Reads up to length bytes; 1 whatever arrived.
    int32_t ReadRaw(uint8_t* buffer, int32_t length);
    // Sends the frame, reads a reply of up to chunk payload bytes and copies its payload
    // (at most chunk bytes) to destination; 1 when a reply frame was parsed.
    int32_t Transfer(const Frame& frame, uint8_t* destination, size_t chunk);

    // --- commands ---
    int32_t ReadBlock(uint8_t command, uint8_t* destination, size_t total);
    int32_t ReadDeviceInfo();
    int32_t ReadVersion();
    int32_t ReadModeState();
    int32_t ReadTables();
    int32_t SetModeLock(uint8_t lock, uint8_t mode);
    int32_t SetElementMask(uint16_t location, const uint8_t* maskBytes, size_t count, bool set, bool wholeMask);
    int32_t SetEffect(uint16_t location, uint8_t fieldMask, uint8_t mode, uint16_t timing1, uint16_t timing2,
                      uint8_t effectParameter, uint8_t brightness, bool effectFlag5, bool effectFlag6);
    int32_t SetColor(uint16_t location, uint8_t red, uint8_t green, uint8_t blue, bool updateModel);
    int32_t SetOnOff(uint16_t location, bool on);
    int32_t Restart();

private:
    int32_t Execute(int32_t direction, uint8_t* data, int32_t length);
    // The bank-0 record a set command changed on the controller, when it exists: the
    // whole index for commands that send 16 bits, the low byte for those that send 8.
    HandleConfig* Bank0Record(size_t location);

    std::atomic<RequestWindow*> window_{nullptr};
    CommInter* transport_ = nullptr;
    DeviceInfo info_;
};
