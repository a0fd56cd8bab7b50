#pragma once

#include "base/Pauses.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

// Pauses for code that loops on its own threads: each pause waits about a
// millisecond whatever its length (so a polling loop neither spins nor takes real
// time) and is counted by its length; a test can wait for a number of pauses.
class CountingPauses final : public Pauses {
public:
    void Sleep(uint32_t milliseconds) override
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++counts_[milliseconds];
        }
        changed_.notify_all();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    uint64_t Count(uint32_t milliseconds) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = counts_.find(milliseconds);
        return found == counts_.end() ? 0 : found->second;
    }

    // True once at least count pauses of that length were taken, false on time-out.
    bool WaitForCount(uint32_t milliseconds, uint64_t count,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return counts_[milliseconds] >= count; });
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<uint32_t, uint64_t> counts_;
};
