#include "monitor/GpuDriver.h"

const char* DescribeGpuStatus(int32_t status)
{
    switch (status) {
    case kGpuOk: return "NVAPI_OK";
    case kGpuError: return "NVAPI_ERROR";
    case kGpuLibraryNotFound: return "NVAPI_LIBRARY_NOT_FOUND";
    case kGpuNoImplementation: return "NVAPI_NO_IMPLEMENTATION";
    case kGpuApiNotInitialized: return "NVAPI_API_NOT_INITIALIZED";
    case kGpuInvalidArgument: return "NVAPI_INVALID_ARGUMENT";
    case kGpuDeviceNotFound: return "NVAPI_NVIDIA_DEVICE_NOT_FOUND";
    case kGpuInvalidHandle: return "NVAPI_INVALID_HANDLE";
    case kGpuIncompatibleStructVersion: return "NVAPI_INCOMPATIBLE_STRUCT_VERSION";
    case kGpuExpectedPhysicalGpuHandle: return "NVAPI_EXPECTED_PHYSICAL_GPU_HANDLE";
    default: return "NVAPI_ERROR";
    }
}
