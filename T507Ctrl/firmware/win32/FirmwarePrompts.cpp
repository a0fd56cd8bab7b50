#include "firmware/win32/FirmwarePrompts.h"

#include <commdlg.h>

#include <vector>

std::wstring FileDialogFilter(const std::wstring& barSeparated)
{
    std::wstring filter = barSeparated;
    for (wchar_t& c : filter) {
        if (c == L'|') c = L'\0';
    }
    filter.push_back(L'\0');
    return filter;
}

bool SystemFirmwarePrompts::ChooseFile(HWND owner, const std::wstring& title, std::wstring& path)
{
    const std::wstring filter = FileDialogFilter(L"(*.*)|*.*|");
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST |
                   OFN_NOCHANGEDIR;
    if (!::GetOpenFileNameW(&dialog)) return false;
    path.assign(file.data());
    return !path.empty();
}

int SystemFirmwarePrompts::Show(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}
