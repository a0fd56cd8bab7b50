#include "monitor/win32/WinRing0Ports.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

namespace {

std::wstring TempFolder(const wchar_t* name)
{
    wchar_t temp[MAX_PATH];
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp, length) + name + L"\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void ExpectNoPortAccess(WinRing0Ports& ports)
{
    EXPECT_FALSE(ports.Start());
    EXPECT_EQ(ports.ReadPortByte(0xA26), 0);
    EXPECT_EQ(ports.ReadPortWord(0xCFC), 0);
    ports.WritePortByte(0xA25, 0x4E);
    ports.WritePortDword(0xCF8, 0x8000FC20);
    ports.Stop();
    ports.Stop();
}

TEST(WinRing0Ports, NamesTheLibraryForTheBuildsWordSize)
{
    EXPECT_STREQ(WinRing0Ports::LibraryName(), sizeof(void*) == 8 ? L"WinRing0x64.dll" : L"WinRing0.dll");
}

TEST(WinRing0Ports, WithoutTheLibraryBesideTheExecutableStartFails)
{
    WinRing0Ports ports;
    ExpectNoPortAccess(ports);
}

TEST(WinRing0Ports, AFileThatIsNotTheLibraryIsRefused)
{
    const std::wstring folder = TempFolder(L"lumivar-winring0-test");
    const std::wstring path = folder + WinRing0Ports::LibraryName();
    std::ofstream(path.c_str(), std::ios::binary) << "not a library";

    WinRing0Ports ports(folder);
    ExpectNoPortAccess(ports);

    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(WinRing0Ports, AnotherDllInThatPlaceIsRefusedForItsMissingExports)
{
    // A genuine library that lacks the port functions must not be taken.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring folder = TempFolder(L"lumivar-winring0-other");
    const std::wstring path = folder + WinRing0Ports::LibraryName();
    ASSERT_TRUE(CopyFileW((std::wstring(system, length) + L"\\version.dll").c_str(), path.c_str(), FALSE));

    {
        WinRing0Ports ports(folder);
        ExpectNoPortAccess(ports);
    }

    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(WinRing0Ports, AnEmptyFolderNeverFallsBackToTheSearchPath)
{
    WinRing0Ports ports(std::wstring{});
    ExpectNoPortAccess(ports);
}

}  // namespace
