#pragma once

#include "link/Frame.h"
#include "sim/SimLightingController.h"

#include <algorithm>
#include <cstdint>
#include <vector>

// Talks to a simulated controller report by report, the way a host would.
namespace simtest {

using Bytes = std::vector<uint8_t>;

inline Bytes FrameBytes(uint8_t command, const Bytes& payload, uint16_t access)
{
    Frame frame;
    const uint8_t* wire = frame.Build(command, payload.data(), static_cast<uint16_t>(payload.size()), access);
    return Bytes(wire, wire + frame.Length());
}

// Sends bytes as 64-byte output reports carrying at most `chunk` data bytes each.
inline void SendBytes(SimLightingController& controller, const Bytes& bytes, size_t chunk = 61)
{
    size_t offset = 0;
    do {
        const size_t n = std::min(chunk, bytes.size() - offset);
        Bytes report(64, 0);
        report[0] = 0x3F;
        report[1] = static_cast<uint8_t>(n);
        report[2] = offset + n < bytes.size() ? 1 : 0;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, report.begin() + 3);
        controller.ReceiveOutputReport(report.data(), report.size());
        offset += n;
    } while (offset < bytes.size());
}

inline void Get(SimLightingController& controller, uint8_t command, const Bytes& payload = {})
{
    SendBytes(controller, FrameBytes(command, payload, Frame::kAccessGet));
}

inline void Set(SimLightingController& controller, uint8_t command, const Bytes& payload)
{
    SendBytes(controller, FrameBytes(command, payload, Frame::kAccessSet));
}

// Waits a moment for the controller to answer, then takes the data of every input
// report that has arrived, in order.
inline Bytes TakeArrivedData(SimLightingController& controller, int* reportCount = nullptr)
{
    constexpr uint64_t kMoment = 10;
    controller.Clock().Advance(kMoment);
    Bytes data;
    int count = 0;
    while (auto report = controller.PeekInputReport()) {
        if (report->readyMs > controller.Clock().NowMs()) break;
        controller.PopInputReport();
        ++count;
        const size_t n = std::min<size_t>(report->bytes[1], report->bytes.size() - 2);
        data.insert(data.end(), report->bytes.begin() + 2, report->bytes.begin() + 2 + static_cast<std::ptrdiff_t>(n));
    }
    if (reportCount != nullptr) *reportCount = count;
    return data;
}

// The payload of the reply that has arrived, or nothing when none parses.
inline bool TakeReply(SimLightingController& controller, Bytes& payload, uint8_t* command = nullptr)
{
    const Bytes data = TakeArrivedData(controller);
    Frame frame;
    if (frame.Parse(data.data(), data.size()) == 0) return false;
    payload.assign(frame.Bytes(), frame.Bytes() + frame.Length());
    if (command != nullptr) *command = frame.Command();
    return true;
}

}  // namespace simtest
