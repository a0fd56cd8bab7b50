#include "link/BrymoUsbDev.h"
#include "link/DeviceManager.h"
#include "link/HidRaw.h"
#include "link/win32/DebuggerTraceSink.h"
#include "link/win32/Win32HidServices.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

bool ControllerPathPresent(Win32HidServices& hid)
{
    for (uint32_t member = 0; member < 128; ++member) {
        std::wstring path;
        if (!hid.InterfacePath(member, path)) return false;
        if (path.find(L"vid_04d9&pid_8008") != std::wstring::npos) return true;
    }
    return false;
}

TEST(Win32HidServices, EnumerationWithoutControllerFindsNoDevice)
{
    Win32HidServices hid;
    ASSERT_FALSE(ControllerPathPresent(hid)) << "a real lighting controller is attached";
    std::wstring path;
    EXPECT_FALSE(hid.InterfacePath(100000, path));
    EXPECT_EQ(HidFindPath(hid, 0x04D9, 0x8008, 0, path), kHidOtherFailure);
    DeviceSerial slots[1];
    EXPECT_EQ(HidCountDevices(hid, 0x04D9, 0x8008, slots, 1), 0);
    EXPECT_EQ(HidCountInterfaces(hid, 0x04D9, 0x8008, 1), 0);
}

TEST(Win32HidServices, TransportFailsCleanlyWithoutController)
{
    Win32HidServices hid;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    BrymoUsbDev transport(hid);
    transport.Init(nullptr, table, 1);
    EXPECT_EQ(transport.CountPresent(), 0);
    EXPECT_EQ(table[0].present, 0);
    EXPECT_EQ(transport.Open(0), 0);
    EXPECT_EQ(transport.IsOpen(), 0);
    uint8_t buffer[12] = {};
    EXPECT_EQ(transport.Write(buffer, 12), 0);
    EXPECT_EQ(transport.Read(buffer, 12), 0);
    transport.Close();
}

TEST(Win32HidServices, DeviceManagerReportsNoDevice)
{
    Win32HidServices hid;
    DeviceEntry table[1] = {{0x04D9, 0x8008, 0}};
    DeviceManager manager(hid);
    manager.Setup(nullptr, nullptr, table, 1);
    manager.RefreshNames();
    EXPECT_TRUE(manager.Names().empty());
    EXPECT_EQ(manager.Connect(0), 0);
    EXPECT_EQ(manager.IsConnected(), 0);
    EXPECT_EQ(manager.Controller()->ReadDeviceInfo(), 0);
}

TEST(Win32HidServices, OpeningAMissingPathGivesTheSystemError)
{
    Win32HidServices hid;
    uint32_t error = 0;
    EXPECT_EQ(hid.Open(L"\\\\?\\hid#vid_04d9&pid_8008#0&0&0#{4d1e55b2-f16f-11cf-88cb-001111000030}", false, error),
              HidServices::kNoHandle);
    EXPECT_NE(error, 0u);
    // Unknown handles are refused, not dereferenced.
    uint16_t vendor = 0;
    uint16_t product = 0;
    EXPECT_FALSE(hid.Attributes(12345, vendor, product));
    EXPECT_FALSE(hid.FlushInput(12345, error));
    EXPECT_EQ(error, static_cast<uint32_t>(ERROR_INVALID_HANDLE));
    size_t received = 0;
    uint8_t report[64] = {};
    EXPECT_EQ(hid.ReadReport(12345, report, 64, 10, received), HidServices::Io::kFailed);
    hid.Close(12345);
}

TEST(Win32HidServices, OpenedFileGivesNoHidIdentity)
{
    // Any file opens through the same path; a non-HID file has no HID attributes.
    wchar_t directory[MAX_PATH] = {};
    ASSERT_NE(::GetTempPathW(MAX_PATH, directory), 0u);
    const std::wstring file = std::wstring(directory) + L"lumivar-hid-test.bin";
    ::DeleteFileW(file.c_str());
    HANDLE created = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(created, INVALID_HANDLE_VALUE);
    ::CloseHandle(created);

    Win32HidServices hid;
    uint32_t error = 0;
    const HidServices::Handle handle = hid.Open(file, true, error);
    ASSERT_NE(handle, HidServices::kNoHandle);
    // Held exclusively: a second open meets a sharing violation.
    EXPECT_EQ(hid.Open(file, false, error), HidServices::kNoHandle);
    EXPECT_EQ(error, HidServices::kErrorSharingViolation);
    uint16_t vendor = 0;
    uint16_t product = 0;
    EXPECT_FALSE(hid.Attributes(handle, vendor, product));
    hid.Close(handle);
    ::DeleteFileW(file.c_str());
}

TEST(Win32HidServices, WatchingAWindowRegistersAndStops)
{
    HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    Win32HidServices hid;
    const uintptr_t registration = hid.WatchInterfaces(window);
    hid.StopWatching(registration);
    ::DestroyWindow(window);
}

TEST(DebuggerTraceSink, WritesToTheDebuggerOutput)
{
    DebuggerTraceSink sink;
    TraceSink* previous = InstallTraceSink(&sink);
    DebugTrace(L"dpi:%d\r\n", L"Win32HidServicesTest.cpp", 1, 96);
    InstallTraceSink(previous);
}

}  // namespace
