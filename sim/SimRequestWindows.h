#pragma once

#include "link/RequestWindow.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A request window for tests: remembers every executed message and writes the request
// trace, as the program's windows do.
class SimRequestWindow : public RequestWindow {
public:
    struct Done {
        int32_t result = 0;
        int32_t direction = 0;
        std::vector<uint8_t> bytes;   // the message's data after execution
        std::thread::id thread;
    };

    explicit SimRequestWindow(std::wstring traceSource) : traceSource_(std::move(traceSource)) {}

    std::vector<Done> Completed() const;
    void ForgetCompleted();

protected:
    void OnRequestDone(int32_t result, Message* message) override;

private:
    const std::wstring traceSource_;
    mutable std::mutex mutex_;
    std::vector<Done> completed_;
};

// Executes each request at once on the calling thread.
class DirectRequestWindow final : public SimRequestWindow {
public:
    DirectRequestWindow() : SimRequestWindow(L"DirectRequestWindow") {}
    int32_t SendRequest(Message* message) override { return HandleRequest(message); }
};

// Owns a "window thread" and executes every request there, one at a time, while the
// sender waits, as a blocking window-message send does. A request from the window
// thread itself runs at once.
class ThreadRequestWindow final : public SimRequestWindow {
public:
    ThreadRequestWindow();
    ~ThreadRequestWindow() override;

    int32_t SendRequest(Message* message) override;
    // Runs work on the window thread and waits for it.
    void Invoke(const std::function<void()>& work);
    std::thread::id WindowThreadId() const { return thread_.get_id(); }

private:
    void Loop();

    std::mutex queueMutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};
