#include "monitor/GpuMonitor.h"
#include "monitor/win32/NvApiLibrary.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The test machine has no NVIDIA driver.
TEST(NvApiLibrary, WithoutTheDriverOpenFailsWithOneAndReadsFail)
{
    EXPECT_FALSE(LoadSystemNvApi().loaded);

    NvApiDriver driver = MakeSystemNvApiDriver();
    std::ostringstream output;
    GpuMonitor monitor(driver, output);
    EXPECT_EQ(monitor.Open(), GpuMonitor::kInitializeFailed);
    EXPECT_EQ(monitor.LastStatus(), kGpuLibraryNotFound);

    int32_t temperature = 0;
    EXPECT_EQ(monitor.ReadTemperature(temperature), 1);
    EXPECT_EQ(output.str(), "Temperature = 00 C\nGet temperature  NVAPI_LIBRARY_NOT_FOUND\n");
}

}  // namespace
