#pragma once

#include "base/Pauses.h"

// Real waits on the calling thread.
class SystemPauses final : public Pauses {
public:
    void Sleep(uint32_t milliseconds) override;
};
