#include "sim/SimRequestWindows.h"

#include "link/DebugTrace.h"
#include "link/Message.h"

#include <future>

std::vector<SimRequestWindow::Done> SimRequestWindow::Completed() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return completed_;
}

void SimRequestWindow::ForgetCompleted()
{
    std::lock_guard<std::mutex> lock(mutex_);
    completed_.clear();
}

void SimRequestWindow::OnRequestDone(int32_t result, Message* message)
{
    Done done;
    done.result = result;
    done.thread = std::this_thread::get_id();
    if (message != nullptr) {
        done.direction = message->GetDirection();
        if (message->Data() != nullptr && message->Length() > 0) {
            done.bytes.assign(message->Data(), message->Data() + message->Length());
        }
        TraceRequest(result, *message, traceSource_.c_str(), 0);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    completed_.push_back(std::move(done));
}

ThreadRequestWindow::ThreadRequestWindow() : SimRequestWindow(L"ThreadRequestWindow"), thread_([this] { Loop(); }) {}

ThreadRequestWindow::~ThreadRequestWindow()
{
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void ThreadRequestWindow::Loop()
{
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock<std::mutex> lock(queueMutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (queue_.empty()) return;
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

void ThreadRequestWindow::Invoke(const std::function<void()>& work)
{
    if (std::this_thread::get_id() == thread_.get_id()) {
        work();
        return;
    }
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    {
        std::lock_guard<std::mutex> lock(queueMutex_);
        if (stopping_) return;
        queue_.push_back([&work, &done] {
            work();
            done.set_value();
        });
    }
    wake_.notify_one();
    finished.wait();
}

int32_t ThreadRequestWindow::SendRequest(Message* message)
{
    int32_t result = 0;
    Invoke([this, message, &result] { result = HandleRequest(message); });
    return result;
}
