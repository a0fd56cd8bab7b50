#pragma once

#include "base/SettingsStore.h"

#include <functional>
#include <string>

inline constexpr wchar_t kSettingsSection[] = L"Settings";
inline constexpr wchar_t kLanguageKey[] = L"Language";
inline constexpr wchar_t kMinToTrayKey[] = L"MinToTray";

// The user's locale as ISO 639 language and ISO 3166 country codes.
struct UserLocale {
    std::wstring language;
    std::wstring country;
};

std::wstring ToUpperAscii(std::wstring text);

// The language code of this run: the stored one, or the locale's (Chinese as written
// in Taiwan gets English), "EN" when neither says anything. Written back upper case.
// The locale is asked only when nothing is stored.
std::wstring ResolveLanguage(SettingsStore& settings, const std::function<UserLocale()>& readLocale);

// Minimise to tray unless the stored value is exactly "0" (missing counts as "0").
// Written back as "1" or "0".
bool ResolveMinToTray(SettingsStore& settings);
