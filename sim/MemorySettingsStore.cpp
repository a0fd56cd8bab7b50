#include "sim/MemorySettingsStore.h"

std::wstring MemorySettingsStore::Folded(const std::wstring& section, const std::wstring& key)
{
    std::wstring out = section + L'\n' + key;
    for (wchar_t& c : out) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return out;
}

std::wstring MemorySettingsStore::Read(const std::wstring& section, const std::wstring& key,
                                       const std::wstring& defaultValue, size_t capacity)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = values_.find(Folded(section, key));
    const std::wstring& value = found == values_.end() ? defaultValue : found->second;
    if (capacity == 0) return {};
    return value.substr(0, capacity - 1);
}

bool MemorySettingsStore::Write(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    ++writes_;
    if (!writable_) return false;
    values_[Folded(section, key)] = value;
    return true;
}

bool MemorySettingsStore::Has(const std::wstring& section, const std::wstring& key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return values_.count(Folded(section, key)) != 0;
}

std::wstring MemorySettingsStore::Value(const std::wstring& section, const std::wstring& key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = values_.find(Folded(section, key));
    return found == values_.end() ? std::wstring() : found->second;
}

void MemorySettingsStore::Erase(const std::wstring& section, const std::wstring& key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    values_.erase(Folded(section, key));
}
