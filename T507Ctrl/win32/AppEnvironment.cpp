#include "win32/AppEnvironment.h"

#include <vector>

std::wstring ExecutablePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // a long path was cut: ask again with room
    }
}

std::wstring DirectoryOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring ApplicationNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

UserLocale ReadUserLocale()
{
    wchar_t language[20] = {};
    wchar_t country[20] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, 20);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, 20);
    return {language, country};
}

bool CreateFileFromResourceIfMissing(const std::wstring& path, HINSTANCE module, const wchar_t* type, UINT id)
{
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) return false;
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, found);
    if (bytes == nullptr) return false;

    UniqueKernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes, size, &written, nullptr) != FALSE && written == size;
}

bool SingleInstance::Claim(const std::wstring& name)
{
    UniqueKernelHandle existing(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name.c_str()));
    if (existing) return false;
    mutex_.Reset(CreateMutexW(nullptr, TRUE, name.c_str()));
    return true;
}

void SingleInstance::Release()
{
    if (!mutex_) return;
    ReleaseMutex(mutex_.Get());
    mutex_.Reset();
}
