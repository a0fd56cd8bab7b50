#pragma once

#include "link/DebugTrace.h"

#include <mutex>
#include <string>
#include <vector>

// Trace lines kept in a list. Installed as the trace destination for its lifetime;
// the previous destination comes back when it ends.
class SimTraceSink final : public TraceSink {
public:
    SimTraceSink() : previous_(InstallTraceSink(this)) {}
    ~SimTraceSink() override { InstallTraceSink(previous_); }
    SimTraceSink(const SimTraceSink&) = delete;
    SimTraceSink& operator=(const SimTraceSink&) = delete;

    void Write(const std::wstring& line) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.push_back(line);
    }

    std::vector<std::wstring> Lines() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }

    void Forget()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.clear();
    }

private:
    TraceSink* previous_;
    mutable std::mutex mutex_;
    std::vector<std::wstring> lines_;
};
