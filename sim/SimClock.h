#pragma once

#include <atomic>
#include <cstdint>

// Simulated time in milliseconds. The simulated hardware stamps what it receives with
// it and measures its delays and time-outs on it, so tests of long waits run at once.
class SimClock {
public:
    uint64_t NowMs() const { return now_.load(); }
    void Advance(uint64_t milliseconds) { now_ += milliseconds; }

private:
    std::atomic<uint64_t> now_{0};
};
