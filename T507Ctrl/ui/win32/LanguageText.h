#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// The text of a message of the string table in the language of a language code:
// exactly "EN" takes the English string, exactly "ZH" the Chinese one, any other code
// gets an empty text. Cut to capacity - 1 characters, as a text loaded into a buffer of
// that many characters.
std::wstring LanguageText(const std::wstring& language, UINT englishId, UINT chineseId, size_t capacity);
