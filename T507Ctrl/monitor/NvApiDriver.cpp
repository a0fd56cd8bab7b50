#include "monitor/NvApiDriver.h"

#include <cstdio>
#include <utility>

namespace {

using InitializeFunction = int32_t (*)();
using EnumPhysicalGpusFunction = int32_t (*)(GpuHandle*, uint32_t*);
using GetThermalSettingsFunction = int32_t (*)(GpuHandle, uint32_t, GpuThermalSettings*);
using GetErrorMessageFunction = int32_t (*)(int32_t, char*);

constexpr uint32_t kInterfaceIds[] = {NvApiDriver::kInitializeId, NvApiDriver::kEnumPhysicalGpusId,
                                      NvApiDriver::kGetThermalSettingsId, NvApiDriver::kGetErrorMessageId};

template <typename Function>
Function As(void* entry)
{
    return reinterpret_cast<Function>(entry);
}

}  // namespace

NvApiDriver::NvApiDriver(LibraryLoader loadLibrary) : loadLibrary_(std::move(loadLibrary)) {}

void* NvApiDriver::Resolve(Entry entry, int32_t& status)
{
    if (!libraryTried_) {
        libraryTried_ = true;
        if (loadLibrary_) library_ = loadLibrary_();
    }
    if (!library_.loaded) {
        status = kGpuLibraryNotFound;
        return nullptr;
    }
    if (library_.queryInterface == nullptr) {
        status = kGpuError;
        return nullptr;
    }
    if (!asked_[entry]) {
        asked_[entry] = true;
        entries_[entry] = library_.queryInterface(kInterfaceIds[entry]);
    }
    if (entries_[entry] == nullptr) {
        status = entry == kInitialize ? kGpuError : kGpuNoImplementation;
        return nullptr;
    }
    status = kGpuOk;
    return entries_[entry];
}

int32_t NvApiDriver::Initialize()
{
    int32_t status = kGpuOk;
    void* entry = Resolve(kInitialize, status);
    return entry != nullptr ? As<InitializeFunction>(entry)() : status;
}

int32_t NvApiDriver::EnumPhysicalGpus(GpuHandle* handles, uint32_t* count)
{
    int32_t status = kGpuOk;
    void* entry = Resolve(kEnumPhysicalGpus, status);
    return entry != nullptr ? As<EnumPhysicalGpusFunction>(entry)(handles, count) : status;
}

int32_t NvApiDriver::GetThermalSettings(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings)
{
    int32_t status = kGpuOk;
    void* entry = Resolve(kGetThermalSettings, status);
    return entry != nullptr ? As<GetThermalSettingsFunction>(entry)(gpu, sensorIndex, settings) : status;
}

int32_t NvApiDriver::GetErrorMessage(int32_t status, char* text)
{
    int32_t lookup = kGpuOk;
    void* entry = Resolve(kGetErrorMessage, lookup);
    if (entry != nullptr) return As<GetErrorMessageFunction>(entry)(status, text);
    std::snprintf(text, kGpuErrorTextSize, "%s", DescribeGpuStatus(status));
    return lookup;
}
