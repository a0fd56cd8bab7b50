#pragma once

#include "monitor/NvApiDriver.h"

// Loads the NVIDIA driver library from the Windows system directory by its full path
// (nvapi64.dll for a 64-bit process, nvapi.dll for a 32-bit one) and finds its
// query-interface export. The library is never unloaded: the driver keeps state and
// threads of its own in the process.
NvApiLibraryLookup LoadSystemNvApi();

// The driver interface over that library.
inline NvApiDriver MakeSystemNvApiDriver()
{
    return NvApiDriver(LoadSystemNvApi);
}
