#pragma once

#include <cstddef>
#include <string>

// One key of one section of "settings.ini", with the semantics of the private-profile
// functions: a missing key reads as the default, a value is cut to capacity - 1
// characters, writes create the file, section and key as needed.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    virtual std::wstring Read(const std::wstring& section, const std::wstring& key,
                              const std::wstring& defaultValue, size_t capacity) = 0;
    // False when the value could not be stored (the callers carry on regardless).
    virtual bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) = 0;
};
