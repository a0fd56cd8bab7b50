#pragma once

#include <cstddef>
#include <cstdint>

// The NVIDIA driver interface as the GPU monitor uses it: statuses are NVAPI's
// (0 success, negative failure), the thermal record has NVAPI's layout so that the
// driver's own entry can fill it in place.

using GpuHandle = void*;

inline constexpr uint32_t kMaxPhysicalGpus = 64;
inline constexpr size_t kGpuErrorTextSize = 64;

inline constexpr int32_t kGpuOk = 0;
inline constexpr int32_t kGpuError = -1;
inline constexpr int32_t kGpuLibraryNotFound = -2;
inline constexpr int32_t kGpuNoImplementation = -3;
inline constexpr int32_t kGpuApiNotInitialized = -4;
inline constexpr int32_t kGpuInvalidArgument = -5;
inline constexpr int32_t kGpuDeviceNotFound = -6;
inline constexpr int32_t kGpuInvalidHandle = -8;
inline constexpr int32_t kGpuIncompatibleStructVersion = -9;
inline constexpr int32_t kGpuExpectedPhysicalGpuHandle = -101;

// Sensor index that asks for every thermal sensor of the GPU.
inline constexpr uint32_t kThermalTargetAll = 15;
inline constexpr uint32_t kThermalSensorsMax = 3;

struct GpuThermalSensor {
    int32_t controller;
    int32_t defaultMinTemp;
    int32_t defaultMaxTemp;
    int32_t currentTemp;
    int32_t target;
};

// NV_GPU_THERMAL_SETTINGS, version 2.
struct GpuThermalSettings {
    uint32_t version;
    uint32_t count;
    GpuThermalSensor sensor[kThermalSensorsMax];
};
static_assert(sizeof(GpuThermalSettings) == 0x44);

inline constexpr uint32_t kThermalSettingsVersion2 = sizeof(GpuThermalSettings) | (2u << 16);
static_assert(kThermalSettingsVersion2 == 0x00020044);

class GpuDriver {
public:
    virtual ~GpuDriver() = default;

    virtual int32_t Initialize() = 0;
    // Fills handles (room for kMaxPhysicalGpus) and count.
    virtual int32_t EnumPhysicalGpus(GpuHandle* handles, uint32_t* count) = 0;
    virtual int32_t GetThermalSettings(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings) = 0;
    // Writes a terminated description of status into text (kGpuErrorTextSize chars).
    virtual int32_t GetErrorMessage(int32_t status, char* text) = 0;
};

// NVAPI's name of a status, for a driver that cannot describe it itself.
const char* DescribeGpuStatus(int32_t status);
