#pragma once

#include "firmware/TaskThreads.h"
#include "sim/SimRequestWindows.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// The message queue of a test's "user-interface thread" (the thread that makes the
// queue): other threads send work to it and wait until that thread has run it, as a
// blocking window-message send does; that thread runs the work while it pumps.
class SimUiQueue {
public:
    SimUiQueue() : owner_(std::this_thread::get_id()) {}
    SimUiQueue(const SimUiQueue&) = delete;
    SimUiQueue& operator=(const SimUiQueue&) = delete;

    // Runs work on the owning thread and waits for it; at once when called there.
    void Send(const std::function<void()>& work);
    // Queues work for the owning thread without waiting (a posted message).
    void Post(std::function<void()> work);
    // On the owning thread: runs the work sent or posted to it until done() holds.
    void PumpUntil(const std::function<bool()>& done);
    // Makes a pumping thread look at its condition again.
    void Wake();
    std::thread::id Owner() const { return owner_; }

private:
    struct Item {
        std::function<void()> work;
        bool done = false;
        bool posted = false;
    };

    const std::thread::id owner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item*> queue_;
};

// Worker threads whose wait pumps a SimUiQueue, as the program's wait pumps the
// window messages. Counts the threads started at above-normal priority.
class SimTaskThreads final : public TaskThreads {
public:
    explicit SimTaskThreads(SimUiQueue& queue) : queue_(queue) {}

    std::unique_ptr<TaskThread> StartAboveNormal(std::function<void()> body) override;
    int Started() const { return started_.load(); }
    // Makes the next start fail, as when the system has no thread to give.
    void FailNextStart() { failNext_ = true; }

private:
    SimUiQueue& queue_;
    std::atomic<int> started_{0};
    std::atomic<bool> failNext_{false};
};

// A request window whose requests run on the queue's thread.
class UiQueueRequestWindow final : public SimRequestWindow {
public:
    explicit UiQueueRequestWindow(SimUiQueue& queue) : SimRequestWindow(L"UiQueueRequestWindow"), queue_(queue) {}

    int32_t SendRequest(Message* message) override
    {
        int32_t result = 0;
        queue_.Send([this, message, &result] { result = HandleRequest(message); });
        return result;
    }

private:
    SimUiQueue& queue_;
};
