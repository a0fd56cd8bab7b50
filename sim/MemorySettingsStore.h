#pragma once

#include "base/SettingsStore.h"

#include <map>
#include <mutex>
#include <string>

// Settings kept in memory with the private-profile semantics: section and key names
// compare without regard to ASCII case, reads are cut to the buffer's capacity.
class MemorySettingsStore final : public SettingsStore {
public:
    std::wstring Read(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue,
                      size_t capacity) override;
    bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) override;

    bool Has(const std::wstring& section, const std::wstring& key) const;
    // The stored value, or an empty text when the key is missing.
    std::wstring Value(const std::wstring& section, const std::wstring& key) const;
    void Erase(const std::wstring& section, const std::wstring& key);
    void SetWritable(bool writable) { writable_ = writable; }
    size_t WriteCount() const { return writes_; }

private:
    static std::wstring Folded(const std::wstring& section, const std::wstring& key);

    mutable std::mutex mutex_;
    std::map<std::wstring, std::wstring> values_;
    bool writable_ = true;
    size_t writes_ = 0;
};
