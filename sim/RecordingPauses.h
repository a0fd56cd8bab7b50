#pragma once

#include "base/Pauses.h"
#include "sim/SimClock.h"

#include <mutex>
#include <vector>

// Pauses that do not wait: each one is recorded and, when a clock is given, moves the
// simulated time on by its length.
class RecordingPauses final : public Pauses {
public:
    explicit RecordingPauses(SimClock* clock = nullptr) : clock_(clock) {}

    void Sleep(uint32_t milliseconds) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            pauses_.push_back(milliseconds);
        }
        if (clock_ != nullptr) clock_->Advance(milliseconds);
    }

    std::vector<uint32_t> Recorded() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return pauses_;
    }

    void Forget()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pauses_.clear();
    }

private:
    SimClock* clock_;
    mutable std::mutex mutex_;
    std::vector<uint32_t> pauses_;
};
