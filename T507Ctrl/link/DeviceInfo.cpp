#include "link/DeviceInfo.h"

#include <algorithm>

namespace {

uint16_t Word(const uint8_t* bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

const wchar_t* const kModeNames[] = {
    L"Static",          L"Breathing",         L"Colour gradient", L"Seven-colour cycle", L"Flashing",
    L"Flowing water",   L"Flowing colours",   L"Afterglow",       L"Stepping",           L"Volume rhythm",
    L"Brightness rhythm", L"Random flashing", L"Red-blue flashing",
};

}  // namespace

void HandleConfig::LoadWireRecord(const uint8_t* bytes)
{
    mode = bytes[0];
    effectParameter = bytes[1];
    timing1 = Word(bytes, 2);
    timing2 = Word(bytes, 4);
    flags = bytes[6];
    red = bytes[7];
    green = bytes[8];
    blue = bytes[9];
    brightness = bytes[10];
}

DeviceInfo::DeviceInfo()
{
    for (int32_t code = 0; code < 13; ++code) modes_.push_back({code, kModeNames[code]});
    for (int32_t code = 0; code < 4; ++code) modes2_.push_back({code, kModeNames[code]});
}

void DeviceInfo::Reset()
{
    version_.clear();
    for (auto& bank : entries_) bank.clear();
    for (auto& bank : configurations_) bank.clear();
    valid_ = false;
}

void DeviceInfo::ParseInfo(const uint8_t* bytes, size_t length)
{
    if (valid_ || bytes == nullptr || length < kInfoLength) return;
    Reset();
    flags_ = Word(bytes, 0);
    maxPayload_ = Word(bytes, 4);
    reserved_ = Word(bytes, 6);
    maskLength_ = entrySize_ = entryCount_ = configRecordSize_ = locationCount_ = 0;
    if (!InUpgradeMode()) {
        maskLength_ = Word(bytes, 2);
        entrySize_ = Word(bytes, 8);
        entryCount_ = Word(bytes, 10);
        configRecordSize_ = Word(bytes, 12);
        locationCount_ = Word(bytes, 14);
    }

    const size_t recordBytes = HandleConfig::kWireRecordSize + maskLength_;
    const size_t entryTableBytes = static_cast<size_t>(entryCount_) * std::max<size_t>(entrySize_, kEntryStride);
    const size_t recordTableBytes =
        static_cast<size_t>(locationCount_) * std::max<size_t>(configRecordSize_, recordBytes);
    const bool sensibleSize = entryTableBytes <= kMaxTableBytes && recordTableBytes <= kMaxTableBytes;
    tablesSupported_ = sensibleSize && (entryCount_ == 0 || entrySize_ <= kEntryStride) &&
                       (locationCount_ == 0 || configRecordSize_ >= recordBytes);
    if (sensibleSize) {
        for (int bank = 0; bank < BankCount(); ++bank) {
            entries_[bank].assign(static_cast<size_t>(entryCount_) * kEntryStride, 0);
            HandleConfig blank;
            blank.elementMask.assign(maskLength_, 0);
            configurations_[bank].assign(locationCount_, blank);
        }
    }
    versionLength_ = Word(bytes, 16);
    version_.assign(versionLength_, 0);
    valid_ = true;
}

std::string DeviceInfo::VersionText() const
{
    const auto end = std::find(version_.begin(), version_.end(), 0);
    return std::string(version_.begin(), end);
}

std::vector<uint8_t>& DeviceInfo::Entries(int bank)
{
    return entries_[bank == 1 ? 1 : 0];
}

const std::vector<uint8_t>& DeviceInfo::Entries(int bank) const
{
    return entries_[bank == 1 ? 1 : 0];
}

const uint8_t* DeviceInfo::Entry(size_t index, int bank) const
{
    if (bank < 0 || bank > 1) return nullptr;
    const std::vector<uint8_t>& table = entries_[bank];
    if (index >= table.size() / kEntryStride) return nullptr;
    return &table[index * kEntryStride];
}

HandleConfig* DeviceInfo::Configuration(size_t index, int bank)
{
    if (bank < 0 || bank > 1 || index >= configurations_[bank].size()) return nullptr;
    return &configurations_[bank][index];
}

const HandleConfig* DeviceInfo::Configuration(size_t index, int bank) const
{
    if (bank < 0 || bank > 1 || index >= configurations_[bank].size()) return nullptr;
    return &configurations_[bank][index];
}

std::vector<HandleConfig>& DeviceInfo::Configurations(int bank)
{
    return configurations_[bank == 1 ? 1 : 0];
}

bool DeviceInfo::LoadConfigurations(int bank, const uint8_t* wire, size_t length)
{
    if (bank < 0 || bank > 1 || wire == nullptr) return false;
    const size_t stride = HandleConfig::kWireRecordSize + maskLength_;
    std::vector<HandleConfig>& records = configurations_[bank];
    if (records.size() * stride > length) return false;
    for (size_t i = 0; i < records.size(); ++i) {
        const uint8_t* record = wire + i * stride;
        records[i].LoadWireRecord(record);
        records[i].elementMask.assign(record + HandleConfig::kWireRecordSize, record + stride);
    }
    return true;
}
