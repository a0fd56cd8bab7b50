#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

// Simulated time in milliseconds. The simulated hardware stamps what it receives with
// it and measures its delays and time-outs on it, so tests of long waits run at once.
// The demo lets it follow real time as well, so a restart takes as long as a real one.
class SimClock {
public:
    uint64_t NowMs() const
    {
        uint64_t now = now_.load();
        if (followsRealTime_.load()) {
            const auto elapsed = std::chrono::steady_clock::now() - realStart_;
            now += static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
        }
        return now;
    }

    void Advance(uint64_t milliseconds) { now_ += milliseconds; }

    // From now on time also passes by itself. Call before the clock is shared.
    void FollowRealTime()
    {
        realStart_ = std::chrono::steady_clock::now();
        followsRealTime_ = true;
    }

private:
    std::atomic<uint64_t> now_{0};
    std::atomic<bool> followsRealTime_{false};
    std::chrono::steady_clock::time_point realStart_{};
};
