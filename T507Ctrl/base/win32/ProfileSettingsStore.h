#pragma once

#include "base/SettingsStore.h"

#include <string>

// "settings.ini" through GetPrivateProfileStringW and WritePrivateProfileStringW.
class ProfileSettingsStore final : public SettingsStore {
public:
    explicit ProfileSettingsStore(std::wstring path) : path_(std::move(path)) {}

    std::wstring Read(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                      size_t capacity) override;
    bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};
