#pragma once

#include "base/Pauses.h"
#include "monitor/GpuDriver.h"
#include "monitor/GpuMonitor.h"
#include "monitor/PortAccess.h"
#include "monitor/ReadingSender.h"

#include <atomic>
#include <cstdint>
#include <iostream>
#include <mutex>
#include <thread>

// The sensor host: three threads that poll the fan speed (SMBus fan chip), the GPU
// temperature (NVIDIA driver) and the CPU temperature (Super-I/O hardware monitor)
// every 200 ms and send each accepted reading to the target window.
class Kadu {
public:
    static constexpr uint32_t kPollPauseMs = 200;
    static constexpr uint32_t kSmbusSettleMs = 100;
    static constexpr int kMaxStatusReads = 20000;

    Kadu(PortAccess& ports, Pauses& pauses, ReadingSender& sender, GpuDriver& gpuDriver,
         std::ostream& gpuOutput = std::cout);
    // Sets the stop flag and waits for every thread that was started, serving the
    // readings they are still sending meanwhile.
    virtual ~Kadu();

    Kadu(const Kadu&) = delete;
    Kadu& operator=(const Kadu&) = delete;

    // Stores the target window and starts the fan, GPU and CPU threads, in that
    // order. Only the first call starts anything; false if a thread could not start.
    bool Start(WindowHandle target);
    // Asks the threads to return at the end of their current cycle.
    void Stop() { stop_ = true; }

    GpuMonitor& Gpu() { return gpu_; }

    // Reads one register: bank 0 is the fan-speed chip on the SMBus, any other bank
    // that bank of the Super-I/O hardware monitor. A read that ends without data
    // leaves result as it was.
    void ReadRegister(uint16_t bank, uint8_t reg, uint8_t& result);

    // One cycle of each thread, without its pause; each sends its reading when it is
    // acceptable. resultByte and temperature are the thread's own state, kept from
    // cycle to cycle. The fan poll returns the speed it measured (rpm), the CPU poll
    // the temperature (°C).
    uint32_t PollFanSpeed(WindowHandle target, uint8_t& resultByte);
    uint8_t PollCpuTemperature(WindowHandle target);
    void PollGpuTemperature(WindowHandle target, int32_t& temperature);

private:
    void ReadSuperIo(uint16_t bank, uint8_t reg, uint8_t& result);
    void ReadSmbus(uint8_t reg, uint8_t& result);

    void RunFanThread();
    void RunGpuThread();
    void RunCpuThread();
    template <typename Poll>
    void RunThread(Poll poll);
    void StartThread(std::thread& thread, void (Kadu::*body)());

    std::atomic<bool> stop_{false};
    std::thread fanThread_;
    std::thread gpuThread_;
    std::thread cpuThread_;
    WindowHandle target_ = nullptr;
    std::mutex portLock_;
    GpuMonitor gpu_;

    PortAccess& ports_;
    Pauses& pauses_;
    ReadingSender& sender_;
    bool started_ = false;
    std::atomic<int> running_{0};  // threads that have not yet returned
};
