#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

// Starts a program, waits until its message loop first goes idle (its first window has
// been created and painted), and prints that time and the program's working set.
//   bench_startup_probe <program.exe>
namespace {

BOOL CALLBACK CloseWindowsOf(HWND window, LPARAM processId)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: bench_startup_probe <program.exe>\n");
        return 2;
    }
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};

    LARGE_INTEGER frequency, start, idle;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    const DWORD waited = WaitForInputIdle(process.hProcess, 30000);
    QueryPerformanceCounter(&idle);

    Sleep(1000);  // let the working set settle after the first paint
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);

    EnumWindows(CloseWindowsOf, static_cast<LPARAM>(process.dwProcessId));
    if (WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    const double ms = 1000.0 * static_cast<double>(idle.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
    std::printf("idle_ms=%.1f working_set_kib=%llu peak_working_set_kib=%llu%s\n", ms,
                static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
                static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
                waited == 0 ? "" : " (never went idle)");
    return 0;
}
