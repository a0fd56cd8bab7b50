#pragma once

#include "monitor/GpuDriver.h"

#include <array>
#include <cstdint>
#include <iostream>

// Reads the GPU temperature through the NVIDIA driver interface. Opened once on the
// user-interface thread; read afterwards from the GPU thread only. Each read prints
// its result on the output stream (the process's standard output by default).
class GpuMonitor {
public:
    static constexpr int32_t kSelectedGpu = -1;

    // Results of Open.
    static constexpr int32_t kOpened = 0;
    static constexpr int32_t kInitializeFailed = 1;
    static constexpr int32_t kEnumerationFailed = 2;

    explicit GpuMonitor(GpuDriver& driver, std::ostream& output = std::cout);

    int32_t Open();

    // 0 with temperature set, or 1 on failure. gpuIndex -1 reads the selected GPU.
    int32_t ReadTemperature(int32_t& temperature, int32_t gpuIndex = kSelectedGpu);

    int32_t LastStatus() const { return lastStatus_; }
    const char* ErrorText() const { return errorText_.data(); }
    uint32_t SelectedGpu() const { return selectedGpu_; }
    uint32_t GpuCount() const { return gpuCount_; }
    int32_t LastTemperature() const { return lastTemperature_; }

private:
    void FetchErrorText();
    void Print(const char* line);

    GpuDriver& driver_;
    std::ostream& output_;
    int32_t lastStatus_ = kGpuOk;
    std::array<char, kGpuErrorTextSize> errorText_{};
    uint32_t selectedGpu_ = 0;
    uint32_t gpuCount_ = 0;
    std::array<GpuHandle, kMaxPhysicalGpus> gpus_{};
    int32_t lastTemperature_ = 0;
};
