#pragma once

#include "monitor/ReadingSender.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

struct SentReading {
    WindowHandle target;
    uint32_t message;
    int32_t value;

    bool operator==(const SentReading&) const = default;
};

// Keeps every reading sent, from any thread; a test can wait for one of a kind.
class RecordingSender final : public ReadingSender {
public:
    void SendReading(WindowHandle target, uint32_t message, int32_t value) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            sent_.push_back({target, message, value});
        }
        changed_.notify_all();
    }

    std::vector<SentReading> Sent() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return sent_;
    }

    bool WaitFor(uint32_t message, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] {
            for (const SentReading& reading : sent_) {
                if (reading.message == message) return true;
            }
            return false;
        });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<SentReading> sent_;
};
