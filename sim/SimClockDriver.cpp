#include "sim/SimClockDriver.h"

#include <chrono>

SimClockDriver::SimClockDriver(SimClock& clock, unsigned tickMs)
    : clock_(clock), thread_([this, tickMs] { Run(tickMs); })
{
}

SimClockDriver::~SimClockDriver()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SimClockDriver::Run(unsigned tickMs)
{
    using Clock = std::chrono::steady_clock;
    auto last = Clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(tickMs), [this] { return stop_; })) {
        const auto now = Clock::now();
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - last);
        if (elapsed.count() > 0) {
            clock_.Advance(static_cast<uint64_t>(elapsed.count()));
            last += elapsed;
        }
    }
}
