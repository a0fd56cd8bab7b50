#include "monitor/GpuMonitor.h"

#include <cstdio>

GpuMonitor::GpuMonitor(GpuDriver& driver, std::ostream& output) : driver_(driver), output_(output) {}

int32_t GpuMonitor::Open()
{
    lastStatus_ = driver_.Initialize();
    FetchErrorText();
    if (lastStatus_ != kGpuOk) return kInitializeFailed;

    uint32_t count = 0;
    lastStatus_ = driver_.EnumPhysicalGpus(gpus_.data(), &count);
    FetchErrorText();
    if (lastStatus_ != kGpuOk) {
        gpus_.fill(nullptr);
        gpuCount_ = 0;
        return kEnumerationFailed;
    }
    gpuCount_ = count < kMaxPhysicalGpus ? count : kMaxPhysicalGpus;
    return kOpened;
}

int32_t GpuMonitor::ReadTemperature(int32_t& temperature, int32_t gpuIndex)
{
    const uint32_t index = gpuIndex == kSelectedGpu ? selectedGpu_ : static_cast<uint32_t>(gpuIndex);

    // Zeroed, so that a failed call leaves a defined (meaningless) value behind.
    GpuThermalSettings settings{};
    settings.version = kThermalSettingsVersion2;
    if (index < kMaxPhysicalGpus) {
        lastStatus_ = driver_.GetThermalSettings(gpus_[index], kThermalTargetAll, &settings);
    } else {
        lastStatus_ = kGpuInvalidArgument;
    }

    const int32_t t = settings.sensor[0].currentTemp;
    char line[64];
    std::snprintf(line, sizeof line, "Temperature = %02d C\n", static_cast<int>(t));
    Print(line);
    temperature = t;

    FetchErrorText();
    if (lastStatus_ != kGpuOk) {
        char errorLine[32 + kGpuErrorTextSize];
        std::snprintf(errorLine, sizeof errorLine, "Get temperature  %s\n", errorText_.data());
        Print(errorLine);
        return 1;
    }
    lastTemperature_ = t;
    return 0;
}

void GpuMonitor::FetchErrorText()
{
    errorText_.fill('\0');
    driver_.GetErrorMessage(lastStatus_, errorText_.data());
    errorText_.back() = '\0';  // whatever the driver wrote, keep it terminated
}

void GpuMonitor::Print(const char* line)
{
    output_ << line;
    output_.flush();
}
