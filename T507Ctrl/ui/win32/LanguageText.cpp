#include "ui/win32/LanguageText.h"

#include "ui/win32/Dialog.h"

#include <algorithm>

std::wstring LanguageText(const std::wstring& language, UINT englishId, UINT chineseId, size_t capacity)
{
    UINT id = 0;
    if (language == L"EN") id = englishId;
    else if (language == L"ZH") id = chineseId;
    else return {};
    const wchar_t* text = nullptr;
    // With no buffer size the call gives the text inside the resource itself.
    const int length = ::LoadStringW(Dialog::ResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr || capacity == 0) return {};
    return std::wstring(text, std::min(static_cast<size_t>(length), capacity - 1));
}
