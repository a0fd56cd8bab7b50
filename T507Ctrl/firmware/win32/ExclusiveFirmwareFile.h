#pragma once

#include "base/win32/UniqueHandle.h"
#include "firmware/FirmwareFile.h"

// The firmware file opened without sharing: while the update reads it, no other
// program can open it, so it cannot change or shrink under the transfer.
class ExclusiveFirmwareFile final : public FirmwareFile {
public:
    bool Open(const std::wstring& path) override;
    bool Length(uint64_t& length) override;
    size_t Read(uint8_t* buffer, size_t count) override;
    void Close() override { file_.Reset(); }

private:
    UniqueKernelHandle file_;
};
