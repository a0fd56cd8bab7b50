#pragma once

#include <cstdint>

// Ring-0 access to the PC's I/O ports, as the sensor threads need it. The application
// starts it before the main window exists and stops it after the window has closed.
// Until a successful Start (and after Stop) reads return 0 and writes do nothing.
// Implementations must accept calls from several threads at once.
class PortAccess {
public:
    virtual ~PortAccess() = default;

    // True when port access is available.
    virtual bool Start() = 0;
    virtual void Stop() = 0;

    virtual uint8_t ReadPortByte(uint16_t port) = 0;
    virtual uint16_t ReadPortWord(uint16_t port) = 0;
    virtual void WritePortByte(uint16_t port, uint8_t value) = 0;
    virtual void WritePortDword(uint16_t port, uint32_t value) = 0;
};
