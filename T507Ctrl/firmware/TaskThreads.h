#pragma once

#include <functional>
#include <memory>

// One worker thread of a task, seen from the thread that started it.
class TaskThread {
public:
    // Waits until the thread has ended (the thread's resources go with the object).
    virtual ~TaskThread() = default;

    // Waits until the thread has ended while the calling thread keeps handling the
    // messages sent or posted to it, so a worker blocked on that thread can go on.
    // False when the wait itself failed.
    virtual bool WaitDispatching() = 0;
};

// Makes worker threads. A seam: the program uses the system's threads and message
// queue, tests a queue of their own.
class TaskThreads {
public:
    virtual ~TaskThreads() = default;

    // Runs body on a new thread at above-normal priority; null when no thread could be made.
    virtual std::unique_ptr<TaskThread> StartAboveNormal(std::function<void()> body) = 0;
};
