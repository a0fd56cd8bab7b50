#include "firmware/win32/ExclusiveFirmwareFile.h"

#include <windows.h>

#include <algorithm>

bool ExclusiveFirmwareFile::Open(const std::wstring& path)
{
    file_.Reset(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return static_cast<bool>(file_);
}

bool ExclusiveFirmwareFile::Length(uint64_t& length)
{
    LARGE_INTEGER size{};
    if (!file_ || !::GetFileSizeEx(file_.Get(), &size) || size.QuadPart < 0) return false;
    length = static_cast<uint64_t>(size.QuadPart);
    return true;
}

size_t ExclusiveFirmwareFile::Read(uint8_t* buffer, size_t count)
{
    if (!file_ || buffer == nullptr || count == 0) return 0;
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(count, 0x40000000));
    DWORD got = 0;
    if (!::ReadFile(file_.Get(), buffer, ask, &got, nullptr)) return 0;
    return got;
}
