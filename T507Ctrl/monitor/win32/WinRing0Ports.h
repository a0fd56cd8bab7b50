#pragma once

#include "base/win32/UniqueHandle.h"
#include "monitor/PortAccess.h"

#include <windows.h>

#include <string>

// Port access through the ring-0 port-access library beside the executable
// (WinRing0x64.dll in the 64-bit build, WinRing0.dll in a 32-bit one), loaded by its
// full path only: a copy planted anywhere on the DLL search path is never picked up.
// The library stays loaded until this object is destroyed, so a sensor thread still
// finishing its cycle after Stop never calls into an unloaded library.
class WinRing0Ports final : public PortAccess {
public:
    // The library in the folder of the running executable.
    WinRing0Ports();
    // The library in another folder (ending with a backslash).
    explicit WinRing0Ports(std::wstring folder);
    ~WinRing0Ports() override;

    WinRing0Ports(const WinRing0Ports&) = delete;
    WinRing0Ports& operator=(const WinRing0Ports&) = delete;

    // Loads the library and initialises it; false when either fails.
    bool Start() override;
    void Stop() override;
    uint8_t ReadPortByte(uint16_t port) override;
    uint16_t ReadPortWord(uint16_t port) override;
    void WritePortByte(uint16_t port, uint8_t value) override;
    void WritePortDword(uint16_t port, uint32_t value) override;

    static const wchar_t* LibraryName();

private:
    using InitializeFunction = BOOL(WINAPI*)();
    using DeinitializeFunction = VOID(WINAPI*)();
    using ReadByteFunction = BYTE(WINAPI*)(WORD);
    using ReadWordFunction = WORD(WINAPI*)(WORD);
    using WriteByteFunction = VOID(WINAPI*)(WORD, BYTE);
    using WriteDwordFunction = VOID(WINAPI*)(WORD, DWORD);

    bool LoadLocked();

    std::wstring folder_;
    SRWLOCK lock_ = SRWLOCK_INIT;  // shared by port operations, exclusive for start and stop
    UniqueModule library_;
    bool started_ = false;
    InitializeFunction initialize_ = nullptr;
    DeinitializeFunction deinitialize_ = nullptr;
    ReadByteFunction readByte_ = nullptr;
    ReadWordFunction readWord_ = nullptr;
    WriteByteFunction writeByte_ = nullptr;
    WriteDwordFunction writeDword_ = nullptr;
};
