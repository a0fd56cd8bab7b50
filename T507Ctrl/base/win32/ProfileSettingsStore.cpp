#include "base/win32/ProfileSettingsStore.h"

#include <windows.h>

#include <vector>

std::wstring ProfileSettingsStore::Read(const std::wstring& section, const std::wstring& key,
                                        const std::wstring& defaultValue, size_t capacity)
{
    if (capacity == 0) return {};
    std::vector<wchar_t> buffer(capacity, L'\0');
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                  static_cast<DWORD>(capacity), path_.c_str());
    return std::wstring(buffer.data(), length);
}

bool ProfileSettingsStore::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    return WritePrivateProfileStringW(section.c_str(), key.c_str(), value.c_str(), path_.c_str()) != FALSE;
}
