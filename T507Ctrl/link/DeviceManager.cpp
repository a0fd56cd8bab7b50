#include "link/DeviceManager.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int32_t kLinkNone = 0;
constexpr int32_t kLinkUsbHid = 1;

}  // namespace

std::wstring DeviceDisplayName(const DeviceEntry& entry)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X_%04X", entry.vendor, entry.product);
    return std::wstring(text, text + std::strlen(text));
}

DeviceManager::DeviceManager(HidServices& hid) : hid_(hid) {}

DeviceManager::~DeviceManager()
{
    std::lock_guard<std::mutex> lock(lock_);
    transport_.reset();   // closes the device
}

void DeviceManager::Setup(RequestWindow* window, void* notificationWindow, DeviceEntry* table, int32_t rowCount)
{
    std::lock_guard<std::mutex> lock(lock_);
    table_ = table;
    rowCount_ = table != nullptr && rowCount > 0 ? rowCount : 0;
    transport_ = std::make_unique<BrymoUsbDev>(hid_);
    transport_->Init(notificationWindow, table_, rowCount_);
    link_.Attach(transport_.get(), window);
    linkType_ = kLinkUsbHid;
}

int32_t DeviceManager::Connect(int32_t index)
{
    std::lock_guard<std::mutex> lock(lock_);
    if (linkType_ == kLinkNone) return 0;
    if (index > presentCount_) return 0;
    selectedIndex_ = index;
    return transport_->Open(index);
}

void DeviceManager::Disconnect()
{
    std::lock_guard<std::mutex> lock(lock_);
    if (linkType_ != kLinkNone) transport_->Close();
}

int32_t DeviceManager::IsConnected()
{
    std::lock_guard<std::mutex> lock(lock_);
    return linkType_ != kLinkNone && transport_->IsOpen() != 0 ? 1 : 0;
}

ControllerLink* DeviceManager::Controller()
{
    std::lock_guard<std::mutex> lock(lock_);
    return linkType_ != kLinkNone ? &link_ : nullptr;
}

int32_t DeviceManager::SelectedIndex()
{
    std::lock_guard<std::mutex> lock(lock_);
    return selectedIndex_;
}

int32_t DeviceManager::PresentCount()
{
    std::lock_guard<std::mutex> lock(lock_);
    return presentCount_;
}

void DeviceManager::RefreshNames()
{
    std::lock_guard<std::mutex> lock(lock_);
    if (linkType_ == kLinkNone) return;
    presentCount_ = transport_->CountPresent();
    names_.clear();
    std::wstring name;
    for (int32_t i = 0; i < presentCount_; ++i) {
        for (int32_t row = i; row < rowCount_; ++row) {
            if (table_[row].present != 0) {
                name = DeviceDisplayName(table_[row]);
                break;
            }
        }
        names_.push_back(name);
    }
}

std::vector<std::wstring> DeviceManager::Names()
{
    std::lock_guard<std::mutex> lock(lock_);
    return names_;
}
