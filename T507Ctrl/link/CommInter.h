#pragma once

#include <cstdint>

// One row of the device table: the identifiers of a controller model and whether the
// last rescan found it.
struct DeviceEntry {
    uint16_t vendor = 0;
    uint16_t product = 0;
    int32_t present = 0;
};

// The transport that moves frames to and from the controller. Results are 1 or 0;
// Read gives the number of bytes received.
class CommInter {
public:
    // Rescans the machine, marks each table row present or absent, returns how many are.
    virtual int32_t CountPresent() = 0;
    virtual int32_t Open(int32_t index) = 0;
    virtual int32_t IsOpen() = 0;
    virtual int32_t Read(uint8_t* buffer, int32_t count) = 0;
    virtual int32_t Write(const uint8_t* buffer, int32_t count) = 0;
    virtual int32_t Close() = 0;

protected:
    // Destroyed by its owner through the concrete class.
    ~CommInter() = default;
};
