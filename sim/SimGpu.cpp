#include "sim/SimGpu.h"

#include <cstdio>

using Lock = std::lock_guard<std::mutex>;

namespace {

// The handles are the addresses of these tags, so they stay valid and distinct.
char gpuTags[kMaxPhysicalGpus];

int GpuIndexOf(GpuHandle handle)
{
    const char* tag = static_cast<const char*>(handle);
    for (uint32_t i = 0; i < kMaxPhysicalGpus; ++i) {
        if (tag == &gpuTags[i]) return static_cast<int>(i);
    }
    return -1;
}

constexpr int32_t kControllerGpuInternal = 1;
constexpr int32_t kTargetGpu = 1;

}  // namespace

SimGpu::SimGpu() : temperatures_(1, 50) {}

int32_t SimGpu::Initialize()
{
    Lock lock(mutex_);
    if (driverMissing_) return kGpuLibraryNotFound;
    if (initializeFault_ != kGpuOk) return initializeFault_;
    initialized_ = true;
    return kGpuOk;
}

int32_t SimGpu::EnumPhysicalGpus(GpuHandle* handles, uint32_t* count)
{
    Lock lock(mutex_);
    if (driverMissing_) return kGpuLibraryNotFound;
    if (!initialized_) return kGpuApiNotInitialized;
    if (handles == nullptr || count == nullptr) return kGpuInvalidArgument;
    if (enumerationFault_ != kGpuOk) return enumerationFault_;
    if (temperatures_.empty()) return kGpuDeviceNotFound;
    for (uint32_t i = 0; i < temperatures_.size(); ++i) handles[i] = &gpuTags[i];
    *count = static_cast<uint32_t>(temperatures_.size());
    return kGpuOk;
}

int32_t SimGpu::GetThermalSettings(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings)
{
    Lock lock(mutex_);
    ++thermalReads_;
    const int index = GpuIndexOf(gpu);
    lastRequest_ = {index, sensorIndex, settings != nullptr ? settings->version : 0};
    if (driverMissing_) return kGpuLibraryNotFound;
    if (!initialized_) return kGpuApiNotInitialized;
    if (settings == nullptr) return kGpuInvalidArgument;
    if (settings->version != kThermalSettingsVersion2) return kGpuIncompatibleStructVersion;
    if (index < 0 || static_cast<size_t>(index) >= temperatures_.size()) return kGpuExpectedPhysicalGpuHandle;
    if (sensorIndex != kThermalTargetAll && sensorIndex != 0) return kGpuInvalidArgument;
    if (thermalFault_ != kGpuOk) return thermalFault_;

    settings->count = 1;
    settings->sensor[0] = {kControllerGpuInternal, 0, 127, temperatures_[index], kTargetGpu};
    return kGpuOk;
}

int32_t SimGpu::GetErrorMessage(int32_t status, char* text)
{
    if (text == nullptr) return kGpuInvalidArgument;
    // Without the driver the loader itself names the status, as the real one does.
    std::snprintf(text, kGpuErrorTextSize, "%s", DescribeGpuStatus(status));
    Lock lock(mutex_);
    return driverMissing_ ? kGpuLibraryNotFound : kGpuOk;
}

void SimGpu::SetTemperature(int32_t celsius, uint32_t gpu)
{
    Lock lock(mutex_);
    if (gpu < temperatures_.size()) temperatures_[gpu] = celsius;
}

void SimGpu::SetGpuCount(uint32_t count)
{
    Lock lock(mutex_);
    temperatures_.resize(count < kMaxPhysicalGpus ? count : kMaxPhysicalGpus, 50);
}

void SimGpu::SetDriverMissing(bool missing)
{
    Lock lock(mutex_);
    driverMissing_ = missing;
}

void SimGpu::FailInitialize(int32_t status)
{
    Lock lock(mutex_);
    initializeFault_ = status;
}

void SimGpu::FailEnumeration(int32_t status)
{
    Lock lock(mutex_);
    enumerationFault_ = status;
}

void SimGpu::FailThermalReads(int32_t status)
{
    Lock lock(mutex_);
    thermalFault_ = status;
}

int SimGpu::ThermalReadCount() const
{
    Lock lock(mutex_);
    return thermalReads_;
}

SimGpu::ThermalRequest SimGpu::LastThermalRequest() const
{
    Lock lock(mutex_);
    return lastRequest_;
}
