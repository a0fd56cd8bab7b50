#pragma once

#include "monitor/GpuDriver.h"

#include <cstdint>
#include <mutex>
#include <vector>

// A simulated NVIDIA driver with its GPUs. Each GPU reports the temperature a test or
// the demo sets (50 °C to start with); each of the driver's calls can be made to fail
// with a status of choice, and the driver can be absent altogether. Safe to use from
// several threads.
class SimGpu final : public GpuDriver {
public:
    // What the last thermal read asked for.
    struct ThermalRequest {
        int gpu = -1;  // index of the handle passed, -1 for a handle the driver never gave
        uint32_t sensorIndex = 0;
        uint32_t version = 0;
    };

    SimGpu();

    int32_t Initialize() override;
    int32_t EnumPhysicalGpus(GpuHandle* handles, uint32_t* count) override;
    int32_t GetThermalSettings(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings) override;
    int32_t GetErrorMessage(int32_t status, char* text) override;

    void SetTemperature(int32_t celsius, uint32_t gpu = 0);
    // Between 0 (no NVIDIA GPU: enumeration fails) and kMaxPhysicalGpus.
    void SetGpuCount(uint32_t count);
    // Every call fails as when the driver's library is missing.
    void SetDriverMissing(bool missing);
    // A status other than 0 makes that call fail with it.
    void FailInitialize(int32_t status);
    void FailEnumeration(int32_t status);
    void FailThermalReads(int32_t status);

    int ThermalReadCount() const;
    ThermalRequest LastThermalRequest() const;

private:
    mutable std::mutex mutex_;
    std::vector<int32_t> temperatures_;
    bool driverMissing_ = false;
    bool initialized_ = false;
    int32_t initializeFault_ = kGpuOk;
    int32_t enumerationFault_ = kGpuOk;
    int32_t thermalFault_ = kGpuOk;
    int thermalReads_ = 0;
    ThermalRequest lastRequest_;
};
