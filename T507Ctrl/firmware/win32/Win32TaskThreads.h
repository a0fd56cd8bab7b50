#pragma once

#include "firmware/TaskThreads.h"

// Worker threads of the system; their wait dispatches the calling thread's messages.
class Win32TaskThreads final : public TaskThreads {
public:
    std::unique_ptr<TaskThread> StartAboveNormal(std::function<void()> body) override;
};
