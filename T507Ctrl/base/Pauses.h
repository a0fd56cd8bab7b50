#pragma once

#include <cstdint>

// Fixed waits of the program (the pacing between controller commands, the sensor
// polling). A seam so that tests can check the pacing without waiting for it.
class Pauses {
public:
    virtual ~Pauses() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
};
