#include "StartupSettings.h"

namespace {

constexpr size_t kValueCapacity = 20;

}  // namespace

std::wstring ToUpperAscii(std::wstring text)
{
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

std::wstring ResolveLanguage(SettingsStore& settings, const std::function<UserLocale()>& readLocale)
{
    std::wstring language = settings.Read(kSettingsSection, kLanguageKey, L"", kValueCapacity);
    std::wstring country;
    if (language.empty() && readLocale) {
        const UserLocale locale = readLocale();
        language = locale.language.substr(0, kValueCapacity - 1);
        country = locale.country.substr(0, kValueCapacity - 1);
    }
    language = ToUpperAscii(language);
    country = ToUpperAscii(country);

    std::wstring code = language;
    if (language.empty() || (language == L"ZH" && country == L"TW")) code = L"EN";
    settings.Write(kSettingsSection, kLanguageKey, code);
    return code;
}

bool ResolveMinToTray(SettingsStore& settings)
{
    const bool minToTray = settings.Read(kSettingsSection, kMinToTrayKey, L"0", kValueCapacity) != L"0";
    settings.Write(kSettingsSection, kMinToTrayKey, minToTray ? L"1" : L"0");
    return minToTray;
}
