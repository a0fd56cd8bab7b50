#pragma once

#include <windows.h>

#include <string>

// The text of a string-table pair for a language code: "EN" takes englishId, "ZH" the
// identifier after it, and any other code an empty text.
std::wstring LanguageText(const std::wstring& language, UINT englishId);
