#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

// The firmware file as the update reads it. A seam: the program opens it so that no
// other program can change it during the update; the portable form uses the C++
// library, which cannot refuse other writers.
class FirmwareFile {
public:
    virtual ~FirmwareFile() = default;

    // Opens the file for reading (closing one still open); false when it cannot be.
    virtual bool Open(const std::wstring& path) = 0;
    // The length of the open file; false when it cannot be told.
    virtual bool Length(uint64_t& length) = 0;
    // Reads up to count bytes from where the last read ended; the number read, 0 at
    // the end or on failure.
    virtual size_t Read(uint8_t* buffer, size_t count) = 0;
    virtual void Close() = 0;
};

// The file through the C++ library, without buffering of its own.
class StreamFirmwareFile final : public FirmwareFile {
public:
    bool Open(const std::wstring& path) override;
    bool Length(uint64_t& length) override;
    size_t Read(uint8_t* buffer, size_t count) override;
    void Close() override;

private:
    std::ifstream stream_;
};
