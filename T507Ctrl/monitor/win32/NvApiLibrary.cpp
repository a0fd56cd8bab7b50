#include "monitor/win32/NvApiLibrary.h"

#include <windows.h>

#include <string>

namespace {

const wchar_t* LibraryName()
{
#ifdef _WIN64
    return L"nvapi64.dll";
#else
    return L"nvapi.dll";
#endif
}

std::wstring SystemFolder()
{
    const UINT size = GetSystemDirectoryW(nullptr, 0);
    if (size == 0) return {};
    std::wstring folder(size, L'\0');
    const UINT length = GetSystemDirectoryW(folder.data(), size);
    if (length == 0 || length >= size) return {};
    folder.resize(length);
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

}  // namespace

NvApiLibraryLookup LoadSystemNvApi()
{
    const std::wstring folder = SystemFolder();
    if (folder.empty()) return {};
    const std::wstring path = folder + LibraryName();
    // Deliberately never freed (see the header).
    const HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr) return {};
    NvApiLibraryLookup lookup;
    lookup.loaded = true;
    lookup.queryInterface = reinterpret_cast<NvApiQueryInterface>(
        reinterpret_cast<void*>(GetProcAddress(library, "nvapi_QueryInterface")));
    return lookup;
}
