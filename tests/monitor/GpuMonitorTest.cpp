#include "monitor/GpuMonitor.h"
#include "sim/SimGpu.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

class GpuMonitorTest : public ::testing::Test {
protected:
    SimGpu gpu;
    std::ostringstream output;
    GpuMonitor monitor{gpu, output};
};

TEST_F(GpuMonitorTest, ReadsTheSelectedGpuAndPrintsTheTemperature)
{
    gpu.SetGpuCount(2);
    gpu.SetTemperature(45, 0);
    gpu.SetTemperature(70, 1);
    ASSERT_EQ(monitor.Open(), GpuMonitor::kOpened);
    EXPECT_EQ(monitor.GpuCount(), 2u);

    int32_t temperature = 0;
    EXPECT_EQ(monitor.ReadTemperature(temperature, GpuMonitor::kSelectedGpu), 0);
    EXPECT_EQ(temperature, 45);
    EXPECT_EQ(monitor.LastTemperature(), 45);
    EXPECT_EQ(output.str(), "Temperature = 45 C\n");

    const SimGpu::ThermalRequest request = gpu.LastThermalRequest();
    EXPECT_EQ(request.gpu, 0);
    EXPECT_EQ(request.sensorIndex, 15u);
    EXPECT_EQ(request.version, 0x00020044u);

    EXPECT_EQ(monitor.ReadTemperature(temperature, 1), 0);
    EXPECT_EQ(temperature, 70);
}

TEST_F(GpuMonitorTest, PadsTheTemperatureToTwoDigits)
{
    ASSERT_EQ(monitor.Open(), 0);
    gpu.SetTemperature(7);
    int32_t temperature = 0;
    ASSERT_EQ(monitor.ReadTemperature(temperature), 0);
    EXPECT_EQ(output.str(), "Temperature = 07 C\n");
}

TEST_F(GpuMonitorTest, AFailedReadPrintsTheErrorAndKeepsTheLastTemperature)
{
    ASSERT_EQ(monitor.Open(), 0);
    gpu.SetTemperature(52);
    int32_t temperature = 0;
    ASSERT_EQ(monitor.ReadTemperature(temperature), 0);
    output.str("");

    gpu.FailThermalReads(kGpuInvalidHandle);
    EXPECT_EQ(monitor.ReadTemperature(temperature), 1);
    EXPECT_EQ(monitor.LastStatus(), kGpuInvalidHandle);
    EXPECT_STREQ(monitor.ErrorText(), "NVAPI_INVALID_HANDLE");
    EXPECT_EQ(output.str(), "Temperature = 00 C\nGet temperature  NVAPI_INVALID_HANDLE\n");
    EXPECT_EQ(monitor.LastTemperature(), 52);
}

TEST_F(GpuMonitorTest, AnIndexOutsideTheHandleTableFailsWithoutCallingTheDriver)
{
    ASSERT_EQ(monitor.Open(), 0);
    int32_t temperature = 0;
    for (int32_t index : {64, 1000, -2}) {
        EXPECT_EQ(monitor.ReadTemperature(temperature, index), 1) << index;
        EXPECT_EQ(monitor.LastStatus(), kGpuInvalidArgument);
    }
    EXPECT_EQ(gpu.ThermalReadCount(), 0);
}

TEST_F(GpuMonitorTest, OpenReportsWhichStepFailed)
{
    gpu.SetDriverMissing(true);
    EXPECT_EQ(monitor.Open(), GpuMonitor::kInitializeFailed);
    EXPECT_EQ(monitor.LastStatus(), kGpuLibraryNotFound);
    EXPECT_STREQ(monitor.ErrorText(), "NVAPI_LIBRARY_NOT_FOUND");

    int32_t temperature = 0;
    EXPECT_EQ(monitor.ReadTemperature(temperature), 1);  // later reads fail too

    gpu.SetDriverMissing(false);
    gpu.FailInitialize(kGpuError);
    EXPECT_EQ(monitor.Open(), GpuMonitor::kInitializeFailed);

    gpu.FailInitialize(kGpuOk);
    gpu.FailEnumeration(kGpuError);
    EXPECT_EQ(monitor.Open(), GpuMonitor::kEnumerationFailed);
    EXPECT_EQ(monitor.GpuCount(), 0u);

    gpu.FailEnumeration(kGpuOk);
    gpu.SetGpuCount(0);  // a PC without an NVIDIA GPU
    EXPECT_EQ(monitor.Open(), GpuMonitor::kEnumerationFailed);
    EXPECT_EQ(monitor.LastStatus(), kGpuDeviceNotFound);
    EXPECT_EQ(monitor.ReadTemperature(temperature), 1);  // the handles stay null
}

}  // namespace
