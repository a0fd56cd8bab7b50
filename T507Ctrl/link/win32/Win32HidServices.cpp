#include "link/win32/Win32HidServices.h"

#include "base/win32/DeviceHandles.h"

#include <windows.h>

#include <dbt.h>

#include <vector>

struct Win32HidServices::OpenInterface {
    UniqueKernelHandle file;
    UniqueKernelHandle readEvent;    // auto-reset, not signalled
    UniqueKernelHandle writeEvent;
};

struct Win32HidServices::Watch {
    UniqueDeviceNotification registration;
};

namespace {

GUID HidClassGuid()
{
    GUID guid{};
    ::HidD_GetHidGuid(&guid);
    return guid;
}

// One overlapped transfer, waited for at most timeoutMs; a cancelled transfer is
// waited out, so that nothing writes into the buffer after the return.
HidServices::Io FinishOverlapped(HANDLE file, HANDLE event, OVERLAPPED& overlapped, BOOL started, DWORD timeoutMs,
                                 DWORD& transferred)
{
    if (started) {
        return ::GetOverlappedResult(file, &overlapped, &transferred, FALSE) ? HidServices::Io::kDone
                                                                              : HidServices::Io::kFailed;
    }
    if (::GetLastError() != ERROR_IO_PENDING) return HidServices::Io::kFailed;
    const DWORD wait = ::WaitForSingleObject(event, timeoutMs);
    if (wait == WAIT_OBJECT_0) {
        return ::GetOverlappedResult(file, &overlapped, &transferred, FALSE) ? HidServices::Io::kDone
                                                                              : HidServices::Io::kFailed;
    }
    ::CancelIo(file);
    const BOOL completed = ::GetOverlappedResult(file, &overlapped, &transferred, TRUE);
    if (completed && transferred != 0) return HidServices::Io::kDone;   // it came just in time
    return wait == WAIT_TIMEOUT ? HidServices::Io::kTimedOut : HidServices::Io::kFailed;
}

}  // namespace

Win32HidServices::Win32HidServices() = default;
Win32HidServices::~Win32HidServices() = default;

Win32HidServices::OpenInterface* Win32HidServices::Find(Handle handle)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = open_.find(handle);
    return it != open_.end() ? it->second.get() : nullptr;
}

bool Win32HidServices::InterfacePath(uint32_t memberIndex, std::wstring& path)
{
    GUID guid = HidClassGuid();
    UniqueDeviceInfoList list(::SetupDiGetClassDevsW(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!list) return false;

    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    if (!::SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &guid, memberIndex, &data)) return false;

    DWORD size = 0;
    ::SetupDiGetDeviceInterfaceDetailW(list.Get(), &data, nullptr, 0, &size, nullptr);
    if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W)) return false;
    std::vector<DWORD> storage(size / sizeof(DWORD) + 1);   // DWORD-aligned, as the record wants
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(storage.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
    if (!::SetupDiGetDeviceInterfaceDetailW(list.Get(), &data, detail, size, nullptr, nullptr)) return false;
    path = detail->DevicePath;
    return true;
}

HidServices::Handle Win32HidServices::Open(const std::wstring& path, bool exclusive, uint32_t& error)
{
    auto opened = std::make_unique<OpenInterface>();
    opened->file.Reset(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                     exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OVERLAPPED, nullptr));
    if (!opened->file) {
        error = ::GetLastError();
        return kNoHandle;
    }
    opened->readEvent.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    opened->writeEvent.Reset(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!opened->readEvent || !opened->writeEvent) {
        error = ::GetLastError();
        return kNoHandle;
    }
    error = 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const Handle handle = nextHandle_++;
    open_[handle] = std::move(opened);
    return handle;
}

bool Win32HidServices::Attributes(Handle handle, uint16_t& vendor, uint16_t& product)
{
    OpenInterface* open = Find(handle);
    if (open == nullptr) return false;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (!::HidD_GetAttributes(open->file.Get(), &attributes)) return false;
    vendor = attributes.VendorID;
    product = attributes.ProductID;
    return true;
}

