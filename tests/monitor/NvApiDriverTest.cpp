#include "monitor/GpuMonitor.h"
#include "monitor/NvApiDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>

namespace {

// A stand-in for the driver library's query export and the entries it hands out.
struct FakeDriverLibrary {
    static inline std::map<uint32_t, int> queries;
    static inline std::set<uint32_t> missing;
    static inline GpuHandle lastGpu = nullptr;
    static inline uint32_t lastSensorIndex = 0;
    static inline uint32_t lastVersion = 0;

    static void Reset()
    {
        queries.clear();
        missing.clear();
        lastGpu = nullptr;
    }

    static int32_t Initialize() { return kGpuOk; }
    static int32_t Enum(GpuHandle* handles, uint32_t* count)
    {
        handles[0] = reinterpret_cast<GpuHandle>(0xC0DE);
        *count = 1;
        return kGpuOk;
    }
    static int32_t Thermal(GpuHandle gpu, uint32_t sensorIndex, GpuThermalSettings* settings)
    {
        lastGpu = gpu;
        lastSensorIndex = sensorIndex;
        lastVersion = settings->version;
        settings->count = 1;
        settings->sensor[0].currentTemp = 61;
        return kGpuOk;
    }
    static int32_t Describe(int32_t, char* text)
    {
        std::strcpy(text, "from the driver");
        return kGpuOk;
    }

    static void* Query(uint32_t id)
    {
        ++queries[id];
        if (missing.count(id) != 0) return nullptr;
        switch (id) {
        case 0x0150E828: return reinterpret_cast<void*>(&Initialize);
        case 0xE5AC921F: return reinterpret_cast<void*>(&Enum);
        case 0xE3640A56: return reinterpret_cast<void*>(&Thermal);
        case 0x6C2D048C: return reinterpret_cast<void*>(&Describe);
        default: return nullptr;
        }
    }
};

class NvApiDriverTest : public ::testing::Test {
protected:
    NvApiDriverTest() { FakeDriverLibrary::Reset(); }

    static NvApiDriver::LibraryLoader Loader(bool loaded, NvApiQueryInterface query, int* loads = nullptr)
    {
        return [=] {
            if (loads != nullptr) ++*loads;
            return NvApiLibraryLookup{loaded, query};
        };
    }

    std::ostringstream output;
};

TEST_F(NvApiDriverTest, ResolvesEachEntryOnceAndPassesTheThermalRecord)
{
    int loads = 0;
    NvApiDriver driver(Loader(true, &FakeDriverLibrary::Query, &loads));
    GpuMonitor monitor(driver, output);
    ASSERT_EQ(monitor.Open(), 0);

    int32_t temperature = 0;
    for (int i = 0; i < 3; ++i) ASSERT_EQ(monitor.ReadTemperature(temperature), 0);
    EXPECT_EQ(temperature, 61);
    EXPECT_EQ(FakeDriverLibrary::lastGpu, reinterpret_cast<GpuHandle>(0xC0DE));
    EXPECT_EQ(FakeDriverLibrary::lastSensorIndex, 15u);
    EXPECT_EQ(FakeDriverLibrary::lastVersion, 0x00020044u);
    EXPECT_STREQ(monitor.ErrorText(), "from the driver");

    EXPECT_EQ(loads, 1);
    const std::map<uint32_t, int> once = {{0x0150E828, 1}, {0xE5AC921F, 1}, {0xE3640A56, 1}, {0x6C2D048C, 1}};
    EXPECT_EQ(FakeDriverLibrary::queries, once);
}

TEST_F(NvApiDriverTest, WithoutTheLibraryEveryCallFailsAndOpenReportsOne)
{
    int loads = 0;
    NvApiDriver driver(Loader(false, nullptr, &loads));
    GpuMonitor monitor(driver, output);
    EXPECT_EQ(monitor.Open(), 1);
    EXPECT_EQ(monitor.LastStatus(), kGpuLibraryNotFound);
    EXPECT_STREQ(monitor.ErrorText(), "NVAPI_LIBRARY_NOT_FOUND");

    int32_t temperature = 0;
    EXPECT_EQ(monitor.ReadTemperature(temperature), 1);
    EXPECT_EQ(output.str(), "Temperature = 00 C\nGet temperature  NVAPI_LIBRARY_NOT_FOUND\n");
    EXPECT_EQ(loads, 1);  // not tried again on every read
}

TEST_F(NvApiDriverTest, AMissingQueryExportOrInitialiseEntryIsAnError)
{
    NvApiDriver withoutQuery(Loader(true, nullptr));
    EXPECT_EQ(withoutQuery.Initialize(), kGpuError);
    EXPECT_EQ(withoutQuery.EnumPhysicalGpus(nullptr, nullptr), kGpuError);

    FakeDriverLibrary::missing = {0x0150E828};
    NvApiDriver withoutInitialize(Loader(true, &FakeDriverLibrary::Query));
    EXPECT_EQ(withoutInitialize.Initialize(), kGpuError);
    EXPECT_EQ(withoutInitialize.Initialize(), kGpuError);
    EXPECT_EQ(FakeDriverLibrary::queries[0x0150E828], 1);  // a missing entry is remembered too
}

TEST_F(NvApiDriverTest, AnyOtherMissingEntryIsNotImplemented)
{
    FakeDriverLibrary::missing = {0xE5AC921F, 0xE3640A56, 0x6C2D048C};
    NvApiDriver driver(Loader(true, &FakeDriverLibrary::Query));
    GpuMonitor monitor(driver, output);
    EXPECT_EQ(monitor.Open(), 2);
    EXPECT_EQ(monitor.LastStatus(), kGpuNoImplementation);
    EXPECT_STREQ(monitor.ErrorText(), "NVAPI_NO_IMPLEMENTATION");  // described without the driver's entry

    GpuThermalSettings settings{};
    EXPECT_EQ(driver.GetThermalSettings(nullptr, 15, &settings), kGpuNoImplementation);
}

}  // namespace
