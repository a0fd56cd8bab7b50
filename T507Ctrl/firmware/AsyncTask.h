#pragma once

#include "firmware/ProgressWindow.h"
#include "firmware/TaskThreads.h"

#include <atomic>
#include <cstdint>
#include <memory>

// Runs one job on a worker thread at above-normal priority, while the starting thread
// can wait for it and keep handling its messages. Progress goes to a progress window.
class AsyncTask {
public:
    enum TaskState : int32_t {
        kTaskStarting = 0,    // Start was called
        kTaskRunning = 1,     // Run is executing
        kTaskWaited = 2,      // a waiting loop has seen the worker end
        kTaskFinishing = 3,   // Run returned, OnFinish is executing
    };

    explicit AsyncTask(TaskThreads& threads);
    // Waits for the worker when one is still running.
    virtual ~AsyncTask();
    AsyncTask(const AsyncTask&) = delete;
    AsyncTask& operator=(const AsyncTask&) = delete;

    // Calls OnStart here, then Run and OnFinish on a new worker thread. False when a
    // worker already exists or no thread could be made (then nothing ran).
    bool Start();
    // Waits for the worker while handling this thread's messages; returns at once
    // without one.
    void WaitWithMessages();
    bool HasWorker() const { return worker_ != nullptr; }

    void SetProgressWindow(ProgressWindow* window) { progressWindow_.store(window); }
    // Nothing happens without a progress window.
    void SendProgress(int32_t code, intptr_t value);

    int32_t GetTaskState() const { return taskState_.load(); }

protected:
    virtual void OnStart() {}
    virtual int32_t Run() = 0;
    virtual void OnFinish(int32_t /*result*/) {}

    // Waits for the worker and lets it go. A derived class calls it in its destructor,
    // before the members the worker uses are gone.
    void EndWorker();

private:
    void Work();

    TaskThreads& threads_;
    std::unique_ptr<TaskThread> worker_;
    std::atomic<ProgressWindow*> progressWindow_{nullptr};
    std::atomic<int32_t> taskState_{kTaskStarting};
};
