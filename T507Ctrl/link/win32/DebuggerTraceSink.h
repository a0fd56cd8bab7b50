#pragma once

#include "link/DebugTrace.h"

// Trace lines to the debugger output (OutputDebugStringW).
class DebuggerTraceSink final : public TraceSink {
public:
    void Write(const std::wstring& line) override;
};
