#include "StartupSettings.h"
#include "sim/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace {

struct LanguageCase {
    const wchar_t* stored;  // null: no key
    const wchar_t* localeLanguage;
    const wchar_t* localeCountry;
    const wchar_t* expected;
    bool localeAsked;
};

class ResolveLanguageCases : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ResolveLanguageCases, ResolvesAndWritesBackUpperCase)
{
    const LanguageCase& c = GetParam();
    MemorySettingsStore settings;
    if (c.stored != nullptr) settings.Write(kSettingsSection, kLanguageKey, c.stored);
    bool asked = false;
    const std::wstring code = ResolveLanguage(settings, [&] {
        asked = true;
        return UserLocale{c.localeLanguage, c.localeCountry};
    });
    EXPECT_EQ(code, c.expected);
    EXPECT_EQ(settings.Value(L"settings", L"language"), c.expected);
    EXPECT_EQ(asked, c.localeAsked);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ResolveLanguageCases,
    ::testing::Values(LanguageCase{nullptr, L"en", L"US", L"EN", true},
                      LanguageCase{nullptr, L"zh", L"CN", L"ZH", true},
                      LanguageCase{nullptr, L"zh", L"TW", L"EN", true},
                      LanguageCase{nullptr, L"de", L"DE", L"DE", true},
                      LanguageCase{L"", L"fr", L"FR", L"FR", true},
                      LanguageCase{nullptr, L"", L"", L"EN", true},
                      LanguageCase{L"zh", L"de", L"TW", L"ZH", false},   // stored value wins; no country then
                      LanguageCase{L"En", L"zh", L"CN", L"EN", false}));

TEST(ResolveMinToTray, AnythingButZeroSetsTheFlag)
{
    const struct {
        const wchar_t* stored;
        bool expected;
    } cases[] = {{nullptr, false}, {L"0", false}, {L"1", true}, {L"yes", true}, {L"", true}, {L"00", true}};
    for (const auto& c : cases) {
        MemorySettingsStore settings;
        if (c.stored != nullptr) settings.Write(kSettingsSection, kMinToTrayKey, c.stored);
        EXPECT_EQ(ResolveMinToTray(settings), c.expected) << (c.stored ? "stored" : "missing");
        EXPECT_EQ(settings.Value(kSettingsSection, kMinToTrayKey), c.expected ? L"1" : L"0");
    }
}

TEST(MemorySettingsStore, BehavesLikeAProfileFile)
{
    MemorySettingsStore settings;
    EXPECT_EQ(settings.Read(L"hanlde_0", L"maxR", L"", 16), L"");
    settings.Write(L"hanlde_0", L"maxR", L"255");
    EXPECT_EQ(settings.Read(L"HANLDE_0", L"MAXR", L"", 16), L"255");
    settings.Write(L"Settings", L"Language", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(settings.Read(L"Settings", L"Language", L"", 20).size(), 19u);
}

}  // namespace
