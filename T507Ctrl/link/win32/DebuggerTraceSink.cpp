#include "link/win32/DebuggerTraceSink.h"

#include <windows.h>

void DebuggerTraceSink::Write(const std::wstring& line)
{
    ::OutputDebugStringW(line.c_str());
}
