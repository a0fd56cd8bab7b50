#include "base/win32/SystemPauses.h"

#include <windows.h>

void SystemPauses::Sleep(uint32_t milliseconds)
{
    ::Sleep(milliseconds);
}