bool Win32HidServices::SerialNumber(Handle handle, std::wstring& serial)
{
    OpenInterface* open = Find(handle);
    if (open == nullptr) return false;
    wchar_t text[40] = {};   // 80 bytes
    if (!::HidD_GetSerialNumberString(open->file.Get(), text, sizeof text)) return false;
    text[39] = L'\0';
    serial = text;
    return true;
}

bool Win32HidServices::ReportLengths(Handle handle, uint16_t& inputLength, uint16_t& outputLength)
{
    OpenInterface* open = Find(handle);
    if (open == nullptr) return false;
    PHIDP_PREPARSED_DATA raw = nullptr;
    if (!::HidD_GetPreparsedData(open->file.Get(), &raw)) return false;
    UniquePreparsedData preparsed(raw);
    HIDP_CAPS caps{};
    if (::HidP_GetCaps(preparsed.Get(), &caps) != HIDP_STATUS_SUCCESS) return false;
    inputLength = caps.InputReportByteLength;
    outputLength = caps.OutputReportByteLength;
    return true;
}

void Win32HidServices::SetInputBufferCount(Handle handle, uint32_t count)
{
    if (OpenInterface* open = Find(handle)) ::HidD_SetNumInputBuffers(open->file.Get(), count);
}

bool Win32HidServices::FlushInput(Handle handle, uint32_t& error)
{
    OpenInterface* open = Find(handle);
    if (open == nullptr) {
        error = ERROR_INVALID_HANDLE;
        return false;
    }
    if (::HidD_FlushQueue(open->file.Get())) return true;
    error = ::GetLastError();
    return false;
}

HidServices::Io Win32HidServices::ReadReport(Handle handle, uint8_t* report, size_t length, uint32_t timeoutMs,
                                             size_t& received)
{
    received = 0;
    OpenInterface* open = Find(handle);
    if (open == nullptr || report == nullptr) return Io::kFailed;
    ::ResetEvent(open->readEvent.Get());
    OVERLAPPED overlapped{};
    overlapped.hEvent = open->readEvent.Get();
    DWORD transferred = 0;
    const BOOL started = ::ReadFile(open->file.Get(), report, static_cast<DWORD>(length), nullptr, &overlapped);
    const Io io =
        FinishOverlapped(open->file.Get(), open->readEvent.Get(), overlapped, started, timeoutMs, transferred);
    if (io == Io::kDone) received = transferred;
    return io;
}

HidServices::Io Win32HidServices::WriteReport(Handle handle, const uint8_t* report, size_t length, uint32_t timeoutMs)
{
    OpenInterface* open = Find(handle);
    if (open == nullptr || report == nullptr) return Io::kFailed;
    ::ResetEvent(open->writeEvent.Get());
    OVERLAPPED overlapped{};
    overlapped.hEvent = open->writeEvent.Get();
    DWORD transferred = 0;
    const BOOL started = ::WriteFile(open->file.Get(), report, static_cast<DWORD>(length), nullptr, &overlapped);
    return FinishOverlapped(open->file.Get(), open->writeEvent.Get(), overlapped, started, timeoutMs, transferred);
}

void Win32HidServices::Close(Handle handle)
{
    std::unique_ptr<OpenInterface> closing;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto it = open_.find(handle);
        if (it == open_.end()) return;
        closing = std::move(it->second);
        open_.erase(it);
    }
    ::ResetEvent(closing->readEvent.Get());
    ::ResetEvent(closing->writeEvent.Get());
}

uintptr_t Win32HidServices::WatchInterfaces(void* window)
{
    DEV_BROADCAST_DEVICEINTERFACE_W filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = HidClassGuid();
    auto watch = std::make_unique<Watch>();
    watch->registration.Reset(
        ::RegisterDeviceNotificationW(static_cast<HWND>(window), &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    if (!watch->registration) return 0;
    std::lock_guard<std::mutex> lock(mutex_);
    const uintptr_t registration = nextHandle_++;
    watches_[registration] = std::move(watch);
    return registration;
}

void Win32HidServices::StopWatching(uintptr_t registration)
{
    std::lock_guard<std::mutex> lock(mutex_);
    watches_.erase(registration);
}
