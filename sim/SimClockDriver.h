#pragma once

#include "sim/SimClock.h"

#include <condition_variable>
#include <mutex>
#include <thread>

// Moves a simulated clock on with real time, for the demo program: the simulated
// controller's restarts then take as long as a real one's.
class SimClockDriver {
public:
    explicit SimClockDriver(SimClock& clock, unsigned tickMs = 10);
    ~SimClockDriver();
    SimClockDriver(const SimClockDriver&) = delete;
    SimClockDriver& operator=(const SimClockDriver&) = delete;

private:
    void Run(unsigned tickMs);

    SimClock& clock_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};
