#pragma once

#include "monitor/GpuDriver.h"

#include <array>
#include <cstdint>
#include <functional>

// The driver library's query-interface export: maps an interface id to an entry.
using NvApiQueryInterface = void* (*)(uint32_t interfaceId);

// What loading the driver library gave: whether it loaded, and its query export.
struct NvApiLibraryLookup {
    bool loaded = false;
    NvApiQueryInterface queryInterface = nullptr;
};

// The NVIDIA driver interface reached through the library's query export. The
// library is loaded on the first call; each entry is asked for once and remembered.
// A missing library makes every call fail with kGpuLibraryNotFound, a missing query
// export or initialise entry with kGpuError, any other missing entry with
// kGpuNoImplementation.
class NvApiDriver final : public GpuDriver {
public:
    static constexpr uint32_t kInitializeId = 0x0150E828;
    static constexpr uint32_t kEnumPhysicalGpusId = 0xE5AC921F;
    static constexpr uint32_t kGetThermalSettingsId = 0xE3640A56;
    static constexpr uint32_t kGetErrorMessageId = 0x6C2D048C;

    using LibraryLoader = std::function<NvApiLibraryLookup()>;
    explicit NvApiDriver(LibraryLoader loadLibrary);

    int32_t Initialize() override;
    int32_t EnumPhysicalGpus(GpuHandle* handles, uint32_t* count) override;
    int32_t GetThermalSettings(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings) override;
    // Without the driver's own entry the status is described by its NVAPI name.
    int32_t GetErrorMessage(int32_t status, char* text) override;

private:
    enum Entry { kInitialize, kEnumPhysicalGpus, kGetThermalSettings, kGetErrorMessage, kEntryCount };

    // The entry, or null with status set to why it is missing.
    void* Resolve(Entry entry, int32_t& status);

    LibraryLoader loadLibrary_;
    bool libraryTried_ = false;
    NvApiLibraryLookup library_;
    std::array<bool, kEntryCount> asked_{};
    std::array<void*, kEntryCount> entries_{};
};
